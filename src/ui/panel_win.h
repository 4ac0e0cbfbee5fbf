// Black panels for live displays: their static texts aqua on black, what
// else they show painted from a model, and the gauge of two cyan bars that
// the processor and drive windows show a percentage with.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/window_win.h"

namespace corvane::ui {

inline constexpr COLORREF kAqua = RGB(0, 255, 255);  // texts, digits and bars on the black panels
inline constexpr COLORREF kBlack = RGB(0, 0, 0);

// A black child panel. Its static children are drawn aqua on black; what it
// shows beyond them comes from `paint`, which reads a model and never
// computes.
class BlackPanel : public Window {
 public:
  using Painter = std::function<void(HDC)>;
  explicit BlackPanel(const Theme& theme) : Window(theme) {}

  bool Create(HWND parent, int id, RECT bounds, Painter paint = {});
  // A static text on the panel.
  HWND AddLabel(std::wstring name, int id, std::wstring_view text, DWORD style, int x, int y, int width, int height,
                HFONT font = nullptr);
  // A vertical, smooth progress bar 0..100 in cyan on black.
  HWND AddVerticalBar(std::wstring name, int id, int x, int y, int width, int height, int position);

 protected:
  bool Build() override { return hwnd() != nullptr; }
  HBRUSH OnControlColour(HDC dc, HWND control) override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  Painter paint_;
};

// Where a gauge's two bars stand on its panel, and their control IDs (filed
// as "ProgressBar1" and "ProgressBar2").
struct GaugeBars {
  int left_x, right_x, top, width, height;
  int left_id, right_id;
};

// One percentage as two equal cyan bars side by side on a black panel.
class Gauge : public BlackPanel {
 public:
  using BlackPanel::BlackPanel;
  bool Create(HWND parent, int id, RECT bounds, const GaugeBars& bars);
  void SetPosition(int percent);
};

// Bar and background colours for a progress bar. Visual styles ignore both,
// so they are switched off for this one bar (through uxtheme.dll, looked up
// at run time: systems without it have no styles to switch off).
void ColourProgressBar(HWND bar, COLORREF bar_colour, COLORREF back_colour);

}  // namespace corvane::ui
