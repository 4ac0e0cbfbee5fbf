// Menus and their shortcut keys as data: one table gives the menu bar, the
// shortcut texts shown in it and the accelerator table.
#pragma once
#include <span>
#include <string>
#include <string_view>

namespace corvane::ui {

// Virtual-key codes used in shortcut tables (the Win32 values).
enum : unsigned short { kVkF1 = 0x70, kVkF12 = 0x7B };

struct KeyChord {
  unsigned short vk = 0;  // 0: no shortcut
  bool ctrl = false;
  friend bool operator==(const KeyChord&, const KeyChord&) = default;
};

constexpr KeyChord Fn(int n) { return {static_cast<unsigned short>(kVkF1 + n - 1), false}; }
constexpr KeyChord Ctrl(char letter) { return {static_cast<unsigned short>(letter), true}; }

struct MenuItem {
  std::wstring_view text;  // empty: a separator
  unsigned id = 0;
  KeyChord key{};
  bool checked = false;  // its check mark at start
};
inline constexpr MenuItem kSeparator{};

struct Menu {
  std::wstring_view caption;
  std::span<const MenuItem> items;
};

// "F2", "Ctrl+P"; empty without a shortcut.
std::wstring ShortcutText(KeyChord key);
// The item text as the menu shows it: the caption, a tab and the shortcut.
std::wstring MenuItemText(const MenuItem& item);

}  // namespace corvane::ui
