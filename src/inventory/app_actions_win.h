// What the installed-applications window asks of the system besides reading
// the registry: starting an uninstaller, handing a link, folder or file to
// the shell, removing an entry, and the message boxes of a removal. Tests give the window their
// own, so nothing is started and every box is answered.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "inventory/installed_apps.h"

namespace corvane::inventory {

class AppActions {
 public:
  virtual ~AppActions() = default;
  // Starts the command line of an entry of `source`, shown, and returns
  // once it has started, without waiting for it; whether it started is not
  // looked at. An entry of the 64-bit view is started as 64-bit Windows
  // reads its paths, also by a 32-bit program.
  virtual void Run(const UninstallSource& source, const std::wstring& command_line) = 0;
  // Hands `target` (a web address, folder or file) to the shell with the
  // verb "open", shown normally; the shell's answer is not looked at.
  virtual void Open(HWND owner, const std::wstring& target) = 0;
  // Deletes the uninstall entry `subkey` of `source`, in its view, with
  // everything below it: 0, or the system's reason it stayed (the
  // machine's registry refuses a user without the right to change it).
  virtual DWORD DeleteEntry(const UninstallSource& source, const std::wstring& subkey) = 0;
  // An information box with OK and Cancel; true for OK.
  virtual bool Confirm(HWND owner, std::wstring_view text) = 0;
  // A box with OK alone; `failure` marks it as reporting one.
  virtual void Tell(HWND owner, std::wstring_view text, bool failure = false) = 0;
};

// The real ones: CreateProcess, ShellExecute, the registry and message boxes.
std::unique_ptr<AppActions> MakeSystemAppActions();

}  // namespace corvane::inventory
