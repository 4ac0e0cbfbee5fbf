#include "ui/toolbar_win.h"

#include <string>

#include "platform/dpi_win.h"
#include "platform/unique_handle.h"
#include "ui/dpi_scale.h"
#include "ui/window_win.h"

namespace corvane::ui {
namespace {

constexpr int kImageSize = 32;  // logical units
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

// Draws every button's picture, its glyph in white on a rounded tile, side by
// side into one bitmap and adds them to a new image list in one call. One
// memory DC and one bitmap for the whole strip, and one mask pass, cost a
// fraction of a screen DC, a memory DC, a bitmap and a mask pass per button.
platform::UniqueImageList MakePictures(std::span<const ToolButton> buttons, HFONT font, int dpi) {
  const int count = static_cast<int>(buttons.size());
  const int image_size = ScaleToDpi(kImageSize, dpi);
  const int inset = ScaleToDpi(1, dpi), corner = ScaleToDpi(9, dpi);
  platform::UniqueImageList images(ImageList_Create(image_size, image_size, ILC_COLOR24 | ILC_MASK, count, 0));
  if (!images || count == 0) return images;

  // 24 bits as the list keeps them: every colour of the table is stored exactly.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = image_size * count;
  info.bmiHeader.biHeight = image_size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  platform::UniqueBitmap strip(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  platform::UniqueDc dc(CreateCompatibleDC(nullptr));
  if (!strip || !dc) return images;
  {
    platform::SelectGuard keep_bitmap(dc.get(), strip.get());
    RECT all{0, 0, image_size * count, image_size};
    platform::UniqueBrush mask(CreateSolidBrush(kMaskColour));
    FillRect(dc.get(), &all, mask.get());

    platform::UniquePen edge(CreatePen(PS_SOLID, 1, RGB(40, 40, 40)));
    platform::SelectGuard keep_pen(dc.get(), edge.get());
    platform::SelectGuard keep_font(dc.get(), font);
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(255, 255, 255));
    for (int i = 0; i < count; ++i) {
      const ToolButton& button = buttons[static_cast<size_t>(i)];
      const int x = i * image_size;
      platform::UniqueBrush tile(CreateSolidBrush(button.colour));
      platform::SelectGuard keep_brush(dc.get(), tile.get());
      RoundRect(dc.get(), x + inset, inset, x + image_size - inset, image_size - inset, corner, corner);
      RECT text{x + inset, inset, x + image_size - inset, image_size - inset};
      DrawTextW(dc.get(), button.glyph.data(), static_cast<int>(button.glyph.size()), &text,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
  }
  ImageList_AddMasked(images.get(), strip.get(), kMaskColour);  // the list cuts the strip into its images
  return images;
}

}  // namespace

HWND Toolbar::Create(HWND parent, int id, std::span<const ToolButton> buttons) {
  buttons_.assign(buttons.begin(), buttons.end());
  hwnd_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                          WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_TOP, 0, 0, 0,
                          0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                          nullptr);
  if (!hwnd_) return nullptr;
  SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  SetWindowSubclass(hwnd_, &Toolbar::Subclass, 1, reinterpret_cast<DWORD_PTR>(this));
  MakeImages(DpiOf(parent));
  captions_.clear();
  captions_.reserve(buttons.size());
  std::vector<TBBUTTON> tb;
  int picture = 0;
  for (const auto& button : buttons) {
    TBBUTTON b{};
    if (button.id == 0) {
      b.fsStyle = BTNS_SEP;
    } else {
      b.iBitmap = picture++;
      b.idCommand = static_cast<int>(button.id);
      b.fsState = TBSTATE_ENABLED;
      b.fsStyle = BTNS_BUTTON;
      if (!button.caption.empty()) {
        captions_.emplace_back(button.caption);
        b.iString = reinterpret_cast<INT_PTR>(captions_.back().c_str());
      }
    }
    tb.push_back(b);
  }
  SendMessageW(hwnd_, TB_ADDBUTTONSW, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
  SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
  return hwnd_;
}

void Toolbar::MakeImages(int dpi) {
  // Glyphs are drawn without smoothing so no edge blends into the mask colour.
  platform::UniqueFont glyph_font(CreateFontW(ScaleFontHeight(-11, dpi), 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0,
                                              0, NONANTIALIASED_QUALITY, 0, L"Tahoma"));
  std::vector<ToolButton> pictured;
  for (const auto& button : buttons_) {
    if (button.id != 0) pictured.push_back(button);
  }
  platform::UniqueImageList images = MakePictures(pictured, glyph_font.get(), dpi);
  SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images.get()));
  images_ = std::move(images);  // the old list goes once the toolbar no longer shows it
}

LRESULT CALLBACK Toolbar::Subclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self) noexcept {
  if (msg == DpiChangedNotice()) {
    auto* toolbar = reinterpret_cast<Toolbar*>(self);
    toolbar->MakeImages(static_cast<int>(wp));
    SendMessageW(hwnd, TB_AUTOSIZE, 0, 0);
    return 0;
  }
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(hwnd, &Toolbar::Subclass, id);
  return DefSubclassProc(hwnd, msg, wp, lp);
}

int Toolbar::Height() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return LogicalFromDpi(r.bottom - r.top, DpiOf(hwnd_));
}

void Toolbar::Enable(unsigned command, bool enabled) {
  SendMessageW(hwnd_, TB_ENABLEBUTTON, command, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

bool Toolbar::HandleTooltip(NMHDR* hdr) {
  if (hdr->code != TTN_GETDISPINFOW) return false;
  // Only this toolbar's tooltips: another control's tip may carry the same ID.
  if (hdr->hwndFrom != reinterpret_cast<HWND>(SendMessageW(hwnd_, TB_GETTOOLTIPS, 0, 0))) return false;
  auto* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
  for (const auto& b : buttons_) {
    if (b.id == hdr->idFrom) {
      // The table's texts live for the whole run.
      info->lpszText = const_cast<wchar_t*>(b.hint.empty() ? L"" : b.hint.data());
      return true;
    }
  }
  return false;
}

}  // namespace corvane::ui
