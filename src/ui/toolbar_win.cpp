#include "ui/toolbar_win.h"

#include <string>

#include "platform/unique_handle.h"

namespace corvane::ui {
namespace {

constexpr int kImageSize = 32;
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

// Draws every button's picture, its glyph in white on a rounded tile, side by
// side into one bitmap and adds them to a new image list in one call. One
// memory DC and one bitmap for the whole strip, and one mask pass, cost a
// fraction of a screen DC, a memory DC, a bitmap and a mask pass per button.
platform::UniqueImageList MakePictures(std::span<const ToolButton> buttons, HFONT font) {
  const int count = static_cast<int>(buttons.size());
  platform::UniqueImageList images(ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, count, 0));
  if (!images || count == 0) return images;

  // 24 bits as the list keeps them: every colour of the table is stored exactly.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kImageSize * count;
  info.bmiHeader.biHeight = kImageSize;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  platform::UniqueBitmap strip(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  platform::UniqueDc dc(CreateCompatibleDC(nullptr));
  if (!strip || !dc) return images;
  {
    platform::SelectGuard keep_bitmap(dc.get(), strip.get());
    RECT all{0, 0, kImageSize * count, kImageSize};
    platform::UniqueBrush mask(CreateSolidBrush(kMaskColour));
    FillRect(dc.get(), &all, mask.get());

    platform::UniquePen edge(CreatePen(PS_SOLID, 1, RGB(40, 40, 40)));
    platform::SelectGuard keep_pen(dc.get(), edge.get());
    platform::SelectGuard keep_font(dc.get(), font);
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(255, 255, 255));
    for (int i = 0; i < count; ++i) {
      const ToolButton& button = buttons[static_cast<size_t>(i)];
      const int x = i * kImageSize;
      platform::UniqueBrush tile(CreateSolidBrush(button.colour));
      platform::SelectGuard keep_brush(dc.get(), tile.get());
      RoundRect(dc.get(), x + 1, 1, x + kImageSize - 1, kImageSize - 1, 9, 9);
      RECT text{x + 1, 1, x + kImageSize - 1, kImageSize - 1};
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

  // Glyphs are drawn without smoothing so no edge blends into the mask colour.
  platform::UniqueFont glyph_font(CreateFontW(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                              NONANTIALIASED_QUALITY, 0, L"Tahoma"));
  std::vector<ToolButton> pictured;
  for (const auto& button : buttons) {
    if (button.id != 0) pictured.push_back(button);
  }
  images_ = MakePictures(pictured, glyph_font.get());
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
  SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_.get()));
  SendMessageW(hwnd_, TB_ADDBUTTONSW, tb.size(), reinterpret_cast<LPARAM>(tb.data()));
  SendMessageW(hwnd_, TB_AUTOSIZE, 0, 0);
  return hwnd_;
}

int Toolbar::Height() const {
  RECT r{};
  GetWindowRect(hwnd_, &r);
  return r.bottom - r.top;
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
