// Functions that not every supported Windows has, looked up by name at run
// time so the program still starts where they are missing. A missing
// function (or library) gives nullptr; callers fall back or do without.
#pragma once
#include <windows.h>

#include <stdexcept>
#include <string>

#include "platform/unique_handle.h"

namespace corvane::platform {

// A function of a library every process has loaded (kernel32, user32, ntdll).
template <class Fn>
Fn LoadedFunction(const wchar_t* module, const char* name) noexcept {
  HMODULE loaded = ::GetModuleHandleW(module);
  if (!loaded) return nullptr;
  return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(loaded, name)));
}

// A function a loaded library ought to have and lacks; its message is the
// function's name.
class MissingFunction : public std::runtime_error {
 public:
  explicit MissingFunction(const char* name) : std::runtime_error(name) {}
};

// A library loaded for one routine (or for the program's life), released
// with the object, and its functions.
class OptionalLibrary {
 public:
  OptionalLibrary() noexcept = default;  // none loaded
  explicit OptionalLibrary(const wchar_t* file) noexcept : module_(::LoadLibraryW(file)) {}
  // For a library named in ANSI, loaded through the ANSI entry.
  explicit OptionalLibrary(const char* file) noexcept : module_(::LoadLibraryA(file)) {}
  explicit operator bool() const noexcept { return static_cast<bool>(module_); }

  template <class Fn>
  Fn Find(const char* name) const noexcept {
    if (!module_) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module_.get(), name)));
  }
  // A function the caller cannot work without once the library is there:
  // nullptr when the library did not load, MissingFunction when it lacks it.
  template <class Fn>
  Fn Require(const char* name) const {
    if (!module_) return nullptr;
    if (Fn fn = Find<Fn>(name)) return fn;
    throw MissingFunction(name);
  }

 private:
  UniqueModule module_;
};

}  // namespace corvane::platform
