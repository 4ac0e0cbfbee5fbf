#pragma once
#include <string>

#include "ui/window_win.h"

namespace corvane::app {

// TAboutBox: made for each showing, shown modally, destroyed after.
class AboutBox : public ui::Window {
 public:
  AboutBox(const ui::Theme& theme, HWND owner, std::wstring version)
      : ui::Window(theme), owner_(owner), version_(std::move(version)) {}

 protected:
  bool Build() override;
  HBRUSH OnControlColour(HDC dc, HWND control) override;

 private:
  void OKButtonClick() { EndModal(); }

  HWND owner_;
  std::wstring version_;
};

}  // namespace corvane::app
