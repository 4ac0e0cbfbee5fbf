#include "ui/toolbar_win.h"

#include <string>

#include "platform/unique_handle.h"

namespace corvane::ui {
namespace {

constexpr int kImageSize = 32;
constexpr COLORREF kMaskColour = RGB(255, 0, 255);

// Draws a button's picture: its glyph in white on a rounded tile.
void AddPicture(HIMAGELIST images, const ToolButton& button, HFONT font) {
  platform::WindowDc screen(nullptr);
  platform::UniqueDc dc(CreateCompatibleDC(screen.get()));
  platform::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), kImageSize, kImageSize));
  {
    platform::SelectGuard keep_bitmap(dc.get(), bitmap.get());
    RECT all{0, 0, kImageSize, kImageSize};
    platform::UniqueBrush mask(CreateSolidBrush(kMaskColour));
    FillRect(dc.get(), &all, mask.get());

    platform::UniqueBrush tile(CreateSolidBrush(button.colour));
    platform::UniquePen edge(CreatePen(PS_SOLID, 1, RGB(40, 40, 40)));
    platform::SelectGuard keep_brush(dc.get(), tile.get());
    platform::SelectGuard keep_pen(dc.get(), edge.get());
    RoundRect(dc.get(), 1, 1, kImageSize - 1, kImageSize - 1, 9, 9);

    platform::SelectGuard keep_font(dc.get(), font);
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), RGB(255, 255, 255));
    RECT text{1, 1, kImageSize - 1, kImageSize - 1};
    DrawTextW(dc.get(), button.glyph.data(), static_cast<int>(button.glyph.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  ImageList_AddMasked(images, bitmap.get(), kMaskColour);
}

}  // namespace

Toolbar::~Toolbar() {
  if (images_) ImageList_Destroy(images_);
}

HWND Toolbar::Create(HWND parent, int id, std::span<const ToolButton> buttons) {
  buttons_.assign(buttons.begin(), buttons.end());
  hwnd_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                          WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_TOP, 0, 0, 0,
                          0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                          nullptr);
  if (!hwnd_) return nullptr;
  SendMessageW(hwnd_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

  images_ = ImageList_Create(kImageSize, kImageSize, ILC_COLOR24 | ILC_MASK, static_cast<int>(buttons.size()), 0);
  // Glyphs are drawn without smoothing so no edge blends into the mask colour.
  platform::UniqueFont glyph_font(CreateFontW(-11, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                                              NONANTIALIASED_QUALITY, 0, L"Tahoma"));
  std::vector<TBBUTTON> tb;
  for (size_t i = 0; i < buttons.size(); ++i) {
    AddPicture(images_, buttons[i], glyph_font.get());
    TBBUTTON b{};
    b.iBitmap = static_cast<int>(i);
    b.idCommand = static_cast<int>(buttons[i].id);
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = BTNS_BUTTON;
    tb.push_back(b);
  }
  SendMessageW(hwnd_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
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
