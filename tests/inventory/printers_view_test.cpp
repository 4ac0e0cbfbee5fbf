// The printers window's texts, worded from raw device numbers and buffers.
#include "inventory/printers_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane::inventory {
namespace {

using namespace std::string_view_literals;

TEST(PrintersView, RowsInScreenOrder) {
  std::vector<std::wstring_view> labels;
  for (const auto& field : kPrintersFields) labels.push_back(field.label);
  const std::vector<std::wstring_view> expected = {
      L"Printers", L"Printer Driver Directory", L"Current Status", L"Technology", L"Current Orientation",
      L"Page Height", L"Page Width", L"Physical Width", L"Physical Height", L"Postscript", L"Horizontal DPI",
      L"Vertical DPI", L"Bits Per Inch", L"Driver Version", L"Number of Brushes", L"Number of Pens",
      L"Number of Fonts", L"Number of Colors", L"Paper Bins", L"Port"};
  EXPECT_EQ(labels, expected);
  EXPECT_EQ(kPrintersFields[0].value, nullptr) << "the drop-down list has no text of its own";
  EXPECT_EQ(kPrintersFields[18].cell, ui::SheetCell::kList);
  // The drop-down list takes its own ID: a cell under the same one would hide it from a look-up.
  for (const auto& field : kPrintersFields) {
    EXPECT_NE(field.id, printers_ids::kIdPrinterList) << testing::PrintToString(std::wstring(field.label));
    EXPECT_NE(field.id + 50, printers_ids::kIdPrinterList) << "its label cell";
  }
}

TEST(PrintersView, TechnologyWordsInCapitals) {
  const struct {
    int value;
    const wchar_t* text;
  } cases[] = {
      {0, L"VECTOR PLOTTER"}, {1, L"RASTER DISPLAY"},   {2, L"RASTER PRINTER"},     {3, L"RASTER CAMERA"},
      {4, L"CHARACTER STREAM"}, {5, L"METAFILE"},        {6, L"DISPLAY FILE"},       {7, L"#ERROR# IS UNKNWON"},
      {-1, L"#ERROR# IS UNKNWON"}, {1000, L"#ERROR# IS UNKNWON"},
  };
  for (const auto& c : cases) EXPECT_EQ(TechnologyText(c.value), c.text) << c.value;
}

TEST(PrintersView, StatusOrientationAndPostscriptSentences) {
  EXPECT_EQ(StatusText(false, 3, 2), L"IDLE");
  EXPECT_EQ(StatusText(true, 3, 2), L"PRINTING 3 2 Copies");
  EXPECT_EQ(OrientationText(false), L"PORTRAIT");
  EXPECT_EQ(OrientationText(true), L"LANDSCAPE");
  // Supported: "does" and "support" stand one space apart.
  EXPECT_EQ(PostscriptText(L"Laser on LPT1:", true), L"Printer Laser on LPT1: does support Postscript");
  EXPECT_EQ(PostscriptText(L"Laser on LPT1:", false), L"Printer Laser on LPT1: does not support Postscript");
}

TEST(PrintersView, CapabilityRows) {
  PrintersModel model;
  model.port = L"LPT1:";
  PrinterCapabilities caps;
  caps.driver_version = 1024;
  caps.technology = 2;
  caps.horz_size = 203;
  caps.vert_size = 266;
  caps.horz_res = 2400;
  caps.vert_res = 3150;
  caps.bits_pixel = 1;
  caps.num_brushes = -1;
  caps.num_pens = 10;
  caps.num_fonts = 35;
  caps.num_colors = 2;
  caps.logpixels_x = 300;
  caps.logpixels_y = 600;
  caps.physical_width = 2550;
  caps.physical_height = 3300;
  ShowCapabilities(caps, model);
  const std::vector<std::wstring> texts = ui::SheetTexts<PrintersModel>(kPrintersFields, model);
  const std::vector<std::wstring> expected = {
      L"", L"", L"", L"RASTER PRINTER", L"", L"266 mm  /  3150 pixels", L"203 mm  /  2400 pixels", L"2550 ",
      L"3300 ", L"", L"300 DPI", L"600 DPI", L"1", L"1024", L"-1", L"10", L"35", L"2", L"", L"LPT1:"};
  EXPECT_EQ(texts, expected);
}

TEST(PrintersView, BinNamesAreFixedWidthAndCutAtTheirFirstZero) {
  // Names padded to 24 characters; the second holds rubbish after its zero,
  // the third fills its width and has no zero at all.
  std::wstring buffer;
  const auto add = [&](std::wstring_view name) {
    std::wstring slot(name);
    slot.resize(kBinNameWidth, L'\0');
    buffer += slot;
  };
  add(L"Upper Tray");
  add(L"Lower\0Tray"sv);
  add(L"ABCDEFGHIJKLMNOPQRSTUVWX");
  const struct {
    int count;
    std::size_t size;  // of the buffer, in characters
    std::vector<std::wstring> names;
  } cases[] = {
      {3, buffer.size(), {L"Upper Tray", L"Lower", L"ABCDEFGHIJKLMNOPQRSTUVWX"}},
      {2, buffer.size(), {L"Upper Tray", L"Lower"}},
      {0, buffer.size(), {}},
      {-1, buffer.size(), {}},
      {3, 2 * kBinNameWidth + 5, {L"Upper Tray", L"Lower"}},  // a short buffer gives only what it holds
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BinNames(std::span<const wchar_t>(buffer.data(), c.size), c.count), c.names) << c.count << " " << c.size;
  }
}

TEST(PrintersView, DifferentBinCountsAreAnError) {
  EXPECT_NO_THROW(CheckBinCounts(4, 4));
  EXPECT_NO_THROW(CheckBinCounts(-1, -1));
  try {
    CheckBinCounts(4, 3);
    FAIL() << "no error";
  } catch (const PrintersError& e) {
    EXPECT_STREQ(e.what(), "DeviceCapabilities reports different number of bins and bin names!");
  }
}

}  // namespace
}  // namespace corvane::inventory
