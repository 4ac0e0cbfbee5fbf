// A short-lived accessor for one registry key: pick a root, open a key, read
// it, let the object go. Nothing is cached between accessors.
//
// Missing things are not errors: a missing key or value reads as empty text,
// an empty list, "no", size -1 or 0 bytes. Only these throw RegistryError: an
// integer read of a missing or non-REG_DWORD value, a read of the wrong type,
// binary data longer than the caller's buffer, and unexpected system failures
// (anything other than "not found" from the registry).
#pragma once
#include <windows.h>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry_views.h"
#include "platform/unique_handle.h"

namespace corvane::platform {

class RegistryError : public std::runtime_error {
 public:
  // `operation` names the failing call ("RegQueryValueEx", "ReadInteger"...);
  // `key_path` only feeds the message.
  RegistryError(std::string operation, std::wstring_view key_path, std::wstring value_name,
                LONG code);

  const std::string& operation() const noexcept { return operation_; }
  const std::wstring& value_name() const noexcept { return value_name_; }
  LONG code() const noexcept { return code_; }  // a Win32 error code

 private:
  std::string operation_;
  std::wstring value_name_;
  LONG code_;
};

class Registry {
 public:
  // `access` is what OpenKey asks for; the root starts as HKEY_CURRENT_USER.
  // A view flag in it (KEY_WOW64_64KEY or KEY_WOW64_32KEY) holds for every
  // open, read-only ones included, and for DeleteKey: the system does not
  // carry it from a key to the keys opened below it.
  explicit Registry(REGSAM access = KEY_ALL_ACCESS) noexcept
      : access_(access), view_(access & (KEY_WOW64_64KEY | KEY_WOW64_32KEY)) {}

  // The root is not owned. Changing it closes the open key, so an open key is
  // always one below the current root.
  void SetRoot(HKEY root) noexcept;

  // Opens `path` below the root with the accessor's rights ("\A\B" means
  // "A\B"); with `create` a missing key is created. Any previously open key
  // is closed first, so on false no key is open.
  bool OpenKey(std::wstring_view path, bool create);
  // Tries KEY_READ, then READ_CONTROL|KEY_QUERY_VALUE|KEY_ENUMERATE_SUB_KEYS,
  // then KEY_QUERY_VALUE alone, for users allowed less than full reading.
  bool OpenKeyReadOnly(std::wstring_view path);
  bool IsOpen() const noexcept { return static_cast<bool>(key_); }
  void CloseKey() noexcept;

  bool ValueExists(std::wstring_view name) const;
  // REG_SZ / REG_EXPAND_SZ text (not expanded) up to its first zero; empty
  // when missing or no key is open; another type throws.
  std::wstring ReadString(std::wstring_view name) const;
  // REG_DWORD; throws when missing, of another type or not 4 bytes long.
  DWORD ReadInteger(std::wstring_view name) const;
  // Raw bytes of any type except REG_SZ, REG_EXPAND_SZ and REG_DWORD (those
  // have typed reads and throw here, as any read of the wrong type does).
  // Multi-strings come back as stored: UTF-16 with zero separators. Returns
  // the byte count, 0 when missing; throws when the data does not fit, and
  // then leaves `buffer` untouched.
  size_t ReadBinary(std::wstring_view name, void* buffer, size_t size) const;
  // The same rule without a size limit; empty when missing.
  std::vector<std::byte> ReadBinary(std::wstring_view name) const;

  // REG_NONE when missing (DataSize tells a missing value from a REG_NONE one).
  DWORD DataType(std::wstring_view name) const;
  // Bytes of data; -1 when missing or no key is open.
  long DataSize(std::wstring_view name) const;

  // Names in the registry's own order; empty when no key is open.
  std::vector<std::wstring> SubkeyNames() const;
  std::vector<std::wstring> ValueNames() const;

  // Deletes `path` (below the open key, or below the root when none is open)
  // with everything under it. False when there is no such key or the path is
  // empty: an empty path would name the open key or the root itself, which is
  // never what a caller means. Throws when the key exists but deletion fails
  // (part of its subtree may already be gone then).
  bool DeleteKey(std::wstring_view path);

 private:
  struct ValueInfo {
    DWORD type;
    DWORD size;
  };
  struct ValueData {
    DWORD type;
    std::vector<std::byte> bytes;
  };
  LONG Open(std::wstring_view path, REGSAM access, bool create);
  bool QueryInfo(std::wstring_view name, ValueInfo& info) const;
  bool QueryData(std::wstring_view name, ValueData& data) const;
  std::vector<std::wstring> EnumNames(bool values) const;
  [[noreturn]] void Fail(const std::string& operation, std::wstring_view name, LONG code) const;

  HKEY root_ = HKEY_CURRENT_USER;
  REGSAM access_;
  REGSAM view_;
  UniqueKey key_;
  std::wstring path_;  // of the open key, for error messages
};

// The common one-line read: opens `path` read-only below `root` and returns
// the string value `name`, or empty on any registry failure (missing key,
// missing value, wrong type).
std::wstring ReadRegistryString(HKEY root, std::wstring_view path, std::wstring_view name);

HKEY RootKey(RegistryRoot root) noexcept;

// The views of the machine's software keys on this system, decided once:
// a 64-bit build is on 64-bit Windows; a 32-bit one asks IsWow64Process,
// looked up at run time since systems before XP SP2 lack it.
const std::vector<RegistryView>& SystemSoftwareViews();
// The flag of the view that holds what Windows keeps for the system as a
// whole: KEY_WOW64_64KEY on 64-bit Windows, none on 32-bit Windows (where
// Windows 2000 would refuse it).
REGSAM SystemViewFlag();

}  // namespace corvane::platform
