#include "inventory/personal_readers_win.h"

#include <windows.h>
// after windows.h
#include <winver.h>

#include <exception>
#include <iterator>
#include <vector>

#include "platform/locale_win.h"
#include "platform/printer_win.h"
#include "platform/registry_win.h"
#include "platform/wmi_win.h"
#include "storage/hd_serial_win.h"

namespace corvane::inventory {
namespace {

// Every key here is read in the view where Windows keeps the installation's
// own identity: the 64-bit view on 64-bit Windows, whose copy below
// WOW6432Node a 32-bit program would otherwise be shown and which is not
// kept in step with it; the one view elsewhere.
REGSAM MachineRights(REGSAM rights) { return rights | platform::SystemViewFlag(); }

// Opens `path` below HKEY_LOCAL_MACHINE, creating it when missing. Creating
// asks for full rights, which a user without administrator rights lacks
// there: an existing key is then still opened for reading.
bool OpenCreating(platform::Registry& reg, std::wstring_view path) {
  reg.SetRoot(HKEY_LOCAL_MACHINE);
  return reg.OpenKey(path, true) || reg.OpenKeyReadOnly(path);
}

// A row that handles its own failures: whatever stands in the way of the
// text leaves it empty.
std::wstring CreatingKeyString(std::wstring_view path, std::wstring_view name) {
  try {
    platform::Registry reg(MachineRights(KEY_ALL_ACCESS));
    return OpenCreating(reg, path) ? reg.ReadString(name) : std::wstring();
  } catch (const std::exception&) {
    return {};
  }
}

// A row without handling of its own: a key that does not open reads empty,
// a value that cannot be read ends the group.
std::wstring CreatingKeyStringOrThrow(std::wstring_view path, std::wstring_view name) {
  platform::Registry reg(MachineRights(KEY_ALL_ACCESS));
  OpenCreating(reg, path);
  return reg.ReadString(name);
}

std::wstring ReadRegisteredOwner() {
  try {
    platform::Registry reg(MachineRights(KEY_READ));
    reg.SetRoot(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKeyReadOnly(kNtCurrentVersionKey) || !reg.ValueExists(L"RegisteredOwner")) return {};
    return reg.ReadString(L"RegisteredOwner");
  } catch (const std::exception&) {
    return {};
  }
}

std::wstring ReadProductId() {
  try {
    platform::Registry reg(MachineRights(KEY_ALL_ACCESS));
    if (!OpenCreating(reg, kWindowsCurrentVersionKey)) return {};
    std::wstring id = reg.ReadString(L"ProductID");
    if (!TrimBlanks(id).empty()) return id;
    // Later systems keep it under the Windows NT key only.
    if (!OpenCreating(reg, kNtCurrentVersionKey)) return {};
    return reg.ReadString(L"ProductID");
  } catch (const std::exception&) {
    return {};
  }
}

std::wstring ReadHdSerial() {
  try {
    return storage::GetHardDiskSerial();
  } catch (const std::exception&) {
    return {};
  }
}

std::wstring ReadDefaultPrinter() {
  try {
    platform::Printer& printer = platform::ThePrinter();
    printer.SetIndex(-1);
    const int index = printer.index();
    const auto& printers = printer.Printers();
    if (index < 0 || static_cast<std::size_t>(index) >= printers.size()) return {};
    return printers[static_cast<std::size_t>(index)];
  } catch (const std::exception&) {
    // No default printer, or none that can be chosen now.
    return {};
  }
}

std::wstring ReadInstallDate() {
  platform::Registry reg(MachineRights(KEY_READ));
  reg.SetRoot(HKEY_LOCAL_MACHINE);
  // A key that does not open counts as the start of 1970; a missing or
  // non-integer value throws and ends the group.
  const DWORD seconds = reg.OpenKeyReadOnly(kInstallDateKey) ? reg.ReadInteger(L"InstallDate") : 0;
  return InstallDateText(seconds, platform::ReadDateSeparator(), platform::ReadTimeSeparator());
}

// Each view names its own runtime's folder (Framework64 in the 64-bit
// view, Framework in the 32-bit one): the system's own is the 64-bit one.
std::wstring ReadDotNetRoot() {
  platform::Registry reg(MachineRights(KEY_READ));
  reg.SetRoot(HKEY_LOCAL_MACHINE);
  if (!reg.OpenKey(kDotNetKey, false)) return {};
  return reg.ReadString(L"InstallRoot");
}

std::wstring ReadSystemLanguage() {
  wchar_t name[100] = {};
  // A name too long for the buffer comes back cut, still terminated.
  VerLanguageNameW(GetSystemDefaultLangID(), name, static_cast<DWORD>(std::size(name)));
  return name;
}

// Runs one group; a failure ends it silently.
template <class Group>
void RunGroup(Group group) {
  try {
    group();
  } catch (...) {
  }
}

}  // namespace

std::wstring ReadWindowsCdKey() {
  platform::Registry reg(MachineRights(KEY_READ));
  reg.SetRoot(HKEY_LOCAL_MACHINE);
  if (!reg.OpenKeyReadOnly(kNtCurrentVersionKey) || reg.DataType(L"DigitalProductId") != REG_BINARY) return {};
  const std::vector<std::byte> data = reg.ReadBinary(L"DigitalProductId");
  return DecodeProductKey(data);
}

void ReadPersonalInfo(PersonalModel& model, const PersonalRowSet& row_set) {
  const auto set = [&](PersonalRow row, std::wstring& field, std::wstring text) {
    field = std::move(text);
    if (row_set) row_set(row);
  };
  RunGroup([&] {
    set(PersonalRow::kRegisteredOwner, model.registered_owner, ReadRegisteredOwner());
    set(PersonalRow::kRegisteredOrganization, model.registered_organization,
        CreatingKeyString(kNtCurrentVersionKey, L"RegisteredOrganization"));
    set(PersonalRow::kInstallationType, model.installation_type,
        CreatingKeyString(kNtCurrentVersionKey, L"InstallationType"));
    set(PersonalRow::kCurrentBuildNumber, model.current_build_number,
        CreatingKeyString(kNtCurrentVersionKey, L"CurrentBuildNumber"));
  });
  RunGroup([&] { set(PersonalRow::kProductId, model.product_id, ReadProductId()); });
  RunGroup([&] { set(PersonalRow::kHdSerial, model.hd_serial, ReadHdSerial()); });
  RunGroup([&] {
    set(PersonalRow::kSystemSerial, model.system_serial, platform::WmiQueryProperty(L".", L"Win32_BIOS", L"SerialNumber"));
  });
  RunGroup([&] {
    set(PersonalRow::kDefaultPrinter, model.default_printer, ReadDefaultPrinter());
    set(PersonalRow::kSystemRoot, model.system_root, CreatingKeyStringOrThrow(kNtCurrentVersionKey, L"SystemRoot"));
    set(PersonalRow::kCdKey, model.cd_key, ReadWindowsCdKey());
    set(PersonalRow::kInstallDate, model.install_date, ReadInstallDate());
    set(PersonalRow::kBuildLab, model.build_lab, CreatingKeyStringOrThrow(kNtCurrentVersionKey, L"BuildLab"));
    set(PersonalRow::kDotNetRoot, model.dot_net_root, ReadDotNetRoot());
    set(PersonalRow::kSystemLanguage, model.system_language, ReadSystemLanguage());
  });
}

}  // namespace corvane::inventory
