// The printers window from the main window's "Printer Info" command under
// Wine. The tests' PostScript printer is installed under two names before
// the program starts (the Wine prefix is shared) and removed after it ends;
// a second program started on the clean prefix sees no printer at all.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "inventory/printers_window_ids.h"
#include "platform/test_printer_win.h"
#include "ui/product.h"

namespace corvane::e2e {
namespace {

using namespace inventory::printers_ids;
using test_support::kTestPrinter;

constexpr wchar_t kSecondPrinter[] = L"Corvane Test PostScript 2";

void RemovePrinters() {
  test_support::RemoveTestPrinter(kSecondPrinter);
  test_support::RemoveTestPrinter(kTestPrinter);
  test_support::RemoveTestPrinterDriver();
}

class PrintersWindow : public WindowSuite<PrintersWindow> {
 public:
  static void BeforeStart() {
    RemovePrinters();
    install_error_ = test_support::InstallTestPrinter(kTestPrinter, true);
    if (install_error_ == ERROR_SUCCESS) install_error_ = test_support::InstallTestPrinter(kSecondPrinter, false);
  }
  static void AfterEnd() { RemovePrinters(); }
  static WindowCommand Window() { return {app::kCmdPrinterInfo, L"TfrmPrinters"}; }
  static FilledTest Filled() { return ChildHasText(kIdPort); }

 protected:
  void SetUp() override {
    ASSERT_EQ(install_error_, static_cast<DWORD>(ERROR_SUCCESS)) << "installing the printers";
    WindowSuite::SetUp();
  }
  HWND Printers() const { return Child(kIdPrinterList); }
  // Picks an entry as the user does: the selection moves and the list
  // notifies its parent.
  void Pick(int index) const {
    HWND combo = Printers();
    Ask(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
    Ask(GetParent(combo), WM_COMMAND, MAKEWPARAM(kIdPrinterList, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  }

  static inline DWORD install_error_ = ERROR_SUCCESS;
};

TEST_F(PrintersWindow, OpensFromTheMainWindowWithTheFirstPrinterShown) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"Printers"));
  EXPECT_GT(Ask(app_->Control(app::kIdToolbar), TB_ISBUTTONENABLED, app::kCmdPrinterInfo), 0) << "its toolbar button";
  const struct {
    int id;
    const wchar_t* label;
  } labels[] = {
      {kIdPrinters, L"Printers"},            {kIdDriverDirectory, L"Printer Driver Directory"},
      {kIdStatus, L"Current Status"},        {kIdTechnology, L"Technology"},
      {kIdOrientation, L"Current Orientation"}, {kIdPageHeight, L"Page Height"},
      {kIdPageWidth, L"Page Width"},         {kIdPhysicalWidth, L"Physical Width"},
      {kIdPhysicalHeight, L"Physical Height"}, {kIdPostscript, L"Postscript"},
      {kIdHorizontalDpi, L"Horizontal DPI"}, {kIdVerticalDpi, L"Vertical DPI"},
      {kIdBitsPerPixel, L"Bits Per Inch"},   {kIdDriverVersion, L"Driver Version"},
      {kIdBrushes, L"Number of Brushes"},    {kIdPens, L"Number of Pens"},
      {kIdFonts, L"Number of Fonts"},        {kIdColors, L"Number of Colors"},
      {kIdPaperBins, L"Paper Bins"},         {kIdPort, L"Port"},
  };
  for (const auto& row : labels) EXPECT_EQ(Text(row.id + 50), row.label);

  ASSERT_EQ(Ask(Printers(), CB_GETCOUNT), 2);
  EXPECT_EQ(Ask(Printers(), CB_GETCURSEL), 0);
  const std::wstring first = WindowText(Printers()).value_or(L"?");
  EXPECT_NE(first.find(L"Corvane Test PostScript"), std::wstring::npos) << testing::PrintToString(first);
  EXPECT_EQ(Text(kIdPostscript), L"Printer " + first + L" does support Postscript");
  EXPECT_EQ(Text(kIdStatus), L"IDLE");
  EXPECT_EQ(Text(kIdTechnology), L"RASTER PRINTER");
  EXPECT_EQ(Text(kIdOrientation), L"PORTRAIT");
  EXPECT_EQ(Text(kIdPageHeight), L"254 mm  /  3000 pixels");
  EXPECT_EQ(Text(kIdPageWidth), L"203 mm  /  2400 pixels");
  EXPECT_EQ(Text(kIdPhysicalWidth), L"2550 ");
  EXPECT_EQ(Text(kIdPhysicalHeight), L"3300 ");
  EXPECT_EQ(Text(kIdHorizontalDpi), L"300 DPI");
  EXPECT_EQ(Text(kIdVerticalDpi), L"300 DPI");
  EXPECT_NE(Text(kIdPort).find(L"port.ps"), std::wstring::npos) << testing::PrintToString(Text(kIdPort));
  EXPECT_NE(Text(kIdDriverDirectory).find(L"\\spool\\drivers\\"), std::wstring::npos)
      << testing::PrintToString(Text(kIdDriverDirectory));
  EXPECT_EQ(ListBoxLines(Child(kIdPaperBins)),
            (std::vector<std::wstring>{L"Automatically Select", L"Upper Tray", L"Lower Tray"}));
  EXPECT_EQ(Text(kIdLinkLabel), ui::kWebAddressText);
}

TEST_F(PrintersWindow, HasAFixedSize) {
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
}

TEST_F(PrintersWindow, ChoosingTheOtherPrinterShowsItsRows) {
  ASSERT_EQ(Ask(Printers(), CB_GETCOUNT), 2);
  for (int index : {1, 0}) {
    Pick(index);
    const std::wstring entry = WindowText(Printers()).value_or(L"?");
    EXPECT_EQ(Text(kIdPostscript), L"Printer " + entry + L" does support Postscript") << index;
    EXPECT_EQ(Text(kIdTechnology), L"RASTER PRINTER") << index;
    EXPECT_EQ(ListBoxLines(Child(kIdPaperBins)).value_or(std::vector<std::wstring>{}).size(), 3u) << index;
  }
  EXPECT_EQ(app_->FindMessageBox(), nullptr);
}

TEST_F(PrintersWindow, EveryShowingAndRefreshListsEachPrinterOnce) {
  Pick(1);
  Close();
  ASSERT_TRUE(Open());
  EXPECT_EQ(Ask(Printers(), CB_GETCOUNT), 2) << "second showing";
  EXPECT_EQ(Ask(Printers(), CB_GETCURSEL), 0) << "the first printer again";
  Pick(1);
  Ask(window_, WM_COMMAND, kCmdRefresh);
  EXPECT_EQ(Ask(Printers(), CB_GETCOUNT), 2) << "after View, Refresh";
  EXPECT_EQ(Ask(Printers(), CB_GETCURSEL), 0);
}

// A clean prefix: the window tells the printer object's error and shows no rows.
TEST(PrintersWindowWithoutPrinter, TellsThereIsNoDefaultPrinter) {
  RemovePrinters();
  CorvaneProcess app({L"/norefresh"});
  ASSERT_TRUE(app.started()) << "CreateProcess error " << app.start_error();
  ASSERT_TRUE(app.WaitForMainWindow());
  // Posted: the showing holds its thread in the message box.
  ASSERT_TRUE(app.PostCommand(app::kCmdPrinterInfo));
  HWND box = app.WaitForWindow(L"#32770", kRefreshTimeout);
  ASSERT_TRUE(box) << "no message";
  EXPECT_NE(DescribeWindow(box).find(L"There is no default printer currently selected"), std::wstring::npos)
      << testing::PrintToString(DescribeWindow(box));
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kUiTimeout));
  HWND window = app.WaitForWindow(L"TfrmPrinters", kUiTimeout);
  ASSERT_TRUE(window);
  EXPECT_EQ(Ask(FindDescendantById(window, kIdPrinterList), CB_GETCOUNT), 0);
  for (int id : {kIdDriverDirectory, kIdStatus, kIdTechnology, kIdPostscript, kIdPort}) {
    EXPECT_EQ(ChildText(window, id), L"") << id;
  }
  EXPECT_TRUE(app.DismissMessageBoxes().empty());
}

}  // namespace
}  // namespace corvane::e2e
