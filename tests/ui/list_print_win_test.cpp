#include "ui/list_print_win.h"

#include <winspool.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/locale_win.h"
#include "platform/printer_win.h"
#include "platform/test_printer_win.h"
#include "platform/unique_handle.h"
#include "ui/list_print.h"
#include "ui/print_painter_win.h"
#include "ui/window_win.h"

namespace corvane::ui {
namespace {

using test_support::kTestPrinter;
using test_support::PrintedPageTexts;
using test_support::ReadWholeFile;
using test_support::TestPrintDir;
using test_support::TestPrinterPortFile;

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
  return n;
}

class ListPrintWin : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(test_support::InstallTestPrinter(), 0u); }
  static void TearDownTestSuite() {
    platform::ThePrinter().Refresh();
    test_support::RemoveTestPrinter();
    test_support::RemoveTestPrinterDriver();
  }

  // Prints without the dialog and gives back the PostScript the driver wrote.
  static std::string Print(const ReportList& list, int copies, std::wstring_view title = L"Installed Applications") {
    const std::wstring out = TestPrintDir() + L"out.ps";
    DeleteFileW(out.c_str());
    platform::Printer& printer = platform::ThePrinter();
    printer.Refresh();
    EXPECT_TRUE(printer.SelectByName(kTestPrinter));
    printer.SetCopies(copies);
    PrintReportListOn(printer, list, title, out);
    EXPECT_FALSE(printer.printing());
    EXPECT_EQ(printer.orientation(), platform::PrintOrientation::kPortrait) << "the landscape was the list's own";
    return ReadWholeFile(out);
  }

  // Rows per page on this printer's landscape page, measured as the
  // printer's context reports it once landscape.
  static int RowsPerPage() {
    platform::Printer& printer = platform::ThePrinter();
    printer.Refresh();
    if (!printer.SelectByName(kTestPrinter)) return 0;
    printer.SetOrientation(platform::PrintOrientation::kLandscape);
    HDC dc = printer.Handle();
    PrintPainter painter(dc, GetDeviceCaps(dc, LOGPIXELSY));
    const int line = painter.TextHeight(FontOf(ListFont::kRow), kLineHeightSample);
    const ListPage page{GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES),
                        GetDeviceCaps(dc, PHYSICALOFFSETX), GetDeviceCaps(dc, PHYSICALOFFSETY)};
    // Landscape Letter: wider than high.
    EXPECT_GT(page.width, page.height);
    const int rows = MeasureListPage(page, {}, line, 0).rows_per_page;
    printer.SetOrientation(platform::PrintOrientation::kPortrait);
    return rows;
  }
};

ReportList ListOf(int rows) {
  ReportList list{{{L"Name", 200}, {L"Publisher", 150}, {L"Version", 80}}, {}};
  for (int i = 0; i < rows; ++i) list.rows.push_back({L"Item" + std::to_wstring(i), L"Maker", L"1.0"});
  return list;
}

TEST_F(ListPrintWin, PrintsAPageOfRowsOnOnePageAndOneRowMoreOnASecond) {
  const int r = RowsPerPage();
  ASSERT_GT(r, 1);
  SYSTEMTIME now{};
  GetLocalTime(&now);
  const std::wstring wide_date = platform::ShortDateText(now);
  const std::string date(wide_date.begin(), wide_date.end());
  const struct {
    int rows;
    std::vector<int> rows_on_pages;
  } cases[] = {{r, {r}}, {r + 1, {r, 1}}};
  for (const auto& c : cases) {
    const std::string ps = Print(ListOf(c.rows), 2);
    EXPECT_NE(ps.find("%%Title: Installed Applications"), std::string::npos);
    EXPECT_NE(ps.find("%%Orientation: Landscape"), std::string::npos);
    EXPECT_NE(ps.find("copies=2"), std::string::npos) << "the copies go to the driver";
    const auto pages = PrintedPageTexts(ps);
    ASSERT_EQ(pages.size(), c.rows_on_pages.size()) << c.rows << " rows";
    EXPECT_EQ(Count(ps, "%%Page: "), static_cast<int>(pages.size()));
    for (std::size_t p = 0; p < pages.size(); ++p) {
      const std::string date_line =
          "Date: " + date + " Page: " + std::to_string(p + 1) + " / " + std::to_string(pages.size());
      // Header, date line and title, then the rows.
      EXPECT_EQ(pages[p].rfind("NamePublisherVersion" + date_line + "Installed ApplicationsItem", 0), 0u)
          << pages[p];
      EXPECT_EQ(Count(pages[p], "Item"), c.rows_on_pages[p]) << c.rows << " rows, page " << p + 1;
    }
    if (pages.size() == 2) {
      EXPECT_NE(pages[1].find("Item" + std::to_string(r) + "Maker1.0"), std::string::npos) << pages[1];
    }
  }
}

TEST_F(ListPrintWin, AListWithoutRowsIsOneBlankPage) {
  const std::string ps = Print(ListOf(0), 1, L"Device Info");
  EXPECT_NE(ps.find("%%Title: Device Info"), std::string::npos);
  EXPECT_EQ(Count(ps, "%%Page: "), 1);
  EXPECT_EQ(Count(ps, "glyphshow"), 0);
  EXPECT_EQ(Count(ps, " lineto\n"), 0);
}

TEST_F(ListPrintWin, AFailingJobIsRaisedAndDropped) {
  platform::Printer& printer = platform::ThePrinter();
  printer.Refresh();
  ASSERT_TRUE(printer.SelectByName(kTestPrinter));
  // An output file in a folder that does not exist: the spooler refuses the job.
  EXPECT_ANY_THROW(PrintReportListOn(printer, ListOf(1), L"T", TestPrintDir() + L"missing\\none.ps"));
  EXPECT_FALSE(printer.printing());
  // The printer is free for the next job.
  EXPECT_NO_THROW(Print(ListOf(1), 1));
}

// Answers the print dialog this process shows next, from another thread:
// types the number of copies and presses a button.
class DialogAnswer {
 public:
  DialogAnswer(int button, std::wstring copies)
      : thread_([this, button, copies = std::move(copies)] { Run(button, copies); }) {}
  ~DialogAnswer() {
    stop_ = true;
    thread_.join();
  }
  bool answered() const { return answered_; }

 private:
  struct Search {
    DWORD pid;
    HWND found;
  };
  static BOOL CALLBACK Visit(HWND window, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (pid == s->pid && IsWindowVisible(window) && std::wstring(name) == L"#32770") {
      s->found = window;
      return FALSE;
    }
    return TRUE;
  }
  static HWND FindDialog() {
    Search search{GetCurrentProcessId(), nullptr};
    EnumWindows(&Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  void Run(int button, const std::wstring& copies) {
    for (int i = 0; i < 200 && !stop_; ++i) {
      if (HWND dialog = FindDialog()) {
        if (!copies.empty()) SetDlgItemTextW(dialog, 0x482 /* edt3: copies */, copies.c_str());
        PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        answered_ = true;
        return;
      }
      Sleep(50);
    }
  }

  std::atomic<bool> stop_{false}, answered_{false};
  std::thread thread_;
};

TEST_F(ListPrintWin, TheDialogChoosesTheCopiesAndCancelPrintsNothing) {
  const bool unattended = IsUnattended();
  SetUnattended(true);  // a failure must not wait for a click
  const std::wstring port = TestPrinterPortFile();
  {
    DeleteFileW(port.c_str());
    DialogAnswer cancel(IDCANCEL, L"");
    PrintReportList(nullptr, ListOf(3), L"Installed Applications");
    // Wait for the watcher before reading its answer.
  }
  EXPECT_EQ(GetFileAttributesW(port.c_str()), INVALID_FILE_ATTRIBUTES) << "cancelled, yet something was printed";
  {
    DialogAnswer ok(IDOK, L"3");
    PrintReportList(nullptr, ListOf(3), L"Installed Applications");
    EXPECT_TRUE(ok.answered()) << "no print dialog";
  }
  const std::string ps = ReadWholeFile(port);
  EXPECT_NE(ps.find("%%Title: Installed Applications"), std::string::npos);
  EXPECT_NE(ps.find("%%Orientation: Landscape"), std::string::npos);
  EXPECT_NE(ps.find("copies=3"), std::string::npos);
  EXPECT_EQ(PrintedPageTexts(ps).size(), 1u);
  SetUnattended(unattended);
}

}  // namespace
}  // namespace corvane::ui
