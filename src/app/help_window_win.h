#pragma once
#include "ui/window_win.h"

namespace corvane::app {

// TfrmHelp: a fixed-size page of static texts on how to use the program.
class HelpWindow : public ui::Window {
 public:
  explicit HelpWindow(const ui::Theme& theme) : ui::Window(theme) {}

 protected:
  bool Build() override;
  HBRUSH OnControlColour(HDC dc, HWND control) override;
};

}  // namespace corvane::app
