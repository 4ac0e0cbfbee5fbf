#include "ui/list_box_win.h"

namespace corvane::ui {

void ShowLines(HWND list_box, std::span<const std::wstring> lines) {
  SendMessageW(list_box, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list_box, LB_RESETCONTENT, 0, 0);
  for (const std::wstring& line : lines) {
    SendMessageW(list_box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  SendMessageW(list_box, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list_box, nullptr, TRUE);
}

}  // namespace corvane::ui
