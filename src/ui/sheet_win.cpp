#include "ui/sheet_win.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "ui/list_box_win.h"

namespace corvane::ui {
namespace {

constexpr DWORD kCellStyle = WS_VISIBLE | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL;
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

LRESULT CALLBACK ClosedListIgnoresWheel(HWND combo, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  if (msg == WM_MOUSEWHEEL && !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) return 0;
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(combo, &ClosedListIgnoresWheel, id);
  return DefSubclassProc(combo, msg, wp, lp);
}

}  // namespace

bool DetailSheet::Create(HWND parent, int id, std::vector<SheetRow> rows, SheetGeometry geometry) {
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
  rows_.reserve(rows.size());
  int y = g.heading_height;
  for (auto& cells : rows) {
    Row row{std::move(cells)};
    const int lines = std::max(1, row.cells.lines);
    row.height = (lines - 1) * g.row_pitch + g.row_height;
    row.label = AddControl(row.cells.label_name, row.cells.label_id, L"EDIT", row.cells.label, kCellStyle, g.label_x, y,
                           g.label_width, g.row_height, 0, theme().bold());
    row.value = AddControl(row.cells.value_name, row.cells.value_id, ClassOf(row.cells.cell), L"",
                           StyleOf(row.cells.cell), g.value_x, y, g.value_width, row.height);
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
