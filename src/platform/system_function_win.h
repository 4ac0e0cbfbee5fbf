// Functions that not every supported Windows has, looked up by name at run
// time so the program still starts where they are missing. A missing
// function (or library) gives nullptr; callers fall back or do without.
#pragma once
#include <windows.h>

#include "platform/unique_handle.h"

namespace corvane::platform {

// A function of a library every process has loaded (kernel32, user32, ntdll).
template <class Fn>
Fn LoadedFunction(const wchar_t* module, const char* name) noexcept {
  HMODULE loaded = ::GetModuleHandleW(module);
  if (!loaded) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(loaded, name)));
}

// A library loaded for one routine, released with it, and its functions.
class OptionalLibrary {
 public:
  explicit OptionalLibrary(const wchar_t* file) noexcept : module_(::LoadLibraryW(file)) {}
  explicit operator bool() const noexcept { return static_cast<bool>(module_); }

  template <class Fn>
  Fn Find(const char* name) const noexcept {
    if (!module_) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module_.get(), name)));
  }

 private:
  UniqueModule module_;
};

}  // namespace corvane::platform
