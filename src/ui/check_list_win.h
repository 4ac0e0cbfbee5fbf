// A check list that shows what something has: a sunken box of check boxes
// laid out top to bottom, then in the next column. The marks are the
// window's to set; a click changes none (they are plain check boxes, not
// the automatic kind).
#pragma once
#include <windows.h>

#include <span>
#include <string>
#include <string_view>

#include "ui/window_win.h"

namespace corvane::ui {

struct CheckListLayout {
  int columns = 1;
  int pitch = 18;        // from one item's top to the next one's
  int item_height = 16;
  int inset = 6;         // between the box and the items, and between columns
};

class CheckList : public Window {
 public:
  explicit CheckList(const Theme& theme) : Window(theme) {}

  // One check box per text, unchecked, filed as `name_prefix` + its position
  // ("chkFlag0"...) and numbered `first_item_id` + its position.
  bool Create(HWND parent, int id, RECT bounds, std::span<const std::wstring_view> items, std::wstring_view name_prefix,
              int first_item_id, CheckListLayout layout = {});
  size_t ItemCount() const { return items_; }
  // Out-of-range items are ignored.
  void SetChecked(size_t item, bool checked);
  bool Checked(size_t item) const;
  // The height a box of `items` needs to show them all.
  static int HeightFor(size_t items, const CheckListLayout& layout);

 protected:
  bool Build() override { return hwnd() != nullptr; }
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  HWND Item(size_t item) const;

  std::wstring prefix_;
  size_t items_ = 0;
};

}  // namespace corvane::ui
