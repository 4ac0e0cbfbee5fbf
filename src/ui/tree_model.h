// A tree as a window shows it: plain nodes of text. Windows keep the model
// and hand it to the tree view (tree_view_win.h); reports and tests read it.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace corvane::ui {

struct TreeNode {
  std::wstring text;
  std::vector<TreeNode> children;

  // Adds a child at the end and returns it. (A reference into children: it
  // lasts until the next child is added to this node.)
  TreeNode& Add(std::wstring child_text) {
    children.push_back(TreeNode{std::move(child_text), {}});
    return children.back();
  }
  friend bool operator==(const TreeNode&, const TreeNode&) = default;
};

}  // namespace corvane::ui
