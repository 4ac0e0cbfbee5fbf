// Entry point of the end-to-end suite. The program of the same word size
// (corvane.exe or corvane64.exe) must sit beside this
// program; without it every test would fail the same way, so say so once.
#include <windows.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "e2e/harness.h"

int main(int argc, char** argv) {
  // A crash of this program or of the corvane.exe it starts (the error mode is
  // inherited) must end the process, not wait for a click.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
  testing::InitGoogleTest(&argc, argv);
  const std::wstring exe = corvane::e2e::CorvanePath();
  if (!corvane::e2e::FileExists(exe)) {
    std::fprintf(stderr, "%ls not found beside the test program\n", exe.c_str());
    return 2;
  }
  return RUN_ALL_TESTS();
}
