#include "platform/registry_win.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <system_error>

#include "platform/os_version_win.h"
#include "platform/system_function_win.h"

namespace corvane::platform {
namespace {

// A value larger than the buffer is read again at its size; should it grow
// meanwhile, again. After this many rounds something is rewriting it
// continuously and we give up.
constexpr int kReadAttempts = 8;
constexpr DWORD kFirstReadBytes = 512;  // a path or a name, as most values are
// Value names may be up to 16383 characters; key names are shorter.
constexpr DWORD kMaxNameChars = 32768;

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0) {
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                          nullptr, nullptr);
  }
  return out;
}

std::string SystemMessage(LONG code) {
  wchar_t buf[512];
  DWORD n = ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             static_cast<DWORD>(code), 0, buf, static_cast<DWORD>(std::size(buf)),
                             nullptr);
  while (n > 0 && (buf[n - 1] == L'\r' || buf[n - 1] == L'\n' || buf[n - 1] == L' ')) --n;
  return ToUtf8(std::wstring_view(buf, n));
}

std::string BuildMessage(const std::string& operation, std::wstring_view key_path,
                         std::wstring_view value_name, LONG code) {
  std::string msg = operation + " failed";
  if (!key_path.empty()) msg += " on " + ToUtf8(key_path);
  msg += ", value \"" + ToUtf8(value_name) + "\": error " + std::to_string(code);
  const std::string text = SystemMessage(code);
  if (!text.empty()) msg += " (" + text + ")";
  return msg;
}

std::wstring RootName(HKEY root) {
  if (root == HKEY_LOCAL_MACHINE) return L"HKLM";
  if (root == HKEY_CURRENT_USER) return L"HKCU";
  if (root == HKEY_CLASSES_ROOT) return L"HKCR";
  if (root == HKEY_USERS) return L"HKU";
  return L"(key)";
}

// "\A\B" and "A\B" name the same key below the root.
std::wstring RelativePath(std::wstring_view path) {
  if (!path.empty() && path.front() == L'\\') path.remove_prefix(1);
  return std::wstring(path);
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Collects the names of `key`'s subkeys or values; ERROR_* other than the end
// of the list come back in `rc`.
LONG CollectNames(HKEY key, bool values, std::vector<std::wstring>& names) {
  std::vector<wchar_t> buf(256);
  for (DWORD index = 0;;) {
    DWORD len = static_cast<DWORD>(buf.size());
    const LONG rc = values ? ::RegEnumValueW(key, index, buf.data(), &len, nullptr, nullptr,
                                             nullptr, nullptr)
                           : ::RegEnumKeyExW(key, index, buf.data(), &len, nullptr, nullptr,
                                             nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
    if (rc == ERROR_MORE_DATA && buf.size() < kMaxNameChars) {
      buf.resize(buf.size() * 2);  // retry the same index with more room
      continue;
    }
    if (rc != ERROR_SUCCESS) return rc;
    names.emplace_back(buf.data(), std::min<size_t>(len, buf.size()));
    ++index;
  }
}

static_assert(KEY_WOW64_64KEY == kView64BitFlag && KEY_WOW64_32KEY == kView32BitFlag);

// Deletes one key without subkeys in `view`. RegDeleteKeyW deletes in the
// program's own view whatever view the parent was opened in; the call that
// names the view came with 64-bit Windows and is looked up, as 32-bit XP
// lacks it (and has one view only, so there no flag is ever given).
LONG DeleteOneKey(HKEY parent, const std::wstring& name, REGSAM view) {
  using DeleteKeyExFn = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);
  static const auto delete_key_ex = LoadedFunction<DeleteKeyExFn>(L"advapi32.dll", "RegDeleteKeyExW");
  if (view != 0 && delete_key_ex) return delete_key_ex(parent, name.c_str(), view, 0);
  return ::RegDeleteKeyW(parent, name.c_str());
}

// Deletes `name` below `parent` and its subtree, deepest first, all in
// `view`. The child names are collected before deleting so a key that
// cannot be deleted ends the walk instead of being found again forever.
LONG DeleteTree(HKEY parent, const std::wstring& name, REGSAM view) {
  UniqueKey key;
  LONG rc = ::RegOpenKeyExW(parent, name.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE | view,
                            key.put());
  if (rc != ERROR_SUCCESS) return rc;
  std::vector<std::wstring> children;
  rc = CollectNames(key.get(), false, children);
  if (rc != ERROR_SUCCESS) return rc;
  for (const auto& child : children) {
    rc = DeleteTree(key.get(), child, view);
    if (rc != ERROR_SUCCESS && rc != ERROR_FILE_NOT_FOUND) return rc;
  }
  key.reset();
  return DeleteOneKey(parent, name, view);
}

bool ThisProgramIs64Bit() { return sizeof(void*) == 8; }

// nullopt where the test fails.
std::optional<bool> RunsUnderWow64() {
  try {
    return IsWow64Process();
  } catch (const std::system_error&) {
    return std::nullopt;
  }
}

}  // namespace

RegistryError::RegistryError(std::string operation, std::wstring_view key_path,
                             std::wstring value_name, LONG code)
    : std::runtime_error(BuildMessage(operation, key_path, value_name, code)),
      operation_(std::move(operation)),
      value_name_(std::move(value_name)),
      code_(code) {}

void Registry::SetRoot(HKEY root) noexcept {
  CloseKey();
  root_ = root;
}

LONG Registry::Open(std::wstring_view path, REGSAM access, bool create) {
  CloseKey();
  const std::wstring sub = RelativePath(path);
  const LONG rc = create ? ::RegCreateKeyExW(root_, sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             access, nullptr, key_.put(), nullptr)
                         : ::RegOpenKeyExW(root_, sub.c_str(), 0, access, key_.put());
  if (rc != ERROR_SUCCESS) {
    key_.release();  // a failed call leaves nothing to own in the slot
    return rc;
  }
  path_ = RootName(root_) + L"\\" + sub;
  return ERROR_SUCCESS;
}

bool Registry::OpenKey(std::wstring_view path, bool create) {
  return Open(path, access_, create) == ERROR_SUCCESS;
}

bool Registry::OpenKeyReadOnly(std::wstring_view path) {
  // Only a refusal is worth retrying with fewer rights; a missing key stays missing.
  LONG rc = ERROR_ACCESS_DENIED;
  for (REGSAM access : {REGSAM{KEY_READ}, REGSAM{0x20009}, REGSAM{KEY_QUERY_VALUE}}) {
    if (rc != ERROR_ACCESS_DENIED) break;
    rc = Open(path, access | view_, false);
  }
  return rc == ERROR_SUCCESS;
}

void Registry::CloseKey() noexcept {
  key_.reset();
  path_.clear();
}

void Registry::Fail(const std::string& operation, std::wstring_view name, LONG code) const {
  throw RegistryError(operation, path_, std::wstring(name), code);
}

bool Registry::QueryInfo(std::wstring_view name, ValueInfo& info) const {
  if (!key_) return false;
  const std::wstring n(name);
  info = {};
  const LONG rc = ::RegQueryValueExW(key_.get(), n.c_str(), nullptr, &info.type, nullptr, &info.size);
  if (rc == ERROR_FILE_NOT_FOUND) return false;
  if (rc != ERROR_SUCCESS) Fail("RegQueryValueEx", name, rc);
  return true;
}

bool Registry::QueryData(std::wstring_view name, ValueData& data) const {
  if (!key_) return false;
  const std::wstring n(name);
  // One call reads most values whole: every registry call is a round trip
  // to the registry's owner (a server process under Wine), so a list of
  // thousands of entries pays for each. A larger value is read again at the
  // size the refused call gave (twice the buffer, should it give none).
  DWORD size = kFirstReadBytes;
  for (int attempt = 1;; ++attempt) {
    data.bytes.assign(size, std::byte{0});
    DWORD got = size;
    const LONG rc = ::RegQueryValueExW(key_.get(), n.c_str(), nullptr, &data.type,
                                       reinterpret_cast<BYTE*>(data.bytes.data()), &got);
    if (rc == ERROR_SUCCESS) {
      data.bytes.resize(std::min<size_t>(got, data.bytes.size()));
      return true;
    }
    // A value deleted meanwhile ends as missing.
    if (rc == ERROR_FILE_NOT_FOUND) return false;
    if (rc != ERROR_MORE_DATA || attempt >= kReadAttempts) Fail("RegQueryValueEx", name, rc);
    size = std::max(got, size * 2);  // it is larger, or grew meanwhile
  }
}

bool Registry::ValueExists(std::wstring_view name) const {
  ValueInfo info;
  return QueryInfo(name, info);
}

std::wstring Registry::ReadString(std::wstring_view name) const {
  ValueData data;
  if (!QueryData(name, data)) return {};
  if (!IsStringType(data.type)) Fail("ReadString (type " + std::to_string(data.type) + ")", name, ERROR_UNSUPPORTED_TYPE);
  // Stored text need not end in a zero, may hold several, and a stray odd
  // byte is no character: copy whole UTF-16 units, stop at the first zero.
  std::wstring text(data.bytes.size() / sizeof(wchar_t), L'\0');
  std::memcpy(text.data(), data.bytes.data(), text.size() * sizeof(wchar_t));
  text.resize(std::wcslen(text.c_str()));
  return text;
}

DWORD Registry::ReadInteger(std::wstring_view name) const {
  ValueData data;
  if (!QueryData(name, data)) Fail("ReadInteger", name, key_ ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_HANDLE);
  if (data.type != REG_DWORD) Fail("ReadInteger (type " + std::to_string(data.type) + ")", name, ERROR_UNSUPPORTED_TYPE);
  if (data.bytes.size() != sizeof(DWORD)) Fail("ReadInteger (size)", name, ERROR_INVALID_DATA);
  DWORD value;
  std::memcpy(&value, data.bytes.data(), sizeof value);
  return value;
}

std::vector<std::byte> Registry::ReadBinary(std::wstring_view name) const {
  ValueData data;
  if (!QueryData(name, data)) return {};
  if (IsStringType(data.type) || data.type == REG_DWORD) {
    Fail("ReadBinary (type " + std::to_string(data.type) + ")", name, ERROR_UNSUPPORTED_TYPE);
  }
  return std::move(data.bytes);
}

size_t Registry::ReadBinary(std::wstring_view name, void* buffer, size_t size) const {
  const std::vector<std::byte> bytes = ReadBinary(name);
  if (bytes.size() > size) Fail("ReadBinary (" + std::to_string(bytes.size()) + " bytes)", name, ERROR_MORE_DATA);
  if (!bytes.empty()) std::memcpy(buffer, bytes.data(), bytes.size());
  return bytes.size();
}

DWORD Registry::DataType(std::wstring_view name) const {
  ValueInfo info;
  return QueryInfo(name, info) ? info.type : REG_NONE;
}

long Registry::DataSize(std::wstring_view name) const {
  ValueInfo info;
  return QueryInfo(name, info) ? static_cast<long>(info.size) : -1;
}

std::vector<std::wstring> Registry::EnumNames(bool values) const {
  std::vector<std::wstring> names;
  if (!key_) return names;
  const LONG rc = CollectNames(key_.get(), values, names);
  if (rc != ERROR_SUCCESS) Fail(values ? "RegEnumValue" : "RegEnumKeyEx", L"", rc);
  return names;
}

std::vector<std::wstring> Registry::SubkeyNames() const { return EnumNames(false); }
std::vector<std::wstring> Registry::ValueNames() const { return EnumNames(true); }

bool Registry::DeleteKey(std::wstring_view path) {
  const std::wstring sub = RelativePath(path);
  if (sub.empty()) return false;
  const LONG rc = DeleteTree(key_ ? key_.get() : root_, sub, view_);
  if (rc == ERROR_FILE_NOT_FOUND) return false;
  if (rc != ERROR_SUCCESS) {
    const std::wstring where = key_ ? path_ + L"\\" + sub : RootName(root_) + L"\\" + sub;
    throw RegistryError("DeleteKey", where, L"", rc);
  }
  return true;
}

std::wstring ReadRegistryString(HKEY root, std::wstring_view path, std::wstring_view name) {
  Registry reg(KEY_READ);
  reg.SetRoot(root);
  if (!reg.OpenKeyReadOnly(path)) return {};
  try {
    return reg.ReadString(name);
  } catch (const RegistryError&) {
    return {};
  }
}

HKEY RootKey(RegistryRoot root) noexcept {
  return root == RegistryRoot::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

const std::vector<RegistryView>& SystemSoftwareViews() {
  static const std::vector<RegistryView> views = [] {
    const bool program64 = ThisProgramIs64Bit();
    return SoftwareViews(program64, SystemIs64Bit(program64, program64 ? std::nullopt : RunsUnderWow64()));
  }();
  return views;
}

REGSAM SystemViewFlag() { return SystemSoftwareViews().front().flag; }

}  // namespace corvane::platform
