#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace corvane::ui {

struct SaveChoice {
  std::wstring path;
  int filter_index;  // 1-based, as the dialog reports it
};

// The save dialog. `filters` is "Name|pattern|Name|pattern"; no overwrite
// question is asked. nullopt when the user cancels.
std::optional<SaveChoice> AskSaveFile(HWND owner, const std::wstring& filters, const wchar_t* default_ext);

// The open dialog for one existing file, `filters` as above. nullopt when
// the user cancels.
std::optional<std::wstring> AskOpenFile(HWND owner, const std::wstring& filters);

}  // namespace corvane::ui
