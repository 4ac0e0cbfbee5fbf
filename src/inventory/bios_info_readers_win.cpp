#include "inventory/bios_info_readers_win.h"

#include <windows.h>

#include <vector>

#include "platform/registry_win.h"

namespace corvane::inventory {
namespace {

// A string row: whatever stands in the way of the text leaves it empty.
std::wstring StringValue(const platform::Registry& reg, std::wstring_view name) {
  try {
    return reg.ReadString(name);
  } catch (const platform::RegistryError&) {
    return {};
  }
}

}  // namespace

std::wstring ReadMultiString(std::wstring_view key_path, std::wstring_view name) {
  platform::Registry reg(KEY_READ);
  reg.SetRoot(HKEY_LOCAL_MACHINE);
  if (!reg.OpenKeyReadOnly(key_path)) throw BiosInfoError(kCantOpenKey);
  DWORD type = REG_NONE;
  try {
    type = reg.DataType(name);
  } catch (const platform::RegistryError&) {
    // A query that fails tells no type.
  }
  if (type != REG_MULTI_SZ) throw BiosInfoError(kWrongDataType);
  std::vector<std::byte> data;
  try {
    data = reg.ReadBinary(name);
  } catch (const platform::RegistryError&) {
    data.clear();
  }
  return MultiStringText(data);
}

void ReadBiosInfo(BiosInfoModel& model) {
  {
    platform::Registry reg(KEY_READ);
    reg.SetRoot(HKEY_LOCAL_MACHINE);
    // Not open, every read below is empty.
    reg.OpenKeyReadOnly(kSystemDescriptionKey);
    model.bios_date = StringValue(reg, L"SystemBiosDate");
    model.identifier = StringValue(reg, L"Identifier");
    model.video_bios_date = StringValue(reg, L"VideoBiosDate");
  }
  model.bios_version = ReadMultiString(kSystemDescriptionKey, L"SystemBiosVersion");
  model.video_bios_version = ReadMultiString(kSystemDescriptionKey, L"VideoBiosVersion");
}

}  // namespace corvane::inventory
