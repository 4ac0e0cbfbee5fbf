// How many handles of each kind the program's owners (UniqueHandle) hold right
// now. Every owner adds one when it takes a handle and takes one off when it
// gives it back or lets it go, so a count that keeps growing while the
// program repeats the same work is a leak. Handles not held by an owner
// (shared icons, window DCs from GetDC, COM objects, handles the system keeps
// for a window) are not counted.
//
// Platform-free so that the arithmetic is tested natively; always compiled in
// (one relaxed atomic add per handle), read by the soak run through the main
// window's test-only query (kLiveHandlesMessage).
#pragma once
#include <array>
#include <atomic>
#include <cstddef>
#include <string_view>

namespace corvane::platform {

enum class HandleKind : int {
  kKernel,        // files, devices, processes, threads, events, tokens
  kRegistryKey,
  kService,       // the service manager and its services
  kModule,        // libraries loaded at run time
  kGdiObject,     // fonts, brushes, pens, bitmaps
  kDc,            // memory and printer device contexts
  kGlobalMemory,
  kWindow,
  kMenu,
  kAccelerator,
  kIcon,
  kImageList,
  kFind,          // folder listings
  kCount,
};

inline constexpr std::size_t kHandleKindCount = static_cast<std::size_t>(HandleKind::kCount);

// Short names, in HandleKind order, for the soak's series and its verdict.
inline constexpr std::array<std::string_view, kHandleKindCount> kHandleKindNames = {
    "kernel", "regkey", "service", "module", "gdi", "dc", "global", "window", "menu", "accel", "icon", "imagelist", "find",
};

namespace live_handles_detail {
inline std::array<std::atomic<long>, kHandleKindCount> counts{};
}

inline void CountTaken(HandleKind kind) noexcept {
  live_handles_detail::counts[static_cast<std::size_t>(kind)].fetch_add(1, std::memory_order_relaxed);
}
inline void CountReleased(HandleKind kind) noexcept {
  live_handles_detail::counts[static_cast<std::size_t>(kind)].fetch_sub(1, std::memory_order_relaxed);
}
inline long LiveHandles(HandleKind kind) noexcept {
  return live_handles_detail::counts[static_cast<std::size_t>(kind)].load(std::memory_order_relaxed);
}

// For tests only: the main window answers this registered message (wParam:
// a HandleKind) with LiveHandles of that kind, or -1 for a kind it does not
// know. It carries no pointer, so it crosses processes as it is.
inline constexpr wchar_t kLiveHandlesMessage[] = L"CorvaneLiveHandles";

inline long LiveHandlesAnswer(unsigned long long kind) noexcept {
  return kind < kHandleKindCount ? LiveHandles(static_cast<HandleKind>(kind)) : -1;
}

}  // namespace corvane::platform
