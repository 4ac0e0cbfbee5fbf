// The detail sheet's rows of several lines under Wine: a text box and a
// list take their lines from one text and give them back, a new text
// replaces the old (nothing doubles), the rows below sit lower by the extra
// lines, and a button under a tall row's label reaches the window.
#include "ui/sheet_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::ui {
namespace {

enum : int { kIdSheet = 100, kIdName = 200, kIdList, kIdBox, kIdLast, kIdButton = 300 };

class Holder : public Window {
 public:
  explicit Holder(const Theme& theme) : Window(theme), sheet(theme) {}
  void ButtonClick() { ++clicks; }
  DetailSheet sheet;
  int clicks = 0;

 protected:
  bool Build() override {
    CreateParams p{L"CorvaneSheetHolder", L"Holder"};
    p.width = 700;
    p.height = 500;
    if (!Create(p)) return false;
    static constexpr Command<Holder> kCommands[] = {{kIdButton, &Holder::ButtonClick}};
    BindCommands(kCommands);
    std::vector<SheetRow> rows = {
        {L"Name", L"lblName", kIdName + 50, L"edName", kIdName},
        {L"List", L"lblList", kIdList + 50, L"edList", kIdList, false, SheetCell::kList, 3},
        {L"Box", L"lblBox", kIdBox + 50, L"edBox", kIdBox, false, SheetCell::kTextBox, 4},
        {L"Last", L"lblLast", kIdLast + 50, L"edLast", kIdLast},
    };
    if (!sheet.Create(hwnd(), kIdSheet, std::move(rows))) return false;
    sheet.AddButtonUnderLabel(2, L"btn", kIdButton, L"Press");
    AdoptControls(sheet);
    MoveWindow(sheet.hwnd(), 0, 0, 690, 400, TRUE);
    return true;
  }
};

int TopOf(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r.top;
}

TEST(DetailSheetWin, RowsOfSeveralLines) {
  Theme theme;
  Holder holder(theme);
  ASSERT_TRUE(holder.EnsureBuilt());
  DetailSheet& sheet = holder.sheet;
  HWND list = GetDlgItem(sheet.hwnd(), kIdList);
  ASSERT_TRUE(list);

  sheet.SetValue(1, L"ADMIN$\r\nC$\r\npublic", false);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(sheet.Value(1), L"ADMIN$\r\nC$\r\npublic");
  sheet.SetValue(1, L"ADMIN$\r\nC$\r\npublic", false);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 3) << "a new text replaces the items";
  sheet.SetValue(1, L"", false);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);

  sheet.SetValue(2, L"Intel(R) PRO/1000\r\nLoopback", true);
  EXPECT_EQ(sheet.Value(2), L"Intel(R) PRO/1000\r\nLoopback");
  EXPECT_EQ(SendMessageW(GetDlgItem(sheet.hwnd(), kIdBox), EM_GETLINECOUNT, 0, 0), 2);

  // 1 + 3 + 4 + 1 lines of the row pitch under the headings.
  const SheetGeometry& g = sheet.geometry();
  EXPECT_EQ(sheet.ContentHeight(), g.heading_height + 9 * g.row_pitch);
  EXPECT_EQ(TopOf(GetDlgItem(sheet.hwnd(), kIdLast)), g.heading_height + 8 * g.row_pitch);
  RECT box{};
  GetWindowRect(GetDlgItem(sheet.hwnd(), kIdBox), &box);
  EXPECT_EQ(box.bottom - box.top, 3 * g.row_pitch + g.row_height);

  HWND button = holder.Control(L"btn");
  ASSERT_TRUE(button);
  EXPECT_EQ(TopOf(button), g.heading_height + 5 * g.row_pitch) << "under the label of the box";
  SendMessageW(button, BM_CLICK, 0, 0);
  EXPECT_EQ(holder.clicks, 1);
  EXPECT_EQ(sheet.AddButtonUnderLabel(0, L"none", kIdButton + 1, L"x"), nullptr) << "no room under one line";
}

}  // namespace
}  // namespace corvane::ui
