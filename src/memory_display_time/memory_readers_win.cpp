#include "memory_display_time/memory_readers_win.h"

#include <windows.h>

#include <cstdint>

#include "platform/wmi_win.h"

namespace corvane::memory_display_time {

MemoryFigures ReadMemoryFigures() {
  MemoryFigures f;
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (GlobalMemoryStatusEx(&status)) {
    f.total_phys = status.ullTotalPhys;
    f.avail_phys = status.ullAvailPhys;
    f.total_page_file = status.ullTotalPageFile;
    f.avail_page_file = status.ullAvailPageFile;
    f.total_virtual = status.ullTotalVirtual;
    f.avail_virtual = status.ullAvailVirtual;
    f.memory_load = status.dwMemoryLoad;
  }
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  f.allocation_granularity = info.dwAllocationGranularity;
  f.min_app_address = reinterpret_cast<std::uintptr_t>(info.lpMinimumApplicationAddress);
  f.max_app_address = reinterpret_cast<std::uintptr_t>(info.lpMaximumApplicationAddress);
  f.page_size = info.dwPageSize;
  return f;
}

ModuleTable ReadModuleTable() {
  ModuleTable table;
  table.properties = platform::WmiQueryTable(L".", L"root\\CIMV2", L"", L"", kPhysicalMemoryClass, table.instances,
                                             table.grid);
  return table;
}

}  // namespace corvane::memory_display_time
