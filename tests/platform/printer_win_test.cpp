#include "platform/printer_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/test_printer_win.h"

namespace corvane::platform {
namespace {

using test_support::kTestPrinter;

constexpr wchar_t kSecondPrinter[] = L"Corvane Second PostScript";

int Find(Printer& printer, const std::wstring& device) {
  const auto& entries = printer.Printers();
  const auto at = std::find_if(entries.begin(), entries.end(),
                               [&](const std::wstring& entry) { return entry.rfind(device + L" on ", 0) == 0; });
  return at == entries.end() ? -1 : static_cast<int>(at - entries.begin());
}

std::string What(const std::exception& e) { return e.what(); }

// A clean prefix has no printer: every request for one says so.
TEST(PrinterWin, WithoutPrintersNothingCanBeChosen) {
  test_support::RemoveTestPrinter();
  test_support::RemoveTestPrinter(kSecondPrinter);
  Printer printer;
  if (!printer.Printers().empty()) GTEST_SKIP() << "this prefix has printers of its own";
  EXPECT_EQ(printer.index(), -1);
  try {
    printer.GetNames();
    ADD_FAILURE() << "names without a printer";
  } catch (const PrinterError& e) {
    EXPECT_EQ(What(e), kNoDefaultPrinterText);
  }
  try {
    printer.SetIndex(-1);
    ADD_FAILURE() << "a default without a printer";
  } catch (const PrinterError& e) {
    EXPECT_EQ(What(e), kNoDefaultPrinterText);
  }
  EXPECT_THROW(printer.Handle(), PrinterError);
  EXPECT_THROW(printer.BeginDoc(), PrinterError);
  EXPECT_FALSE(printer.printing());
}

class PrinterChoiceWin : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(test_support::InstallTestPrinter(kSecondPrinter, false), 0u);
    ASSERT_EQ(test_support::InstallTestPrinter(kTestPrinter, true), 0u);
  }
  static void TearDownTestSuite() {
    test_support::RemoveTestPrinter(kSecondPrinter);
    test_support::RemoveTestPrinter();
    test_support::RemoveTestPrinterDriver();
  }
};

TEST_F(PrinterChoiceWin, ListsDeviceOnPortAndStartsOnTheDefault) {
  Printer printer;
  const int first = Find(printer, kTestPrinter), second = Find(printer, kSecondPrinter);
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  EXPECT_EQ(printer.index(), first) << "the system's default comes first";
  const Printer::Names names = printer.GetNames();
  EXPECT_EQ(names.device, kTestPrinter);
  EXPECT_EQ(names.driver, kTestPrinter);
  EXPECT_EQ(printer.Printers()[static_cast<std::size_t>(first)], names.device + L" on " + names.port);

  printer.SetIndex(second);
  EXPECT_EQ(printer.GetNames().device, kSecondPrinter);
  printer.SetIndex(-1);
  EXPECT_EQ(printer.index(), first) << "-1 goes back to the default";
  EXPECT_TRUE(printer.SelectByName(L"corvane second postscript"));
  EXPECT_EQ(printer.index(), second);
  EXPECT_FALSE(printer.SelectByName(L"No Such Printer"));
  EXPECT_EQ(printer.index(), second) << "a name not found leaves the choice";

  const int count = static_cast<int>(printer.Printers().size());
  for (const int outside : {count, -2}) {
    try {
      printer.SetIndex(outside);
      ADD_FAILURE() << outside;
    } catch (const PrinterError& e) {
      EXPECT_EQ(What(e), kPrinterIndexText);
    }
  }
}

TEST_F(PrinterChoiceWin, CopiesAndOrientationReachTheDeviceContext) {
  Printer printer;
  ASSERT_TRUE(printer.SelectByName(kTestPrinter));
  HDC dc = printer.Handle();
  const int portrait_width = GetDeviceCaps(dc, HORZRES), portrait_height = GetDeviceCaps(dc, VERTRES);
  EXPECT_LT(portrait_width, portrait_height);
  printer.SetOrientation(PrintOrientation::kLandscape);
  dc = printer.Handle();
  EXPECT_EQ(GetDeviceCaps(dc, HORZRES), portrait_height);
  EXPECT_EQ(GetDeviceCaps(dc, VERTRES), portrait_width);

  printer.SetCopies(3);
  const auto settings = printer.Settings();
  const auto* mode = reinterpret_cast<const DEVMODEW*>(settings.data());
  EXPECT_EQ(mode->dmCopies, 3);
  EXPECT_EQ(mode->dmOrientation, DMORIENT_LANDSCAPE);
  printer.SetCopies(0);
  EXPECT_EQ(printer.copies(), 1) << "never fewer than one copy";

  // What the print dialog chose is taken whole.
  DEVMODEW chosen = *mode;
  chosen.dmDriverExtra = 0;
  chosen.dmCopies = 2;
  chosen.dmOrientation = DMORIENT_PORTRAIT;
  printer.AdoptSettings(kSecondPrinter, &chosen);
  EXPECT_EQ(printer.GetNames().device, kSecondPrinter);
  EXPECT_EQ(printer.copies(), 2);
  EXPECT_EQ(printer.orientation(), PrintOrientation::kPortrait);
}

TEST_F(PrinterChoiceWin, AJobCountsItsPagesAndHoldsTheChoice) {
  Printer printer;
  ASSERT_TRUE(printer.SelectByName(kTestPrinter));
  const std::wstring out = test_support::TestPrintDir() + L"job.ps";
  DeleteFileW(out.c_str());
  printer.title = L"Job Title";
  printer.SetCopies(2);
  printer.BeginDoc(out);
  EXPECT_TRUE(printer.printing());
  EXPECT_EQ(printer.page_number(), 1);
  EXPECT_NE(printer.canvas(), nullptr);
  EXPECT_THROW(printer.SetIndex(0), PrinterError) << "no other printer while printing";
  EXPECT_THROW(printer.SetCopies(1), PrinterError);
  EXPECT_THROW(printer.BeginDoc(out), PrinterError);
  printer.NewPage();
  EXPECT_EQ(printer.page_number(), 2);
  printer.EndDoc();
  EXPECT_FALSE(printer.printing());
  EXPECT_EQ(printer.page_number(), 0);
  EXPECT_THROW(printer.NewPage(), PrinterError);

  const std::string ps = test_support::ReadWholeFile(out);
  EXPECT_NE(ps.find("%%Title: Job Title"), std::string::npos);
  EXPECT_EQ(test_support::PrintedPageTexts(ps).size(), 2u);
  EXPECT_NE(ps.find("copies=2"), std::string::npos);

  // A job the spooler cannot write (here: to a folder that is missing)
  // fails by the end at the latest, and leaves the printer free.
  EXPECT_ANY_THROW({
    printer.BeginDoc(test_support::TestPrintDir() + L"missing\\none.ps");
    printer.EndDoc();
  });
  EXPECT_FALSE(printer.printing());
}

}  // namespace
}  // namespace corvane::platform
