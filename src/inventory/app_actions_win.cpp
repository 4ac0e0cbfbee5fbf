#include "inventory/app_actions_win.h"

#include <shellapi.h>

#include <optional>
#include <vector>

#include "platform/file_redirection_win.h"
#include "platform/registry_win.h"
#include "platform/unique_handle.h"

namespace corvane::inventory {
namespace {

class SystemAppActions final : public AppActions {
 public:
  void Run(const UninstallSource& source, const std::wstring& command_line) override {
    // As WinExec does: the line names the program and its arguments, and
    // the call returns once the program has started.
    std::vector<wchar_t> line(command_line.begin(), command_line.end());
    line.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION started{};
    // Around the start alone: a 64-bit entry's System32\rundll32.exe must be
    // the 64-bit one, while this program's own files stay as it sees them.
    std::optional<platform::FileRedirectionOff> unredirected;
    if (source.start_unredirected) unredirected.emplace();
    const BOOL ok = CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started);
    unredirected.reset();
    if (ok) {
      const platform::UniqueKernelObject thread(started.hThread), process(started.hProcess);
    }
  }

  void Open(HWND owner, const std::wstring& target) override {
    ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }

  DWORD DeleteEntry(const UninstallSource& source, const std::wstring& subkey) override {
    platform::Registry uninstall(KEY_READ | source.view);
    uninstall.SetRoot(platform::RootKey(source.root));
    if (!uninstall.OpenKeyReadOnly(source.key)) return ERROR_FILE_NOT_FOUND;
    try {
      return uninstall.DeleteKey(subkey) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    } catch (const platform::RegistryError& e) {
      return static_cast<DWORD>(e.code());
    }
  }

  bool Confirm(HWND owner, std::wstring_view text) override {
    return MessageBoxW(owner, std::wstring(text).c_str(), L"Corvane", MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
  }

  void Tell(HWND owner, std::wstring_view text, bool failure) override {
    MessageBoxW(owner, std::wstring(text).c_str(), L"Corvane", MB_OK | (failure ? MB_ICONERROR : 0u));
  }
};

}  // namespace

std::unique_ptr<AppActions> MakeSystemAppActions() { return std::make_unique<SystemAppActions>(); }

}  // namespace corvane::inventory
