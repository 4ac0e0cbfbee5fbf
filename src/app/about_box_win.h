#pragma once
#include <string>

#include "ui/window_win.h"

namespace corvane::app {

// TAboutBox: created for each showing, shown modally, destroyed after.
class AboutBox : public ui::Window {
 public:
  explicit AboutBox(const ui::Theme& theme) : ui::Window(theme) {}
  bool Create(HWND owner, const std::wstring& version);

 protected:
  void OnCommand(int id, int code, HWND control) override;
  HBRUSH OnControlColour(HDC dc, HWND control) override;
};

}  // namespace corvane::app
