// The child the delay-load tests run (delay_load_win_test.cpp): makes the
// first call of one delay-imported function as its command line says and
// prints what came back.
//   corvane_delay_probe.exe CASE [attended]
// CASE: absent-library, absent-function, absent-function-on-thread (the
// call made on a second thread), double-argument. Without "attended" the
// run is unattended, as /AUTO's is: failures go to the standard error
// stream. A binding that fails must end the process (exit code 1) before
// the call returns; if the call returns anyway the probe says so and ends
// with 3.
#include <windows.h>
// after windows.h
#include <oleauto.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string_view>
#include <thread>

#include "ui/window_win.h"

extern "C" {
// The probe's own delay imports (cmake/win32.cmake): from a library that no
// system has, and a function that version.dll lacks.
void WINAPI CorvaneAbsentLibraryProbe();
void WINAPI CorvaneAbsentFunctionProbe();
// Windows Vista's, from iphlpapi, which the programs delay-load: the import
// check's --catches run must find this delay import (tests/imports).
DWORD WINAPI GetIfTable2(void** table);
}

// Referenced, never called: the reference alone puts it in the delay imports
// (a global, so that the compiler keeps it).
void* volatile corvane_probe_newer_than_xp = reinterpret_cast<void*>(&GetIfTable2);

namespace {

int Returned() {
  std::puts("returned");
  return 3;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  _setmode(_fileno(stdout), _O_BINARY);  // "\n" as written, like the failure's line
  const std::string_view name = argv[1];
  corvane::ui::SetUnattended(!(argc > 2 && std::string_view(argv[2]) == "attended"));
  if (name == "absent-library") {
    CorvaneAbsentLibraryProbe();
    return Returned();
  }
  if (name == "absent-function") {
    CorvaneAbsentFunctionProbe();
    return Returned();
  }
  if (name == "absent-function-on-thread") {
    std::thread([] { CorvaneAbsentFunctionProbe(); }).join();
    return Returned();
  }
  if (name == "double-argument") {
    // The first call through the thunk: 2000-01-01 18:00 as a date of OLE
    // Automation, a double passed in a floating-point register on x86-64.
    SYSTEMTIME t{};
    if (!VariantTimeToSystemTime(36526.75, &t)) {
      std::puts("VariantTimeToSystemTime failed");
      return 3;
    }
    std::printf("%04u-%02u-%02u %02u:%02u\n", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute);
    return 0;
  }
  return 2;
}
