// The failure hook of the delay-load helper, and the helper's entry the
// delay-import libraries call (cmake/delay_load.cmake renames their call of
// __delayLoadHelper2 to corvane_delay_load_helper). The renaming makes every
// program that delay-loads link this file, hook included, or fail to link:
// without the hook a missing function would end in an SEH exception raised
// through thunks that cannot be unwound, a crash instead of a message.
#include "platform/delay_load_win.h"

#include <windows.h>
// after windows.h
#include <delayimp.h>

#include <atomic>
#include <string>

extern "C" FARPROC WINAPI __delayLoadHelper2(PCImgDelayDescr descriptor, FARPROC* slot);

namespace corvane::platform {
namespace {

std::atomic<DelayLoadFailureReport> g_report{nullptr};

void ReportToStandardError(std::wstring_view message) {
  std::wstring line(message);
  line += L"\n";
  const int size = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string utf8(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), utf8.data(), size, nullptr, nullptr);
  const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  DWORD written = 0;
  if (!err || err == INVALID_HANDLE_VALUE ||
      !WriteFile(err, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr)) {
    OutputDebugStringW(line.c_str());
  }
}

// Library and function names are ASCII in the import tables.
std::wstring Widened(const char* text) {
  std::wstring wide;
  for (; text && *text; ++text) wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
  return wide;
}

std::wstring SystemText(DWORD code) {
  wchar_t buffer[512] = {};
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                           sizeof buffer / sizeof buffer[0], nullptr);
  while (n > 0 && (buffer[n - 1] == L'\r' || buffer[n - 1] == L'\n' || buffer[n - 1] == L' ')) --n;
  if (n == 0) return L"error " + std::to_wstring(code);
  return std::wstring(buffer, n);
}

std::wstring FailureMessage(unsigned notice, const DelayLoadInfo& info) {
  const std::wstring function = info.dlp.fImportByName ? Widened(info.dlp.szProcName)
                                                       : L"#" + std::to_wstring(info.dlp.dwOrdinal);
  std::wstring message = Widened(info.szDll) + L": " + function + L" is missing";
  if (notice == dliFailLoadLib) message += L" (the library could not be loaded: " + SystemText(info.dwLastError) + L")";
  return message;
}

[[noreturn]] void EndProcess() {
  TerminateProcess(GetCurrentProcess(), 1);
  for (;;) Sleep(INFINITE);
}

// Never returns: returning nullptr would let the helper raise its exception.
// The process is ended with TerminateProcess, not ExitProcess: other threads
// may hold locks, and the destructors and exit handlers ExitProcess runs
// could themselves call into the missing library.
FARPROC WINAPI OnDelayLoadFailure(unsigned notice, PDelayLoadInfo info) {
  static std::atomic<DWORD> reporter{0};
  const DWORD self = GetCurrentThreadId();
  DWORD first = 0;
  if (!reporter.compare_exchange_strong(first, self)) {
    // A failure is already being reported and its report ends the process.
    // On the reporting thread itself (a window that the error box let run
    // made the call), waiting would keep the box from ever closing.
    if (first == self) EndProcess();
    for (;;) Sleep(INFINITE);
  }
  const DelayLoadFailureReport report = g_report.load();
  const std::wstring message =
      notice == dliFailLoadLib || notice == dliFailGetProc ? FailureMessage(notice, *info)
                                                           : L"delay loading failed (notice " + std::to_wstring(notice) + L")";
  (report ? report : &ReportToStandardError)(message);
  EndProcess();
}

}  // namespace

void SetDelayLoadFailureReport(DelayLoadFailureReport report) noexcept { g_report.store(report); }

}  // namespace corvane::platform

extern "C" {

// Read by the helper (mingw-w64's, in libmingwex); defined here, it takes
// the place of the library's empty one.
PfnDliHook __pfnDliFailureHook2 = &corvane::platform::OnDelayLoadFailure;

#if defined(__x86_64__)
// The code dlltool (binutils 2.40) puts between a delay-import thunk and the
// helper keeps the argument registers rcx, rdx, r8 and r9, but not xmm0 to
// xmm3: a floating-point argument of a function's first call would reach it
// as whatever loading the library left there (under Wine, 0.0). This entry
// keeps them across the helper.
asm(R"(
    .text
    .globl corvane_delay_load_helper
    .def corvane_delay_load_helper; .scl 2; .type 32; .endef
    .seh_proc corvane_delay_load_helper
corvane_delay_load_helper:
    subq $0x68, %rsp
    .seh_stackalloc 0x68
    .seh_endprologue
    movups %xmm0, 0x20(%rsp)
    movups %xmm1, 0x30(%rsp)
    movups %xmm2, 0x40(%rsp)
    movups %xmm3, 0x50(%rsp)
    call __delayLoadHelper2
    movups 0x20(%rsp), %xmm0
    movups 0x30(%rsp), %xmm1
    movups 0x40(%rsp), %xmm2
    movups 0x50(%rsp), %xmm3
    addq $0x68, %rsp
    ret
    .seh_endproc
)");
#else
// On i386 every argument is on the stack, which the thunk leaves alone.
FARPROC WINAPI corvane_delay_load_helper(PCImgDelayDescr descriptor, FARPROC* slot) {
  return __delayLoadHelper2(descriptor, slot);
}
#endif

}  // extern "C"
