// The product's name, version and web address, as every window shows them.
#pragma once

namespace corvane::ui {

inline constexpr const wchar_t* kVersion = L"2.84";
inline constexpr const wchar_t* kWebPage = L"https://corvane.example.org/";
inline constexpr const wchar_t* kWebAddressText = L"corvane.example.org";

}  // namespace corvane::ui
