// One registry value under HKEY_LOCAL_MACHINE (or another root) for the
// life of the object, then what was there before comes back: the previous
// value, or no value, or no key (the keys made for it are removed again).
// New keys are made volatile, so a test that dies midway leaves nothing
// behind in the prefix after the next restart; HARDWARE, being volatile,
// needs them so anyway. (The code under test cannot create a lasting key
// below a volatile one: seed where the keys above exist when it must.)
// `view` (KEY_WOW64_64KEY or KEY_WOW64_32KEY) seeds one registry view of
// 64-bit Windows, as "reg add ... /reg:64" and "/reg:32" do.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/unique_handle.h"

namespace corvane::test_support {

class SeededValue {
 public:
  using Bytes = std::vector<BYTE>;

  SeededValue(std::wstring path, std::wstring name, DWORD type, const Bytes& data)
      : SeededValue(HKEY_LOCAL_MACHINE, std::move(path), std::move(name), type, data) {}
  SeededValue(HKEY root, std::wstring path, std::wstring name, DWORD type, const Bytes& data, REGSAM view = 0)
      : root_(root), view_(view), path_(std::move(path)), name_(std::move(name)) {
    created_from_ = FirstMissingKey();
    LONG rc = ::RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS | view_,
                                nullptr, key_.put(), nullptr);
    if (rc != ERROR_SUCCESS) {
      key_.release();
      ADD_FAILURE() << "cannot create the key, error " << rc;
      return;
    }
    DWORD size = 0;
    if (::RegQueryValueExW(key_.get(), name_.c_str(), nullptr, &old_type_, nullptr, &size) == ERROR_SUCCESS) {
      old_data_.resize(size);
      had_value_ =
          ::RegQueryValueExW(key_.get(), name_.c_str(), nullptr, &old_type_, old_data_.data(), &size) == ERROR_SUCCESS;
      old_data_.resize(size);
    }
    rc = ::RegSetValueExW(key_.get(), name_.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
    EXPECT_EQ(rc, ERROR_SUCCESS) << "cannot seed the value";
  }
  SeededValue(const SeededValue&) = delete;
  SeededValue& operator=(const SeededValue&) = delete;
  ~SeededValue() {
    if (!key_) return;
    if (had_value_) {
      ::RegSetValueExW(key_.get(), name_.c_str(), 0, old_type_, old_data_.data(), static_cast<DWORD>(old_data_.size()));
    } else {
      ::RegDeleteValueW(key_.get(), name_.c_str());
    }
    key_.reset();
    // The keys made for it, deepest first, up to the first that was missing.
    for (std::wstring made = path_; !created_from_.empty() && made.size() >= created_from_.size();
         made.resize(made.rfind(L'\\') == std::wstring::npos ? 0 : made.rfind(L'\\'))) {
      // RegDeleteKeyW would delete in this program's own view.
      if (view_) {
        ::RegDeleteKeyExW(root_, made.c_str(), view_, 0);
      } else {
        ::RegDeleteKeyW(root_, made.c_str());
      }
    }
  }

 private:
  // The shortest leading part of `path` that names no key; empty when the
  // whole path exists.
  std::wstring FirstMissingKey() const {
    for (std::size_t end = 0; end != std::wstring::npos;) {
      end = path_.find(L'\\', end + 1);
      const std::wstring part = path_.substr(0, end);
      HKEY key = nullptr;
      if (::RegOpenKeyExW(root_, part.c_str(), 0, KEY_READ | view_, &key) != ERROR_SUCCESS) return part;
      ::RegCloseKey(key);
    }
    return {};
  }

  HKEY root_;
  REGSAM view_;
  std::wstring path_, name_;
  std::wstring created_from_;
  platform::UniqueKey key_;
  bool had_value_ = false;
  DWORD old_type_ = REG_NONE;
  Bytes old_data_;
};

}  // namespace corvane::test_support
