#include "app/inventory_report_win.h"

#include <windows.h>

#include "platform/failure_text_win.h"
#include "platform/text_file_win.h"
#include "report/inventory.h"
#include "ui/product.h"

namespace corvane::app {
namespace {

std::wstring ComputerName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
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

int RunInventoryReport(ListedWindows windows, const std::wstring& file) {
  report::InventoryDocument doc;
  doc.version = ui::kVersion;
  doc.generated = GeneratedNow();
  doc.machine = ComputerName();
  for (const auto& [class_name, window] : windows) {
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
    doc.sections.push_back(std::move(entry));
  }

  const DWORD error = platform::ReplaceFileWithBytes(file, report::InventoryInForm(doc, report::FormForFile(file)));
  if (error != ERROR_SUCCESS) {
    ui::ShowErrorBox(nullptr, L"The report could not be written to " + file + L": " + platform::SystemMessage(error));
    return 1;
  }
  return 0;
}

}  // namespace corvane::app
