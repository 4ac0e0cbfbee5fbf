// The memory window from the main window under Wine: the figures of the
// operating system in the bytes form, the memory load as a gauge, and the
// modules Wine's WMI lists. Wine gives Win32_PhysicalMemory only some of
// its properties (no data width, speed or manufacturer), so the list is
// checked against the properties this process reads for itself.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "memory_display_time/memory_view.h"
#include "memory_display_time/memory_window_ids.h"

namespace corvane::e2e {
namespace {

namespace ids = memory_display_time::memory_ids;
using memory_display_time::BytesText;
using memory_display_time::GroupedBytesText;

std::wstring ThousandsSeparator() {
  wchar_t sep[8] = {};
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, sep, 8) > 1 ? sep : L",";
}

// Eight or more upper-case hexadecimal digits.
bool IsAddress(const std::wstring& text) {
  return text.size() >= 8 && text.find_first_not_of(L"0123456789ABCDEF") == std::wstring::npos;
}

class MemoryWindow : public WindowSuite<MemoryWindow> {
 public:
  // View, Memory Info; the total is shown last.
  static WindowCommand Window() { return {app::kCmdMemoryInfo, L"TfrmMemory"}; }
  static FilledTest Filled() { return ChildHasText(ids::kIdEdit2); }

 protected:
  // What the module list should show, from this process's own reading:
  // every instance, each property by name, empty where the class has none;
  // a null speed or manufacturer empty too.
  static std::vector<std::vector<std::wstring>> ExpectedModules(const std::vector<WmiObjectTexts>& objects) {
    std::vector<std::vector<std::wstring>> rows;
    for (const WmiObjectTexts& o : objects) {
      const auto text = [&](const wchar_t* name, bool null_is_empty) {
        const auto it = o.find(name);
        if (it == o.end() || (null_is_empty && it->second == L"NULL")) return std::wstring();
        return it->second;
      };
      rows.push_back({text(L"BankLabel", false), text(L"DeviceLocator", false), text(L"DataWidth", false),
                      text(L"Capacity", false), text(L"Speed", true), text(L"Manufacturer", true)});
    }
    return rows;
  }
};

TEST_F(MemoryWindow, OpensFromTheMainWindowWithTheFiguresInTheirForms) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"Memory"));
  EXPECT_GT(Ask(app_->Control(app::kIdToolbar), TB_ISBUTTONENABLED, app::kCmdMemoryInfo), 0) << "its command is enabled";
  const std::pair<int, const wchar_t*> labels[] = {
      {ids::kIdInfo1, L"Physical Total"},          {ids::kIdInfo2, L"Physical Free"},
      {ids::kIdInfo3, L"Page File Total"},         {ids::kIdInfo4, L"Page File Free"},
      {ids::kIdInfo5, L"Virtual Total"},           {ids::kIdInfo6, L"Virtual Free"},
      {ids::kIdMemoryLoadRow, L"Memory Utilization"}, {ids::kIdInfo7, L"Allocation Granularity"},
      {ids::kIdInfo8, L"Application Address Range"}, {ids::kIdInfo9, L"Page Size"},
  };
  for (const auto& [id, label] : labels) EXPECT_EQ(Text(id + 50), label);
  EXPECT_EQ(Text(ids::kIdListCaption), L"Installed Memory Modules");
  EXPECT_EQ(Text(ids::kIdTotalLabel), L"Total Installed Memory");

  // The machine's physical memory as this process sees it, in the bytes form.
  const std::wstring sep = ThousandsSeparator();
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  ASSERT_TRUE(GlobalMemoryStatusEx(&status));
  EXPECT_EQ(Text(ids::kIdInfo1), BytesText(status.ullTotalPhys, sep));
  for (int id : {ids::kIdInfo2, ids::kIdInfo3, ids::kIdInfo4, ids::kIdInfo5, ids::kIdInfo6}) {
    const std::wstring text = Text(id);
    EXPECT_NE(text.find(L" bytes   ("), std::wstring::npos) << text;
    EXPECT_TRUE(text.ends_with(L" MB)")) << text;
  }
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  EXPECT_EQ(Text(ids::kIdInfo7), GroupedBytesText(info.dwAllocationGranularity, sep));
  EXPECT_EQ(Text(ids::kIdInfo9), GroupedBytesText(info.dwPageSize, sep));
  const std::wstring range = Text(ids::kIdInfo8);
  const std::size_t dash = range.find(L" - ");
  ASSERT_NE(dash, std::wstring::npos) << range;
  EXPECT_TRUE(IsAddress(range.substr(0, dash))) << range;
  EXPECT_TRUE(IsAddress(range.substr(dash + 3))) << range;

  HWND gauge = Child(ids::kIdGauge1);
  ASSERT_TRUE(gauge) << "no memory load gauge";
  EXPECT_EQ(ClassName(gauge), L"msctls_progress32");
  EXPECT_TRUE(IsWindowVisible(gauge));
  const LRESULT load = Ask(gauge, PBM_GETPOS);
  EXPECT_GE(load, 0);
  EXPECT_LE(load, 100);
}

TEST_F(MemoryWindow, ListsEveryModuleWmiReportsByPropertyNameWithTheirTotal) {
  const auto objects = QueryWmiObjects(
      L"SELECT * FROM Win32_PhysicalMemory",
      {L"BankLabel", L"DeviceLocator", L"DataWidth", L"Capacity", L"Speed", L"Manufacturer"});
  ASSERT_TRUE(objects) << "WMI cannot be asked from the test";
  ASSERT_FALSE(objects->empty()) << "Wine's WMI lists no memory module";

  HWND list = Child(ids::kIdListView1);
  EXPECT_EQ(app_->ListHeaders(list), (std::vector<std::wstring>{L"Bank", L"Device", L"Data Width", L"Capacity",
                                                                 L"Speed", L"Manufacturer"}));
  const auto cells = app_->ListCells(list);
  ASSERT_TRUE(cells) << "the module list cannot be read";
  EXPECT_EQ(*cells, ExpectedModules(*objects));

  // What is stable in Wine's answer: one module, "BANK 0" in "DIMM 0", with
  // no data width, speed or manufacturer (the class has no such properties
  // there, so looking them up by position would have shifted others in).
  ASSERT_EQ(cells->size(), 1u);
  const std::vector<std::wstring>& wine = cells->front();
  EXPECT_EQ(wine[0], L"BANK 0");
  EXPECT_EQ(wine[1], L"DIMM 0");
  EXPECT_EQ(wine[2], L"");
  EXPECT_EQ(wine[4], L"");
  EXPECT_EQ(wine[5], L"");

  // Each capacity is in whole bytes, and the total is their sum.
  std::uint64_t sum = 0;
  for (const auto& row : *cells) {
    EXPECT_FALSE(row[0].empty()) << "bank";
    EXPECT_FALSE(row[1].empty()) << "device";
    ASSERT_FALSE(row[3].empty());
    ASSERT_EQ(row[3].find_first_not_of(L"0123456789"), std::wstring::npos) << row[3];
    sum += std::stoull(row[3]);
  }
  EXPECT_EQ(Text(ids::kIdEdit2), std::to_wstring(sum) + L" (" + std::to_wstring(sum >> 30) + L" GB)");
}

TEST_F(MemoryWindow, RefreshAndShowingAgainKeepTheList) {
  HWND list = Child(ids::kIdListView1);
  const auto before = app_->ListCells(list);
  ASSERT_TRUE(before);
  const std::wstring total = Text(ids::kIdEdit2);
  ASSERT_NE(Ask(window_, WM_COMMAND, ids::kCmdRefresh), -1);
  EXPECT_EQ(app_->ListCells(list), before) << "after View, Refresh";
  EXPECT_EQ(Text(ids::kIdEdit2), total);
  Close();
  ASSERT_TRUE(Open());
  EXPECT_EQ(app_->ListCells(list), before) << "second showing";
  EXPECT_EQ(Text(ids::kIdEdit2), total);
}

TEST_F(MemoryWindow, F7OnTheMainWindowShowsItAndFileCloseHidesIt) {
  Close();
  ASSERT_TRUE(app_->PostKey(VK_F7));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) != FALSE; }, kUiTimeout)) << "F7 shows it again";
  EXPECT_TRUE(WaitUntil([&] { return !Text(ids::kIdInfo1).empty(); }, kUiTimeout));
  ASSERT_NE(Ask(window_, WM_COMMAND, ids::kCmdClose), -1);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }, kUiTimeout));
  EXPECT_TRUE(app_->running());
}

}  // namespace
}  // namespace corvane::e2e
