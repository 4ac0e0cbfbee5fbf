#include "ui/tree_view_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/unique_handle.h"

namespace corvane::ui {
namespace {

class TreeView : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    tree_.reset(CreateWindowExW(0, WC_TREEVIEWW, L"", WS_POPUP | TVS_HASBUTTONS, 0, 0, 300, 300, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(tree_);
  }

  // The control's items read back, with whether each one is expanded.
  TreeNode Read(HTREEITEM item, std::wstring& expanded) const {
    wchar_t text[128] = {};
    TVITEMW request{};
    request.mask = TVIF_TEXT | TVIF_STATE | TVIF_HANDLE;
    request.hItem = item;
    request.stateMask = TVIS_EXPANDED;
    request.pszText = text;
    request.cchTextMax = 128;
    SendMessageW(tree_.get(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&request));
    TreeNode node{text, {}};
    if (request.state & TVIS_EXPANDED) expanded += node.text + L";";
    for (auto child = reinterpret_cast<HTREEITEM>(SendMessageW(tree_.get(), TVM_GETNEXTITEM, TVGN_CHILD,
                                                               reinterpret_cast<LPARAM>(item)));
         child; child = reinterpret_cast<HTREEITEM>(
                    SendMessageW(tree_.get(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
      node.children.push_back(Read(child, expanded));
    }
    return node;
  }
  HTREEITEM Get(UINT which) const {
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree_.get(), TVM_GETNEXTITEM, which, 0));
  }

  platform::UniqueWindow tree_;
};

TEST_F(TreeView, ShowsTheModelExpandedWithTheRootSelected) {
  TreeNode model{L"root", {}};
  TreeNode& a = model.Add(L"a");
  a.Add(L"a1").Add(L"a1x");
  model.Add(L"b");
  ShowTree(tree_.get(), model);
  ShowTree(tree_.get(), model);  // a second showing replaces the first

  std::wstring expanded;
  EXPECT_EQ(Read(Get(TVGN_ROOT), expanded), model);
  EXPECT_EQ(expanded, L"root;a;a1;");
  EXPECT_EQ(Get(TVGN_CARET), Get(TVGN_ROOT));
  EXPECT_EQ(SendMessageW(tree_.get(), TVM_GETCOUNT, 0, 0), 5);

  ClearTree(tree_.get());
  EXPECT_EQ(Get(TVGN_ROOT), nullptr);
}

}  // namespace
}  // namespace corvane::ui
