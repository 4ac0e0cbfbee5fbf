// What the memory window reads from the system: the memory status and
// system information, and WMI's table of the installed memory modules.
#pragma once

#include "memory_display_time/memory_view.h"

namespace corvane::memory_display_time {

// GlobalMemoryStatusEx and GetSystemInfo; a call that fails leaves its
// figures zero.
MemoryFigures ReadMemoryFigures();

// Every instance of Win32_PhysicalMemory in root\CIMV2 of this machine,
// through the table query (COM must be initialised on this thread).
ModuleTable ReadModuleTable();

}  // namespace corvane::memory_display_time
