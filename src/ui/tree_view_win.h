// Shows a tree model in a tree-view control.
#pragma once
#include <windows.h>

#include "ui/tree_model.h"

namespace corvane::ui {

// Replaces the control's items with the model (root first), in one batch
// with redrawing off; expands every node and selects the root.
void ShowTree(HWND tree, const TreeNode& root);
// Empties the control.
void ClearTree(HWND tree);

}  // namespace corvane::ui
