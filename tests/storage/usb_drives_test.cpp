#include "storage/usb_drives.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace corvane::storage {
namespace {

using platform::WmiArray;
using platform::WmiNull;
using platform::WmiOpaque;
using platform::WmiValue;
using I = std::int64_t;
using U = std::uint64_t;

TEST(UsbDrivesNumbers, GroupedInThreesWithTheLocaleSeparator) {
  struct Case {
    const char* what;
    WmiValue value;
    std::wstring separator;
    std::wstring text;
  };
  const Case cases[] = {
      {"zero", I{0}, L",", L"0"},
      {"below a thousand", I{999}, L",", L"999"},
      {"a thousand", I{1000}, L",", L"1,000"},
      {"millions", U{1234567}, L",", L"1,234,567"},
      {"another separator", I{1234567}, L".", L"1.234.567"},
      {"a separator of two characters", I{1234567}, L"\u00a0'", L"1\u00a0'234\u00a0'567"},
      {"a locale without separator", I{1234567}, L"", L"1234567"},
      {"negative", I{-1234}, L",", L"-1,234"},
      {"the most negative", I{std::numeric_limits<I>::min()}, L",", L"-9,223,372,036,854,775,808"},
      {"uint64 as text, as scripts get it", std::wstring(L"82252800000"), L",", L"82,252,800,000"},
      {"beyond 64 bits as text", std::wstring(L"18446744073709551616"), L",", L"18,446,744,073,709,551,616"},
      {"leading zeros", std::wstring(L"0001234"), L",", L"1,234"},
      {"negative text", std::wstring(L"-1234"), L",", L"-1,234"},
      {"a real is rounded", 1234.5, L",", L"1,235"},
      {"null", WmiNull{}, L",", L""},
      {"no number: as delivered", std::wstring(L"n/a"), L",", L"n/a"},
      {"a lone minus: as delivered", std::wstring(L"-"), L",", L"-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(GroupedNumber(c.value, c.separator), c.text);
  }
}

TEST(UsbDrivesCapabilities, TextsOfTheFirstThreeEntries) {
  struct Case {
    const char* what;
    WmiValue value;
    std::wstring cell;
  };
  const Case cases[] = {
      {"random access, writing, removable", WmiArray{I{3}, I{4}, I{7}},
       L"Random Access.\rWriting.\rRemovable Media.\r"},
      {"a fourth entry is not looked at", WmiArray{I{3}, I{4}, I{7}, I{10}},
       L"Random Access.\rWriting.\rRemovable Media.\r"},
      {"null and unknown entries add nothing", WmiArray{WmiNull{}, I{99}, I{2}}, L"Sequential Access.\r"},
      {"an error entry adds nothing", WmiArray{WmiOpaque{}, U{10}}, L"SMART Notification.\r"},
      {"a text entry is no code", WmiArray{std::wstring(L"3"), I{5}}, L"Encryption.\r"},
      {"fewer than three", WmiArray{I{12}}, L"Ejection Not Required Prior to Drive Dismount.\r"},
      {"empty", WmiArray{}, L""},
      {"null", WmiNull{}, L""},
      {"not a list", I{3}, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(CapabilityTexts(c.value), c.cell);
  }

  const std::pair<I, std::wstring_view> named[] = {
      {2, L"Sequential Access."}, {3, L"Random Access."}, {4, L"Writing."},
      {5, L"Encryption."},        {6, L"Compression."},   {7, L"Removable Media."},
      {10, L"SMART Notification."}, {12, L"Ejection Not Required Prior to Drive Dismount."}};
  for (const auto& [code, text] : named) EXPECT_EQ(CapabilityText(code), text) << code;
  for (const I code : {I{0}, I{1}, I{8}, I{9}, I{11}, I{13}, I{-1}}) EXPECT_EQ(CapabilityText(code), L"") << code;
}

DiskDriveProperties Disk(const wchar_t* interface_type) {
  DiskDriveProperties d;
  d.InterfaceType = std::wstring(interface_type);
  d.Description = std::wstring(L"Disk drive");
  d.Model = std::wstring(std::wstring(interface_type) + L" model");
  return d;
}

TEST(UsbDrivesView, OneRowPerUsbDiskAtItsPositionAmongAllDisks) {
  DiskDriveProperties usb = Disk(L"USB");
  usb.MediaType = WmiNull{};
  usb.Capabilities = WmiArray{I{3}, I{4}, I{7}};
  usb.BytesPerSector = I{512};
  usb.TotalSectors = std::wstring(L"7839744");  // as the scripting objects deliver uint64
  usb.Size = std::wstring(L"4013948928");
  usb.Status = std::wstring(L"OK");
  usb.PNPDeviceID = std::wstring(L"USBSTOR\\DISK&VEN_KINGSTON\\5B7A0B8E&0");
  const std::vector<DiskDriveProperties> disks = {Disk(L"IDE"), Disk(L"SCSI"), usb, Disk(L"IDE")};

  const UsbDrivesView view = BuildUsbDrivesView(disks, L".");
  ASSERT_EQ(view.rows.size(), 1u);
  const UsbDriveRow expected = {L"3",
                                L"USB",
                                L"Disk drive",
                                L"",
                                L"USB model",
                                L"Random Access.\rWriting.\rRemovable Media.\r",
                                L"512",
                                L"7.839.744",
                                L"4.013.948.928",
                                L"OK",
                                L"USBSTOR\\DISK&VEN_KINGSTON\\5B7A0B8E&0"};
  for (std::size_t c = 0; c < expected.size(); ++c) {
    EXPECT_EQ(view.rows[0][c], expected[c]) << testing::PrintToString(kUsbDriveColumns[c]);
  }
  EXPECT_EQ(view.usb_count, L"1");
  EXPECT_EQ(view.total_count, L"4");
}

TEST(UsbDrivesView, CountsWithoutUsbDisks) {
  DiskDriveProperties unknown;  // no interface at all
  const std::vector<DiskDriveProperties> disks = {Disk(L"IDE"), unknown, Disk(L"usb")};
  const UsbDrivesView view = BuildUsbDrivesView(disks, L",");
  EXPECT_TRUE(view.rows.empty());
  EXPECT_EQ(view.usb_count, L"0");
  EXPECT_EQ(view.total_count, L"3");

  // An enumeration that broke off: what was read is shown, no count is claimed.
  const std::vector<DiskDriveProperties> partial = {Disk(L"IDE"), Disk(L"USB")};
  const UsbDrivesView broken = BuildUsbDrivesView(partial, L",", /*complete=*/false);
  EXPECT_EQ(broken.rows.size(), 1u);
  EXPECT_EQ(broken.usb_count, L"");
  EXPECT_EQ(broken.total_count, L"");

  const UsbDrivesView empty = BuildUsbDrivesView({}, L",");
  EXPECT_EQ(empty.usb_count, L"0");
  EXPECT_EQ(empty.total_count, L"0");
}

TEST(UsbDrivesView, SeveralUsbDisksKeepTheirOrder) {
  const std::vector<DiskDriveProperties> disks = {Disk(L"USB"), Disk(L"IDE"), Disk(L"USB")};
  const UsbDrivesView view = BuildUsbDrivesView(disks, L",");
  ASSERT_EQ(view.rows.size(), 2u);
  EXPECT_EQ(view.rows[0][0], L"1");
  EXPECT_EQ(view.rows[1][0], L"3");
  EXPECT_EQ(view.usb_count, L"2");
  EXPECT_EQ(view.total_count, L"3");
}

}  // namespace
}  // namespace corvane::storage
