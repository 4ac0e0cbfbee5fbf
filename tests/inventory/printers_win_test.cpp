// The printers rows against Wine's spooler: first a prefix without any
// printer, then the tests' PostScript printer installed under two names
// (the first the system's default). Both are removed afterwards, so later
// suites find the prefix as clean as it was.
#include "inventory/printers_readers_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/printer_win.h"
#include "platform/test_printer_win.h"

namespace corvane::inventory {
namespace {

using test_support::kTestPrinter;

constexpr wchar_t kSecondPrinter[] = L"Corvane Test PostScript 2";

void RemovePrinters() {
  test_support::RemoveTestPrinter(kSecondPrinter);
  test_support::RemoveTestPrinter(kTestPrinter);
  test_support::RemoveTestPrinterDriver();
  platform::ThePrinter().Refresh();
}

// A model whose every row holds "old", to see which rows a reading replaces.
PrintersModel OldRows() {
  PrintersModel m;
  for (std::wstring* row : {&m.driver_directory, &m.status, &m.technology, &m.orientation, &m.page_height,
                            &m.page_width, &m.physical_width, &m.physical_height, &m.postscript, &m.horizontal_dpi,
                            &m.vertical_dpi, &m.bits_per_pixel, &m.driver_version, &m.brushes, &m.pens, &m.fonts,
                            &m.colors, &m.port}) {
    *row = L"old";
  }
  m.bins = {L"old"};
  return m;
}

TEST(PrintersWithoutAnyPrinter, RefreshTellsThereIsNoDefaultPrinterAndLeavesTheRowsEmpty) {
  RemovePrinters();
  ASSERT_TRUE(platform::ThePrinter().Printers().empty()) << "the prefix has a printer of its own";
  PrintersModel model = OldRows();
  try {
    ReadPrinters(model);
    FAIL() << "no error";
  } catch (const platform::PrinterError& e) {
    EXPECT_STREQ(e.what(), "There is no default printer currently selected");
  }
  EXPECT_EQ(model, PrintersModel{}) << "the rows of the printer shown before are gone";
}

class PrintersWin : public testing::Test {
 public:
  static void SetUpTestSuite() {
    RemovePrinters();
    install_error_ = test_support::InstallTestPrinter(kTestPrinter, true);
    if (install_error_ == ERROR_SUCCESS) install_error_ = test_support::InstallTestPrinter(kSecondPrinter, false);
    platform::ThePrinter().Refresh();
    orientation_ = platform::ThePrinter().orientation();
  }
  static void TearDownTestSuite() {
    platform::ThePrinter().SetOrientation(orientation_);
    RemovePrinters();
  }

 protected:
  void SetUp() override { ASSERT_EQ(install_error_, static_cast<DWORD>(ERROR_SUCCESS)) << "installing the printers"; }

  static int EntryOf(const PrintersModel& model, const std::wstring& device) {
    const auto found = std::ranges::find_if(model.entries, [&](const std::wstring& e) { return e.starts_with(device + L" on "); });
    return found == model.entries.end() ? -1 : static_cast<int>(found - model.entries.begin());
  }

  static inline DWORD install_error_ = ERROR_SUCCESS;
  static inline platform::PrintOrientation orientation_ = platform::PrintOrientation::kPortrait;
};

TEST_F(PrintersWin, RefreshListsThePrintersAndShowsTheFirst) {
  PrintersModel model = OldRows();
  ReadPrinters(model);
  ASSERT_EQ(model.entries.size(), 2u);
  EXPECT_EQ(model.entries, platform::ThePrinter().Printers());
  ASSERT_EQ(model.selected, 0);
  EXPECT_EQ(platform::ThePrinter().index(), 0) << "the first entry is the program's printer now";
  EXPECT_EQ(model.postscript, L"Printer " + model.entries[0] + L" does support Postscript");
  EXPECT_NE(model.driver_directory.find(L"\\spool\\drivers\\"), std::wstring::npos)
      << testing::PrintToString(model.driver_directory);
  EXPECT_NE(model.driver_directory, L"old");
}

// The rows follow the orientation of the program's printer (the print
// dialog sets it), the page sizes turning with the paper.
TEST_F(PrintersWin, TheTestPrinterRowsInScreenOrder) {
  const struct {
    platform::PrintOrientation orientation;
    const wchar_t* text;
    const wchar_t* page_height;
    const wchar_t* page_width;
    const wchar_t* physical_width;
    const wchar_t* physical_height;
  } cases[] = {
      {platform::PrintOrientation::kPortrait, L"PORTRAIT", L"254 mm  /  3000 pixels", L"203 mm  /  2400 pixels",
       L"2550 ", L"3300 "},
      {platform::PrintOrientation::kLandscape, L"LANDSCAPE", L"203 mm  /  2400 pixels", L"254 mm  /  3000 pixels",
       L"3300 ", L"2550 "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
    platform::ThePrinter().SetOrientation(c.orientation);
    PrintersModel model;
    ReadPrinters(model);
    model.selected = EntryOf(model, kTestPrinter);
    ASSERT_GE(model.selected, 0);
    ReadSelectedPrinter(model);
    const std::wstring port = platform::ThePrinter().GetNames().port;
    EXPECT_NE(port.find(L"port.ps"), std::wstring::npos) << testing::PrintToString(port);
    std::vector<std::wstring> texts = ui::SheetTexts<PrintersModel>(kPrintersFields, model);
    // The number of fonts is the driver's built-in fonts, which its version decides.
    EXPECT_GT(_wtoi(texts[16].c_str()), 0) << testing::PrintToString(texts[16]);
    texts[16] = L"fonts";
    // Letter paper at 300 dpi with the description's imageable area, as
    // Wine's PostScript driver reports it; the description's two input
    // slots follow the driver's own automatic one.
    const std::vector<std::wstring> expected = {
        L"",
        model.driver_directory,
        L"IDLE",
        L"RASTER PRINTER",
        c.text,
        c.page_height,
        c.page_width,
        c.physical_width,
        c.physical_height,
        L"Printer " + model.entries[static_cast<size_t>(model.selected)] + L" does support Postscript",
        L"300 DPI",
        L"300 DPI",
        L"32",
        L"0",
        L"-1",
        L"10",
        L"fonts",
        L"-1",
        L"Automatically Select\r\nUpper Tray\r\nLower Tray",
        port,
    };
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(model.bin_numbers, (std::vector<std::uint16_t>{15, 256, 257}));
  }
}

TEST_F(PrintersWin, ChoosingAnotherPrinterReadsEveryRowAndChoosesItForTheProgram) {
  PrintersModel listed;
  ReadPrinters(listed);
  for (const wchar_t* device : {kSecondPrinter, kTestPrinter}) {
    PrintersModel model = OldRows();
    model.entries = listed.entries;
    model.selected = EntryOf(model, device);
    ASSERT_GE(model.selected, 0) << testing::PrintToString(std::wstring(device));
    ReadSelectedPrinter(model);
    EXPECT_EQ(platform::ThePrinter().GetNames().device, device);
    EXPECT_EQ(model.postscript,
              L"Printer " + listed.entries[static_cast<size_t>(model.selected)] + L" does support Postscript");
    const std::vector<std::wstring> texts = ui::SheetTexts<PrintersModel>(kPrintersFields, model);
    // Every row but the driver folder, which only the refresh reads.
    for (size_t i = 2; i < texts.size(); ++i) {
      EXPECT_NE(texts[i], L"old") << testing::PrintToString(std::wstring(kPrintersFields[i].label));
    }
    EXPECT_EQ(model.driver_directory, L"old");
  }
}

}  // namespace
}  // namespace corvane::inventory
