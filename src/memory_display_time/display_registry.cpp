#include "memory_display_time/display_registry.h"

#include <algorithm>
#include <stdexcept>

#include "memory_display_time/display_text.h"
#include "platform/utf8.h"

namespace corvane::memory_display_time {
namespace {

std::wstring Join(std::wstring_view a, std::wstring_view b) {
  std::wstring path(a);
  path += L'\\';
  path += b;
  return path;
}

std::wstring Join(std::wstring_view a, std::wstring_view b, std::wstring_view c) { return Join(Join(a, b), c); }

// A value read that may fail on a value of the wrong type: the value is
// then treated as unreadable, as a missing one would be.
template <class Read>
auto Readable(Read read) -> std::optional<decltype(read())> {
  try {
    return read();
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

std::optional<std::wstring> StringValue(const KeyReader& registry, std::wstring_view name) {
  if (!registry.ValueExists(name)) return std::nullopt;
  return Readable([&] { return registry.ReadString(name); });
}

// Bytes of a binary value that fits `limit`; nullopt when missing, too long
// or of another type.
std::optional<std::vector<std::byte>> BinaryValue(const KeyReader& registry, std::wstring_view name,
                                                  std::size_t limit) {
  if (!registry.ValueExists(name)) return std::nullopt;
  auto bytes = Readable([&] { return registry.ReadBinary(name, limit); });
  if (!bytes || !*bytes) return std::nullopt;
  return std::move(**bytes);
}

void AddOnce(std::vector<std::wstring>& list, std::wstring text) {
  const bool held = std::ranges::any_of(list, [&](const std::wstring& s) { return EqualsIgnoringCase(s, text); });
  if (!held) list.push_back(std::move(text));
}

}  // namespace

bool IsNtFamily(std::uint32_t platform, std::uint32_t major) {
  constexpr std::uint32_t kNtPlatform = 2;  // VER_PLATFORM_WIN32_NT
  return platform == kNtPlatform && major >= 3 && major <= 5;
}

std::wstring_view ClassRoot(bool nt_family) {
  return nt_family ? L"SYSTEM\\CurrentControlSet\\Control\\Class" : L"SYSTEM\\CurrentControlSet\\Services\\Class";
}

ClassDrivers SearchClassDrivers(KeyReader& registry, std::wstring_view root, std::wstring_view class_name,
                                std::wstring_view value_name, bool nt_family) {
  ClassDrivers found;
  if (!registry.Open(root)) return found;
  for (const std::wstring& subkey : registry.SubkeyNames()) {
    if (!registry.Open(Join(root, subkey))) continue;
    const auto cls = StringValue(registry, L"Class");
    if (!cls || !EqualsIgnoringCase(*cls, class_name)) continue;
    if (nt_family) {
      found.key_name = subkey;
    } else {
      // An empty link would name the root itself.
      const std::wstring link = UpperCase(StringValue(registry, L"Link").value_or(L""));
      if (link.empty() || !registry.Open(Join(root, link))) return found;
      found.key_name = link;
    }
    break;
  }
  if (found.key_name.empty() || !registry.Open(Join(root, found.key_name))) return found;
  for (const std::wstring& driver : registry.SubkeyNames()) {
    if (!registry.Open(Join(root, found.key_name, driver))) continue;
    if (auto value = StringValue(registry, value_name)) AddOnce(found.values, std::move(*value));
  }
  return found;
}

bool ReadInfoKeys(KeyReader& registry, std::wstring_view root, std::wstring_view class_key, VideoLists& lists) {
  // Without a class key the path would name the class root, whose subkeys are classes, not drivers.
  if (class_key.empty() || !registry.Open(Join(root, class_key))) return false;
  bool any = false;
  for (const std::wstring& driver : registry.SubkeyNames()) {
    if (!registry.Open(Join(Join(root, class_key), driver, L"INFO"))) continue;
    any = true;
    if (auto dac = StringValue(registry, L"DACType")) lists.dacs.push_back(std::move(*dac));
    if (auto chip = StringValue(registry, L"ChipType")) lists.chips.push_back(std::move(*chip));
    if (auto revision = StringValue(registry, L"Revision"); revision && !lists.chips.empty()) {
      lists.chips.back() += L" Rev " + *revision;
    }
    if (registry.ValueExists(L"VideoMemory")) {
      if (auto memory = Readable([&] { return registry.ReadInteger(L"VideoMemory"); })) {
        lists.memories.push_back(std::to_wstring(static_cast<std::int32_t>(*memory)));
      }
    }
  }
  return any;
}

void ReadHardwareInformation(KeyReader& registry, VideoLists& lists) {
  if (!registry.Open(kVideoDeviceMap)) return;
  // Some systems wrote the name with its backslashes doubled.
  std::optional<std::wstring> entry = StringValue(registry, L"\\Device\\Video0");
  if (!entry && !registry.ValueExists(L"\\Device\\Video0")) entry = StringValue(registry, L"\\\\Device\\\\Video0");
  if (!entry || !registry.Open(DeviceMapKeyPath(*entry))) return;
  if (auto dac = BinaryValue(registry, L"HardwareInformation.DacType", kHardwareTextBytes)) {
    lists.dacs.push_back(WideText(*dac));
  }
  if (auto chip = BinaryValue(registry, L"HardwareInformation.ChipType", kHardwareTextBytes)) {
    lists.chips.push_back(WideText(*chip));
  }
  if (auto memory = BinaryValue(registry, L"HardwareInformation.MemorySize", kHardwareTextBytes)) {
    if (auto size = SignedLittleEndian32(*memory)) lists.memories.push_back(std::to_wstring(*size));
  }
}

VideoLists ReadVideoLists(KeyReader& registry, std::wstring_view root, std::wstring_view class_key) {
  VideoLists lists;
  if (!ReadInfoKeys(registry, root, class_key, lists)) ReadHardwareInformation(registry, lists);
  return lists;
}

std::wstring DeviceMapKeyPath(std::wstring_view entry) {
  constexpr std::wstring_view kMachine = L"Machine\\";
  constexpr std::size_t kMaxChars = 255;
  const std::size_t at = FindIgnoringCase(entry, kMachine);
  const std::wstring_view path =
      entry.substr(at != std::wstring_view::npos ? at + kMachine.size() : std::min<std::size_t>(7, entry.size()));
  return std::wstring(path.substr(0, platform::WholeCharactersIn(path, kMaxChars)));
}

std::wstring WideText(std::span<const std::byte> bytes) {
  std::wstring text;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != std::byte{0}) {
      text += static_cast<wchar_t>(std::to_integer<unsigned char>(bytes[i]));
    } else if (i + 1 < bytes.size() && bytes[i + 1] == std::byte{0}) {
      break;
    }
  }
  return text;
}

std::optional<std::int32_t> SignedLittleEndian32(std::span<const std::byte> bytes) {
  if (bytes.size() < 4) return std::nullopt;
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | std::to_integer<std::uint32_t>(bytes[static_cast<std::size_t>(i)]);
  return static_cast<std::int32_t>(value);
}

VideoBios ReadVideoBios(KeyReader& registry) {
  VideoBios bios;
  if (!registry.Open(kSystemDescription)) return bios;
  if (auto version = BinaryValue(registry, L"VideoBiosVersion", kBiosVersionChars * sizeof(char16_t))) {
    bios.version = FirstLine(*version);
  }
  bios.date = StringValue(registry, L"VideoBiosDate").value_or(L"");
  return bios;
}

std::wstring FirstLine(std::span<const std::byte> utf16) {
  std::wstring line;
  for (std::size_t i = 0; i + 1 < utf16.size(); i += 2) {
    const auto c = static_cast<wchar_t>(std::to_integer<unsigned>(utf16[i]) |
                                        (std::to_integer<unsigned>(utf16[i + 1]) << 8));
    if (c == L'\0') break;
    line += c;
  }
  return line;
}

}  // namespace corvane::memory_display_time
