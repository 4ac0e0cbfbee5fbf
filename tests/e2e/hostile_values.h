// Registry data a program meets on a damaged or unusual machine, made in one
// place for the end-to-end suites: values of the wrong type, empty, very
// large, text without its terminating zero or with an odd byte count, and text
// outside the ANSI code page (CJK and a character beyond the Basic
// Multilingual Plane, which UTF-16 stores as a surrogate pair). Also many
// subkeys or values at once, for walks over long lists.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace corvane::e2e {

// CJK and an emoji (U+1F600, a surrogate pair), between ASCII marks so a cut
// or a lost character shows.
inline constexpr std::wstring_view kWideSample = L"<\u4E2D\u6587 \U0001F600>";

enum class Hostile {
  kOtherType,     // REG_DWORD where text is read, REG_SZ where a number or bytes are
  kMultiText,     // REG_MULTI_SZ
  kBytes,         // REG_BINARY
  kEmpty,         // the expected type, zero bytes
  kLarge,         // the expected type: 64 KiB of text, 1 MiB of anything else
  kUnterminated,  // text without its zero and with a stray odd byte
  kWide,          // text (or its UTF-16 bytes) outside the ANSI code page
};

std::string_view HostileName(Hostile kind);

struct RegistryData {
  DWORD type = REG_NONE;
  std::vector<BYTE> bytes;
};

// UTF-16 bytes of `text`, with its zero when `terminated`.
std::vector<BYTE> Utf16Bytes(std::wstring_view text, bool terminated = true);

// The large text: the wide sample repeated to 32768 UTF-16 units (64 KiB),
// so any cut by a fixed count of units falls somewhere inside it.
std::wstring LargeText();

// The data of `kind` for a value that is normally of type `expected`
// (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD or REG_BINARY).
RegistryData HostileData(Hostile kind, DWORD expected);

// Whether `kind` gives a value of another type than `expected`.
bool ChangesType(Hostile kind, DWORD expected);

// A high surrogate not followed by a low one, or a low one without a high
// one before it: what a cut in the middle of a character leaves.
bool HasLoneSurrogate(std::wstring_view text);

// `count` volatile subkeys "<prefix>NNNNN" below root\parent (made, volatile,
// when missing) for the life of
// the object, each with the text value `value_name` = `value` (the subkey's
// own name when `value` is empty), optionally below a further subkey
// `child` of each. Made in this process, removed again afterwards.
class SeededSubkeys {
 public:
  SeededSubkeys(HKEY root, std::wstring parent, std::wstring prefix, int count, std::wstring child,
                std::wstring value_name, std::wstring value = {});
  ~SeededSubkeys();
  SeededSubkeys(const SeededSubkeys&) = delete;
  SeededSubkeys& operator=(const SeededSubkeys&) = delete;
  int made() const { return static_cast<int>(names_.size()); }

 private:
  HKEY root_;
  std::wstring parent_, child_;
  bool made_parent_ = false;
  std::vector<std::wstring> names_;
};

// `count` text values "<prefix>NNNNN" in root\key for the life of the
// object, each holding "<prefix>NNNNN.exe".
class SeededValues {
 public:
  SeededValues(HKEY root, std::wstring key, std::wstring prefix, int count);
  ~SeededValues();
  SeededValues(const SeededValues&) = delete;
  SeededValues& operator=(const SeededValues&) = delete;
  int made() const { return static_cast<int>(names_.size()); }

 private:
  HKEY root_;
  std::wstring path_;
  HKEY key_ = nullptr;
  bool made_key_ = false;
  std::vector<std::wstring> names_;
};

}  // namespace corvane::e2e
