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

// The menus of an information window that prints its image: "File" with
// "Quick Print", a separator and "Close", and "View" with "Refresh" (F5),
// under the window's own command IDs.
template <unsigned kQuickPrint, unsigned kClose, unsigned kRefresh>
struct QuickPrintMenus {
  static constexpr MenuItem kFile[] = {{L"Quick Print", kQuickPrint}, kSeparator, {L"Close", kClose}};
  static constexpr MenuItem kView[] = {{L"Refresh", kRefresh, Fn(5)}};
  static constexpr Menu kMenus[] = {{L"&File", kFile}, {L"&View", kView}};
};

// "F2", "Ctrl+P"; empty without a shortcut.
std::wstring ShortcutText(KeyChord key);
// The item text as the menu shows it: the caption, a tab and the shortcut.
std::wstring MenuItemText(const MenuItem& item);

}  // namespace corvane::ui
