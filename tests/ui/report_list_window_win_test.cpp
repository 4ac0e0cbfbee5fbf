// The list window of the kit under Wine: what it shows of its model, its
// status panel, the selected row, the widths printing takes, the tint of
// every second row, and the locale's order the inventories sort by.
#include "ui/report_list_window_win.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/locale_win.h"

namespace corvane::ui {
namespace {

enum : int { kIdList = 101, kIdStatus, kIdToolbar, kCmdFirst = 201, kCmdSecond };

constexpr ReportColumn kColumns[] = {{L"Name", 120}, {L"Version", 60}, {L"Key", 80}};
constexpr ToolButton kButtons[] = {
    {kCmdFirst, L"", L"1", 0x00806080, L"First"},
    kToolSeparator,
    {kCmdSecond, L"", L"2", 0x00308030, L"Second"},
};
constexpr MenuItem kContext[] = {{L"First", kCmdFirst}, kSeparator, {L"Second", kCmdSecond}};

class ListProbe : public ReportListWindow {
 public:
  using ReportListWindow::ReportListWindow;
  using ReportListWindow::ListAsShown;
  using ReportListWindow::SelectedCell;
  using ReportListWindow::SelectedRow;
  using ReportListWindow::SetToolbarVisible;
  using ReportListWindow::ShowRows;
  using ReportListWindow::list_view;

  bool with_toolbar = true;

 protected:
  bool Build() override {
    CreateParams p = DetailParams(L"CorvaneTestListProbe", L"List probe");
    p.x = p.y = 0;
    p.width = 500;
    p.height = 300;
    ReportListSetup setup{kColumns, kIdList, kIdStatus, kIdToolbar};
    if (with_toolbar) setup.toolbar = kButtons;
    setup.context_menu = kContext;
    return CreateListWindow(p, setup);
  }
};

class ReportListWindowTest : public testing::Test {
 protected:
  std::wstring StatusBarText() const {
    wchar_t text[64] = {};
    SendMessageW(probe_.Control(L"StatusBar1"), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return text;
  }
  std::wstring Cell(int row, int column) const {
    wchar_t text[64] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(probe_.list_view(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
  }
  int ListRows() const { return static_cast<int>(SendMessageW(probe_.list_view(), LVM_GETITEMCOUNT, 0, 0)); }
  void Select(int row) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(probe_.list_view(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  }
  RECT ListRect() const {
    RECT r{};
    GetWindowRect(probe_.list_view(), &r);
    MapWindowPoints(nullptr, probe_.hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
  }

  Theme theme_;
  ListProbe probe_{theme_};
};

TEST_F(ReportListWindowTest, ShowsTheRowsTheCountAndKeepsTheCountOfTheLastWholeRefresh) {
  ASSERT_TRUE(probe_.EnsureBuilt());
  EXPECT_EQ(ListRows(), 0);
  probe_.ShowRows({{L"Alpha", L"1.0", L"{A}"}, {L"Beta"}, {L"Gamma", L"3", L"{G}"}});
  ASSERT_EQ(ListRows(), 3);
  EXPECT_EQ(Cell(0, 2), L"{A}");
  EXPECT_EQ(Cell(1, 1), L"") << "a short row leaves its last cells empty";
  EXPECT_EQ(probe_.status(), L"Count: 3");
  EXPECT_EQ(StatusBarText(), L"Count: 3");

  // A refresh that stopped half-way shows what it read under the old count.
  probe_.ShowRows({{L"Delta"}}, false);
  EXPECT_EQ(ListRows(), 1);
  EXPECT_EQ(StatusBarText(), L"Count: 3");
  probe_.ShowRows({});
  EXPECT_EQ(StatusBarText(), L"Count: 0");
}

TEST_F(ReportListWindowTest, TheSelectedRowIsTheModelsRowAndNoneGivesEmptyCells) {
  ASSERT_TRUE(probe_.EnsureBuilt());
  probe_.ShowRows({{L"Alpha", L"1.0", L"{A}"}, {L"Beta"}});
  EXPECT_FALSE(probe_.SelectedRow());
  EXPECT_EQ(probe_.SelectedCell(2), L"");
  Select(0);
  ASSERT_TRUE(probe_.SelectedRow());
  EXPECT_EQ(*probe_.SelectedRow(), 0u);
  EXPECT_EQ(probe_.SelectedCell(2), L"{A}");
  Select(1);
  EXPECT_EQ(probe_.SelectedCell(0), L"Beta");
  EXPECT_EQ(probe_.SelectedCell(2), L"") << "a cell the row lacks";
}

TEST_F(ReportListWindowTest, PrintingTakesTheWidthsTheUserDragged) {
  ASSERT_TRUE(probe_.EnsureBuilt());
  probe_.ShowRows({{L"Alpha"}});
  SendMessageW(probe_.list_view(), LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(240, 0));
  const ReportList shown = probe_.ListAsShown();
  ASSERT_EQ(shown.columns.size(), 3u);
  EXPECT_EQ(shown.columns[0].width, 120);
  EXPECT_EQ(shown.columns[1].width, 240);
  EXPECT_EQ(shown.rows, probe_.list().rows);
  EXPECT_EQ(probe_.list().columns[1].width, 60) << "the model keeps the first widths";
}

TEST_F(ReportListWindowTest, TheListFillsWhatTheToolbarAndStatusBarLeave) {
  ASSERT_TRUE(probe_.EnsureBuilt());
  RECT client{}, status{};
  GetClientRect(probe_.hwnd(), &client);
  GetWindowRect(probe_.Control(L"StatusBar1"), &status);
  const RECT with_toolbar = ListRect();
  EXPECT_GT(with_toolbar.top, 0);
  EXPECT_EQ(with_toolbar.bottom, client.bottom - (status.bottom - status.top));
  EXPECT_EQ(with_toolbar.right, client.right);
  probe_.SetToolbarVisible(false);
  EXPECT_EQ(ListRect().top, 0);
  EXPECT_EQ(ListRect().bottom, with_toolbar.bottom);
  probe_.SetToolbarVisible(true);
  EXPECT_EQ(ListRect().top, with_toolbar.top);
}

TEST_F(ReportListWindowTest, EverySecondRowIsTintedAndTheOthersKeepTheWindowColour) {
  probe_.with_toolbar = false;
  ASSERT_TRUE(probe_.EnsureBuilt());
  probe_.ShowRows({{L"Alpha"}, {L"Beta"}, {L"Gamma"}});
  ShowWindow(probe_.hwnd(), SW_SHOWNOACTIVATE);
  UpdateWindow(probe_.hwnd());
  RedrawWindow(probe_.list_view(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  auto background = [&](int row) {
    RECT r{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(probe_.list_view(), LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    HDC dc = GetDC(probe_.list_view());
    // Right of the short captions, inside the first column.
    const COLORREF colour = GetPixel(dc, 110, (r.top + r.bottom) / 2);
    ReleaseDC(probe_.list_view(), dc);
    return colour;
  };
  EXPECT_EQ(background(1), static_cast<COLORREF>(kOddRowColour));
  EXPECT_EQ(background(0), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(background(2), GetSysColor(COLOR_WINDOW));
}

TEST(CompareUserLocale, OrdersAsTheUserExpects) {
  struct Case {
    const wchar_t *lower, *higher;
  };
  // Case and accents weigh less than the letters themselves.
  for (const auto& c : {Case{L"apple", L"Banana"}, Case{L"Apple", L"banana"}, Case{L"a", L"B"}, Case{L"", L"a"},
                        Case{L"a", L"A"}, Case{L"cote", L"côte"}, Case{L"côte", L"Cz"}}) {
    EXPECT_LT(platform::CompareUserLocale(c.lower, c.higher), 0) << c.lower << " < " << c.higher;
    EXPECT_GT(platform::CompareUserLocale(c.higher, c.lower), 0) << c.higher << " > " << c.lower;
  }
  EXPECT_EQ(platform::CompareUserLocale(L"Same", L"Same"), 0);
}

}  // namespace
}  // namespace corvane::ui
