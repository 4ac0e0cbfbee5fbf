// The four tool menus of the main window ("&System", "&Control Panel",
// "Programs", "Hardware") as data: what each item is called, how it starts
// the operating system's tool or which hardware action it performs, the show
// state it asks for, whether the hourglass is up during the call and where
// the separators stand. The menu bar and the dispatcher read these rows; the
// items' command IDs are numbered from a first ID the main window gives, in
// menu order.
#pragma once
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

#include "ui/menu_table.h"

namespace corvane::shortcuts {

enum class ActionKind {
  kCommandLine,   // a process started from a command line, as WinExec starts it
  kShellExecute,  // the shell's "execute this file" call
  kShellMethod,   // a method without arguments of the shell automation object "Shell.Application"
  kBuiltIn,       // one of the program's own hardware actions
};

enum class BuiltIn {
  kNone,
  kHideTaskbar,
  kMonitorStandby,
  kMonitorOff,
  kEjectCd,
  kLoadCd,
  kMuteSpeakers,
  kMuteMicrophone,
};

// Show states as the system numbers them.
inline constexpr int kShowNormal = 1;  // SW_SHOWNORMAL
inline constexpr int kShow = 5;        // SW_SHOW

struct ToolAction {
  ActionKind kind = ActionKind::kBuiltIn;
  // The command line, the shell method's name, or the file to execute.
  std::wstring_view target;
  // The shell call's operation, parameters and working directory; nullptr
  // passes none, L"" passes an empty text.
  const wchar_t* verb = nullptr;
  const wchar_t* parameters = nullptr;
  const wchar_t* directory = nullptr;
  bool owner_is_main_window = false;  // the shell call is owned by the main window
  bool directory_is_windows = false;  // the working directory is the Windows directory
  BuiltIn built_in = BuiltIn::kNone;
};

struct ToolItem {
  std::wstring_view caption;
  ToolAction action;
  int show = kShowNormal;
  bool hourglass = false;
  bool separator_after = false;
};

struct ToolMenu {
  std::wstring_view caption;
  std::span<const ToolItem> items;
};

namespace detail {

constexpr ToolAction CommandLine(std::wstring_view line) { return {ActionKind::kCommandLine, line}; }
constexpr ToolAction ShellMethod(std::wstring_view name) { return {ActionKind::kShellMethod, name}; }
constexpr ToolAction Execute(const wchar_t* verb, std::wstring_view file, const wchar_t* parameters = nullptr,
                             const wchar_t* directory = nullptr) {
  return {ActionKind::kShellExecute, file, verb, parameters, directory};
}
constexpr ToolAction Action(BuiltIn what) { return {ActionKind::kBuiltIn, {}, nullptr, nullptr, nullptr, false, false, what}; }
constexpr ToolAction OwnedExecuteInWindowsDirectory(const wchar_t* verb, std::wstring_view file) {
  return {ActionKind::kShellExecute, file, verb, nullptr, nullptr, true, true};
}
constexpr ToolItem ControlPanel(std::wstring_view caption, std::wstring_view line, bool hourglass = true) {
  return {caption, CommandLine(line), kShowNormal, hourglass};
}

constexpr bool kHourglass = true;
constexpr bool kLineAfter = true;

}  // namespace detail

inline constexpr ToolItem kSystemItems[] = {
    {L"Run", detail::ShellMethod(L"FileRun"), kShowNormal, detail::kHourglass},
    // The shell object has no method that opens a plain Explorer window, so
    // the item starts Explorer itself.
    {L"Explorer", detail::CommandLine(L"explorer.exe"), kShowNormal, false, detail::kLineAfter},
    {L"Find Files", detail::ShellMethod(L"findfiles")},
    {L"Find Computer", detail::ShellMethod(L"findcomputer"), kShowNormal, false, detail::kLineAfter},
    {L"Minimize All", detail::ShellMethod(L"MinimizeAll")},
    {L"Tray Properties", detail::ShellMethod(L"TrayProperties")},
    {L"Hide Taskbar", detail::Action(BuiltIn::kHideTaskbar), kShowNormal, false, detail::kLineAfter},
    {L"Shutdown System", detail::ShellMethod(L"ShutdownWindows"), kShowNormal, false, detail::kLineAfter},
    {L"Task Manager", detail::Execute(L"open", L"taskmgr", L"", L""), kShowNormal, false, detail::kLineAfter},
    {L"Volume Control", detail::OwnedExecuteInWindowsDirectory(L"open", L"sndvol32.exe"), kShowNormal, false,
     detail::kLineAfter},
    {L"Group Policy", detail::Execute(L"open", L"gpedit.msc", L"", L""), kShowNormal, detail::kHourglass,
     detail::kLineAfter},
    {L"My Computer", detail::CommandLine(L"explorer.exe  ::{20D04FE0-3AEA-1069-A2D8-08002B30309D}")},
    {L"My Documents", detail::CommandLine(L"explorer.exe  ::{450D8FBA-AD25-11D0-98A8-0800361B1103}")},
    {L"My Network Places", detail::CommandLine(L"explorer.exe  ::{208D2C60-3AEA-1069-A2D7-08002B30309D}"),
     kShowNormal, false, detail::kLineAfter},
    {L"USB Safe Removal", detail::CommandLine(L"rundll32.exe shell32.dll,Control_RunDLL hotplug.dll"), kShow},
};

inline constexpr ToolItem kControlPanelItems[] = {
    detail::ControlPanel(L"Accessibility", L"rundll32.exe shell32.dll, Control_RunDLL Access.cpl"),
    detail::ControlPanel(L"Add/Remove Programs", L"rundll32.exe shell32.dll, Control_RunDLL Appwiz.cpl"),
    detail::ControlPanel(L"Display", L"rundll32.exe shell32.dll, Control_RunDLL Desk.cpl"),
    detail::ControlPanel(L"Desktop", L"rundll32.exe shell32.dll, Control_RunDLL Desk.cpl"),
    detail::ControlPanel(L"Internet", L"rundll32.exe shell32.dll, Control_RunDLL Inetcpl.cpl"),
    detail::ControlPanel(L"Regional", L"rundll32.exe shell32.dll, Control_RunDLL Intl.cpl"),
    detail::ControlPanel(L"Joystick", L"rundll32.exe shell32.dll, Control_RunDLL Joy.cpl"),
    detail::ControlPanel(L"Mouse", L"rundll32.exe shell32.dll, Control_RunDLL Main.cpl"),
    detail::ControlPanel(L"Multimedia", L"rundll32.exe shell32.dll, Control_RunDLL Mmsys.cpl"),
    detail::ControlPanel(L"Modems", L"rundll32.exe shell32.dll, Control_RunDLL Modem.cpl"),
    detail::ControlPanel(L"Network", L"rundll32.exe shell32.dll, Control_RunDLL Netcpl.cpl"),
    detail::ControlPanel(L"ODBC", L"rundll32.exe shell32.dll, Control_RunDLL Odbccp32.cpl"),
    detail::ControlPanel(L"Password", L"rundll32.exe shell32.dll, Control_RunDLL Password.cpl"),
    detail::ControlPanel(L"Printers", L"C:\\WINDOWS\\CONTROL.EXE PRINTERS"),
    detail::ControlPanel(L"System", L"rundll32.exe shell32.dll, Control_RunDLL Sysdm.cpl"),
    detail::ControlPanel(L"Theme", L"rundll32.exe shell32.dll, Control_RunDLL Themes.cpl", false),
    detail::ControlPanel(L"Time/Date", L"rundll32.exe shell32.dll, Control_RunDLL Timedate.cpl"),
    detail::ControlPanel(L"Workgroup", L"rundll32.exe shell32.dll, Control_RunDLL Wgpocpl.cpl"),
    detail::ControlPanel(L"Scanners/Cameras", L"RunDLL32.exe Shell32.dll,Control_RunDLL StiCpl.cpl", false),
    detail::ControlPanel(L"Phone and Modem Options", L"RunDLL32.exe Shell32.dll,Control_RunDLL Telephon.cpl", false),
};

// An empty operation is the file's default verb. Two file names end in a
// space, as the items have always passed them.
inline constexpr ToolItem kProgramsItems[] = {
    {L"System File Checker", detail::Execute(L"", L"c:\\windows\\system32\\sfc.exe ", L"/scannow")},
    {L"Defrag", detail::Execute(L"", L"dfrg.msc")},
    {L"Sys Edit", detail::Execute(L"", L"c:\\windows\\system32\\sysedit.exe ")},
    {L"File Signature Verification", detail::Execute(L"", L"c:\\windows\\system32\\sigverif.exe")},
    {L"Device Manager", detail::Execute(L"", L"devmgmt.msc")},
    {L"Dxdiag", detail::Execute(L"open", L"dxdiag")},
    {L"On Screen Keyboard", detail::Execute(L"open", L"osk.exe")},
};

inline constexpr ToolItem kHardwareItems[] = {
    {L"Standby Monitor", detail::Action(BuiltIn::kMonitorStandby)},
    {L"Switch Off Monitor", detail::Action(BuiltIn::kMonitorOff), kShowNormal, false, detail::kLineAfter},
    {L"Eject CD", detail::Action(BuiltIn::kEjectCd)},
    {L"Load CD", detail::Action(BuiltIn::kLoadCd), kShowNormal, false, detail::kLineAfter},
    {L"Mute Speakers", detail::Action(BuiltIn::kMuteSpeakers)},
    {L"Mute Microphone", detail::Action(BuiltIn::kMuteMicrophone)},
};

inline constexpr ToolMenu kToolMenus[] = {
    {L"&System", kSystemItems},
    {L"&Control Panel", kControlPanelItems},
    {L"Programs", kProgramsItems},
    {L"Hardware", kHardwareItems},
};

inline constexpr std::size_t kToolItemCount =
    std::size(kSystemItems) + std::size(kControlPanelItems) + std::size(kProgramsItems) + std::size(kHardwareItems);

// The command ID of the menu's first item: items are numbered from first_id
// on, menu after menu.
constexpr unsigned FirstCommandOf(std::size_t menu, unsigned first_id) {
  for (std::size_t m = 0; m < menu; ++m) first_id += static_cast<unsigned>(kToolMenus[m].items.size());
  return first_id;
}

// The number of entries a menu shows: its items and its separators.
constexpr std::size_t MenuLength(std::size_t menu) {
  std::size_t n = 0;
  for (const ToolItem& item : kToolMenus[menu].items) n += item.separator_after ? 2 : 1;
  return n;
}

// The menu's entries for the menu kit, with their command IDs.
template <std::size_t Menu>
constexpr std::array<ui::MenuItem, MenuLength(Menu)> MenuItemsOf(unsigned first_id) {
  std::array<ui::MenuItem, MenuLength(Menu)> out{};
  unsigned id = FirstCommandOf(Menu, first_id);
  std::size_t k = 0;
  for (const ToolItem& item : kToolMenus[Menu].items) {
    out[k++] = ui::MenuItem{item.caption, id++};
    if (item.separator_after) out[k++] = ui::kSeparator;
  }
  return out;
}

// The item carrying a command ID; nullptr for an ID that is none of theirs.
const ToolItem* FindToolItem(unsigned id, unsigned first_id);

}  // namespace corvane::shortcuts
