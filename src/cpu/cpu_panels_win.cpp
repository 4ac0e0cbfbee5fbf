#include "cpu/cpu_panels_win.h"

#include <cstdint>
#include <vector>

#include "cpu/digit_glyphs.h"
#include "platform/unique_handle.h"

namespace corvane::cpu {

bool BlackPanel::Create(HWND parent, int id, int x, int y, int width, int height, Painter paint) {
  paint_ = std::move(paint);
  ui::CreateParams p{L"TCpuBlackPanel", L""};
  p.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
  p.x = x;
  p.y = y;
  p.width = width;
  p.height = height;
  p.parent = parent;
  p.menu_or_id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  p.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  return ui::Window::Create(p);
}

HWND BlackPanel::AddLabel(std::wstring name, int id, std::wstring_view text, DWORD style, int x, int y, int width,
                          int height, HFONT font) {
  return AddControl(std::move(name), id, L"STATIC", text, WS_VISIBLE | style, x, y, width, height, 0, font);
}

HWND BlackPanel::AddVerticalBar(std::wstring name, int id, int x, int y, int width, int height, int position) {
  HWND bar = AddControl(std::move(name), id, PROGRESS_CLASSW, L"", WS_VISIBLE | PBS_VERTICAL | PBS_SMOOTH, x, y,
                        width, height);
  if (!bar) return nullptr;
  ColourProgressBar(bar, kAqua, kBlack);
  SendMessageW(bar, PBM_SETRANGE32, 0, 100);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
  return bar;
}

HBRUSH BlackPanel::OnControlColour(HDC dc, HWND) {
  SetTextColor(dc, kAqua);
  SetBkColor(dc, kBlack);
  return static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
}

LRESULT BlackPanel::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (paint_) paint_(dc);
    EndPaint(hwnd(), &ps);
    return 0;
  }
  return ui::Window::OnMessage(msg, wp, lp);
}

DigitImages::DigitImages() {
  constexpr int kStrip = kDigitWidth * 10;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = kStrip;
  bmi.bmiHeader.biHeight = -kDigitHeight;  // top-down rows
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  strip_.reset(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!strip_ || !bits) return;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  const std::uint32_t lit = Rgb(GetRValue(kAqua), GetGValue(kAqua), GetBValue(kAqua));
  for (int y = 0; y < kDigitHeight; ++y) {
    for (int x = 0; x < kStrip; ++x) {
      pixels[y * kStrip + x] = DigitGlyphLit(x / kDigitWidth, x % kDigitWidth, y) ? lit : 0;
    }
  }
  GdiFlush();
  dc_.reset(CreateCompatibleDC(nullptr));
  if (dc_) old_ = SelectObject(dc_.get(), strip_.get());
}

DigitImages::~DigitImages() {
  // The bitmap leaves the device context before either is deleted.
  if (dc_ && old_) SelectObject(dc_.get(), old_);
}

void DigitImages::Draw(HDC dc, std::wstring_view digits, int x, int y) const {
  if (!ok()) return;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    BitBlt(dc, x + DigitX(i), y, kDigitWidth, kDigitHeight, dc_.get(), DigitIndex(digits[i]) * kDigitWidth, 0,
           SRCCOPY);
  }
}

void ColourProgressBar(HWND bar, COLORREF bar_colour, COLORREF back_colour) {
  using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  // Where visual styles are in use the common controls hold uxtheme.dll
  // themselves, so the window keeps its setting after this reference goes.
  platform::UniqueModule uxtheme(LoadLibraryW(L"uxtheme.dll"));
  if (uxtheme) {
    if (auto set_theme = reinterpret_cast<SetWindowThemeFn>(
            reinterpret_cast<void*>(GetProcAddress(uxtheme.get(), "SetWindowTheme")))) {
      // A class list that names no class: no style applies. (Blank rather
      // than empty, which some implementations refuse to store.)
      set_theme(bar, L" ", L" ");
    }
  }
  SendMessageW(bar, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(bar_colour));
  SendMessageW(bar, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(back_colour));
}

void PaintPixels(HDC dc, const PixelImage& image, int x, int y) {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = image.width();
  bmi.bmiHeader.biHeight = -image.height();
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(image.width()), static_cast<DWORD>(image.height()), 0, 0, 0,
                    static_cast<UINT>(image.height()), image.pixels().data(), &bmi, DIB_RGB_COLORS);
}

}  // namespace corvane::cpu
