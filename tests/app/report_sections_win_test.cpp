// The report sections of the memory, display, date/time, storage, network,
// USB and CPU windows under Wine: each window, made as the creation list (or,
// for the CPU window, its command) makes it and never built, refreshes for
// the report into a section named after its class and caption, and stays
// unbuilt; every list row is as long as its columns.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "cpu/cpu_window_win.h"
#include "cpu/meters_window_win.h"
#include "memory_display_time/datetime_window_win.h"
#include "memory_display_time/display_window_win.h"
#include "memory_display_time/memory_window_win.h"
#include "network/computers_window_win.h"
#include "network/internet_window_win.h"
#include "network/network_adapters_window_win.h"
#include "network/network_window_win.h"
#include "network/user_list_window_win.h"
#include "platform/com_win.h"
#include "storage/cddvd_window_win.h"
#include "storage/disk_window_win.h"
#include "storage/usb_drives_window_win.h"
#include "ui/theme_win.h"
#include "usb/usb_window_win.h"

namespace corvane {
namespace {

using MakeWindow = std::function<std::unique_ptr<ui::Window>(const ui::Theme&)>;

// No other window is there to be found: the report runs without the main window built.
const ui::FindWindowFn kFindNothing = [](std::wstring_view) -> ui::Window* { return nullptr; };

template <class W>
MakeWindow Make() {
  return [](const ui::Theme& theme) { return std::make_unique<W>(theme); };
}
template <class W>
MakeWindow MakeWithFinder() {
  return [](const ui::Theme& theme) { return std::make_unique<W>(theme, kFindNothing); };
}

struct Listed {
  const wchar_t* class_name;
  const wchar_t* caption;  // nullptr: the window has no section
  MakeWindow make;
};

const Listed kWindows[] = {
    {L"TfrmMemory", L"Memory", Make<memory_display_time::MemoryWindow>()},
    {L"TfrmDisplay", L"Display", MakeWithFinder<memory_display_time::DisplayWindow>()},
    {L"TfrmDisk", L"Drive Information", MakeWithFinder<storage::DiskWindow>()},
    // Its usage history is all it has, and the CPU window reports the usage.
    {L"TfrmMeters", nullptr, Make<cpu::MetersWindow>()},
    {L"TfrmCDDVD", L"CD / DVD Information", Make<storage::CdDvdWindow>()},
    {L"TfrmNetwork", L"Network", MakeWithFinder<network::NetworkWindow>()},
    {L"TfrmUserList", L"User List", Make<network::UserListWindow>()},
    {L"TfrmNetworkAdapters", L"Network Adapters", Make<network::NetworkAdaptersWindow>()},
    {L"TfrmComputers", L"Computers", Make<network::ComputersWindow>()},
    {L"TfrmInternet", L"Internet", Make<network::InternetWindow>()},
    {L"TfrmUSBDrives", L"USB Drives", Make<storage::UsbDrivesWindow>()},
    {L"TfrmUSB", L"USB", MakeWithFinder<usb::UsbWindow>()},
    {L"TfrmDateTime", L"Time and Date", Make<memory_display_time::DateTimeWindow>()},
    // Made by its command for each showing, with the main window as owner.
    {L"TfrmCPU", L"CPU Info",
     [](const ui::Theme& theme) { return std::make_unique<cpu::CpuWindow>(theme, nullptr, nullptr); }},
};

TEST(ReportSectionsWin, EveryWindowRefreshesForTheReportWithoutBeingBuilt) {
  const platform::ComApartment com;
  const ui::Theme theme;
  for (const Listed& listed : kWindows) {
    SCOPED_TRACE(testing::Message() << std::string(listed.class_name, listed.class_name + wcslen(listed.class_name)));
    const std::unique_ptr<ui::Window> window = listed.make(theme);
    const std::optional<ui::ReportSection> section = window->RefreshForReport();
    EXPECT_FALSE(window->built());
    if (!listed.caption) {
      EXPECT_FALSE(section);
      continue;
    }
    ASSERT_TRUE(section);
    EXPECT_EQ(section->id, listed.class_name);
    EXPECT_EQ(section->title, listed.caption);
    EXPECT_FALSE(section->rows.empty() && section->lists.empty() && section->trees.empty()) << "an empty section";
    for (const ui::SectionList& list : section->lists) {
      for (const auto& row : list.rows) EXPECT_EQ(row.size(), list.columns.size());
    }
  }
}

// What Wine's machine has for certain reaches the section through the model.
TEST(ReportSectionsWin, SectionsCarryWhatTheWindowRead) {
  const platform::ComApartment com;
  const ui::Theme theme;
  memory_display_time::MemoryWindow memory(theme);
  const auto memory_section = memory.RefreshForReport();
  ASSERT_TRUE(memory_section);
  ASSERT_FALSE(memory_section->rows.empty());
  EXPECT_EQ(memory_section->rows.front().label, L"Physical Total");
  EXPECT_EQ(memory_section->rows.front().value, memory.model().physical_total);
  EXPECT_NE(memory.model().physical_total, L" bytes   (1 MB)") << "the figures were read";

  network::NetworkWindow network(theme, kFindNothing);
  const auto network_section = network.RefreshForReport();
  ASSERT_TRUE(network_section);
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  ASSERT_TRUE(GetComputerNameW(name, &size));
  ASSERT_FALSE(network_section->rows.empty());
  EXPECT_EQ(network_section->rows.front().label, L"Computer Name");
  EXPECT_EQ(network_section->rows.front().value, name);
  EXPECT_FALSE(network.looking_up()) << "the look-up was waited for or abandoned";

  storage::DiskWindow disk(theme, kFindNothing);
  const auto disk_section = disk.RefreshForReport();
  ASSERT_TRUE(disk_section);
  ASSERT_FALSE(disk_section->lists.empty());
  EXPECT_EQ(disk_section->lists.front().rows.size(), disk.model().drives.size()) << "one row per fixed drive";
  EXPECT_FALSE(disk.model().drives.empty()) << "Wine maps C: as a fixed drive";
}

}  // namespace
}  // namespace corvane
