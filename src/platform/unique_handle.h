// The Win32 handle kinds of the one owner template (unique_owner.h): each
// traits struct names the handle type, its invalid value, how to release it
// and the HandleKind it is counted under (live_handles.h).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "platform/unique_owner.h"

namespace corvane::platform {

struct KernelHandleTraits {  // CreateFile and friends: INVALID_HANDLE_VALUE
  using Handle = HANDLE;
  static constexpr HandleKind kind = HandleKind::kKernel;
  static Handle invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(Handle h) noexcept { ::CloseHandle(h); }
};
struct NullHandleTraits {  // processes, threads, events: NULL
  using Handle = HANDLE;
  static constexpr HandleKind kind = HandleKind::kKernel;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::CloseHandle(h); }
};
struct RegKeyTraits {
  using Handle = HKEY;
  static constexpr HandleKind kind = HandleKind::kRegistryKey;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::RegCloseKey(h); }
};
struct ServiceHandleTraits {  // the service manager and its services
  using Handle = SC_HANDLE;
  static constexpr HandleKind kind = HandleKind::kService;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::CloseServiceHandle(h); }
};
struct ModuleTraits {
  using Handle = HMODULE;
  static constexpr HandleKind kind = HandleKind::kModule;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::FreeLibrary(h); }
};
template <class T>
struct GdiObjectTraits {
  using Handle = T;
  static constexpr HandleKind kind = HandleKind::kGdiObject;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::DeleteObject(h); }
};
struct DcTraits {  // CreateDC / CreateCompatibleDC
  using Handle = HDC;
  static constexpr HandleKind kind = HandleKind::kDc;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::DeleteDC(h); }
};
struct GlobalMemoryTraits {  // GlobalAlloc, and what common dialogs hand back (hDevMode, hDevNames)
  using Handle = HGLOBAL;
  static constexpr HandleKind kind = HandleKind::kGlobalMemory;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::GlobalFree(h); }
};
struct WindowTraits {
  using Handle = HWND;
  static constexpr HandleKind kind = HandleKind::kWindow;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::DestroyWindow(h); }
};
struct MenuTraits {
  using Handle = HMENU;
  static constexpr HandleKind kind = HandleKind::kMenu;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::DestroyMenu(h); }
};
struct AccelTraits {
  using Handle = HACCEL;
  static constexpr HandleKind kind = HandleKind::kAccelerator;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::DestroyAcceleratorTable(h); }
};

struct IconTraits {  // CreateIcon, SHGetFileInfo's icons; not shared ones from LoadIcon
  using Handle = HICON;
  static constexpr HandleKind kind = HandleKind::kIcon;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::DestroyIcon(h); }
};
struct ImageListTraits {
  using Handle = HIMAGELIST;
  static constexpr HandleKind kind = HandleKind::kImageList;
  static Handle invalid() noexcept { return nullptr; }
  static void close(Handle h) noexcept { ::ImageList_Destroy(h); }
};

using UniqueFile = UniqueHandle<KernelHandleTraits>;
using UniqueKernelObject = UniqueHandle<NullHandleTraits>;
using UniqueKey = UniqueHandle<RegKeyTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;
using UniqueServiceHandle = UniqueHandle<ServiceHandleTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueDc = UniqueHandle<DcTraits>;
using UniqueGlobal = UniqueHandle<GlobalMemoryTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueAccel = UniqueHandle<AccelTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;

// A window DC from GetDC, given back with ReleaseDC. Not counted among the
// live handles: the window owns the DC, this only borrows it.
class WindowDc {
 public:
  explicit WindowDc(HWND wnd) noexcept : wnd_(wnd), dc_(::GetDC(wnd)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_) ::ReleaseDC(wnd_, dc_);
  }
  HDC get() const noexcept { return dc_; }
  explicit operator bool() const noexcept { return dc_ != nullptr; }

 private:
  HWND wnd_;
  HDC dc_;
};

// Puts back the object that SelectObject replaced.
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(::SelectObject(dc, obj)) {}
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard() {
    if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
  }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace corvane::platform
