#include "ui/check_list_win.h"

#include <algorithm>

namespace corvane::ui {
namespace {

int RowsFor(size_t items, int columns) {
  const auto per_column = static_cast<size_t>(std::max(1, columns));
  return static_cast<int>((items + per_column - 1) / per_column);
}

}  // namespace

bool CheckList::Create(HWND parent, int id, RECT bounds, std::span<const std::wstring_view> items,
                       std::wstring_view name_prefix, int first_item_id, CheckListLayout layout) {
  CreateParams p{L"TCheckList", L""};
  p.style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN;
  p.x = bounds.left;
  p.y = bounds.top;
  p.width = bounds.right - bounds.left;
  p.height = bounds.bottom - bounds.top;
  p.parent = parent;
  p.menu_or_id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  p.background = theme().white_brush();
  if (!Window::Create(p)) return false;

  prefix_ = name_prefix;
  items_ = items.size();
  const int columns = std::max(1, layout.columns);
  const int rows = std::max(1, RowsFor(items.size(), columns));
  const int column_width = std::max(0, (p.width - (columns + 1) * layout.inset) / columns);
  for (size_t i = 0; i < items.size(); ++i) {
    const int row = static_cast<int>(i) % rows;
    const int column = static_cast<int>(i) / rows;
    if (!AddControl(prefix_ + std::to_wstring(i), first_item_id + static_cast<int>(i), L"BUTTON", items[i],
                    WS_VISIBLE | BS_CHECKBOX, layout.inset + column * (column_width + layout.inset),
                    layout.inset / 2 + row * layout.pitch, column_width, layout.item_height)) {
      return false;
    }
  }
  return true;
}

HWND CheckList::Item(size_t item) const { return item < items_ ? Control(prefix_ + std::to_wstring(item)) : nullptr; }

void CheckList::SetChecked(size_t item, bool checked) {
  if (HWND box = Item(item)) SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool CheckList::Checked(size_t item) const {
  HWND box = Item(item);
  return box && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

int CheckList::HeightFor(size_t items, const CheckListLayout& layout) {
  return layout.inset + RowsFor(items, layout.columns) * layout.pitch + 2;
}

LRESULT CheckList::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    RECT box{};
    GetClientRect(hwnd(), &box);
    DrawEdge(dc, &box, EDGE_SUNKEN, BF_RECT);
    EndPaint(hwnd(), &ps);
    return 0;
  }
  return Window::OnMessage(msg, wp, lp);
}

}  // namespace corvane::ui
