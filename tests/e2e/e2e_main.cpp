// Entry point of the end-to-end suite. corvane.exe must sit beside this
// program; without it every test would fail the same way, so say so once.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "e2e/harness.h"

int main(int argc, char** argv) {
  // A crash of this program or of the corvane.exe it starts (the error mode is
  // inherited) must end the process, not wait for a click.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  // The test display has no window manager. Wine's X11 driver then waits two
  // seconds for a manager's answer each time a managed window is hidden or
  // destroyed (about box closed, program ended); unmanaged windows skip that
  // wait and behave the same otherwise. Programs read this at start, so it
  // holds for every corvane.exe started below.
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    corvane::platform::UniqueKey owner(key);
    static const wchar_t kNo[] = L"N";
    RegSetValueExW(key, L"Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>(kNo), sizeof kNo);
  }
  testing::InitGoogleTest(&argc, argv);
  const std::wstring exe = corvane::e2e::CorvanePath();
  if (!corvane::e2e::FileExists(exe)) {
    std::fprintf(stderr, "corvane.exe not found beside the test program: %ls\n", exe.c_str());
    return 2;
  }
  return RUN_ALL_TESTS();
}
