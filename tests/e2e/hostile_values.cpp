#include "e2e/hostile_values.h"

#include <cwchar>

namespace corvane::e2e {
namespace {

constexpr std::size_t kLargeTextUnits = 32768;      // 64 KiB of UTF-16
constexpr std::size_t kLargeBinaryBytes = 1 << 20;  // 1 MiB

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

std::wstring Numbered(const std::wstring& prefix, int n) {
  wchar_t digits[16];
  std::swprintf(digits, std::size(digits), L"%05d", n);
  return prefix + digits;
}

// The key, made volatile when it is missing (a key that lasts would outlive
// a test that dies midway); `made` tells whether it was.
HKEY OpenOrMake(HKEY root, const std::wstring& path, REGSAM access, bool& made) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, access, nullptr, &key, &disposition) !=
      ERROR_SUCCESS) {
    return nullptr;
  }
  made = disposition == REG_CREATED_NEW_KEY;
  return key;
}

}  // namespace

std::string_view HostileName(Hostile kind) {
  switch (kind) {
    case Hostile::kOtherType: return "OtherType";
    case Hostile::kMultiText: return "MultiText";
    case Hostile::kBytes: return "Bytes";
    case Hostile::kEmpty: return "Empty";
    case Hostile::kLarge: return "Large";
    case Hostile::kUnterminated: return "Unterminated";
    case Hostile::kWide: return "Wide";
  }
  return "?";
}

std::vector<BYTE> Utf16Bytes(std::wstring_view text, bool terminated) {
  std::wstring copy(text);
  if (terminated) copy += L'\0';
  const auto* p = reinterpret_cast<const BYTE*>(copy.data());
  return std::vector<BYTE>(p, p + copy.size() * sizeof(wchar_t));
}

std::wstring LargeText() {
  std::wstring text;
  text.reserve(kLargeTextUnits);
  while (text.size() + kWideSample.size() <= kLargeTextUnits) text += kWideSample;
  text.append(kLargeTextUnits - text.size(), L'x');
  return text;
}

RegistryData HostileData(Hostile kind, DWORD expected) {
  // Text read as a multi-string ends with an empty string.
  const auto text_bytes = [expected](std::wstring_view text) {
    std::vector<BYTE> bytes = Utf16Bytes(text);
    if (expected == REG_MULTI_SZ) bytes.insert(bytes.end(), {0, 0});
    return bytes;
  };
  switch (kind) {
    case Hostile::kOtherType:
      if (IsText(expected)) return {REG_DWORD, {0x78, 0x56, 0x34, 0x12}};
      return {REG_SZ, Utf16Bytes(L"CorvaneHostile")};
    case Hostile::kMultiText:
      return {REG_MULTI_SZ, Utf16Bytes(std::wstring(L"first\0second\0", 13))};
    case Hostile::kBytes:
      return {REG_BINARY, {0xDE, 0xAD, 0xBE, 0xEF, 0x00, 0x41, 0x42}};
    case Hostile::kEmpty:
      return {expected, {}};
    case Hostile::kLarge:
      if (IsText(expected)) return {expected, text_bytes(LargeText())};
      return {expected, std::vector<BYTE>(kLargeBinaryBytes, 0x5A)};
    case Hostile::kUnterminated: {
      // "abc" and half of a fourth unit: no zero anywhere.
      std::vector<BYTE> bytes = Utf16Bytes(L"abc", false);
      bytes.push_back(0x44);
      return {IsText(expected) ? expected : REG_SZ, bytes};
    }
    case Hostile::kWide:
      if (expected == REG_DWORD) return {REG_SZ, Utf16Bytes(kWideSample)};
      return {expected, text_bytes(kWideSample)};
  }
  return {};
}

bool ChangesType(Hostile kind, DWORD expected) { return HostileData(kind, expected).type != expected; }

bool HasLoneSurrogate(std::wstring_view text) {
  const auto high = [](unsigned c) { return c >= 0xD800 && c <= 0xDBFF; };
  const auto low = [](unsigned c) { return c >= 0xDC00 && c <= 0xDFFF; };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned c = static_cast<unsigned>(text[i]);
    if (high(c)) {
      if (i + 1 == text.size() || !low(static_cast<unsigned>(text[i + 1]))) return true;
      ++i;
    } else if (low(c)) {
      return true;
    }
  }
  return false;
}

SeededSubkeys::SeededSubkeys(HKEY root, std::wstring parent, std::wstring prefix, int count, std::wstring child,
                             std::wstring value_name, std::wstring value)
    : root_(root), parent_(std::move(parent)), child_(std::move(child)) {
  HKEY parent_key = OpenOrMake(root_, parent_, KEY_CREATE_SUB_KEY, made_parent_);
  if (!parent_key) return;
  names_.reserve(static_cast<std::size_t>(count));
  for (int n = 0; n < count; ++n) {
    const std::wstring name = Numbered(prefix, n);
    const std::wstring path = child_.empty() ? name : name + L"\\" + child_;
    HKEY key = nullptr;
    if (RegCreateKeyExW(parent_key, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      break;
    }
    names_.push_back(name);
    const std::vector<BYTE> data = Utf16Bytes(value.empty() ? name : value);
    RegSetValueExW(key, value_name.c_str(), 0, REG_SZ, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
  }
  RegCloseKey(parent_key);
}

SeededSubkeys::~SeededSubkeys() {
  for (const std::wstring& name : names_) {
    const std::wstring path = parent_ + L"\\" + name;
    if (!child_.empty()) RegDeleteKeyW(root_, (path + L"\\" + child_).c_str());
    RegDeleteKeyW(root_, path.c_str());
  }
  if (made_parent_) RegDeleteKeyW(root_, parent_.c_str());
}

SeededValues::SeededValues(HKEY root, std::wstring key, std::wstring prefix, int count)
    : root_(root), path_(std::move(key)) {
  key_ = OpenOrMake(root_, path_, KEY_SET_VALUE, made_key_);
  if (!key_) return;
  names_.reserve(static_cast<std::size_t>(count));
  for (int n = 0; n < count; ++n) {
    const std::wstring name = Numbered(prefix, n);
    const std::vector<BYTE> data = Utf16Bytes(name + L".exe");
    if (RegSetValueExW(key_, name.c_str(), 0, REG_SZ, data.data(), static_cast<DWORD>(data.size())) != ERROR_SUCCESS) {
      break;
    }
    names_.push_back(name);
  }
}

SeededValues::~SeededValues() {
  if (!key_) return;
  for (const std::wstring& name : names_) RegDeleteValueW(key_, name.c_str());
  RegCloseKey(key_);
  if (made_key_) RegDeleteKeyW(root_, path_.c_str());
}

}  // namespace corvane::e2e
