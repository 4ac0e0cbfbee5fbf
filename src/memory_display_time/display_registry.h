// Where the display window's registry readings come from, decided over a
// small key reader so the same routes run on an in-memory registry in the
// native tests and on the real one under Windows: the display class and its
// driver descriptions, the chip, DAC and memory lists of the video keys,
// and the video BIOS. Everything is read below HKEY_LOCAL_MACHINE.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::memory_display_time {

// One registry key open at a time, below HKEY_LOCAL_MACHINE, for reading
// only. Missing things are not errors (empty text, empty list, false);
// a read of a value of the wrong type, or of an integer that is missing,
// throws std::runtime_error.
class KeyReader {
 public:
  virtual ~KeyReader() = default;
  // Opens `path` ("\A\B" means "A\B"); any key open before is closed first,
  // so on false no key is open.
  virtual bool Open(std::wstring_view path) = 0;
  virtual bool ValueExists(std::wstring_view name) const = 0;
  // A string value's text up to its first zero; empty when missing.
  virtual std::wstring ReadString(std::wstring_view name) const = 0;
  // A 32-bit integer value.
  virtual std::uint32_t ReadInteger(std::wstring_view name) const = 0;
  // The bytes of a value that is neither a string nor an integer; empty when
  // missing, nullopt when it holds more than `limit` bytes.
  virtual std::optional<std::vector<std::byte>> ReadBinary(std::wstring_view name, std::size_t limit) const = 0;
  // The open key's subkeys in the registry's own order; empty when none is open.
  virtual std::vector<std::wstring> SubkeyNames() const = 0;
};

// ---- the class root -----------------------------------------------------------------

// The NT family of the class layout: platform NT with major version 3, 4 or
// 5. Later NT versions keep their classes elsewhere and take the other root.
bool IsNtFamily(std::uint32_t platform, std::uint32_t major);
// "SYSTEM\CurrentControlSet\Control\Class" for the NT family,
// "SYSTEM\CurrentControlSet\Services\Class" otherwise.
std::wstring_view ClassRoot(bool nt_family);

// ---- the class driver search ------------------------------------------------------

struct ClassDrivers {
  std::wstring key_name;             // the class key below the root; empty when none
  std::vector<std::wstring> values;  // the value of each driver key, once each ignoring case
};

// The first subkey of `root` whose "Class" value equals `class_name`
// ignoring case is the class key: named by the subkey itself in the NT
// family, otherwise by its "Link" value in upper case (which must open).
// Then `value_name` of each of the class key's subkeys.
ClassDrivers SearchClassDrivers(KeyReader& registry, std::wstring_view root, std::wstring_view class_name,
                                std::wstring_view value_name, bool nt_family);

// ---- chip, DAC and memory ---------------------------------------------------------------

struct VideoLists {
  std::vector<std::wstring> chips;
  std::vector<std::wstring> dacs;
  std::vector<std::wstring> memories;  // in bytes, decimal
  friend bool operator==(const VideoLists&, const VideoLists&) = default;
};

// The INFO key of each driver key of the display class; false when none
// opened (and always without a class key). A value that cannot be read is
// skipped.
bool ReadInfoKeys(KeyReader& registry, std::wstring_view root, std::wstring_view class_key, VideoLists& lists);
// The "HardwareInformation" values of the key the first video device names
// under HARDWARE\DEVICEMAP\VIDEO. A value that cannot be read is skipped.
void ReadHardwareInformation(KeyReader& registry, VideoLists& lists);
// The INFO keys, or where none opened the hardware information.
VideoLists ReadVideoLists(KeyReader& registry, std::wstring_view root, std::wstring_view class_key);

// The path below HKEY_LOCAL_MACHINE of a device-map entry such as
// "\Registry\Machine\System\...\0000": what follows "Machine\" (at most 255
// characters), or without it the text from its eighth character on.
std::wstring DeviceMapKeyPath(std::wstring_view entry);
// Binary text as the hardware information stores it: every non-zero byte
// in order as a character, up to the first two consecutive zero bytes.
std::wstring WideText(std::span<const std::byte> bytes);
// The first four bytes as a signed little-endian integer; nullopt when fewer.
std::optional<std::int32_t> SignedLittleEndian32(std::span<const std::byte> bytes);

// ---- the video BIOS --------------------------------------------------------------------

struct VideoBios {
  std::wstring version;  // the first line of VideoBiosVersion
  std::wstring date;
  friend bool operator==(const VideoBios&, const VideoBios&) = default;
};

// HARDWARE\DESCRIPTION\System: VideoBiosVersion (a multi-line value of at
// most 151 characters, of which the first line) and VideoBiosDate.
VideoBios ReadVideoBios(KeyReader& registry);
// The first line of a multi-line value stored as UTF-16 (up to its first
// zero character).
std::wstring FirstLine(std::span<const std::byte> utf16);

// ---- paths and names ------------------------------------------------------------------

inline constexpr std::wstring_view kDisplayClass = L"Display";
inline constexpr std::wstring_view kDriverDescValue = L"DriverDesc";
inline constexpr std::wstring_view kVideoDeviceMap = L"HARDWARE\\DEVICEMAP\\VIDEO";
inline constexpr std::wstring_view kSystemDescription = L"HARDWARE\\DESCRIPTION\\System";
// Room for the hardware information texts, and for the BIOS version's
// 151 characters as UTF-16.
inline constexpr std::size_t kHardwareTextBytes = 255;
inline constexpr std::size_t kBiosVersionChars = 151;

}  // namespace corvane::memory_display_time
