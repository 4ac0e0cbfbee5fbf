#include "usb/hid_usage.h"

#include <gtest/gtest.h>

#include <iterator>
#include <cstdint>
#include <cwchar>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::usb {
namespace {

struct Row {
  std::uint16_t page;
  std::uint16_t usage;
  const wchar_t* page_text;
  const wchar_t* usage_text;
};

void ExpectRows(const std::vector<Row>& rows) {
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << std::hex << "page 0x" << row.page << " usage 0x"
                                    << row.usage);
    const HidUsageNames names = GetHidUsageNames(row.page, row.usage);
    EXPECT_EQ(names.page, row.page_text);
    EXPECT_EQ(names.usage, row.usage_text);
  }
}

TEST(HidUsageNames, NamedRowsReadAsTheTreeShowsThem) {
  ExpectRows({
      {0x01, 0x02, L"Generic Desktop", L"Mouse"},
      {0x01, 0x03, L"Generic Desktop", L"Reserved"},
      {0x01, 0x06, L"Generic Desktop", L"Keyboard"},
      {0x01, 0x30, L"Generic Desktop", L"X Axis"},
      {0x01, 0x33, L"Generic Desktop", L"Rotational X Axis"},
      {0x01, 0x3F, L"Generic Desktop", L"Reserved"},
      {0x01, 0x46, L"Generic Desktop", L"Vno"},
      {0x01, 0x47, L"Generic Desktop", L"Feature Notification"},
      {0x01, 0xB7, L"Generic Desktop", L"System Control LCD Autoscale Display"},
      {0x03, 0x0A, L"Virtual Reality", L"Animatronic Device"},
      {0x03, 0x21, L"Virtual Reality", L"Display Enable"},
      {0x06, 0x00, L"Generic", L"Undefined"},
      {0x06, 0x21, L"Generic", L"Wireless Channel"},
      {0x06, 0x22, L"Generic", L"Wireless ID"},
      {0x07, 0x00, L"Keyboard", L"Empty"},
      {0x07, 0x01, L"Keyboard", L"Rollover"},
      {0x07, 0x02, L"Keyboard", L"Postfail"},
      {0x07, 0x03, L"Keyboard", L"Undefined Error"},
      {0x07, 0x04, L"Keyboard", L"A"},
      {0x07, 0x1D, L"Keyboard", L"Z"},
      {0x07, 0x28, L"Keyboard", L"Enter (not Return)"},
      {0x07, 0x2B, L"Keyboard", L"Tabulator"},
      {0x07, 0x32, L"Keyboard", L"# 2"},
      {0x07, 0x51, L"Keyboard", L"Down Arrow"},
      {0x07, 0x67, L"Keyboard", L"Keypad = 2"},
      {0x07, 0x9E, L"Keyboard", L"Return (not Enter)"},
      {0x07, 0xC8, L"Keyboard", L"Keypad &&"},
      {0x07, 0xDE, L"Keyboard", L"Keypad Reserved1"},
      {0x07, 0xE7, L"Keyboard", L"Right GUI"},
      {0x08, 0x01, L"LED", L"Keyboard Num Lock"},
      {0x09, 0x00, L"Button", L"No Button Pressed"},
      {0x0A, 0x00, L"Ordinal", L"Reserved"},
      {0x0B, 0xBF, L"Telephony", L"Key D"},
      {0x0C, 0x8A, L"Consumer", L"Media Select WWW"},
      {0x0C, 0x192, L"Consumer", L"Application Launch Calculator"},
      {0x0C, 0x29C, L"Consumer", L"Application Control Distribute Vertically"},
      {0x0D, 0x3B, L"Digitizer", L"Battery Strength"},
      {0x0D, 0x42, L"Digitizer", L"Tip Switch"},
      {0x0F, 0xAC, L"Physical Input Device (Force Feedback)", L"RAM Pool Available"},
      {0x40, 0x20, L"Medical Instrument", L"VCR Aquisition"},
      {0x80, 0x00, L"USB Monitor", L"Reserved"},
      {0x80, 0x04, L"USB Monitor", L"VESA Version"},
      {0x81, 0x00, L"USB Enumerated Values", L"No Enumerated Value Selected"},
      {0x84, 0xFF, L"Power Device", L"iSerialNumber"},
      {0x85, 0x01, L"Battery System", L"SMB Battery Mode"},
      {0x8C, 0x121, L"Barcode Scanner", L"VeriCode"},
      {0x8D, 0x81, L"Weighing Device", L"Scale Status Enforced Zero Return"},
      {0x8E, 0x01, L"Magnetic Stripe Reader", L"MSR Device Read Only"},
      {0x8E, 0x24, L"Magnetic Stripe Reader", L"Track JIS Data"},
  });
}

TEST(HidUsageNames, WithoutANameTheNumberIsWrittenInHex) {
  ExpectRows({
      // Pages without a name.
      {0xFF00, 0x01, L"FF00", L"1"},
      {0x0E, 0x01, L"E", L"1"},
      {0xFFFF, 0xFFFF, L"FFFF", L"FFFF"},
      // Numbered usages: only usage 0 has a name.
      {0x09, 0x01, L"Button", L"1"},
      {0x09, 0x0A, L"Button", L"A"},
      {0x0A, 0x03, L"Ordinal", L"3"},
      {0x81, 0x10, L"USB Enumerated Values", L"10"},
      // Named pages whose usages carry no names, usage 0 included.
      {0x00, 0x00, L"Undefined", L"0"},
      {0x10, 0x00, L"Unicode", L"0"},
      {0x10, 0x20AC, L"Unicode", L"20AC"},
      {0x82, 0x10, L"VESA Virtual Controls", L"10"},
      {0x83, 0x01, L"Reserved", L"1"},
      // Unlisted codes: between runs, past the end, and ones later editions added.
      {0x06, 0x23, L"Generic", L"23"},
      {0x01, 0x09, L"Generic Desktop", L"9"},
      {0x01, 0x48, L"Generic Desktop", L"48"},
      {0x07, 0xA5, L"Keyboard", L"A5"},
      {0x07, 0xE8, L"Keyboard", L"E8"},
      {0x0C, 0x300, L"Consumer", L"300"},
      {0x0C, 0x1C7, L"Consumer", L"1C7"},
      {0x84, 0x6A, L"Power Device", L"6A"},
  });
}

std::wstring Wide(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring UpperHex(unsigned value) {
  wchar_t text[8];
  std::swprintf(text, std::size(text), L"%X", value);
  return text;
}

// Every listed usage is found under its own name, and every code between the
// listed ones (and one past the last) reads as hex: a search that lands on a
// neighbour shows up here.
TEST(HidUsageNames, LookUpAgreesWithTheTableForEveryCode) {
  for (const HidUsagePage& page : HidUsagePages()) {
    SCOPED_TRACE(page.name);
    const unsigned last = page.usages.empty() ? 0 : page.usages.back().usage;
    auto listed = page.usages.begin();
    for (unsigned code = 0; code <= last + 1; ++code) {
      const HidUsageNames names = GetHidUsageNames(page.page, static_cast<std::uint16_t>(code));
      EXPECT_EQ(names.page, Wide(page.name));
      if (listed != page.usages.end() && listed->usage == code) {
        EXPECT_EQ(names.usage, Wide(listed->name)) << code;
        ++listed;
      } else {
        EXPECT_EQ(names.usage, UpperHex(code)) << code;
      }
    }
  }
}

struct PageShape {
  std::uint16_t page;
  const char* name;
  std::size_t count;
  std::uint16_t first;
  std::uint16_t last;
};

// The pages the USB window knows and what each lists, counted from the table.
constexpr PageShape kShapes[] = {
    {0x00, "Undefined", 0, 0, 0},
    {0x01, "Generic Desktop", 70, 0x00, 0xB7},
    {0x02, "Simulation", 52, 0x00, 0xD0},
    {0x03, "Virtual Reality", 13, 0x00, 0x21},
    {0x04, "Sport", 35, 0x00, 0x63},
    {0x05, "Game", 29, 0x00, 0x39},
    {0x06, "Generic", 4, 0x00, 0x22},
    {0x07, "Keyboard", 221, 0x00, 0xE7},
    {0x08, "LED", 78, 0x00, 0x4D},
    {0x09, "Button", 1, 0x00, 0x00},
    {0x0A, "Ordinal", 1, 0x00, 0x00},
    {0x0B, "Telephony", 66, 0x00, 0xBF},
    {0x0C, "Consumer", 349, 0x00, 0x29C},
    {0x0D, "Digitizer", 40, 0x00, 0x46},
    {0x0F, "Physical Input Device (Force Feedback)", 106, 0x00, 0xAC},
    {0x10, "Unicode", 0, 0, 0},
    {0x14, "Alphanumeric", 48, 0x00, 0x4D},
    {0x40, "Medical Instrument", 30, 0x00, 0xA1},
    {0x80, "USB Monitor", 5, 0x00, 0x04},
    {0x81, "USB Enumerated Values", 1, 0x00, 0x00},
    {0x82, "VESA Virtual Controls", 0, 0, 0},
    {0x83, "Reserved", 0, 0, 0},
    {0x84, "Power Device", 78, 0x00, 0xFF},
    {0x85, "Battery System", 92, 0x00, 0xF3},
    {0x8C, "Barcode Scanner", 194, 0x00, 0x121},
    {0x8D, "Weighing Device", 47, 0x00, 0x81},
    {0x8E, "Magnetic Stripe Reader", 11, 0x00, 0x24},
};

TEST(HidUsagePages, ListThePagesWithTheirCountsAndSpans) {
  const auto pages = HidUsagePages();
  ASSERT_EQ(pages.size(), std::size(kShapes));
  std::size_t total = 0;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const PageShape& want = kShapes[i];
    const HidUsagePage& got = pages[i];
    SCOPED_TRACE(want.name);
    EXPECT_EQ(got.page, want.page);
    EXPECT_STREQ(got.name, want.name);
    EXPECT_EQ(got.usages.size(), want.count);
    if (!got.usages.empty()) {
      EXPECT_EQ(got.usages.front().usage, want.first);
      EXPECT_EQ(got.usages.back().usage, want.last);
    }
    total += got.usages.size();
  }
  EXPECT_EQ(total, 1571u);
}

// "Reserved" stands only for a single reserved code inside a run of named
// ones, and for the pages that give usage 0 no other name.
TEST(HidUsagePages, ReservedEntriesAreTheFewTheTablesReserve) {
  std::vector<std::pair<std::uint16_t, std::uint16_t>> reserved;
  for (const HidUsagePage& page : HidUsagePages()) {
    for (const HidUsage& usage : page.usages) {
      if (std::string_view(usage.name) == "Reserved") reserved.emplace_back(page.page, usage.usage);
    }
  }
  EXPECT_EQ(reserved, (std::vector<std::pair<std::uint16_t, std::uint16_t>>{
                          {0x01, 0x03}, {0x01, 0x3F}, {0x0A, 0x00}, {0x0C, 0x1BB}, {0x80, 0x00}}));
}

}  // namespace
}  // namespace corvane::usb
