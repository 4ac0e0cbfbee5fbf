#include "ui/sheet_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/list_box_win.h"

namespace corvane::ui {
namespace {

constexpr DWORD kCellStyle = WS_VISIBLE | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL;
constexpr DWORD kTextCellStyle = WS_VISIBLE | WS_BORDER | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD kTextBoxStyle = WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_READONLY | ES_MULTILINE |
                                ES_AUTOHSCROLL | ES_AUTOVSCROLL;
constexpr DWORD kListStyle = WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT;

const wchar_t* ClassOf(SheetCell cell) { return cell == SheetCell::kList ? L"LISTBOX" : L"EDIT"; }

DWORD StyleOf(SheetCell cell) {
  switch (cell) {
    case SheetCell::kTextBox:
      return kTextBoxStyle;
    case SheetCell::kList:
      return kListStyle;
    case SheetCell::kLine:
      break;
  }
  return kCellStyle;
}

// One item per line; the widest decides how far the list scrolls sideways.
void SetListItems(HWND list, const std::wstring& text) {
  const std::vector<std::wstring> items = SplitLines(text);
  ShowLines(list, items);
  int widest = 0;
  if (HDC dc = GetDC(list)) {
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
    for (const auto& item : items) {
      SIZE size{};
      if (GetTextExtentPoint32W(dc, item.c_str(), static_cast<int>(item.size()), &size)) {
        widest = std::max(widest, static_cast<int>(size.cx));
      }
    }
    SelectObject(dc, old);
    ReleaseDC(list, dc);
  }
  SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + 8), 0);
}

std::wstring ListItems(HWND list) {
  std::vector<std::wstring> items;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring item(static_cast<size_t>(std::max<LRESULT>(0, SendMessageW(list, LB_GETTEXTLEN, i, 0))) + 1, L'\0');
    const LRESULT n = SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<size_t>(std::max<LRESULT>(0, n)));
    items.push_back(std::move(item));
  }
  return JoinLines(items);
}
constexpr int kDropDownListHeight = 200;

// Where a read-only box puts its text in a font: the margins beside it, the
// system's own rule (EM_GETMARGINS once the box has the font), and the
// height of a line. Asked of one hidden box the size of `cell` once per
// font and kept for the process.
struct TextPlace {
  int left_margin = 0, right_margin = 0, line_height = 0;
};

TextPlace BoxTextPlace(HWND cell, HDC dc, HFONT font) {
  LOGFONTW lf{};
  GetObjectW(font, sizeof lf, &lf);
  struct Known {
    LOGFONTW font;
    TextPlace place;
  };
  static std::vector<Known> known;
  for (const Known& k : known) {
    if (k.font.lfHeight == lf.lfHeight && k.font.lfWeight == lf.lfWeight && k.font.lfItalic == lf.lfItalic &&
        k.font.lfCharSet == lf.lfCharSet && lstrcmpW(k.font.lfFaceName, lf.lfFaceName) == 0) {
      return k.place;
    }
  }
  TextPlace place;
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  place.line_height = tm.tmHeight;
  RECT outer{};
  GetWindowRect(cell, &outer);
  if (HWND box = CreateWindowExW(WS_EX_NOPARENTNOTIFY, L"EDIT", L"", WS_CHILD | (kCellStyle & ~WS_VISIBLE), 0, 0,
                                 outer.right - outer.left, outer.bottom - outer.top, GetParent(cell), nullptr,
                                 GetModuleHandleW(nullptr), nullptr)) {
    SendMessageW(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const auto margins = static_cast<DWORD>(SendMessageW(box, EM_GETMARGINS, 0, 0));
    place.left_margin = LOWORD(margins);
    place.right_margin = HIWORD(margins);
    DestroyWindow(box);
  }
  known.push_back({lf, place});
  return place;
}

// A text cell draws itself as a read-only box draws its text: the box's
// border is the static control's, its back colour the holder's answer to
// WM_CTLCOLORSTATIC, and the text starts two pixels in from the outer edge
// plus the font's margin, two pixels down when the line has room for that,
// clipped at the right margin.
void PaintTextCell(HWND cell, HDC dc) {
  RECT client{};
  GetClientRect(cell, &client);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(cell), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(cell)));
  if (!brush) brush = GetSysColorBrush(COLOR_WINDOW);
  FillRect(dc, &client, brush);
  wchar_t fixed[256];
  std::wstring longer;
  const wchar_t* text = fixed;
  int length = GetWindowTextW(cell, fixed, static_cast<int>(std::size(fixed)));
  if (length >= static_cast<int>(std::size(fixed)) - 1) {
    longer.assign(static_cast<size_t>(GetWindowTextLengthW(cell)) + 1, L'\0');
    length = GetWindowTextW(cell, longer.data(), static_cast<int>(longer.size()));
    text = longer.c_str();
  }
  if (length <= 0) return;
  const auto font = reinterpret_cast<HFONT>(SendMessageW(cell, WM_GETFONT, 0, 0));
  const HGDIOBJ old_font = font ? SelectObject(dc, font) : nullptr;
  const TextPlace place = font ? BoxTextPlace(cell, dc, font) : TextPlace{};
  // In the box's own coordinates its text rectangle starts at 2 (its border
  // and one pixel); the static control's client area starts inside its border.
  const int outer_height = static_cast<int>(client.bottom) + 2;
  const RECT box{1 + place.left_margin, outer_height >= place.line_height + 4 ? 1 : -1,
                 client.right - 1 - place.right_margin, client.bottom};
  SetBkMode(dc, TRANSPARENT);
  ExtTextOutW(dc, box.left, box.top, ETO_CLIPPED, &box, text, static_cast<UINT>(length), nullptr);
  if (old_font) SelectObject(dc, old_font);
}

// The static control's own procedure sits in the cell's user data. Not
// SetWindowSubclass: that looks its chain up in a window property on every
// message, which under Wine is a round trip to the server each time.
LRESULT CALLBACK TextCellProc(HWND cell, UINT msg, WPARAM wp, LPARAM lp) {
  const auto static_proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(cell, GWLP_USERDATA));
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      if (HDC dc = BeginPaint(cell, &ps)) {
        PaintTextCell(cell, dc);
        EndPaint(cell, &ps);
      }
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintTextCell(cell, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_SETTEXT: {
      // The static control would draw a new text at once, at its own place:
      // the text is stored as every window's is and drawn by the next paint.
      const LRESULT stored = DefWindowProcW(cell, msg, wp, lp);
      InvalidateRect(cell, nullptr, FALSE);
      return stored;
    }
    case WM_SIZE:
      // The right margin moves with the edge: what it hid may show now.
      InvalidateRect(cell, nullptr, FALSE);
      break;
  }
  return static_proc ? CallWindowProcW(static_proc, cell, msg, wp, lp) : DefWindowProcW(cell, msg, wp, lp);
}

void MakeTextCell(HWND cell) {
  SetWindowLongPtrW(cell, GWLP_USERDATA, GetWindowLongPtrW(cell, GWLP_WNDPROC));
  SetWindowLongPtrW(cell, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TextCellProc));
}

LRESULT CALLBACK ClosedListIgnoresWheel(HWND combo, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  if (msg == WM_MOUSEWHEEL && !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) return 0;
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(combo, &ClosedListIgnoresWheel, id);
  return DefSubclassProc(combo, msg, wp, lp);
}

}  // namespace

bool DetailSheet::Create(HWND parent, int id, std::vector<SheetRow> rows, SheetGeometry geometry,
                         LineCells line_cells) {
  geometry_ = geometry;
  CreateParams p{L"TDetailSheet", L""};
  p.style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN;
  p.x = p.y = 0;
  p.width = p.height = 0;
  p.parent = parent;
  p.menu_or_id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  p.background = theme().white_brush();
  if (!Window::Create(p)) return false;
  scroller_.Attach(hwnd(), geometry_.row_pitch, 3 * geometry_.row_pitch);

  const auto& g = geometry_;
  if (g.heading_height > 0) {
    AddControl(L"lblItem", 0, L"STATIC", L"Item", WS_VISIBLE, g.label_x, 0, g.label_width, g.heading_height, 0,
               theme().bold());
    AddControl(L"lblDetails", 0, L"STATIC", L"Details", WS_VISIBLE, g.value_x, 0, g.value_width, g.heading_height, 0,
               theme().bold());
  }
  const bool texts = line_cells == LineCells::kTexts;
  // A one-line cell: a read-only box, or a static text that paints as one.
  const auto add_line = [&](const std::wstring& name, int cell_id, std::wstring_view text, int x, int top, int width,
                            int height, HFONT font) {
    HWND cell = AddControl(name, cell_id, texts ? L"STATIC" : L"EDIT", text, texts ? kTextCellStyle : kCellStyle, x,
                           top, width, height, 0, font);
    if (cell && texts) MakeTextCell(cell);
    return cell;
  };
  rows_.reserve(rows.size());
  int y = g.heading_height;
  for (auto& cells : rows) {
    Row row{std::move(cells)};
    const int lines = std::max(1, row.cells.lines);
    row.height = (lines - 1) * g.row_pitch + g.row_height;
    row.label = add_line(row.cells.label_name, row.cells.label_id, row.cells.label, g.label_x, y, g.label_width,
                         g.row_height, theme().bold());
    if (row.cells.cell == SheetCell::kLine) {
      row.value =
          add_line(row.cells.value_name, row.cells.value_id, L"", g.value_x, y, g.value_width, row.height, nullptr);
    } else {
      row.value = AddControl(row.cells.value_name, row.cells.value_id, ClassOf(row.cells.cell), L"",
                             StyleOf(row.cells.cell), g.value_x, y, g.value_width, row.height);
    }
    if (row.cells.marked) {
      const int gap = g.value_x - g.label_x - g.label_width;
      row.marker = AddControl(L"", 0, L"STATIC", L"*", WS_VISIBLE | SS_CENTER, g.label_x + g.label_width, y, gap,
                              g.row_height, 0, theme().bold());
    }
    rows_.push_back(std::move(row));
    y += lines * g.row_pitch;
  }
  return true;
}

HWND DetailSheet::AddDropDown(size_t row, std::wstring name, int id, bool editable) {
  Row& r = rows_.at(row);
  const auto& g = geometry_;
  const Box cell = ControlBox(r.value);
  ShowWindow(r.value, SW_HIDE);
  const DWORD style = WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | (editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
  r.drop_down = AddControl(std::move(name), id, WC_COMBOBOXW, L"", style, g.value_x, cell.y, g.value_width,
                           kDropDownListHeight);
  if (!r.drop_down) return nullptr;
  if (!editable) SendMessageW(r.drop_down, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Scale(g.row_height - 6));
  SetWindowSubclass(r.drop_down, &ClosedListIgnoresWheel, 1, 0);
  return r.drop_down;
}

HWND DetailSheet::AddGauge(size_t row, std::wstring name, int id) {
  Row& r = rows_.at(row);
  const auto& g = geometry_;
  const Box cell = ControlBox(r.value);
  ShowWindow(r.value, SW_HIDE);
  r.gauge = AddControl(std::move(name), id, PROGRESS_CLASSW, L"", WS_VISIBLE | PBS_SMOOTH, g.value_x, cell.y,
                       g.value_width, g.row_height);
  if (r.gauge) SendMessageW(r.gauge, PBM_SETRANGE32, 0, 100);
  return r.gauge;
}

void DetailSheet::SetGauge(size_t row, int percent) {
  if (HWND gauge = rows_.at(row).gauge) SendMessageW(gauge, PBM_SETPOS, static_cast<WPARAM>(std::clamp(percent, 0, 100)), 0);
}

HWND DetailSheet::AddButtonUnderLabel(size_t row, std::wstring name, int id, std::wstring_view text) {
  const Row& r = rows_.at(row);
  const auto& g = geometry_;
  const int top = ControlBox(r.label).y + g.row_pitch;
  const int height = std::min(r.height - g.row_pitch, g.row_height + 4);
  if (height <= 0) return nullptr;  // no room under a one-line label
  return AddControl(std::move(name), id, L"BUTTON", text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, g.label_x, top,
                    g.label_width, height);
}

void DetailSheet::SetValue(size_t index, const std::wstring& text, bool repaint) {
  const Row& row = rows_.at(index);
  HWND cell = row.value;
  if (row.cells.cell == SheetCell::kList) {
    SetListItems(cell, text);
  } else {
    SetWindowTextW(cell, text.c_str());
  }
  if (repaint) UpdateWindow(cell);
}

std::wstring DetailSheet::Value(size_t index) const {
  const Row& row = rows_.at(index);
  if (row.cells.cell == SheetCell::kList) return ListItems(row.value);
  HWND cell = row.value;
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(cell)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(cell, text.data(), static_cast<int>(text.size()))));
  return text;
}

void DetailSheet::SetValueWidth(int width) {
  if (width == geometry_.value_width) return;  // every cell has it already
  geometry_.value_width = width;
  for (const auto& row : rows_) {
    ResizeControl(row.value, width, row.height);
    if (row.drop_down) ResizeControl(row.drop_down, width, kDropDownListHeight);
    if (row.gauge) ResizeControl(row.gauge, width, geometry_.row_height);
  }
}

int DetailSheet::ContentHeight() const {
  int lines = 0;
  for (const auto& row : rows_) lines += std::max(1, row.cells.lines);
  return geometry_.heading_height + lines * geometry_.row_pitch;
}

void DetailSheet::OnResize(int, int height) { scroller_.SetExtent(height, ContentHeight()); }

void DetailSheet::OnCommand(int id, int code, HWND control) {
  SendMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

LRESULT DetailSheet::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (scroller_.Handle(msg, wp)) return 0;
  // A list cell takes the value colours too; other lists keep the system's.
  if (msg == WM_CTLCOLORLISTBOX) {
    for (const auto& row : rows_) {
      if (row.value == reinterpret_cast<HWND>(lp) && row.cells.cell == SheetCell::kList) {
        SetTextColor(reinterpret_cast<HDC>(wp), GetSysColor(COLOR_WINDOWTEXT));
        SetBkColor(reinterpret_cast<HDC>(wp), kValueBack);
        return reinterpret_cast<LRESULT>(theme().value_brush());
      }
    }
  }
  return Window::OnMessage(msg, wp, lp);
}

HBRUSH DetailSheet::OnControlColour(HDC dc, HWND control) {
  for (const auto& row : rows_) {
    if (control == row.label) {
      SetTextColor(dc, kLabelText);
      SetBkColor(dc, kLabelBack);
      return theme().label_brush();
    }
    if (control == row.value) {
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, kValueBack);
      return theme().value_brush();
    }
  }
  return Window::OnControlColour(dc, control);
}

}  // namespace corvane::ui
