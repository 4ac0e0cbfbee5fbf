#include "shortcuts/launcher_win.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "platform/com_win.h"
#include "platform/failure_text_win.h"
#include "platform/unique_handle.h"

namespace corvane::shortcuts {

void SystemLauncher::RunCommandLine(std::wstring_view line, int show) {
  // CreateProcess may write into the command line: a copy of our own.
  std::vector<wchar_t> text(line.begin(), line.end());
  text.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, text.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
  // The tool runs on its own; nothing of it is kept.
  platform::UniqueKernelObject thread(process.hThread);
  platform::UniqueKernelObject child(process.hProcess);
}

void SystemLauncher::ExecuteFile(HWND owner, const wchar_t* verb, std::wstring_view file, const wchar_t* parameters,
                                  const wchar_t* directory, int show) {
  ShellExecuteW(owner, verb, std::wstring(file).c_str(), parameters, directory, show);
}

void SystemLauncher::InvokeShellMethod(std::wstring_view name) {
  CLSID clsid{};
  HRESULT hr = CLSIDFromProgID(L"Shell.Application", &clsid);
  if (FAILED(hr)) throw platform::SystemError(static_cast<DWORD>(hr));
  platform::ComPtr<IDispatch> shell;
  hr = CoCreateInstance(clsid, nullptr, CLSCTX_SERVER, IID_IDispatch, shell.put_void());
  if (FAILED(hr)) throw platform::SystemError(static_cast<DWORD>(hr));
  std::wstring method(name);
  LPOLESTR names[] = {method.data()};
  DISPID id = 0;
  hr = shell->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) throw platform::SystemError(static_cast<DWORD>(hr));
  DISPPARAMS none{};
  platform::Variant result;
  hr = shell->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, result.put(), nullptr, nullptr);
  if (FAILED(hr)) throw platform::SystemError(static_cast<DWORD>(hr));
}

void SystemLauncher::SetWarningBeep(bool on) {
  SystemParametersInfoW(SPI_SETBEEP, on ? TRUE : FALSE, nullptr, SPIF_UPDATEINIFILE);
}

void SystemLauncher::SetCdDoor(HWND callback, bool open) {
  mciSendStringW(open ? L"Set cdaudio door open wait" : L"Set cdaudio door closed wait", nullptr, 0, callback);
}

}  // namespace corvane::shortcuts
