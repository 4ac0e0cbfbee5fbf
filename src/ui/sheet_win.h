// The detail sheet: rows of a label cell beside a value cell under the
// headings "Item" and "Details", built from a row table. It scrolls when the
// window is too short for all rows.
#pragma once
#include <windows.h>

#include <span>
#include <string>
#include <vector>

#include "ui/window_win.h"

namespace corvane::ui {

struct SheetRow {
  std::wstring label;
  std::wstring label_name;  // e.g. "Desc1"
  int label_id;
  std::wstring value_name;  // e.g. "Info1"
  int value_id;
  bool marked = false;  // a "*" beside the row
};

struct SheetGeometry {
  int label_x = 4;
  int label_width = 196;
  int value_x = 212;
  int value_width = 440;
  int row_height = 19;
  int row_pitch = 20;
  int heading_height = 16;
};

class DetailSheet : public Window {
 public:
  explicit DetailSheet(const Theme& theme) : Window(theme) {}

  bool Create(HWND parent, int id, std::vector<SheetRow> rows, SheetGeometry geometry = {});
  size_t RowCount() const { return rows_.size(); }
  // Sets a value cell; with repaint it is painted at once.
  void SetValue(size_t index, const std::wstring& text, bool repaint);
  std::wstring Value(size_t index) const;
  void SetValueWidth(int width);
  int ContentHeight() const;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnResize(int width, int height) override;
  HBRUSH OnControlColour(HDC dc, HWND control) override;

 private:
  struct Row {
    SheetRow spec;
    HWND label = nullptr;
    HWND value = nullptr;
    HWND marker = nullptr;
  };
  void ScrollTo(int pos);

  std::vector<Row> rows_;
  SheetGeometry geometry_;
  int scroll_ = 0;
  int page_ = 0;
};

}  // namespace corvane::ui
