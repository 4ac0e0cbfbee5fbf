#include "app/collectors/collector_text.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/list_text.h"

namespace corvane::app {
namespace {

using namespace std::string_view_literals;

TEST(MemoryText, WholeMebibytesPlusOne) {
  const struct { std::uint64_t bytes; const wchar_t* text; } cases[] = {
      {1073180672, L"1024 MB"},  // 1023 MiB and a bit
      {4294967296, L"4097 MB"},  // exactly 4 GiB still gets the one added
      {0, L"1 MB"},
  };
  for (const auto& c : cases) EXPECT_EQ(MemoryText(c.bytes), c.text) << c.bytes;
}

TEST(DriveSizeText, GibibytesOnlyAboveTwoToTheThirtyAndTheLocaleSeparator) {
  const struct { std::int64_t bytes; const wchar_t* decimal; const wchar_t* text; } cases[] = {
      {500107862016, L".", L"465.8GB"},
      {1073741824, L".", L"1024.0MB"},  // 2^30 itself is not above the boundary
      {1073741825, L".", L"1.0GB"},
      {1048576, L".", L"1.0MB"},
      {0, L".", L"0.0MB"},
      {kUnreadSize, L".", L"-0.0MB"},
      {500107862016, L",", L"465,8GB"},
      {1073741824, L",", L"1024,0MB"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DriveSizeText(c.bytes, c.decimal), c.text) << c.bytes << testing::PrintToString(std::wstring(c.decimal));
  }
}

TEST(DriveListText, RowAndReportForms) {
  const std::vector<DriveBytes> drives = {{L'C', 500107862016}, {L'E', kUnreadSize}};
  EXPECT_EQ(DriveListText(drives, L"."), L"C:  465.8GB | E:  -0.0MB | ");
  EXPECT_EQ(DriveSizesReportText(drives, L","), L"465,8GB  -0,0MB  ");
  EXPECT_EQ(DriveListText({}, L"."), L"");
}

TEST(ClockText, FourWideOneDecimalWithTheLocaleSeparator) {
  EXPECT_EQ(ClockText(1995.26, L"."), L"1995.3 MHz");
  EXPECT_EQ(ClockText(1995.26, L","), L"1995,3 MHz");
  EXPECT_EQ(ClockText(2.0, L"."), L" 2.0 MHz");
}

TEST(PortTexts, SerialListAndRegistryParallelNames) {
  EXPECT_EQ(SerialPortsText({L"COM1", L"COM3"}), L"COM1 | COM3 | ");
  EXPECT_EQ(SerialPortsText({}), L"NOT Present");

  EXPECT_EQ(RegistryParallelPortsText({L"\\DosDevices\\LPT1", L"\\DosDevices\\LPT2"}), L"LPT1LPT2");
  EXPECT_EQ(RegistryParallelPortsText({L"X:LPT3", L"LPT4"}), L"LPT3LPT4");
  EXPECT_EQ(RegistryParallelPortsText({}), L"NOT Present");
  EXPECT_EQ(RegistryParallelPortsText({L"\\DosDevices\\"}), L"NOT Present");
}

TEST(ParallelProbeNames, DosNamesBelowTenDeviceNamesAbove) {
  const auto nt = ParallelProbeNames(true);
  ASSERT_EQ(nt.size(), 256u);
  EXPECT_EQ(nt[0], L"LPT1");
  EXPECT_EQ(nt[8], L"LPT9");
  EXPECT_EQ(nt[9], L"\\\\.\\LPT10");
  EXPECT_EQ(nt[255], L"\\\\.\\LPT256");
  const auto others = ParallelProbeNames(false);
  ASSERT_EQ(others.size(), 9u);
  EXPECT_EQ(others.back(), L"LPT9");
}

TEST(PowerTexts, BatteryFlagsAndAcLine) {
  const struct { std::optional<std::uint8_t> flag; const wchar_t* text; } battery[] = {
      {0, L"High"},      {1, L"High"},       {2, L"Low"},           {4, L"Critical"},
      {8, L"Charging"},  {128, L"No Battery"}, {9, L"Unknown"},     {255, L"Unknown"},
      {std::nullopt, L"Unknown"},
  };
  for (const auto& c : battery) EXPECT_EQ(BatteryText(c.flag), c.text) << testing::PrintToString(c.flag);

  const struct { std::optional<std::uint8_t> status; const wchar_t* text; } ac[] = {
      {0, L"OffLine"}, {1, L"OnLine"}, {255, L"Unknown"}, {std::nullopt, L"Unknown"},
  };
  for (const auto& c : ac) EXPECT_EQ(AcPowerText(c.status), c.text) << testing::PrintToString(c.status);
}

TEST(BiosRowText, TidiedTwiceByTheRefresh) {
  EXPECT_EQ(BiosRowText(L"AT compatible", L"01/01/09", L"BIOS 1.0"), L"AT compatible | 01/01/09 | BIOS 1.0 |  | ");
  const struct { std::wstring_view id, date, version; const wchar_t* row; } cases[] = {
      {L"AT compatible", L"01/01/09", L"BIOS 1.0", L"AT compatible | 01/01/09 | BIOS 1.0"},
      {L"", L"", L"", L"|  |"},  // the key could not be opened
      {L"AT compatible", L"", L"", L"AT compatible |  |"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::TidyList(platform::TidyList(BiosRowText(c.id, c.date, c.version))), c.row);
  }
}

std::vector<std::byte> Utf16Bytes(std::wstring_view text) {
  std::vector<std::byte> out;
  for (wchar_t ch : text) {
    out.push_back(static_cast<std::byte>(ch & 0xFF));
    out.push_back(static_cast<std::byte>((ch >> 8) & 0xFF));
  }
  return out;
}

TEST(FirstRegistryString, UpToTheFirstZeroOrTheEnd) {
  EXPECT_EQ(FirstRegistryString(Utf16Bytes(L"DELL   - 1072009\0A11\0\0"sv)), L"DELL   - 1072009");
  EXPECT_EQ(FirstRegistryString(Utf16Bytes(L"\u00c4BIOS"sv)), L"\u00c4BIOS");  // unterminated
  auto odd = Utf16Bytes(L"AB"sv);
  odd.push_back(std::byte{'C'});
  EXPECT_EQ(FirstRegistryString(odd), L"AB");
  EXPECT_EQ(FirstRegistryString({}), L"");
}

std::vector<std::byte> InquiryReply(std::string_view from_byte_8, size_t size = 100) {
  std::vector<std::byte> data(size, std::byte{0});
  data[0] = std::byte{0x05};  // a CD/DVD device
  std::memcpy(data.data() + 8, from_byte_8.data(), std::min(from_byte_8.size(), data.size() - 8));
  return data;
}

TEST(InquiryIdentification, FromByteEightToZeroCutAtTwentyFour) {
  EXPECT_EQ(InquiryIdentification(InquiryReply("HL-DT-STDVDRAM GH22NS50 TN02")), L"HL-DT-STDVDRAM GH22NS50 ");
  EXPECT_EQ(InquiryIdentification(InquiryReply("TSSTcorp\0CDDVDW"sv)), L"TSSTcorp");
  EXPECT_EQ(InquiryIdentification(InquiryReply("")), L"");
  // No zero before the end of the data: the text ends with the data.
  EXPECT_EQ(InquiryIdentification(InquiryReply("AAAA", 12)), L"AAAA");
  EXPECT_EQ(InquiryIdentification(InquiryReply("", 8)), L"");
}

TEST(OpticalDriveTexts, ListAndShortList) {
  const auto two = OpticalDriveTexts({{L'D', L"HL-DT-STDVDRAM GH22NS50 "}, {L'E', L"VBOX    CD-ROM          "}});
  ASSERT_TRUE(two);
  EXPECT_EQ(two->list, L"D: HL-DT-STDVDRAM GH22NS50  | E: VBOX    CD-ROM           | ");
  EXPECT_EQ(two->short_list, L"HL-DT-STDVDRAM+VBOX    CD-ROM ");

  // An inquiry that failed leaves the letter with nothing after it.
  const auto failed = OpticalDriveTexts({{L'D', L""}});
  ASSERT_TRUE(failed);
  EXPECT_EQ(failed->list, L"D:  | ");
  EXPECT_EQ(platform::TidyList(failed->list), L"D:");
  EXPECT_EQ(failed->short_list, L" ");

  EXPECT_FALSE(OpticalDriveTexts({}));
}

TEST(MouseText, ButtonsAndWheelInFront) {
  EXPECT_EQ(MouseText(true, true, 3), L"3 Button Wheel Mouse Present");
  EXPECT_EQ(MouseText(true, false, 2), L"2 Button Mouse Present");
  EXPECT_EQ(MouseText(true, true, 0), L"Wheel Mouse Present");
  EXPECT_EQ(MouseText(false, true, 3), L"");
}

TEST(ListTexts, MonitorsAndPlainLists) {
  EXPECT_EQ(MonitorNamesText({L"Generic Non-PnP Monitor", std::nullopt, L"  ", L" Plug and Play "}),
            L"Generic Non-PnP Monitor |  Plug and Play  | ");
  EXPECT_EQ(ListText({L"Wine Adapter", L""}), L"Wine Adapter |  | ");
}

TEST(MotherboardText, OnlyOneBoardWithItsProperties) {
  const platform::T2DimStrArray grid = {{L"Instance", L"Manufacturer", L"Product"}, {L"1", L"ASUSTeK", L"P5Q"}};
  EXPECT_EQ(MotherboardText(2, 1, grid), L"ASUSTeK P5Q");
  EXPECT_EQ(MotherboardText(2, 2, grid), L"");
  EXPECT_EQ(MotherboardText(1, 1, grid), L"");
  EXPECT_EQ(MotherboardText(-1, 0, {}), L"");
}

}  // namespace
}  // namespace corvane::app
