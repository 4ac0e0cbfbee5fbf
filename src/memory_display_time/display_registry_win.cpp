#include "memory_display_time/display_registry_win.h"

namespace corvane::memory_display_time {

MachineKeyReader::MachineKeyReader() : registry_(KEY_READ) { registry_.SetRoot(HKEY_LOCAL_MACHINE); }

bool MachineKeyReader::Open(std::wstring_view path) { return registry_.OpenKeyReadOnly(path); }

bool MachineKeyReader::ValueExists(std::wstring_view name) const { return registry_.ValueExists(name); }

std::wstring MachineKeyReader::ReadString(std::wstring_view name) const { return registry_.ReadString(name); }

std::uint32_t MachineKeyReader::ReadInteger(std::wstring_view name) const { return registry_.ReadInteger(name); }

std::optional<std::vector<std::byte>> MachineKeyReader::ReadBinary(std::wstring_view name, std::size_t limit) const {
  std::vector<std::byte> bytes = registry_.ReadBinary(name);
  if (bytes.size() > limit) return std::nullopt;
  return bytes;
}

std::vector<std::wstring> MachineKeyReader::SubkeyNames() const { return registry_.SubkeyNames(); }

}  // namespace corvane::memory_display_time
