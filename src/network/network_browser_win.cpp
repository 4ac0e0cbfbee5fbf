#include "network/network_browser_win.h"

#include <windows.h>
// after windows.h
#include <winnetwk.h>

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::network {
namespace {

// A NETRESOURCE copied out of the listing's buffer, whose strings point
// into it and die with the next batch.
struct ResourceRecord {
  DWORD scope, type, display_type, usage;
  std::wstring local, remote, comment, provider;
  bool has_local, has_remote, has_comment, has_provider;

  explicit ResourceRecord(const NETRESOURCEW& r)
      : scope(r.dwScope),
        type(r.dwType),
        display_type(r.dwDisplayType),
        usage(r.dwUsage),
        local(r.lpLocalName ? r.lpLocalName : L""),
        remote(r.lpRemoteName ? r.lpRemoteName : L""),
        comment(r.lpComment ? r.lpComment : L""),
        provider(r.lpProvider ? r.lpProvider : L""),
        has_local(r.lpLocalName),
        has_remote(r.lpRemoteName),
        has_comment(r.lpComment),
        has_provider(r.lpProvider) {}

  // The record as the system takes it; it points into this object.
  NETRESOURCEW Native() const {
    NETRESOURCEW r{};
    r.dwScope = scope;
    r.dwType = type;
    r.dwDisplayType = display_type;
    r.dwUsage = usage;
    r.lpLocalName = has_local ? const_cast<wchar_t*>(local.c_str()) : nullptr;
    r.lpRemoteName = has_remote ? const_cast<wchar_t*>(remote.c_str()) : nullptr;
    r.lpComment = has_comment ? const_cast<wchar_t*>(comment.c_str()) : nullptr;
    r.lpProvider = has_provider ? const_cast<wchar_t*>(provider.c_str()) : nullptr;
    return r;
  }
};

class Win32Listing : public NetworkSource::Listing {
 public:
  explicit Win32Listing(HANDLE handle) : handle_(handle) {}
  ~Win32Listing() override { ::WNetCloseEnum(handle_); }
  Win32Listing(const Win32Listing&) = delete;
  Win32Listing& operator=(const Win32Listing&) = delete;

  NetworkSource::Batch Next(std::vector<NetworkResource>& entries) override {
    for (;;) {
      DWORD count = static_cast<DWORD>(-1);  // as many as fit
      DWORD size = static_cast<DWORD>(buffer_.size() * sizeof(std::uint64_t));
      const DWORD rc = ::WNetEnumResourceW(handle_, &count, buffer_.data(), &size);
      if (rc == ERROR_MORE_DATA) {
        // Not even one entry fitted: room for what the provider asks.
        const std::size_t words = size / sizeof(std::uint64_t) + 1;
        if (words <= buffer_.size()) return NetworkSource::Batch::kFailed;  // it asks for no more: give up
        buffer_.assign(words, 0);
        continue;
      }
      if (rc == ERROR_NO_MORE_ITEMS) return NetworkSource::Batch::kEnd;
      if (rc != NO_ERROR) return NetworkSource::Batch::kFailed;
      const auto* records = reinterpret_cast<const NETRESOURCEW*>(buffer_.data());
      for (DWORD i = 0; i < count; ++i) {
        auto record = std::make_shared<const ResourceRecord>(records[i]);
        std::wstring name = record->remote;
        entries.push_back({std::move(name), std::move(record)});
      }
      return NetworkSource::Batch::kEntries;
    }
  }

 private:
  HANDLE handle_;
  std::vector<std::uint64_t> buffer_ = std::vector<std::uint64_t>(16 * 1024 / sizeof(std::uint64_t));
};

}  // namespace

std::unique_ptr<NetworkSource::Listing> Win32NetworkSource::Open(const NetworkResource* container) {
  NETRESOURCEW native{};
  NETRESOURCEW* start = nullptr;
  if (container) {
    const auto* record = static_cast<const ResourceRecord*>(container->record.get());
    if (!record) return nullptr;  // not one of ours
    native = record->Native();
    start = &native;
  }
  HANDLE handle = nullptr;
  if (::WNetOpenEnumW(RESOURCE_GLOBALNET, RESOURCETYPE_ANY, 0, start, &handle) != NO_ERROR) return nullptr;
  return std::make_unique<Win32Listing>(handle);
}

}  // namespace corvane::network
