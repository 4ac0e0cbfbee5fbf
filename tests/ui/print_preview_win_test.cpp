#include "ui/print_preview_window_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/printer_win.h"
#include "platform/test_printer_win.h"
#include "platform/unique_handle.h"
#include "ui/print_preview_ids.h"
#include "ui/theme_win.h"

namespace corvane::ui {
namespace {

// Two pages of A5 (559 x 794): a rule across the first page at y = 100 and
// a text under it; a text alone on the second.
PrintDocument TwoPages() {
  PrintDocument document;
  document.title = L"Preview Test";
  document.paper_width = 559;
  document.paper_height = 794;
  document.paper_size = 11;
  document.render = [](const PrintMeasure& measure) {
    const PrintFont font{L"Arial", 12, true};
    EXPECT_GT(measure.width(font, L"HELLO"), measure.width(font, L"H"));
    EXPECT_GT(measure.line_height(font), 0);
    return std::vector<PrintOp>{PrintNewPage{}, PrintLine{40, 100, 519, 100}, PrintText{font, 40, 120, L"HELLO", {}},
                                PrintNewPage{}, PrintText{font, 40, 40, L"SECOND", {}}};
  };
  return document;
}

// A 24-bit picture of page `index` at `percent` of a 96 dpi screen.
class PagePicture {
 public:
  PagePicture(const PrintDocument& document, std::size_t index, int percent) {
    platform::WindowDc screen(nullptr);
    dc_.reset(CreateCompatibleDC(screen.get()));
    width_ = document.paper_width * GetDeviceCaps(dc_.get(), LOGPIXELSX) * percent / (96 * 100);
    height_ = document.paper_height * GetDeviceCaps(dc_.get(), LOGPIXELSY) * percent / (96 * 100);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width_, -height_, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
    platform::SelectGuard keep(dc_.get(), bitmap_.get());
    MapToPaper(dc_.get(), 100, {0, 0});
    const auto pages = RenderPages(dc_.get(), document);
    pages_ = pages.size();
    RECT all{0, 0, width_, height_};
    SetMapMode(dc_.get(), MM_TEXT);
    FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    PaintPage(dc_.get(), pages, index, document, percent, {0, 0});
    GdiFlush();
  }
  bool Dark(int x, int y) const {
    const std::uint32_t pixel = bits_[y * width_ + x] & 0xFFFFFF;
    return (pixel & 0xFF) < 0x80 && ((pixel >> 8) & 0xFF) < 0x80 && ((pixel >> 16) & 0xFF) < 0x80;
  }
  bool White(int x, int y) const { return (bits_[y * width_ + x] & 0xFFFFFF) == 0xFFFFFF; }
  // Dark pixels in a band of rows.
  int DarkIn(int top, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < width_; ++x) n += Dark(x, y);
    return n;
  }
  std::size_t pages() const { return pages_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  platform::UniqueDc dc_;
  platform::UniqueBitmap bitmap_;
  std::uint32_t* bits_ = nullptr;
  int width_ = 0, height_ = 0;
  std::size_t pages_ = 0;
};

TEST(PrintPreviewWin, PaintsEachPageOnWhitePaperAtTheZoom) {
  const PrintDocument document = TwoPages();
  for (const int percent : {100, 50}) {
    SCOPED_TRACE(percent);
    const PagePicture first(document, 0, percent);
    ASSERT_EQ(first.pages(), 2u);
    const int scale_dpi = 96;  // the memory context is the screen's: 96 dpi under Wine
    const auto at = [&](int units) { return units * scale_dpi * percent / (96 * 100); };
    // The rule: dark along its row, paper white above it and beyond its end.
    EXPECT_TRUE(first.Dark(at(200), at(100)));
    EXPECT_TRUE(first.White(at(200), at(100) - 3));
    EXPECT_TRUE(first.White(at(530), at(100)));
    // The text stands under the rule; nothing is drawn near the foot.
    EXPECT_GT(first.DarkIn(at(120), at(140)), 0);
    EXPECT_EQ(first.DarkIn(at(700), first.height()), 0);

    const PagePicture second(document, 1, percent);
    EXPECT_EQ(second.DarkIn(at(95), at(105)), 0) << "the second page has no rule";
    EXPECT_GT(second.DarkIn(at(40), at(60)), 0);
  }
}

// Runs commands as the toolbar does.
struct PreviewProbe : PrintPreviewWindow {
  using PrintPreviewWindow::PrintPreviewWindow;
  using PrintPreviewWindow::RunCommand;
};

TEST(PrintPreviewWin, TheWindowPagesAndZooms) {
  const Theme theme;
  PreviewProbe preview(theme, TwoPages());
  ASSERT_TRUE(preview.EnsureBuilt());
  EXPECT_EQ(preview.pages(), 2);
  EXPECT_EQ(preview.status().rfind(L"Page 1 of 2", 0), 0u) << testing::PrintToString(preview.status());
  const struct {
    int command;
    int page;
  } steps[] = {
      {preview_ids::kCmdNextPage, 1}, {preview_ids::kCmdNextPage, 1},     {preview_ids::kCmdFirstPage, 0},
      {preview_ids::kCmdLastPage, 1}, {preview_ids::kCmdPreviousPage, 0}, {preview_ids::kCmdPreviousPage, 0},
  };
  for (const auto& step : steps) {
    preview.RunCommand(step.command);
    EXPECT_EQ(preview.page(), step.page) << step.command;
  }
  preview.RunCommand(preview_ids::kCmdZoomFit);
  const int fitted = preview.zoom();
  preview.RunCommand(preview_ids::kCmdZoomIn);
  EXPECT_GT(preview.zoom(), fitted);
  preview.RunCommand(preview_ids::kCmdZoomOut);
  preview.RunCommand(preview_ids::kCmdZoomOut);
  EXPECT_LT(preview.zoom(), fitted);
  EXPECT_NE(preview.status().find(std::to_wstring(preview.zoom()) + L"%"), std::wstring::npos);
}

class PrintDocumentWin : public testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(test_support::InstallTestPrinter(), 0u); }
  static void TearDownTestSuite() {
    platform::ThePrinter().Refresh();
    test_support::RemoveTestPrinter();
    test_support::RemoveTestPrinterDriver();
  }
};

TEST_F(PrintDocumentWin, PrintsEveryPageAndLeavesThePaperToTheNextJob) {
  platform::Printer& printer = platform::ThePrinter();
  printer.Refresh();
  ASSERT_TRUE(printer.SelectByName(test_support::kTestPrinter));
  const std::wstring out = test_support::TestPrintDir() + L"preview.ps";
  DeleteFileW(out.c_str());
  PrintDocumentOn(printer, TwoPages(), out);
  EXPECT_FALSE(printer.printing());
  EXPECT_EQ(printer.paper_size(), 0) << "the next job prints on the printer's own paper";
  const std::string ps = test_support::ReadWholeFile(out);
  EXPECT_NE(ps.find("%%Title: Preview Test"), std::string::npos);
  const auto pages = test_support::PrintedPageTexts(ps);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0], "HELLO");
  EXPECT_EQ(pages[1], "SECOND");
}

}  // namespace
}  // namespace corvane::ui
