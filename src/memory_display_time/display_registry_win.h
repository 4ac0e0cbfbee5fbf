// The display readings' key reader on the real registry: one accessor of
// the platform layer, rooted at HKEY_LOCAL_MACHINE, opening keys read-only
// (the window only reads, and full rights there are an administrator's).
#pragma once
#include "memory_display_time/display_registry.h"
#include "platform/registry_win.h"

namespace corvane::memory_display_time {

class MachineKeyReader : public KeyReader {
 public:
  MachineKeyReader();
  bool Open(std::wstring_view path) override;
  bool ValueExists(std::wstring_view name) const override;
  std::wstring ReadString(std::wstring_view name) const override;
  std::uint32_t ReadInteger(std::wstring_view name) const override;
  std::optional<std::vector<std::byte>> ReadBinary(std::wstring_view name, std::size_t limit) const override;
  std::vector<std::wstring> SubkeyNames() const override;

 private:
  platform::Registry registry_;
};

}  // namespace corvane::memory_display_time
