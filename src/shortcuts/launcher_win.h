// How the tool items start the operating system's tools, and the two
// hardware calls that cannot be undone by looking (the warning beep and the CD
// door). The system implementation makes the calls; tests put a scripted one
// in its place so no tool starts and no setting changes while they run.
#pragma once
#include <windows.h>

#include <string_view>

namespace corvane::shortcuts {

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts a process from the command line with the show state, as WinExec
  // does. What happens to it is not examined.
  virtual void RunCommandLine(std::wstring_view line, int show) = 0;
  // The shell's execute call; nullptr passes none of that argument. What it
  // answers is not examined.
  virtual void ExecuteFile(HWND owner, const wchar_t* verb, std::wstring_view file, const wchar_t* parameters,
                            const wchar_t* directory, int show) = 0;
  // Invokes a method without arguments of the shell automation object
  // "Shell.Application"; the object matches the name without regard to case.
  // Throws a platform::SystemError when the object cannot be made or the
  // method not invoked.
  virtual void InvokeShellMethod(std::wstring_view name) = 0;
  // The system's warning beep on or off, written to the user's profile.
  virtual void SetWarningBeep(bool on) = 0;
  // Opens or closes the CD drive's door and waits for it; `callback` is the
  // window told when the device is done.
  virtual void SetCdDoor(HWND callback, bool open) = 0;
};

// The calls themselves.
class SystemLauncher final : public Launcher {
 public:
  void RunCommandLine(std::wstring_view line, int show) override;
  void ExecuteFile(HWND owner, const wchar_t* verb, std::wstring_view file, const wchar_t* parameters,
                    const wchar_t* directory, int show) override;
  void InvokeShellMethod(std::wstring_view name) override;
  void SetWarningBeep(bool on) override;
  void SetCdDoor(HWND callback, bool open) override;
};

}  // namespace corvane::shortcuts
