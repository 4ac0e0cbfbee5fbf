#include "platform/dpi_win.h"

#include "platform/system_function_win.h"
#include "platform/unique_handle.h"

namespace corvane::platform {
namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using EnableNonClientFn = BOOL(WINAPI*)(HWND);
using SetContextFn = BOOL(WINAPI*)(HANDLE);
using SetAwareFn = BOOL(WINAPI*)();

// DPI_AWARENESS_CONTEXT values, which older headers lack.
const HANDLE kPerMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE kPerMonitor = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));

}  // namespace

int ScreenDpi() {
  static const int dpi = [] {
    WindowDc screen(nullptr);
    const int value = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return value > 0 ? value : 96;
  }();
  return dpi;
}

int WindowDpi(HWND window) {
  static const auto get_dpi = LoadedFunction<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
  if (window && get_dpi) {
    if (const UINT dpi = get_dpi(window); dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

bool AdjustWindowRectForDpi(RECT* rect, DWORD style, bool menu, DWORD ex_style, int dpi) {
  static const auto adjust = LoadedFunction<AdjustForDpiFn>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (adjust) return adjust(rect, style, menu, ex_style, static_cast<UINT>(dpi)) != FALSE;
  return AdjustWindowRectEx(rect, style, menu, ex_style) != FALSE;
}

void EnableFrameScaling(HWND window) {
  static const auto enable = LoadedFunction<EnableNonClientFn>(L"user32.dll", "EnableNonClientDpiScaling");
  if (enable && window && !(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD)) enable(window);
}

void DeclareDpiAwareness() {
  static const auto set_context = LoadedFunction<SetContextFn>(L"user32.dll", "SetProcessDpiAwarenessContext");
  if (set_context && (set_context(kPerMonitorV2) || set_context(kPerMonitor))) return;
  // A failure here usually means the manifest already chose; either way the
  // process stays as aware as it is.
  if (set_context) return;
  static const auto set_aware = LoadedFunction<SetAwareFn>(L"user32.dll", "SetProcessDPIAware");
  if (set_aware) set_aware();
}

}  // namespace corvane::platform
