// A 32-bit program on 64-bit Windows is shown SysWOW64 under the name
// System32. While a FileRedirectionOff lives, the calling thread sees the
// folders as they are, so a program named by a 64-bit path starts as
// itself. Keep it around one call: every file the thread opens meanwhile is
// unredirected, libraries loaded on demand included.
#pragma once
#include <windows.h>

namespace corvane::platform {

class FileRedirectionOff {
 public:
  // Does nothing where nothing is redirected: a 64-bit program, 32-bit
  // Windows (which has the calls and refuses them) or a system without them.
  FileRedirectionOff() noexcept;
  ~FileRedirectionOff();
  FileRedirectionOff(const FileRedirectionOff&) = delete;
  FileRedirectionOff& operator=(const FileRedirectionOff&) = delete;

 private:
  void* previous_ = nullptr;
  bool off_ = false;
};

}  // namespace corvane::platform
