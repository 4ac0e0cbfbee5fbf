#pragma once
#include <windows.h>
#include <commctrl.h>

#include <span>
#include <string>
#include <vector>

#include "platform/unique_handle.h"
#include "ui/toolbar_table.h"

namespace corvane::ui {

// A flat toolbar of 32 x 32 picture buttons (logical units: drawn at the
// parent's DPI, and again when the kit reports a new DPI) with tooltips,
// built from a table; buttons with captions show them under their pictures.
class Toolbar {
 public:
  Toolbar() = default;
  Toolbar(const Toolbar&) = delete;
  Toolbar& operator=(const Toolbar&) = delete;

  HWND Create(HWND parent, int id, std::span<const ToolButton> buttons);
  HWND hwnd() const { return hwnd_; }
  int Height() const;  // logical units
  void Enable(unsigned command, bool enabled);
  // Supplies tooltip texts; true when the notification was the toolbar's.
  bool HandleTooltip(NMHDR* hdr);

 private:
  // Draws the pictures at `dpi` and hands them to the toolbar.
  void MakeImages(int dpi);
  static LRESULT CALLBACK Subclass(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self) noexcept;

  HWND hwnd_ = nullptr;  // a child: destroyed with its parent
  platform::UniqueImageList images_;  // the toolbar shows it, it does not own it
  std::vector<ToolButton> buttons_;
  std::vector<std::wstring> captions_;  // the toolbar keeps pointers to them
};

}  // namespace corvane::ui
