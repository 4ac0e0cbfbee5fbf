// The check list kit piece under Wine: items laid out down each column in
// turn, filed by name and ID, marks set only by the window (a click changes
// none), and items it does not have ignored.
#include "ui/check_list_win.h"

#include <gtest/gtest.h>

#include <array>
#include <string_view>

#include "platform/unique_handle.h"
#include "ui/theme_win.h"

namespace corvane::ui {
namespace {

constexpr std::array<std::wstring_view, 5> kItems = {L"One", L"Two", L"Three", L"Four", L"Five"};
constexpr int kFirstId = 700;

class CheckListBox : public testing::Test {
 protected:
  void SetUp() override {
    parent_.reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 500, 300, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(parent_);
    ASSERT_TRUE(list_.Create(parent_.get(), 42, RECT{10, 20, 330, 120}, kItems, L"chkItem", kFirstId, {2, 18, 16, 6}));
  }

  RECT BoxOf(size_t item) const {
    RECT r{};
    GetWindowRect(list_.Control(L"chkItem" + std::to_wstring(item)), &r);
    MapWindowPoints(nullptr, list_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  Theme theme_;
  platform::UniqueWindow parent_;
  CheckList list_{theme_};
};

TEST_F(CheckListBox, ItemsGoDownTheFirstColumnThenTheNext) {
  ASSERT_EQ(list_.ItemCount(), kItems.size());
  for (size_t i = 0; i < kItems.size(); ++i) {
    HWND item = list_.Control(L"chkItem" + std::to_wstring(i));
    ASSERT_TRUE(item) << i;
    EXPECT_EQ(GetDlgCtrlID(item), kFirstId + static_cast<int>(i));
    wchar_t text[32] = {};
    GetWindowTextW(item, text, 32);
    EXPECT_EQ(std::wstring_view(text), kItems[i]);
  }
  // Five items in two columns: three rows, the fourth item heads the second column.
  EXPECT_EQ(BoxOf(0).left, 6);
  EXPECT_EQ(BoxOf(0).top, 3);
  EXPECT_EQ(BoxOf(2).top, 3 + 2 * 18);
  EXPECT_EQ(BoxOf(3).top, 3);
  EXPECT_EQ(BoxOf(3).left, 6 + (320 - 3 * 6) / 2 + 6);
  EXPECT_EQ(BoxOf(4).top, 3 + 18);
  EXPECT_EQ(CheckList::HeightFor(5, {2, 18, 16, 6}), 6 + 3 * 18 + 2);
  EXPECT_EQ(CheckList::HeightFor(5, {}), 6 + 5 * 18 + 2);
}

TEST_F(CheckListBox, OnlyTheWindowSetsTheMarks) {
  for (size_t i = 0; i < kItems.size(); ++i) EXPECT_FALSE(list_.Checked(i)) << i;
  list_.SetChecked(1, true);
  list_.SetChecked(4, true);
  list_.SetChecked(4, false);
  list_.SetChecked(5, true);  // no such item
  EXPECT_TRUE(list_.Checked(1));
  EXPECT_FALSE(list_.Checked(4));
  EXPECT_FALSE(list_.Checked(5));
  SendMessageW(list_.Control(L"chkItem0"), BM_CLICK, 0, 0);
  SendMessageW(list_.Control(L"chkItem1"), BM_CLICK, 0, 0);
  EXPECT_FALSE(list_.Checked(0));
  EXPECT_TRUE(list_.Checked(1));
}

}  // namespace
}  // namespace corvane::ui
