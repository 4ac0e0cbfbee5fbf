#include "ui/tree_view_win.h"

#include <commctrl.h>

namespace corvane::ui {
namespace {

HTREEITEM Insert(HWND tree, HTREEITEM parent, const TreeNode& node) {
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT;
  insert.item.pszText = const_cast<wchar_t*>(node.text.c_str());
  HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  if (!item) return nullptr;
  for (const TreeNode& child : node.children) Insert(tree, item, child);
  // Expanded once its children are in: expanding an item that has none yet
  // would be forgotten.
  if (!node.children.empty()) SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
  return item;
}

}  // namespace

void ClearTree(HWND tree) { SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }

void ShowTree(HWND tree, const TreeNode& root) {
  SendMessageW(tree, WM_SETREDRAW, FALSE, 0);
  ClearTree(tree);
  HTREEITEM top = Insert(tree, TVI_ROOT, root);
  if (top) SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(top));
  SendMessageW(tree, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(tree, nullptr, TRUE);
  if (top) SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(top));
}

}  // namespace corvane::ui
