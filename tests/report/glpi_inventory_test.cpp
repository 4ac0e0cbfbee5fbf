// The GLPI computer inventory: each part filled from its window's section,
// and the value converters that give the schema's forms or nothing.
#include "report/glpi_inventory.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "report/glpi_fixture.h"

namespace corvane::report {
namespace {

using Json = nlohmann::ordered_json;

template <class T>
struct Conversion {
  std::wstring_view text;
  std::optional<T> expected;
};

template <class T, class F>
void ExpectConversions(F convert, std::initializer_list<Conversion<T>> cases) {
  for (const auto& c : cases) {
    EXPECT_EQ(convert(c.text), c.expected) << std::string(c.text.begin(), c.text.end());
  }
}

TEST(GlpiValues, DatesInTheSchemasFormOrNothing) {
  ExpectConversions<std::string>(DateFromMonthFirst, {
                                                         {L"03/14/15", "2015-03-14"},
                                                         {L"09/26/93", "1993-09-26"},
                                                         {L"12/31/2020", "2020-12-31"},
                                                         {L"02/29/2024", "2024-02-29"},
                                                         {L"02/29/2023", std::nullopt},
                                                         {L"13/45/15", std::nullopt},
                                                         {L"2020-12-31", std::nullopt},
                                                         {L"", std::nullopt},
                                                     });
  ExpectConversions<std::string>(DateTimeFromMonthFirst, {
                                                             {L"05/08/2010 06:15:54", "2010-05-08 06:15:54"},
                                                             {L"05.08.2010 06.15.54", "2010-05-08 06:15:54"},
                                                             {L"05/08/2010 24:00:00", std::nullopt},
                                                             {L"05/08/2010", std::nullopt},
                                                         });
  ExpectConversions<std::string>(InstallDateText, {
                                                      {L"20201231", "2020-12-31"},
                                                      {L" 20201231 ", "2020-12-31"},
                                                      {L"12/31/2020", "2020-12-31"},
                                                      {L"20211345", std::nullopt},
                                                      {L"12/31/20", std::nullopt},
                                                      {L"last tuesday", std::nullopt},
                                                      {L"2020123", std::nullopt},
                                                  });
  EXPECT_EQ(GlpiDateTimeText({2026, 1, 2, 3, 4, 5, 60}), "2026-01-02 03:04:05");
}

TEST(GlpiValues, SizesAndNumbersAsIntegers) {
  ExpectConversions<std::int64_t>(MegabytesOfBytes, {
                                                        {L"270,553,174,016 bytes", 258019},
                                                        {L"270.553.174.016 bytes", 258019},
                                                        {L"2147483648", 2048},
                                                        {L"1\u00a0048\u00a0576 bytes", 1},
                                                        {L"1,048,575 bytes", 0},
                                                        {L" bytes", std::nullopt},
                                                        {L"-1 bytes", std::nullopt},
                                                        {L"12 KB", std::nullopt},
                                                        {L"99999999999999999999999 bytes", std::nullopt},
                                                    });
  ExpectConversions<std::int64_t>(MegabytesInBrackets, {
                                                           {L"25,276,080,128 bytes   (24106 MB)", 24106},
                                                           {L" bytes   ( MB)", std::nullopt},
                                                           {L"24106 MB", std::nullopt},
                                                       });
  ExpectConversions<std::int64_t>(LeadingInteger, {
                                                      {L"2096", 2096},
                                                      {L"02095 MHz", 2095},
                                                      {L"", std::nullopt},
                                                      {L"MHz", std::nullopt},
                                                      {L"99999999999", std::nullopt},
                                                  });
}

TEST(GlpiValues, AddressesAndOffsets) {
  ExpectConversions<std::string>(NormalMac, {
                                                {L"02-FC-00-00-00-01", "02:fc:00:00:00:01"},
                                                {L"96:52:59:86:3a:b3", "96:52:59:86:3a:b3"},
                                                {L"0050568C0001", "00:50:56:8c:00:01"},
                                                {L"02-FC-00-00-00", std::nullopt},
                                                {L"02-FC-00-00-00-0G", std::nullopt},
                                                {L"", std::nullopt},
                                            });
  ExpectConversions<std::string>(Ipv6MaskOfPrefix, {
                                                       {L"64", "ffff:ffff:ffff:ffff::"},
                                                       {L"60", "ffff:ffff:ffff:fff0::"},
                                                       {L"128", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff"},
                                                       {L"0", "::"},
                                                       {L"129", std::nullopt},
                                                       {L"255.255.255.0", std::nullopt},
                                                   });
  ExpectConversions<std::string>(UtcOffsetOf, {
                                                  {L"2026-12-11T09:30:05+01:00", "+0100"},
                                                  {L"2026-12-11T09:30:05-05:30", "-0530"},
                                                  {L"2026-12-11T09:30:05", std::nullopt},
                                              });
}

TEST(GlpiInventory, DeviceIdIsTheNameAndTheMachinesKey) {
  EXPECT_EQ(GlpiDeviceId(L"BENCH-PC", L"{6ba7b810-9dad-11d1-80b4-00c04fd430c8}"),
            L"BENCH-PC-6ba7b810-9dad-11d1-80b4-00c04fd430c8");
  EXPECT_EQ(GlpiDeviceId(L"BENCH-PC", L""), L"BENCH-PC");

  auto doc = test_support::GlpiFixtureDocument();
  const Json with_key = GlpiInventory(doc, test_support::GlpiFixtureFacts());
  EXPECT_EQ(with_key["deviceid"], "BENCH-PC-6ba7b810-9dad-11d1-80b4-00c04fd430c8");
  doc.generated = L"2027-01-01T00:00:00+01:00";
  EXPECT_EQ(GlpiInventory(doc, test_support::GlpiFixtureFacts())["deviceid"], with_key["deviceid"])
      << "the same machine gives the same id on every run";
  EXPECT_EQ(GlpiInventory(doc, {})["deviceid"], "BENCH-PC-12345-OEM-0000001-54321") << "the product ID stands in";
}

// One item or field of each part, from the fixture's sections.
TEST(GlpiInventory, EachPartFromItsWindowsSection) {
  Json j = GlpiInventory(test_support::GlpiFixtureDocument(), test_support::GlpiFixtureFacts());
  EXPECT_EQ(j["itemtype"], "Computer");
  EXPECT_EQ(j["action"], "inventory");
  Json c = j["content"];
  EXPECT_EQ(c["versionclient"], "Corvane 2.84");

  EXPECT_EQ(c["bios"], (Json{{"bversion", "BENCH - 1"},
                             {"bmanufacturer", "Bench BIOS Co."},
                             {"smodel", "Bench Tower 9"},
                             {"mmodel", "Bench Boards BX-1"}}))
      << "a BIOS date that is no date is left out";
  EXPECT_EQ(c["hardware"]["memory"], 4095);
  EXPECT_EQ(c["hardware"]["swap"], 8191);
  EXPECT_EQ(c["hardware"]["workgroup"], "WORKGROUP") << "an empty domain gives way to the workgroup";
  EXPECT_EQ(c["hardware"]["winprodid"], "12345-OEM-0000001-54321");
  EXPECT_EQ(c["hardware"]["name"], "BENCH-PC");
  EXPECT_EQ(c["operatingsystem"], (Json{{"name", "Windows 7 Professional"},
                                        {"full_name", "Windows 7 Professional"},
                                        {"version", "6.1.7601"},
                                        {"service_pack", "Service Pack 1"},
                                        {"arch", "64-bit"},
                                        {"install_date", "2010-05-08 06:15:54"},
                                        {"boot_time", "2026-12-11 07:05:09"},
                                        {"timezone", {{"name", "W. Europe Standard Time"}, {"offset", "+0100"}}}}));
  EXPECT_EQ(c["cpus"], (Json::array({{{"name", "Bench CPU 3000"}, {"manufacturer", "Bench Micro"}, {"speed", 2096}}})))
      << "the processor window before the summary; an empty clock left out";
  EXPECT_FALSE(c.contains("sounds")) << "\"Not detected\" is no sound card";
  EXPECT_EQ(c["users"], (Json::array({{{"login", "ada"}}})));

  EXPECT_EQ(c["memories"][0], (Json{{"caption", "DIMM 0"},
                                    {"description", "BANK 0"},
                                    {"capacity", 2048},
                                    {"speed", "1333"},
                                    {"manufacturer", "Samsung"}}));
  EXPECT_EQ(c["memories"].size(), 2u);
  EXPECT_EQ(c["storages"], (Json::array({{{"model", "BENCH SSD 512"},
                                          {"serial", "S3R1AL"},
                                          {"firmware", "FW1.0"},
                                          {"disksize", 488386}}})))
      << "one disk under two volumes is one storage";
  EXPECT_EQ(c["drives"][0], (Json{{"letter", "C:"},
                                  {"label", "System"},
                                  {"filesystem", "NTFS"},
                                  {"description", "Fixed"},
                                  {"serial", "4300-0000"},
                                  {"total", 258019},
                                  {"free", 33957}}))
      << "the free space is the same drive's, not the same row's";
  EXPECT_FALSE(c["drives"][1].contains("label"));
  EXPECT_EQ(c["networks"][0], (Json{{"description", "Bench Ethernet"},
                                    {"mac", "02:fc:00:00:00:01"},
                                    {"ipgateway", "192.0.2.1"},
                                    {"ipaddress", "192.0.2.2"},
                                    {"ipmask", "255.255.255.0"},
                                    {"ipsubnet", "192.0.2.0"},
                                    {"ipaddress6", "fd00::2"},
                                    {"ipmask6", "ffff:ffff:ffff::"}}))
      << "each address with the mask at its own place; the link-local one only when there is no other";
  EXPECT_EQ(c["networks"][1], (Json{{"description", "Loose Adapter"}}));

  Json apps = c["softwares"];
  ASSERT_EQ(apps.size(), 4u);
  EXPECT_EQ(apps[0], (Json{{"name", "Editor"},
                           {"version", "1.2"},
                           {"publisher", "Someone"},
                           {"install_date", "2020-12-31"},
                           {"uninstall_string", "C:\\Editor\\remove.exe /q"},
                           {"folder", "C:\\Editor"}}));
  EXPECT_EQ(apps[1]["install_date"], "2020-12-31");
  EXPECT_EQ(apps[2], (Json{{"name", "Odd Tool"}})) << "a date that is none is left out, the entry kept";
  EXPECT_FALSE(apps[3].contains("install_date"));

  EXPECT_EQ(c["printers"], (Json::array({{{"name", "Laser"}, {"port", "LPT1:"}}})));
  EXPECT_EQ(c["videos"], (Json::array({{{"name", "Bench Graphics"}, {"chipset", "BG-100"}, {"memory", 256}}})));
  EXPECT_EQ(c["monitors"], (Json::array({{{"name", "Bench Monitor 24"}, {"caption", "Bench Monitor 24"}},
                                         {{"name", "Generic Non-PnP Monitor"}, {"caption", "Generic Non-PnP Monitor"}}})));
  EXPECT_EQ(c["usbdevices"], (Json::array({{{"name", "Bench Mouse"}, {"vendorid", "045e"}, {"productid", "00cb"}}})));
  EXPECT_EQ(c["ports"], (Json::array({{{"type", "Serial"}, {"name", "COM1"}, {"caption", "COM1"}},
                                      {{"type", "Serial"}, {"name", "COM3"}, {"caption", "COM3"}},
                                      {{"type", "Parallel"}, {"name", "LPT1"}, {"caption", "LPT1"}}})));
}

// The system's part follows row 1 as the refresh composes it, whichever
// build wrote it: the word size is the row's last piece, after a service
// pack that may be empty or hold a comma of its own.
TEST(GlpiInventory, OperatingSystemFromRowOne) {
  const struct {
    std::wstring_view row;
    Json part;
  } cases[] = {
      {L"Windows XP Professional x64 Edition, Version 5.2.3790, Service Pack 2, 64 Bit.",
       {{"name", "Windows XP Professional x64 Edition"},
        {"full_name", "Windows XP Professional x64 Edition"},
        {"version", "5.2.3790"},
        {"service_pack", "Service Pack 2"},
        {"arch", "64-bit"}}},
      {L"Windows 10 Pro, Version 10.0.19045, 22H2, 64 Bit.",
       {{"name", "Windows 10 Pro"},
        {"full_name", "Windows 10 Pro"},
        {"version", "10.0.19045"},
        {"service_pack", "22H2"},
        {"arch", "64-bit"}}},
      {L"Windows 8, Version 6.2.9200, , 64 Bit.",
       {{"name", "Windows 8"}, {"full_name", "Windows 8"}, {"version", "6.2.9200"}, {"arch", "64-bit"}}},
      {L"Windows XP Professional, Version 5.1.2600, Service Pack 3, v.3311, 32 Bit.",
       {{"name", "Windows XP Professional"},
        {"full_name", "Windows XP Professional"},
        {"version", "5.1.2600"},
        {"service_pack", "Service Pack 3, v.3311"},
        {"arch", "32-bit"}}},
      // The word-size test failed: no architecture rather than a guess.
      {L"Windows Server 2003 Standard Edition, Version 5.2.3790, Service Pack 2, ",
       {{"name", "Windows Server 2003 Standard Edition"},
        {"full_name", "Windows Server 2003 Standard Edition"},
        {"version", "5.2.3790"},
        {"service_pack", "Service Pack 2"}}},
  };
  for (const auto& c : cases) {
    InventoryDocument doc;
    doc.version = L"2.84";
    doc.machine = L"PC";
    doc.sections.push_back({{L"TForm1", L"Corvane 2.84", {{L"Windows", std::wstring(c.row), false}}, {}, {}}, 1, {}});
    EXPECT_EQ(GlpiInventory(doc, {})["content"]["operatingsystem"], c.part)
        << std::string(c.row.begin(), c.row.end());
  }
}

// A window whose reading failed has an empty section: its parts are left
// out, never written empty or half.
TEST(GlpiInventory, FailedSectionsLeaveTheirPartsOut) {
  InventoryDocument doc;
  doc.version = L"2.84";
  doc.machine = L"BARE";
  doc.generated = L"not a time";
  doc.sections.push_back({{L"TfrmUnistall", L"TfrmUnistall", {}, {}, {}}, 0, L"Access denied"});
  doc.sections.push_back({{L"TfrmDateTime", L"Time and Date", {{L"Time Zone", L"UTC", false}}, {}, {}}, 0, {}});
  Json j = GlpiInventory(doc, {});
  EXPECT_EQ(j["deviceid"], "BARE");
  EXPECT_EQ(j["content"], (Json{{"versionclient", "Corvane 2.84"}, {"hardware", {{"name", "BARE"}}}}))
      << "no time zone without an offset, no software part without a list";
}

}  // namespace
}  // namespace corvane::report
