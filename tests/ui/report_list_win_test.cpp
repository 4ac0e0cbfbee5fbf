#include "ui/report_list_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/unique_handle.h"

namespace corvane::ui {
namespace {

class ReportListView : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    list_.reset(CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | LVS_REPORT, 0, 0, 400, 200, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr));
    ASSERT_TRUE(list_);
  }

  std::wstring Cell(int row, int column) const {
    wchar_t text[64] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(list_.get(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    return text;
  }
  int Rows() const { return static_cast<int>(SendMessageW(list_.get(), LVM_GETITEMCOUNT, 0, 0)); }
  int Columns() const {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list_.get(), LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
  }
  int Width(int column) const { return static_cast<int>(SendMessageW(list_.get(), LVM_GETCOLUMNWIDTH, column, 0)); }
  int Justify(int column) const {
    LVCOLUMNW col{};
    col.mask = LVCF_FMT;
    if (!SendMessageW(list_.get(), LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&col))) return -1;
    return col.fmt & LVCFMT_JUSTIFYMASK;
  }

  platform::UniqueWindow list_;
};

TEST_F(ReportListView, RowsReplaceRowsAndColumnsKeepTheirDraggedWidths) {
  const ReportList first{{{L"Id", 40}, {L"Name", 120}, {L"State", 60}},
                         {{L"5", L"Reallocated Sector Count", L"OK"}, {L"194", L"Temperature Celcius"}}};
  ShowReportList(list_.get(), first);
  ASSERT_EQ(Columns(), 3);
  EXPECT_EQ(Width(1), 120);
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Cell(0, 0), L"5");
  EXPECT_EQ(Cell(0, 1), L"Reallocated Sector Count");
  EXPECT_EQ(Cell(0, 2), L"OK");
  EXPECT_EQ(Cell(1, 1), L"Temperature Celcius");
  EXPECT_EQ(Cell(1, 2), L"") << "a short row leaves its last cells empty";

  // The user widens a column; the next rows leave it as it is.
  SendMessageW(list_.get(), LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(200, 0));
  ShowReportList(list_.get(), ReportList{first.columns, {{L"9", L"Power On Count", L"-"}}});
  EXPECT_EQ(Columns(), 3);
  EXPECT_EQ(Width(1), 200);
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(Cell(0, 1), L"Power On Count");

  // Other columns replace the old ones.
  ShowReportList(list_.get(), ReportList{{{L"Only", 80}}, {}});
  EXPECT_EQ(Columns(), 1);
  EXPECT_EQ(Width(0), 80);
  EXPECT_EQ(Rows(), 0);
}

TEST_F(ReportListView, ColumnsTakeTheirAlignmentAndAnotherAlignmentRebuildsThem) {
  constexpr auto kRight = ColumnAlign::kRight;
  ReportList list{{{L"Bank", 50}, {L"Capacity", 75, kRight}, {L"Speed", 60}}, {{L"BANK 0", L"1024", L"800"}}};
  ShowReportList(list_.get(), list);
  EXPECT_EQ(Justify(1), LVCFMT_RIGHT);
  EXPECT_EQ(Justify(2), LVCFMT_LEFT);
  EXPECT_EQ(Cell(0, 1), L"1024");

  // Same captions, Speed now right-aligned: the columns are made again.
  list.columns[2].align = kRight;
  ShowReportList(list_.get(), list);
  EXPECT_EQ(Justify(1), LVCFMT_RIGHT);
  EXPECT_EQ(Justify(2), LVCFMT_RIGHT);
}

}  // namespace
}  // namespace corvane::ui
