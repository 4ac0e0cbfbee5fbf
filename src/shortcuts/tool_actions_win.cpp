#include "shortcuts/tool_actions_win.h"

#include <optional>
#include <string>
#include <utility>

#include "ui/window_win.h"

namespace corvane::shortcuts {

TellFn MessageBoxTeller(HWND owner) {
  return [owner](std::wstring_view message) {
    MessageBoxW(owner, std::wstring(message).c_str(), L"Corvane", MB_OK);
  };
}

ToolActions::ToolActions(HWND main_window, unsigned first_id, Launcher& launcher, Mixer& mixer, TellFn tell)
    : main_(main_window), first_id_(first_id), launcher_(launcher), mixer_(mixer), tell_(std::move(tell)) {}

void ToolActions::Run(unsigned id) {
  const ToolItem* item = FindToolItem(id, first_id_);
  if (!item) return;
  std::optional<ui::BusyCursor> busy;
  if (item->hourglass) busy.emplace();
  const ToolAction& action = item->action;
  switch (action.kind) {
    case ActionKind::kCommandLine:
      launcher_.RunCommandLine(action.target, item->show);
      break;
    case ActionKind::kShellExecute: {
      const wchar_t* directory = action.directory;
      wchar_t windows[MAX_PATH] = {};
      if (action.directory_is_windows) {
        GetWindowsDirectoryW(windows, MAX_PATH);
        directory = windows;
      }
      launcher_.ExecuteFile(action.owner_is_main_window ? main_ : nullptr, action.verb, action.target,
                             action.parameters, directory, item->show);
      break;
    }
    case ActionKind::kShellMethod:
      launcher_.InvokeShellMethod(action.target);
      break;
    case ActionKind::kBuiltIn:
      RunBuiltIn(id, action.built_in);
      break;
  }
}

bool ToolActions::Toggle(unsigned id, bool& mark) {
  mark = !mark;
  CheckMenuItem(GetMenu(main_), id, MF_BYCOMMAND | (mark ? MF_CHECKED : MF_UNCHECKED));
  return mark;
}

void ToolActions::RunBuiltIn(unsigned id, BuiltIn what) {
  // SC_MONITORPOWER: 2 puts the monitor in standby, 0 switches it off.
  constexpr LPARAM kStandby = 2, kOff = 0;
  switch (what) {
    case BuiltIn::kNone:
      break;
    case BuiltIn::kHideTaskbar: {
      const bool hide = Toggle(id, taskbar_hidden_);
      if (HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr)) ShowWindow(tray, hide ? SW_HIDE : SW_SHOW);
      break;
    }
    case BuiltIn::kMonitorStandby:
      SendMessageW(main_, WM_SYSCOMMAND, SC_MONITORPOWER, kStandby);
      break;
    case BuiltIn::kMonitorOff:
      SendMessageW(main_, WM_SYSCOMMAND, SC_MONITORPOWER, kOff);
      break;
    case BuiltIn::kEjectCd:
      launcher_.SetCdDoor(main_, true);
      break;
    case BuiltIn::kLoadCd:
      launcher_.SetCdDoor(main_, false);
      break;
    case BuiltIn::kMuteSpeakers:
      // The mark means the warning beep is off.
      launcher_.SetWarningBeep(!Toggle(id, speakers_muted_));
      break;
    case BuiltIn::kMuteMicrophone:
      // The mark follows the item whatever the mixer does.
      SetMicrophoneMute(mixer_, Toggle(id, microphone_muted_), tell_);
      break;
  }
}

bool ToolActions::Marked(BuiltIn what) const {
  switch (what) {
    case BuiltIn::kHideTaskbar:
      return taskbar_hidden_;
    case BuiltIn::kMuteSpeakers:
      return speakers_muted_;
    case BuiltIn::kMuteMicrophone:
      return microphone_muted_;
    default:
      return false;
  }
}

}  // namespace corvane::shortcuts
