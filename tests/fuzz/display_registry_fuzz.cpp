// The display window's registry blobs: the video device map entry, the
// HardwareInformation.* values of the key it names and the video BIOS
// version, read through the in-memory registry of the unit tests as the
// window reads them, and straight into the decoders.
// Parts: device map entry (UTF-16), DacType, ChipType, MemorySize,
// VideoBiosVersion.
#include "fuzz_input.h"
#include "memory_display_time/display_registry.h"
#include "memory_display_time/fake_key_reader.h"

using namespace corvane;
using namespace corvane::memory_display_time;

namespace {

constexpr wchar_t kVideoKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Video\\{guid}\\0000";

std::vector<std::byte> Copy(fuzz::Bytes bytes) { return {bytes.begin(), bytes.end()}; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [entry_bytes, dac, chip, memory, bios_version] = fuzz::SplitParts<5>(fuzz::AsBytes(data, size));
  const std::wstring entry = fuzz::Utf16Text(entry_bytes);

  if (DeviceMapKeyPath(entry).size() > 255) __builtin_trap();  // past the key name's room
  (void)WideText(dac);
  (void)SignedLittleEndian32(memory);
  (void)FirstLine(bios_version);

  testing_support::FakeKeyReader registry;
  registry.String(kVideoDeviceMap, L"\\Device\\Video0", entry)
      .Binary(kVideoKey, L"HardwareInformation.DacType", Copy(dac))
      .Binary(kVideoKey, L"HardwareInformation.ChipType", Copy(chip))
      .Binary(kVideoKey, L"HardwareInformation.MemorySize", Copy(memory))
      .Binary(kSystemDescription, L"VideoBiosVersion", Copy(bios_version));
  VideoLists lists;
  ReadHardwareInformation(registry, lists);
  if (ReadVideoBios(registry).version.size() > kBiosVersionChars) __builtin_trap();
  return 0;
}
