#include "app/collectors/os_identity_win.h"

#include <windows.h>

#include "platform/registry_win.h"
#include "platform/unique_handle.h"

namespace corvane::app {
namespace {

std::optional<std::wstring> ReadNtProductType() {
  try {
    platform::Registry reg;
    reg.SetRoot(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(L"SYSTEM\\CurrentControlSet\\Control\\ProductOptions", false)) return std::nullopt;
    return reg.ReadString(L"ProductType");
  } catch (...) {
    return std::nullopt;
  }
}

// Asked only on Windows 8 and later. The 64-bit view, since a 32-bit
// program on 64-bit Windows would otherwise read the redirected copy of the
// key; a value of another type, or one that cannot be read, counts as absent.
ReleaseFacts ReadReleaseFacts() {
  ReleaseFacts facts;
  try {
    platform::Registry reg(KEY_READ | KEY_WOW64_64KEY);
    reg.SetRoot(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKey(L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", false)) return facts;
    const auto read = [&reg](const wchar_t* name) -> std::wstring {
      try {
        return reg.ReadString(name);
      } catch (const std::exception&) {
        return {};
      }
    };
    facts.edition_id = read(L"EditionID");
    facts.product_name = read(L"ProductName");
    facts.display_version = read(L"DisplayVersion");
    facts.release_id = read(L"ReleaseId");
  } catch (const std::exception&) {
  }
  return facts;
}

}  // namespace

WindowsIdentity IdentifyThisWindows() {
  const auto record = ReadVersionRecord();
  return record ? IdentifyWindows(*record, ReadNtProductType, ReadReleaseFacts) : WindowsIdentity{};
}

std::wstring ShortWindowsNameOfThisSystem() {
  // The record row 1 reads, so the two agree: its product type tells XP x64
  // from Windows Server 2003. A system that cannot report its version gets
  // the zeroed record, which names nothing.
  return ShortWindowsName(ReadVersionRecord().value_or(VersionRecord{}));
}

}  // namespace corvane::app
