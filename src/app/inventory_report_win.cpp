#include "app/inventory_report_win.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "app/report_order.h"
#include "platform/failure_text_win.h"
#include "platform/registry_win.h"
#include "platform/system_function_win.h"
#include "platform/text_file_win.h"
#include "report/glpi_inventory.h"
#include "report/inventory.h"
#include "ui/product.h"

namespace corvane::app {
namespace {

std::wstring ComputerName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
}

// The machine GUID Windows makes at setup. A 32-bit program on 64-bit
// Windows is shown a registry view without it, so the 64-bit view is asked
// for there; 32-bit Windows has one view and is given no flag (Windows 2000
// refuses it). Empty where there is none.
std::wstring MachineGuid() {
  platform::Registry reg(KEY_QUERY_VALUE | platform::SystemViewFlag());
  reg.SetRoot(HKEY_LOCAL_MACHINE);
  try {
    if (reg.OpenKey(L"SOFTWARE\\Microsoft\\Cryptography", false)) return reg.ReadString(L"MachineGuid");
  } catch (const std::exception&) {
    // A value of another type is no key: the product ID stands in.
  }
  return {};
}

// The milliseconds since the system started; where Windows XP lacks
// GetTickCount64, the 32-bit count, which starts again after 49.7 days.
ULONGLONG MillisecondsSinceStart() {
  using TickCount64Fn = ULONGLONG(WINAPI*)();
  static const auto tick_count64 = platform::LoadedFunction<TickCount64Fn>(L"kernel32.dll", "GetTickCount64");
  return tick_count64 ? tick_count64() : GetTickCount();
}

// When the system started, as local time: now less the milliseconds since.
report::LocalTime BootTime() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER ticks{};
  ticks.LowPart = now.dwLowDateTime;
  ticks.HighPart = now.dwHighDateTime;
  ticks.QuadPart -= MillisecondsSinceStart() * 10000;  // 100-nanosecond units
  const FILETIME boot{ticks.LowPart, ticks.HighPart};
  FILETIME local{};
  SYSTEMTIME t{};
  FileTimeToLocalFileTime(&boot, &local);
  FileTimeToSystemTime(&local, &t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond, 0};
}

std::wstring GeneratedNow() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  TIME_ZONE_INFORMATION zone{};
  LONG bias = 0;  // UTC minus local time, in minutes
  switch (GetTimeZoneInformation(&zone)) {
    case TIME_ZONE_ID_STANDARD:
      bias = zone.Bias + zone.StandardBias;
      break;
    case TIME_ZONE_ID_DAYLIGHT:
      bias = zone.Bias + zone.DaylightBias;
      break;
    case TIME_ZONE_ID_UNKNOWN:
      bias = zone.Bias;
      break;
    default:  // no zone known: the time is written as if it were UTC
      break;
  }
  return report::IsoLocalTimeText(
      {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, static_cast<int>(-bias)});
}

std::int64_t MillisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER end{}, frequency{};
  QueryPerformanceCounter(&end);
  QueryPerformanceFrequency(&frequency);
  return (end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart;
}

}  // namespace

int RunInventoryReport(ListedWindows windows, const std::wstring& file, ReportFormat format) {
  report::InventoryDocument doc;
  doc.version = ui::kVersion;
  doc.generated = GeneratedNow();
  doc.machine = ComputerName();
  // Read in the order that lets the clock sample run under the other
  // sections; listed in the windows' own order.
  std::vector<std::optional<report::InventorySection>> read(windows.size());
  std::vector<std::wstring_view> names;
  for (const auto& entry : windows) names.push_back(entry.first);
  for (const std::size_t i : ReportReadingOrder(names)) {
    const auto& [class_name, window] = windows[i];
    LARGE_INTEGER start{};
    QueryPerformanceCounter(&start);
    report::InventorySection entry;
    try {
      auto section = window->RefreshForReport();
      if (!section) continue;  // a window with nothing of its own to report
      entry.section = *std::move(section);
    } catch (const std::exception& e) {
      // What was read before the failure went with it: the section names the
      // window and the failure, and the other windows are still reported.
      entry.section.id = std::wstring(class_name);
      entry.section.title = std::wstring(class_name);
      entry.error = platform::FailureText(e);
      ui::ShowErrorBox(nullptr, std::wstring(class_name) + L": " + entry.error);
    }
    entry.milliseconds = MillisecondsSince(start);
    read[i] = std::move(entry);
  }
  for (auto& entry : read) {
    if (entry) doc.sections.push_back(*std::move(entry));
  }

  const std::string bytes = format == ReportFormat::kGlpi
                                ? report::GlpiInventoryJson(doc, {MachineGuid(), BootTime()})
                                : report::InventoryInForm(doc, report::FormForFile(file));
  const DWORD error = platform::ReplaceFileWithBytes(file, bytes);
  if (error != ERROR_SUCCESS) {
    ui::ShowErrorBox(nullptr, L"The report could not be written to " + file + L": " + platform::SystemMessage(error));
    return 1;
  }
  return 0;
}

}  // namespace corvane::app
