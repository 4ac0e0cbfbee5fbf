// The threading runtime asks kernel32 for GetTickCount64, which Windows XP
// does not export: with that import the program would not even start there.
// This file takes the import's place. Its slot first points at a resolver
// that looks the function up once and writes what it found (or the fallback
// below) into the slot, so later calls go straight there. The programs link
// this file directly, ahead of the import libraries, so the runtime's
// reference binds here and the import table never names the function.
#include <windows.h>

#include "platform/system_function_win.h"
#include "platform/tick_carry.h"

namespace {

using TickCount64Fn = ULONGLONG(WINAPI*)();

// GetTickCount carried past its wrap, for systems without GetTickCount64.
// A spin lock rather than a critical section: this may run before anything
// could initialise one, and the work inside is a few instructions.
ULONGLONG WINAPI TickCountCarried() {
  static LONG busy = 0;
  static corvane::platform::TickCarry carry;
  while (InterlockedExchange(&busy, 1) != 0) Sleep(0);
  const ULONGLONG carried = carry.Next(GetTickCount());
  InterlockedExchange(&busy, 0);
  return carried;
}

ULONGLONG WINAPI ResolveTickCount64();

}  // namespace

// The import slot the runtime calls through, under the name the import
// library would give it. A pointer-sized store is atomic on x86, so two
// threads resolving at once both write the same, whole value.
#if defined(__i386__)
#define CORVANE_TICK_IMPORT_NAME "__imp__GetTickCount64@0"
#else
#define CORVANE_TICK_IMPORT_NAME "__imp_GetTickCount64"
#endif
extern "C" {
TickCount64Fn corvane_tick_count64_slot __asm__(CORVANE_TICK_IMPORT_NAME) = &ResolveTickCount64;
}

namespace {

ULONGLONG WINAPI ResolveTickCount64() {
  TickCount64Fn found = corvane::platform::LoadedFunction<TickCount64Fn>(L"kernel32.dll", "GetTickCount64");
  if (!found) found = &TickCountCarried;
  corvane_tick_count64_slot = found;
  return found();
}

}  // namespace
