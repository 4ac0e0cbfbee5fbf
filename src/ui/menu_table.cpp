#include "ui/menu_table.h"

namespace corvane::ui {

std::wstring ShortcutText(KeyChord key) {
  if (key.vk == 0) return {};
  std::wstring text = key.ctrl ? L"Ctrl+" : L"";
  if (key.vk >= kVkF1 && key.vk <= kVkF12) {
    text += L"F" + std::to_wstring(key.vk - kVkF1 + 1);
  } else {
    text += static_cast<wchar_t>(key.vk);
  }
  return text;
}

std::wstring MenuItemText(const MenuItem& item) {
  std::wstring text(item.text);
  if (item.key.vk) text += L"\t" + ShortcutText(item.key);
  return text;
}

}  // namespace corvane::ui
