// Carries out the items of the tool menus: looks the command's row up in the
// tables (tool_menus.h) and runs it through the launcher, the mixer or the
// window calls it names, with the hourglass where the row asks for it. Keeps
// the three check marks (Hide Taskbar, Mute Speakers, Mute Microphone), which
// start cleared and only record what their items last did.
#pragma once
#include <windows.h>

#include "shortcuts/launcher_win.h"
#include "shortcuts/microphone_win.h"
#include "shortcuts/tool_menus.h"

namespace corvane::shortcuts {

// A plain message box with an OK button, owned by the window.
TellFn MessageBoxTeller(HWND owner);

class ToolActions {
 public:
  // `main_window` owns the menu bar carrying the items, numbered from
  // `first_id`; it is also the window the monitor and CD calls address.
  ToolActions(HWND main_window, unsigned first_id, Launcher& launcher, Mixer& mixer, TellFn tell);

  bool Handles(unsigned id) const { return FindToolItem(id, first_id_) != nullptr; }
  // Runs the item's action; a shell-object failure is thrown to the caller.
  void Run(unsigned id);
  // The check mark an item with one carries now.
  bool Marked(BuiltIn what) const;

 private:
  void RunBuiltIn(unsigned id, BuiltIn what);
  bool Toggle(unsigned id, bool& mark);

  HWND main_;
  unsigned first_id_;
  Launcher& launcher_;
  Mixer& mixer_;
  TellFn tell_;
  bool taskbar_hidden_ = false;
  bool speakers_muted_ = false;
  bool microphone_muted_ = false;
};

}  // namespace corvane::shortcuts
