#include "platform/file_redirection_win.h"

#include "platform/system_function_win.h"

namespace corvane::platform {
namespace {

// Both came with Windows XP x64 and Server 2003 SP1: looked up, as older
// 32-bit systems lack them.
using DisableFn = BOOL(WINAPI*)(PVOID*);
using RevertFn = BOOL(WINAPI*)(PVOID);

}  // namespace

FileRedirectionOff::FileRedirectionOff() noexcept {
  static const auto disable = LoadedFunction<DisableFn>(L"kernel32.dll", "Wow64DisableWow64FsRedirection");
  off_ = disable && disable(&previous_);
}

FileRedirectionOff::~FileRedirectionOff() {
  static const auto revert = LoadedFunction<RevertFn>(L"kernel32.dll", "Wow64RevertWow64FsRedirection");
  if (off_ && revert) revert(previous_);
}

}  // namespace corvane::platform
