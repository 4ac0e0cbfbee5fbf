// The product's name, version and web address, as every window shows them.
#pragma once

#include <string_view>

namespace corvane::ui {

// One source builds two programs; each is named for its word size so a user
// can tell them apart (and so can the tests that start them).
inline constexpr bool k64BitBuild = sizeof(void*) == 8;
inline constexpr std::wstring_view kProgramFile = k64BitBuild ? L"corvane64.exe" : L"corvane.exe";

inline constexpr const wchar_t* kVersion = L"2.84";
inline constexpr const wchar_t* kWebPage = L"https://corvane.example.org/";
inline constexpr const wchar_t* kWebAddressText = L"corvane.example.org";

}  // namespace corvane::ui
