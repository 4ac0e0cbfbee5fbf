#include "app/collectors/report_collectors_win.h"

#include "app/collectors/collector_text.h"
#include "app/collectors/system_readings_win.h"
#include "platform/locale_win.h"

namespace corvane::app {

std::wstring GraphicsCollector() {
  try {
    const auto adapters = ReadDisplayAdapters(false, 1);
    return adapters.empty() ? std::wstring() : adapters.front().device_string;
  } catch (...) {
    return {};
  }
}

std::wstring HardDisksCollector() {
  try {
    return DriveSizesReportText(ReadFixedDrives(DriveQuantity::kTotal), platform::ReadDecimalSeparator());
  } catch (...) {
    return {};
  }
}

}  // namespace corvane::app
