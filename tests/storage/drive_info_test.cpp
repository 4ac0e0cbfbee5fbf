#include "storage/drive_info.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "storage/scripted_nvme_transport.h"
#include "storage/smart_sectors.h"

namespace corvane::storage {
namespace {

TEST(DriveTexts, ListItemsAndTypes) {
  EXPECT_EQ(DriveListItemText(L'C', L"SYSTEM"), L"C: [SYSTEM]");
  EXPECT_EQ(DriveListItemText(L'D', L""), L"D: []");

  const std::wstring_view names[] = {L"Unknown", L"Not Exists", L"Removable", L"Fixed",
                                     L"Remote",  L"CDROM",      L"RAMDisk"};
  for (std::uint32_t code = 0; code < std::size(names); ++code) EXPECT_EQ(DriveTypeName(code), names[code]);
  EXPECT_EQ(DriveTypeName(7), L"Unknown") << "codes past the table must not read beyond it";
  EXPECT_EQ(DriveTypeText(3, L"NTFS"), L"Fixed - NTFS");
  EXPECT_EQ(DriveTypeText(3, L""), L"Fixed - ");
}

TEST(DriveTexts, ByteCountsAreGroupedByTheSeparatorGiven) {
  struct Case {
    std::uint64_t value;
    std::wstring_view separator;
    std::wstring_view text;
  };
  const Case cases[] = {
      {0, L",", L"0 bytes"},
      {999, L",", L"999 bytes"},
      {1000, L",", L"1,000 bytes"},
      {270553174016, L",", L"270,553,174,016 bytes"},
      {1234567, L".", L"1.234.567 bytes"},
      {1234567, L"\u00A0", L"1\u00A0234\u00A0567 bytes"},
      {1234567, L"", L"1234567 bytes"},
      {std::numeric_limits<std::uint64_t>::max(), L",", L"18,446,744,073,709,551,615 bytes"},
  };
  for (const Case& c : cases) EXPECT_EQ(ByteCountText(c.value, c.separator), c.text) << c.value;
}

TEST(DriveTexts, VolumeSerialIsTwoGroupsOfUpperCaseHex) {
  EXPECT_EQ(VolumeSerialText(0x1A2B3C4D), L"1A2B-3C4D");
  EXPECT_EQ(VolumeSerialText(0x00000000), L"0000-0000");
  EXPECT_EQ(VolumeSerialText(0xABCDEF01), L"ABCD-EF01");
  EXPECT_EQ(VolumeSerialText(0x000F00A0), L"000F-00A0");
}

TEST(DriveTexts, BarPositionRoundsHalvesToEven) {
  struct Case {
    double percent;
    int position;
  };
  const Case cases[] = {
      {0.0, 0},   {0.5, 0},    {1.5, 2},    {12.5, 12},  {13.5, 14},  {45.3, 45},
      {45.7, 46}, {98.5, 98},  {99.5, 100}, {100.0, 100}, {-3.0, 0},  {250.0, 100},
  };
  for (const Case& c : cases) EXPECT_EQ(BarPosition(c.percent), c.position) << c.percent;
  EXPECT_EQ(BarPosition(std::nan("")), 0);
}

TEST(DriveTexts, PercentageHasOneDecimalWithTheUsersSeparator) {
  EXPECT_EQ(UsedPercentText(45.3, L"."), L"45.3 %");
  EXPECT_EQ(UsedPercentText(45.3, L","), L"45,3 %");
  EXPECT_EQ(UsedPercentText(75.888, L"."), L"75.9 %");
  EXPECT_EQ(UsedPercentText(100.0, L"."), L"100.0 %");
  EXPECT_EQ(UsedPercentText(0.0, L"."), L"0.0 %");

  EXPECT_EQ(UsedPercent(0, 0), std::nullopt) << "an empty volume has no share in use";
  EXPECT_DOUBLE_EQ(*UsedPercent(400, 100), 75.0);
  EXPECT_DOUBLE_EQ(*UsedPercent(400, 400), 0.0);
  EXPECT_DOUBLE_EQ(*UsedPercent(400, 500), 0.0) << "more free than total is held at 0";
}

TEST(DriveTexts, FlagListOrderAndChecks) {
  const std::vector<std::wstring_view> order = {
      L"Case Is Preserved",     L"Case Sensitive",         L"Unicode Stored On Disk",
      L"Persistent Acls",       L"File Compression",       L"Volume Is Compressed",
      L"Long Filenames",        L"Encrypted File System Support", L"Object IDs Support",
      L"Reparse Points Support", L"Sparse Files Support",  L"Disk Quotas Support"};
  auto checked = [](std::uint32_t flags, std::uint32_t max_component) {
    std::vector<std::wstring_view> on;
    for (const FlagItem& item : FileSystemFlagItems(flags, max_component))
      if (item.checked) on.push_back(item.text);
    return on;
  };

  const auto none = FileSystemFlagItems(0, 0);
  ASSERT_EQ(none.size(), kFlagItemCount);
  for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(none[i].text, order[i]);
  EXPECT_TRUE(checked(0, 0).empty());

  // Each item from its own bit, in list order.
  EXPECT_EQ(checked(0x2, 0), std::vector<std::wstring_view>{L"Case Is Preserved"});
  EXPECT_EQ(checked(0x1, 0), std::vector<std::wstring_view>{L"Case Sensitive"});
  EXPECT_EQ(checked(0x8000, 0), std::vector<std::wstring_view>{L"Volume Is Compressed"});
  EXPECT_EQ(checked(0x20000, 0), std::vector<std::wstring_view>{L"Encrypted File System Support"});
  EXPECT_EQ(checked(0x10000, 0), std::vector<std::wstring_view>{L"Object IDs Support"});
  EXPECT_EQ(checked(0x80, 0), std::vector<std::wstring_view>{L"Reparse Points Support"});
  EXPECT_EQ(checked(0x40, 0), std::vector<std::wstring_view>{L"Sparse Files Support"});
  EXPECT_EQ(checked(0x20, 0), std::vector<std::wstring_view>{L"Disk Quotas Support"});
  // Every bit but "volume is compressed", and long names.
  std::vector<std::wstring_view> all_but_compressed = order;
  std::erase(all_but_compressed, L"Volume Is Compressed");
  EXPECT_EQ(checked(0x000300FF, 255), all_but_compressed);
  // Long names are decided by the component length alone.
  EXPECT_EQ(checked(0, 255), std::vector<std::wstring_view>{L"Long Filenames"});
  EXPECT_TRUE(checked(0, 254).empty());
  EXPECT_TRUE(checked(0, 256).empty());
}

// ---- the volume part of the window -------------------------------------------------

VolumeFacts ReadyFixedNtfs() {
  VolumeFacts f;
  f.type = 3;
  f.volume = VolumeInformation{L"SYSTEM", L"NTFS", 0x1A2B3C4D, 0x2 | 0x8, 255};
  f.clusters = ClusterFigures{8, 512, 15925443, 66053021};
  f.bytes = ByteTotals{270553174016, 65230614528};
  return f;
}

TEST(BuildDriveView, AReadyVolumeFillsEveryRow) {
  const DriveView v = BuildDriveView(ReadyFixedNtfs(), L"C:\\", NumberSeparators{L",", L"."});
  EXPECT_EQ(v.type, L"Fixed - NTFS");
  EXPECT_EQ(v.unc, L"C:\\");
  EXPECT_EQ(v.serial, L"1A2B-3C4D");
  EXPECT_EQ(v.capacity, L"270.553.174.016 bytes");
  EXPECT_EQ(v.free, L"65.230.614.528 bytes");
  EXPECT_EQ(v.bytes_per_sector, L"512");
  EXPECT_EQ(v.sectors_per_cluster, L"8");
  EXPECT_EQ(v.total_clusters, L"66.053.021");
  EXPECT_EQ(v.free_clusters, L"15.925.443");
  // (270553174016 - 65230614528) / 270553174016 = 75.89...%
  EXPECT_EQ(v.bar, 76);
  EXPECT_EQ(v.percent, L"75,9 %");
  ASSERT_EQ(v.flags.size(), kFlagItemCount);
  EXPECT_TRUE(v.flags[0].checked);   // case preserved
  EXPECT_FALSE(v.flags[1].checked);  // case sensitive
  EXPECT_TRUE(v.flags[3].checked);   // persistent ACLs
  EXPECT_TRUE(v.flags[6].checked);   // long file names
}

TEST(BuildDriveView, WithoutTheByteCallTheClustersGiveTheTotalsIn64Bits) {
  VolumeFacts f = ReadyFixedNtfs();
  f.bytes.reset();
  const DriveView v = BuildDriveView(f, L"", NumberSeparators{});
  // 66053021 clusters of 4096 bytes overflow 32 bits many times over.
  EXPECT_EQ(v.capacity, L"270,553,174,016 bytes");
  EXPECT_EQ(v.free, L"65,230,614,528 bytes");
  EXPECT_EQ(v.bar, 76);
  EXPECT_EQ(ClusterByteTotals({64, 4096, 0xFFFFFFFF, 0xFFFFFFFF}).total, 0xFFFFFFFFull * 64 * 4096);
}

TEST(BuildDriveView, ANotReadyDriveShowsItsTypeAndNothingElse) {
  VolumeFacts f;
  f.type = 3;
  const DriveView v = BuildDriveView(f, L"E:\\", NumberSeparators{});
  EXPECT_EQ(v.type, L"Fixed - ");
  EXPECT_EQ(v.unc, L"E:\\");
  for (const std::wstring* figure : {&v.serial, &v.capacity, &v.free, &v.bytes_per_sector, &v.sectors_per_cluster,
                                     &v.total_clusters, &v.free_clusters}) {
    EXPECT_EQ(*figure, L"");
  }
  EXPECT_EQ(v.bar, 0);
  EXPECT_EQ(v.percent, L"0%");
  ASSERT_EQ(v.flags.size(), kFlagItemCount);
  for (const FlagItem& item : v.flags) EXPECT_FALSE(item.checked) << std::wstring(item.text).c_str();
}

TEST(BuildDriveView, AnEmptyVolumeKeepsTheGaugeAtZero) {
  VolumeFacts f = ReadyFixedNtfs();
  f.bytes = ByteTotals{0, 0};
  const DriveView v = BuildDriveView(f, L"", NumberSeparators{});
  EXPECT_EQ(v.capacity, L"0 bytes");
  EXPECT_EQ(v.bar, 0);
  EXPECT_EQ(v.percent, L"0%");
}

TEST(BuildDriveView, UnreadableVolumeInformationLeavesSerialAndFlagsEmpty) {
  VolumeFacts f = ReadyFixedNtfs();
  f.volume.reset();
  const DriveView v = BuildDriveView(f, L"", NumberSeparators{});
  EXPECT_EQ(v.type, L"Fixed - ");
  EXPECT_EQ(v.serial, L"");
  EXPECT_EQ(v.capacity, L"270,553,174,016 bytes") << "sizes come from another call";
  for (const FlagItem& item : v.flags) EXPECT_FALSE(item.checked);
}

TEST(DriveTexts, UniversalName) {
  EXPECT_EQ(UniversalName(L"C:\\Windows", std::nullopt), L"C:\\Windows");
  EXPECT_EQ(UniversalName(L"Z:\\dir\\x", std::wstring(L"\\\\srv\\share")), L"\\\\srv\\share\\dir\\x");
  EXPECT_EQ(UniversalName(L"Z:\\", std::wstring(L"\\\\srv\\share\\")), L"\\\\srv\\share\\");
  EXPECT_EQ(UniversalName(L"Z:\\", std::wstring()), L"Z:\\");
}

TEST(DriveTexts, SmartDriveIsTheVolumesDiskElseItsListPosition) {
  EXPECT_EQ(SmartDriveNumber(0u, 0), 0);
  EXPECT_EQ(SmartDriveNumber(0u, 1), 0) << "a second partition of disk 0 reads disk 0";
  EXPECT_EQ(SmartDriveNumber(2u, 1), 2);
  EXPECT_EQ(SmartDriveNumber(std::nullopt, 1), 1);
  EXPECT_EQ(SmartDriveNumber(0xFFFFFFFFu, 3), 3);
}

// ---- the SMART section ---------------------------------------------------------------

using testing::AttributeSector;
using testing::AttrRow;
using testing::kErrorRate;
using testing::kEvents;
using testing::kPreFail;
using testing::ThresholdSector;
using testing::Bytes;
using testing::HealthPage;
using testing::IdentifyController;
using testing::PutCounter;

SmartReading Answered(const std::vector<AttrRow>& rows) {
  SmartReading r;
  r.identity_ok = true;
  r.model = L"EXAMPLE DISK 500";
  r.serial = L"SN123";
  r.size = 500107862016;
  r.smart_ok = true;
  r.smart.Firmware = L"FW01";
  ParseSmartSectors(AttributeSector(rows), ThresholdSector(rows), r.smart);
  return r;
}

TEST(BuildSmartView, TheColumnsAreAlwaysThere) {
  const std::vector<std::wstring> captions = {L"Attribute", L"Name",     L"State",     L"Current", L"Worst",
                                              L"Threshold", L"Raw Value", L"Pre-Fail", L"Events",  L"Error Rate"};
  const SmartView v = BuildSmartView(SmartReading{}, L",");
  ASSERT_EQ(v.attributes.columns.size(), captions.size());
  for (std::size_t i = 0; i < captions.size(); ++i) {
    EXPECT_EQ(v.attributes.columns[i].caption, captions[i]);
    EXPECT_GT(v.attributes.columns[i].width, 0);
  }
  EXPECT_TRUE(v.attributes.rows.empty());
  for (const std::wstring* box : {&v.verdict, &v.temperature, &v.model, &v.serial, &v.firmware, &v.size})
    EXPECT_EQ(*box, L"");
}

TEST(BuildSmartView, AnIdentityWithoutAttributesShowsOnlyModelAndSerial) {
  for (const bool smart_ok : {false, true}) {
    SmartReading r;
    r.identity_ok = true;
    r.model = L"M";
    r.serial = L"S";
    r.size = 1024;
    r.smart_ok = smart_ok;  // true with no attribute slots filled
    r.smart.Firmware = L"F";
    const SmartView v = BuildSmartView(r, L",");
    EXPECT_EQ(v.model, L"M");
    EXPECT_EQ(v.serial, L"S");
    for (const std::wstring* box : {&v.verdict, &v.temperature, &v.firmware, &v.size}) EXPECT_EQ(*box, L"");
    EXPECT_TRUE(v.attributes.rows.empty());
  }
}

TEST(BuildSmartView, AHealthyDriveFillsEveryBoxAndRow) {
  const SmartView v = BuildSmartView(Answered({{5, kPreFail | kEvents, 100, 100, 0, 36},
                                               {194, kEvents, 38, 45, 0x0000002D0026, 0},
                                               {9, kErrorRate, 97, 97, 1234567, 0}}),
                                     L".");
  EXPECT_EQ(v.verdict, L"SMART Test Passed");
  EXPECT_EQ(v.temperature, L"38\u00B0C");
  EXPECT_EQ(v.model, L"EXAMPLE DISK 500");
  EXPECT_EQ(v.serial, L"SN123");
  EXPECT_EQ(v.firmware, L"FW01");
  EXPECT_EQ(v.size, L"500.107.862.016") << "grouped, no unit";
  using Row = std::vector<std::wstring>;
  ASSERT_EQ(v.attributes.rows.size(), 3u);
  EXPECT_EQ(v.attributes.rows[0],
            (Row{L"5", L"Reallocated Sector Count", L"OK", L"100", L"100", L"36", L"0", L"Yes", L"Yes", L"No"}));
  EXPECT_EQ(v.attributes.rows[1], (Row{L"194", L"Temperature Celcius", L"-", L"38", L"45", L"0",
                                       L"2.949.158", L"No", L"Yes", L"No"}));
  EXPECT_EQ(v.attributes.rows[2],
            (Row{L"9", L"Power On Count", L"-", L"97", L"97", L"0", L"1.234.567", L"No", L"No", L"Yes"}));
}

TEST(BuildSmartView, BadAttributesAndAMissingTemperature) {
  const SmartView v = BuildSmartView(Answered({{1, kPreFail, 30, 30, 0, 51},      // failing now
                                               {3, kPreFail, 90, 20, 0, 21},      // failed in the past
                                               {7, kPreFail, 100, 100, 0, 30}}),  // fine
                                     L",");
  EXPECT_EQ(v.verdict, L"SMART Test Failed, Bad Attributes 2");
  EXPECT_EQ(v.temperature, L"0\u00B0C");
  ASSERT_EQ(v.attributes.rows.size(), 3u);
  EXPECT_EQ(v.attributes.rows[0][2], L"Failing Now");
  EXPECT_EQ(v.attributes.rows[1][2], L"Failed In Past");
  EXPECT_EQ(v.attributes.rows[2][2], L"OK");
}

// An NVMe disk answers no SMART request: its health fills the same section,
// with a list of its own two columns.
TEST(BuildSmartView, AnNvmeDiskShowsItsHealth) {
  Bytes page = HealthPage(0x09, 318, 7, 10, 104);
  PutCounter(page, 32, {1, 5});  // past 64 bits
  PutCounter(page, 48, {0, 1234567});
  PutCounter(page, 112, {0, 1021});
  PutCounter(page, 128, {0, 8760});
  PutCounter(page, 144, {0, 37});
  PutCounter(page, 160, {0, 2});
  PutCounter(page, 176, {0, 12345});
  SmartReading r;
  r.nvme = {true, ParseNvmeHealthLog(page), ParseNvmeIdentifyController(IdentifyController("NV 1TB", "SN9", "FW2"))};
  const SmartView v = BuildSmartView(r, L".");
  EXPECT_EQ(v.verdict, L"Available spare below threshold; Media placed in read-only mode");
  EXPECT_EQ(v.temperature, L"45\u00B0C");
  EXPECT_EQ(v.model, L"NV 1TB");
  EXPECT_EQ(v.serial, L"SN9");
  EXPECT_EQ(v.firmware, L"FW2");
  EXPECT_EQ(v.size, L"");
  ASSERT_EQ(v.attributes.columns.size(), 2u);
  EXPECT_EQ(v.attributes.columns[0].caption, L"Name");
  EXPECT_EQ(v.attributes.columns[1].caption, L"Value");
  using Row = std::vector<std::wstring>;
  const std::vector<Row> expected = {
      {L"Critical Warning", L"Available spare below threshold; Media placed in read-only mode"},
      {L"Available Spare", L"7%"},
      {L"Available Spare Threshold", L"10%"},
      {L"Percentage Used", L"104%"},
      {L"Data Read", L"9.444.732.965.739.290.429.952.000 bytes"},
      {L"Data Written", L"632.098.304.000 bytes"},
      {L"Power Cycles", L"1.021"},
      {L"Power-On Hours", L"8.760"},
      {L"Unsafe Shutdowns", L"37"},
      {L"Media Errors", L"2"},
      {L"Error Log Entries", L"12.345"},
  };
  EXPECT_EQ(v.attributes.rows, expected);

  r.nvme.health = ParseNvmeHealthLog(HealthPage(0, 300, 100, 10, 0));
  const SmartView ok = BuildSmartView(r, L",");
  EXPECT_EQ(ok.verdict, L"OK");
  EXPECT_EQ(ok.attributes.rows[0], (Row{L"Critical Warning", L"None"}));
  EXPECT_EQ(ok.attributes.rows[4], (Row{L"Data Read", L"0 bytes"}));
}

TEST(BuildSmartView, AnNvmeDiskWithoutItsLogShowsOnlyItsIdentity) {
  struct Case {
    const char* what;
    NvmeReading reading;
    std::wstring model;
  };
  const Case cases[] = {
      {"nothing answered", {true, std::nullopt, std::nullopt}, L""},
      {"only the identity", {true, std::nullopt, NvmeIdentity{L"NV", L"S", L"F"}}, L"NV"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SmartReading r;
    r.nvme = c.reading;
    const SmartView v = BuildSmartView(r, L",");
    EXPECT_EQ(v.model, c.model);
    for (const std::wstring* box : {&v.verdict, &v.temperature, &v.size}) EXPECT_EQ(*box, L"");
    EXPECT_EQ(v.attributes.columns.size(), 2u);
    EXPECT_TRUE(v.attributes.rows.empty());
  }
}

// Each row of the two sheets shows its own text of the view: a getter bound
// to a neighbouring member would put a figure under the wrong label.
TEST(SheetFields, EveryRowShowsTheTextItsLabelNames) {
  DriveView drive;
  drive.type = L"type";
  drive.unc = L"unc";
  drive.serial = L"serial";
  drive.capacity = L"capacity";
  drive.free = L"free";
  drive.bytes_per_sector = L"bytes/sector";
  drive.sectors_per_cluster = L"sectors/cluster";
  drive.total_clusters = L"total clusters";
  drive.free_clusters = L"free clusters";
  const std::vector<std::wstring> volume = {L"",      L"type",         L"unc",           L"serial",
                                            L"capacity", L"free",     L"bytes/sector", L"sectors/cluster",
                                            L"total clusters", L"free clusters"};
  EXPECT_EQ(ui::SheetTexts<DriveView>(kVolumeFields, drive), volume);
  EXPECT_EQ(kVolumeFields[0].value, nullptr) << "the drive list stands in the first row";
  EXPECT_EQ(kVolumeFields[3].label, L"Volume Serial No.");

  SmartView smart;
  smart.verdict = L"verdict";
  smart.temperature = L"temperature";
  smart.model = L"model";
  smart.serial = L"serial";
  smart.firmware = L"firmware";
  smart.size = L"size";
  const std::vector<std::wstring> rows = {L"verdict", L"temperature", L"model", L"serial", L"firmware", L"size"};
  EXPECT_EQ(ui::SheetTexts<SmartView>(kSmartFields, smart), rows);
  EXPECT_EQ(kSmartFields[2].label, L"Modal Number");
}

}  // namespace
}  // namespace corvane::storage
