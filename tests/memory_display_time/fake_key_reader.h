// An in-memory registry below HKEY_LOCAL_MACHINE for the display readings:
// keys list their subkeys in the order they were added (as the registry
// lists them in its own order), names compare ignoring case, and reads keep
// the platform accessor's rules: missing is empty, the wrong type throws,
// binary data longer than the caller's room comes back as nullopt.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "memory_display_time/display_registry.h"
#include "memory_display_time/display_text.h"

namespace corvane::memory_display_time::testing_support {

class FakeKeyReader : public KeyReader {
 public:
  using Bytes = std::vector<std::byte>;

  // Makes the key and every key above it.
  FakeKeyReader& Key(std::wstring_view path) {
    std::wstring parent;
    std::wstring so_far;
    for (const std::wstring& part : Parts(path)) {
      so_far = so_far.empty() ? part : so_far + L"\\" + part;
      if (!keys_.contains(Fold(so_far))) {
        keys_[Fold(so_far)] = {};
        keys_[Fold(parent)].subkeys.push_back(part);
      }
      parent = so_far;
    }
    return *this;
  }
  FakeKeyReader& String(std::wstring_view path, std::wstring_view name, std::wstring text) {
    return Put(path, name, {Kind::kString, std::move(text), 0, {}});
  }
  FakeKeyReader& Integer(std::wstring_view path, std::wstring_view name, std::uint32_t value) {
    return Put(path, name, {Kind::kInteger, {}, value, {}});
  }
  FakeKeyReader& Binary(std::wstring_view path, std::wstring_view name, Bytes bytes) {
    return Put(path, name, {Kind::kBinary, {}, 0, std::move(bytes)});
  }

  // How many opens were asked for, to show which routes ran.
  int opens() const { return opens_; }

  bool Open(std::wstring_view path) override {
    ++opens_;
    open_.reset();
    std::wstring joined;
    for (const std::wstring& part : Parts(path)) {
      if (part.empty()) return false;  // "A\\B" names no key
      joined = joined.empty() ? part : joined + L"\\" + part;
    }
    if (!keys_.contains(Fold(joined))) return false;
    open_ = Fold(joined);
    return true;
  }
  bool ValueExists(std::wstring_view name) const override { return Find(name) != nullptr; }
  std::wstring ReadString(std::wstring_view name) const override {
    const Value* v = Find(name);
    if (!v) return {};
    if (v->kind != Kind::kString) throw std::runtime_error("ReadString: wrong type");
    return v->text.substr(0, v->text.find(L'\0'));
  }
  std::uint32_t ReadInteger(std::wstring_view name) const override {
    const Value* v = Find(name);
    if (!v || v->kind != Kind::kInteger) throw std::runtime_error("ReadInteger: missing or wrong type");
    return v->number;
  }
  std::optional<Bytes> ReadBinary(std::wstring_view name, std::size_t limit) const override {
    const Value* v = Find(name);
    if (!v) return Bytes{};
    if (v->kind != Kind::kBinary) throw std::runtime_error("ReadBinary: wrong type");
    if (v->bytes.size() > limit) return std::nullopt;
    return v->bytes;
  }
  std::vector<std::wstring> SubkeyNames() const override {
    return open_ ? keys_.at(*open_).subkeys : std::vector<std::wstring>{};
  }

 private:
  enum class Kind { kString, kInteger, kBinary };
  struct Value {
    Kind kind;
    std::wstring text;
    std::uint32_t number;
    Bytes bytes;
  };
  struct KeyData {
    std::vector<std::wstring> subkeys;
    std::map<std::wstring, Value> values;  // by folded name
  };

  static std::wstring Fold(std::wstring_view text) {
    std::wstring folded(text);
    for (wchar_t& c : folded) {
      if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return folded;
  }
  // "\A\B" and "A\B" alike; an empty component ("A\\B") stays in as "".
  static std::vector<std::wstring> Parts(std::wstring_view path) {
    if (!path.empty() && path.front() == L'\\') path.remove_prefix(1);
    std::vector<std::wstring> parts;
    if (path.empty()) return parts;
    for (std::size_t start = 0;;) {
      const std::size_t end = path.find(L'\\', start);
      parts.emplace_back(path.substr(start, end - start));
      if (end == std::wstring_view::npos) return parts;
      start = end + 1;
    }
  }

  FakeKeyReader& Put(std::wstring_view path, std::wstring_view name, Value value) {
    Key(path);
    std::wstring key;
    for (const std::wstring& part : Parts(path)) key = key.empty() ? part : key + L"\\" + part;
    keys_[Fold(key)].values[Fold(name)] = std::move(value);
    return *this;
  }
  const Value* Find(std::wstring_view name) const {
    if (!open_) return nullptr;
    const auto& values = keys_.at(*open_).values;
    const auto it = values.find(Fold(name));
    return it == values.end() ? nullptr : &it->second;
  }

  std::map<std::wstring, KeyData> keys_ = {{L"", {}}};  // "" is HKEY_LOCAL_MACHINE itself
  std::optional<std::wstring> open_;
  int opens_ = 0;
};

// UTF-16 little-endian bytes of `text` as given (zeros included), and raw bytes.
inline std::vector<std::byte> Utf16Bytes(std::wstring_view text) {
  std::vector<std::byte> bytes;
  for (wchar_t c : text) {
    bytes.push_back(static_cast<std::byte>(c & 0xFF));
    bytes.push_back(static_cast<std::byte>((c >> 8) & 0xFF));
  }
  return bytes;
}
inline std::vector<std::byte> RawBytes(std::initializer_list<int> values) {
  std::vector<std::byte> bytes;
  for (int v : values) bytes.push_back(static_cast<std::byte>(v));
  return bytes;
}

}  // namespace corvane::memory_display_time::testing_support
