// The report sections of the memory, display, date/time, storage, network,
// USB and CPU windows, built from small models: what each marks volatile
// (so that two reports of an unchanged machine compare equal, and nothing
// else is hidden from the comparison), and how windows that show one entry
// at a time report every entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "cpu/cpu_window_text.h"
#include "memory_display_time/datetime_view.h"
#include "memory_display_time/display_view.h"
#include "memory_display_time/memory_view.h"
#include "network/adapters_view.h"
#include "network/internet_view.h"
#include "network/network_tree.h"
#include "network/network_view.h"
#include "network/user_list_view.h"
#include "storage/cddvd_view.h"
#include "storage/drive_info.h"
#include "storage/usb_drives.h"
#include "usb/usb_view.h"

namespace corvane {
namespace {

using Names = std::set<std::wstring>;
using Table = std::vector<std::vector<std::wstring>>;

// The labels of the volatile rows and the titles of the volatile lists.
Names VolatileNames(const ui::ReportSection& section) {
  Names names;
  for (const auto& row : section.rows) {
    if (row.is_volatile) names.insert(row.label);
  }
  for (const auto& list : section.lists) {
    if (list.is_volatile) names.insert(list.title);
  }
  return names;
}

const ui::SectionList* FindList(const ui::ReportSection& section, std::wstring_view title) {
  const auto it = std::ranges::find(section.lists, title, &ui::SectionList::title);
  return it == section.lists.end() ? nullptr : &*it;
}

const ui::SectionRow* FindRow(const ui::ReportSection& section, std::wstring_view label) {
  const auto it = std::ranges::find(section.rows, label, &ui::SectionRow::label);
  return it == section.rows.end() ? nullptr : &*it;
}

storage::DriveReport Drive(std::wstring item, std::wstring free, std::wstring temperature) {
  storage::DriveReport d{std::move(item), {}, {}};
  d.drive.type = L"Fixed - NTFS";
  d.drive.free = std::move(free);
  d.drive.percent = L"40.0 %";
  d.drive.flags = storage::FileSystemFlagItems(0x2, 255);
  d.smart.model = L"Disk Model";
  d.smart.temperature = std::move(temperature);
  d.smart.attributes = {storage::SmartAttributeColumns(), {{L"9", L"Power-On Hours", L"OK"}}};
  return d;
}

// Every section with its volatile rows and lists: the readings that change
// by themselves, and nothing else.
TEST(ReportSections, TheVolatileReadingsOfEachSection) {
  struct Case {
    const char* name;
    std::function<ui::ReportSection()> section;
    std::wstring id;
    Names volatile_names;
  };
  const std::vector<storage::DriveReport> drives = {Drive(L"C: []", L"1 bytes", L"30\u00B0C")};
  const std::vector<network::AdapterReport> adapters = {{L"Wine adapter", {}}};
  const Case cases[] = {
      {"memory", [] { return memory_display_time::MemorySection({}); }, L"TfrmMemory",
       {L"Physical Free", L"Page File Free", L"Virtual Free", L"Memory Utilization"}},
      {"display", [] { return memory_display_time::DisplaySection({}); }, L"TfrmDisplay", {}},
      {"date and time", [] { return memory_display_time::DateTimeSection({}); }, L"TfrmDateTime",
       {L"Time", L"Date", L"System Up Time", L"System Boot Up Time"}},
      {"drives", [&] { return storage::DiskSection(drives); }, L"TfrmDisk",
       {L"Free Space", L"SMART Readings", L"SMART Attributes"}},
      {"CD/DVD", [] { return storage::CdDvdSection({}); }, L"TfrmCDDVD", {}},
      {"USB drives", [] { return storage::UsbDrivesSection({}); }, L"TfrmUSBDrives", {}},
      {"network", [] { return network::NetworkSection({}); }, L"TfrmNetwork", {}},
      {"user list", [] { return network::UserListSection({}); }, L"TfrmUserList", {}},
      {"adapters", [&] { return network::NetworkAdaptersSection(adapters); }, L"TfrmNetworkAdapters", {}},
      {"computers", [] { return network::ComputersSection(std::nullopt); }, L"TfrmComputers", {}},
      {"internet", [] { return network::InternetSection({}); }, L"TfrmInternet", {L"Internet Status"}},
      {"USB", [] { return usb::UsbSection({}); }, L"TfrmUSB", {}},
      {"CPU", [] { return cpu::CpuSection({}, {}, {}); }, L"TfrmCPU",
       {L"Current Voltage", L"CPU Usage", L"CPU Speed", L"CPU clock cycles"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ui::ReportSection section = c.section();
    EXPECT_EQ(section.id, c.id);
    EXPECT_EQ(VolatileNames(section), c.volatile_names);
  }
}

TEST(ReportSections, MemoryShowsTheGaugeAtItsPlaceAndTheTotalLast) {
  memory_display_time::MemoryWindowModel model;
  model.memory_load = 45;
  model.total = L"536870912 (0 GB)";
  model.modules = {{L"BANK 0", L"DIMM 0", L"64", L"536870912", L"", L""}};
  const ui::ReportSection section = memory_display_time::MemorySection(model);
  std::vector<std::wstring> labels;
  for (const auto& row : section.rows) labels.push_back(row.label);
  EXPECT_EQ(labels, (std::vector<std::wstring>{L"Physical Total", L"Physical Free", L"Page File Total",
                                               L"Page File Free", L"Virtual Total", L"Virtual Free",
                                               L"Memory Utilization", L"Allocation Granularity",
                                               L"Application Address Range", L"Page Size",
                                               L"Total Installed Memory"}));
  EXPECT_EQ(FindRow(section, L"Memory Utilization")->value, L"45 %");
  EXPECT_EQ(FindRow(section, L"Total Installed Memory")->value, L"536870912 (0 GB)");
  const ui::SectionList* modules = FindList(section, memory_display_time::kModulesCaption);
  ASSERT_TRUE(modules);
  EXPECT_EQ(modules->columns.size(), 6u);
  EXPECT_EQ(modules->rows, (Table{{L"BANK 0", L"DIMM 0", L"64", L"536870912", L"", L""}}));
}

// The window shows one entry of its drop-down list at a time; the report has them all.
TEST(ReportSections, DisplayListsEveryEntryWithItsOwnRowsAndFlags) {
  memory_display_time::DisplayReading reading;
  reading.adapters = {{L"\\\\.\\DISPLAY1", L"First", 0x1 | 0x4, L"Monitor"},
                      {L"\\\\.\\DISPLAY2", L"Second", 0x10, std::nullopt}};
  reading.driver_descriptions = {L"Driver"};
  reading.video.chips = {L"Chip A"};
  memory_display_time::DisplayWindowModel model = memory_display_time::BuildDisplayModel(reading);
  memory_display_time::SelectEntry(model, 1);  // what the user picked last does not matter
  const ui::ReportSection section = memory_display_time::DisplaySection(model);

  const ui::SectionList* entries = FindList(section, L"Adapters");
  ASSERT_TRUE(entries);
  EXPECT_EQ(entries->columns,
            (std::vector<std::wstring>{L"Adapters", L"Device", L"Chipset", L"DAC", L"Memory", L"State Flags"}));
  ASSERT_EQ(entries->rows.size(), model.entries.size());
  EXPECT_EQ(entries->rows[0][0], model.entries[0]);
  EXPECT_EQ(entries->rows[0][1], L"\\\\.\\DISPLAY1");
  EXPECT_EQ(entries->rows[0][2], L"Chip A");
  EXPECT_EQ(entries->rows[0][5], L"Display Device Attached To Desktop, Display Device Primary Device");
  EXPECT_EQ(entries->rows[1][2], L"") << "no chip of the second entry's own";
  EXPECT_EQ(entries->rows[1][5], L"Display Device VGA");
  EXPECT_EQ(entries->rows[2][5], L"") << "a driver description has no flags";
  EXPECT_FALSE(FindRow(section, L"Device")) << "the rows that follow the choice are in the list only";
  EXPECT_TRUE(FindRow(section, L"Driver Version"));
}

TEST(ReportSections, DrivesAreListedByTheirEntryWithWhatChangesApart) {
  const std::vector<storage::DriveReport> drives = {Drive(L"C: [SYS]", L"10 bytes", L"30\u00B0C"),
                                                    Drive(L"D: []", L"20 bytes", L"")};
  const ui::ReportSection section = storage::DiskSection(drives);

  const ui::SectionList* volumes = FindList(section, L"Drives");
  ASSERT_TRUE(volumes);
  EXPECT_EQ(volumes->columns.front(), L"Drive");
  EXPECT_EQ(volumes->columns.back(), L"File System Flags");
  EXPECT_EQ(std::ranges::count(volumes->columns, L"Free"), 0);
  ASSERT_EQ(volumes->rows.size(), 2u);
  EXPECT_EQ(volumes->rows[0].front(), L"C: [SYS]");
  EXPECT_EQ(volumes->rows[0][1], L"Fixed - NTFS");
  EXPECT_EQ(volumes->rows[0].back(), L"Case Is Preserved, Long Filenames");

  const ui::SectionList* free = FindList(section, L"Free Space");
  ASSERT_TRUE(free);
  EXPECT_EQ(free->columns, (std::vector<std::wstring>{L"Drive", L"Free", L"Free Clusters", L"% Used"}));
  EXPECT_EQ(free->rows, (Table{{L"C: [SYS]", L"10 bytes", L"", L"40.0 %"}, {L"D: []", L"20 bytes", L"", L"40.0 %"}}));

  const ui::SectionList* smart = FindList(section, L"SMART Information");
  ASSERT_TRUE(smart);
  EXPECT_EQ(std::ranges::count(smart->columns, L"Temperature"), 0);
  EXPECT_EQ(smart->rows[1][std::ranges::find(smart->columns, L"Modal Number") - smart->columns.begin()],
            L"Disk Model");
  EXPECT_EQ(FindList(section, L"SMART Readings")->rows, (Table{{L"C: [SYS]", L"30\u00B0C"}, {L"D: []", L""}}));

  const ui::SectionList* attributes = FindList(section, L"SMART Attributes");
  ASSERT_TRUE(attributes);
  EXPECT_EQ(attributes->columns.size(), 11u);
  ASSERT_EQ(attributes->rows.size(), 2u);
  EXPECT_EQ(attributes->rows[1][0], L"D: []");
  EXPECT_EQ(attributes->rows[1][2], L"Power-On Hours");
  for (const auto& row : attributes->rows) EXPECT_EQ(row.size(), 11u);

  EXPECT_FALSE(FindList(section, L"NVMe Health")) << "only a machine with an NVMe disk has the list";

  const ui::ReportSection none = storage::DiskSection({});
  for (const auto& list : none.lists) EXPECT_TRUE(list.rows.empty()) << "no drive, no rows";
}

TEST(ReportSections, AnNvmeDiskHasItsHealthUnderItsOwnColumns) {
  std::vector<storage::DriveReport> drives = {Drive(L"C: [SYS]", L"10 bytes", L"30\u00B0C"),
                                              Drive(L"E: [FAST]", L"20 bytes", L"")};
  storage::NvmeReading reading;
  reading.health = storage::NvmeHealth{};
  reading.health->power_cycles = storage::NvmeCounter{0, 12};
  drives[1].smart = storage::BuildNvmeSmartView(reading, L",");
  const ui::ReportSection section = storage::DiskSection(drives);

  const ui::SectionList* nvme = FindList(section, L"NVMe Health");
  ASSERT_TRUE(nvme);
  EXPECT_TRUE(nvme->is_volatile);
  EXPECT_EQ(nvme->columns, (std::vector<std::wstring>{L"Drive", L"Name", L"Value"}));
  ASSERT_FALSE(nvme->rows.empty());
  for (const auto& row : nvme->rows) EXPECT_EQ(row.front(), L"E: [FAST]");
  EXPECT_TRUE(std::ranges::any_of(nvme->rows, [](const auto& row) { return row[2] == L"12"; }));
  const ui::SectionList* attributes = FindList(section, L"SMART Attributes");
  ASSERT_TRUE(attributes);
  for (const auto& row : attributes->rows) EXPECT_EQ(row.front(), L"C: [SYS]") << "no NVMe row among the ATA ones";
}

// Cells of several lines stay one cell, their lines joined as the program joins lists in one line.
TEST(ReportSections, LinesInOneCellAreJoined) {
  storage::CdDvdDriveView cd;
  cd.inquiry.vendor = L"WINE";
  cd.capabilities = {L"Reads CD-R", L"Reads DVD-ROM"};
  const std::vector<storage::CdDriveReport> cds = {{L"E: [disc]", cd}, {L"F: []", {}}};
  const ui::ReportSection cd_section = storage::CdDvdSection(cds);
  ASSERT_EQ(cd_section.lists.size(), 1u);
  const ui::SectionList& cd_list = cd_section.lists[0];
  EXPECT_EQ(cd_list.columns.front(), L"Drive");
  EXPECT_EQ(cd_list.columns.back(), L"Drive Capabilities");
  EXPECT_EQ(cd_list.rows[0].front(), L"E: [disc]");
  EXPECT_EQ(cd_list.rows[0][1], L"WINE");
  EXPECT_EQ(cd_list.rows[0].back(), L"Reads CD-R | Reads DVD-ROM");
  EXPECT_EQ(cd_list.rows[1].back(), L"");

  storage::UsbDrivesView usb;
  usb.usb_count = L"1";
  usb.total_count = L"2";
  storage::UsbDriveRow row;
  row[0] = L"1";
  row[storage::kCapabilitiesColumn] = L"Random Access\rSupports Writing\r";
  usb.rows = {row};
  const ui::ReportSection usb_section = storage::UsbDrivesSection(usb);
  EXPECT_EQ(usb_section.rows, (std::vector<ui::SectionRow>{{L"USB Drives", L"1", false},
                                                           {L"Total No. of Drives", L"2", false}}));
  ASSERT_EQ(usb_section.lists.size(), 1u);
  EXPECT_EQ(usb_section.lists[0].rows[0][storage::kCapabilitiesColumn], L"Random Access | Supports Writing");
}

TEST(ReportSections, NetworkRowsOfSeveralLinesAreLists) {
  network::NetworkWindowModel model;
  model.computer_name = L"WINEHOST";
  model.adapters = {L"Adapter 1", L"Adapter 2"};
  model.drives = {{L'Z', L"\\\\server\\share"}};
  const ui::ReportSection section = network::NetworkSection(model);
  EXPECT_EQ(section.rows.size(), 9u);
  EXPECT_EQ(FindRow(section, L"Computer Name")->value, L"WINEHOST");
  EXPECT_EQ(FindList(section, L"Ethernet Adapters")->rows, (Table{{L"Adapter 1"}, {L"Adapter 2"}}));
  EXPECT_TRUE(FindList(section, L"Network Shares")->rows.empty());
  EXPECT_EQ(FindList(section, L"Network Drives")->rows, (Table{{L"Z: \\\\server\\share"}}));

  const ui::ReportSection users = network::UserListSection({L"WORKGROUP", {L"alice", L"bob"}});
  EXPECT_EQ(users.rows, (std::vector<ui::SectionRow>{{L"Domain / Workgroup Name", L"WORKGROUP", false}}));
  EXPECT_EQ(FindList(users, L"Accounts")->rows, (Table{{L"alice"}, {L"bob"}}));
}

TEST(ReportSections, AdaptersAreListedByName) {
  network::AdapterView view;
  view.ip_address = L"10.0.0.2";
  const std::vector<network::AdapterReport> adapters = {{L"First", view}, {L"Second", {}}};
  const ui::ReportSection section = network::NetworkAdaptersSection(adapters);
  ASSERT_EQ(section.lists.size(), 1u);
  EXPECT_EQ(section.lists[0].columns.front(), L"Adapter");
  EXPECT_EQ(section.lists[0].columns[1], L"IP Address");
  EXPECT_EQ(section.lists[0].rows[0][0], L"First");
  EXPECT_EQ(section.lists[0].rows[0][1], L"10.0.0.2");
  EXPECT_EQ(section.lists[0].rows[1][0], L"Second");
}

TEST(ReportSections, InternetFlagsAreRowsOfTheirOwn) {
  network::InternetWindowModel model;
  model.status = L"Connected";
  model.flags[0] = true;
  model.typed_urls = {L"http://a/"};
  model.browsers = {{L"Internet Explorer", L"8.0"}};
  const ui::ReportSection section = network::InternetSection(model);
  EXPECT_EQ(FindRow(section, L"Anchor Underline")->value, L"Yes");
  EXPECT_EQ(FindRow(section, L"Use Search Asst")->value, L"No");
  EXPECT_EQ(FindList(section, L"Typed URLs")->rows, (Table{{L"http://a/"}}));
  EXPECT_EQ(FindList(section, L"Internet Browsers")->rows, (Table{{L"Internet Explorer", L"8.0"}}));
  EXPECT_TRUE(FindList(section, L"IE Favourites")->rows.empty());
}

// A tree is reported once there is one; before the first walk there is none to report.
TEST(ReportSections, TreesWhenThereAreAny) {
  ui::TreeNode root{std::wstring(network::kNetworkTreeRoot), {}};
  root.Add(L"Microsoft Windows Network").Add(L"WORKGROUP");
  EXPECT_TRUE(network::ComputersSection(std::nullopt).trees.empty());
  const ui::ReportSection computers = network::ComputersSection(root);
  ASSERT_EQ(computers.trees.size(), 1u);
  EXPECT_EQ(computers.trees[0].nodes, std::vector<ui::TreeNode>{root});

  usb::UsbWindowModel usb;
  usb.host_controllers = L"2 host controllers.";
  EXPECT_TRUE(usb::UsbSection(usb).trees.empty());
  usb.tree = ui::TreeNode{usb::kHidTreeRoot, {}};
  const ui::ReportSection usb_section = usb::UsbSection(usb);
  ASSERT_EQ(usb_section.trees.size(), 1u);
  EXPECT_EQ(usb_section.trees[0].title, L"Devices");
  EXPECT_EQ(FindRow(usb_section, L"USB Host Controllers")->value, L"2 host controllers.");
}

TEST(ReportSections, CpuLiveDisplaysAndFeatures) {
  cpu::CpuDisplays displays;
  displays.usage_label = L"12.5 %";
  displays.speed_digits = L"02400";
  displays.counter_digits = L"0000001234567890";
  const ui::ReportSection section =
      cpu::CpuSection({}, {{L"FPU", true}, {L"MMX", false}}, displays);
  EXPECT_EQ(section.rows.size(), cpu::kCpuRowCount + 3);
  EXPECT_EQ(FindRow(section, L"CPU Usage")->value, L"12.5 %");
  EXPECT_EQ(FindRow(section, L"CPU Speed")->value, L"02400 MHz");
  EXPECT_EQ(FindRow(section, L"CPU clock cycles")->value, L"0000001234567890");
  EXPECT_EQ(FindRow(cpu::CpuSection({}, {}, {}), L"CPU Speed")->value, L"") << "not measured: no figure";
  EXPECT_EQ(FindList(section, L"Features")->rows, (Table{{L"FPU", L"Yes"}, {L"MMX", L"No"}}));
}

}  // namespace
}  // namespace corvane
