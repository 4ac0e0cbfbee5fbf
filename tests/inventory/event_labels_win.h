// The sound events' labels as a test reads them itself, and text made into
// the bytes a seeded string value holds.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/seeded_value_win.h"

namespace corvane::test_support {

inline constexpr wchar_t kEventLabels[] = L"AppEvents\\EventLabels";

inline SeededValue::Bytes Utf16(std::wstring_view text) {
  const auto* p = reinterpret_cast<const BYTE*>(text.data());
  return SeededValue::Bytes(p, p + text.size() * sizeof(wchar_t));
}

// The subkeys of the event labels key, in the registry's order.
inline std::vector<std::wstring> EventLabelsNow() {
  std::vector<std::wstring> names;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kEventLabels, 0, KEY_READ, &key) != ERROR_SUCCESS) return names;
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD size = 256;
    if (RegEnumKeyExW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    names.emplace_back(name, size);
  }
  RegCloseKey(key);
  return names;
}

}  // namespace corvane::test_support
