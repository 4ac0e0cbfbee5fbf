#include "network/network_readers_win.h"

#include <winsock2.h>
// after winsock2.h
#include <windows.h>
// after windows.h
#include <iphlpapi.h>
#include <lm.h>
#include <nb30.h>
#include <winnetwk.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>

#include "platform/os_version_win.h"
#include "platform/system_function_win.h"

namespace corvane::network {
namespace {

static_assert(sizeof(ADAPTER_STATUS) == 60);

std::wstring FromAnsi(const char* text, std::size_t max_chars) {
  const std::size_t len = strnlen(text, max_chars);
  if (len == 0) return {};
  const int n = ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(len), nullptr, 0);
  std::wstring out(n > 0 ? static_cast<std::size_t>(n) : 0, L'\0');
  if (n > 0) ::MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(len), out.data(), n);
  return out;
}

// The socket library for one routine; cleaned up only if it started.
class WinsockSession {
 public:
  WinsockSession() noexcept {
    WSADATA data;
    ok_ = ::WSAStartup(MAKEWORD(1, 1), &data) == 0;
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  ~WinsockSession() {
    if (ok_) ::WSACleanup();
  }
  bool ok() const noexcept { return ok_; }

 private:
  bool ok_ = false;
};

// The LAN manager functions, looked up when used: the 9x family's
// NETAPI32.DLL has none of them.
using NetApiBufferFreeFn = NET_API_STATUS(WINAPI*)(LPVOID);
using NetWkstaGetInfoFn = NET_API_STATUS(WINAPI*)(LMSTR, DWORD, LPBYTE*);
using NetServerGetInfoFn = NET_API_STATUS(WINAPI*)(LMSTR, DWORD, LPBYTE*);
using NetUserEnumFn = NET_API_STATUS(WINAPI*)(LPCWSTR, DWORD, DWORD, LPBYTE*, DWORD, LPDWORD, LPDWORD, PDWORD);
using NetShareEnumFn = NET_API_STATUS(WINAPI*)(LMSTR, DWORD, LPBYTE*, DWORD, LPDWORD, LPDWORD, LPDWORD);
// SVRAPI.DLL's form on the 9x family: the caller's buffer, 16-bit counts.
using NetShareEnum9xFn = unsigned(WINAPI*)(const char*, short, char*, unsigned short, unsigned short*,
                                           unsigned short*);

class NetApi {
 public:
  NetApi() : library_(L"NETAPI32.DLL"), free_(library_.Find<NetApiBufferFreeFn>("NetApiBufferFree")) {}

  template <class Fn>
  Fn Find(const char* name) const {
    return free_ ? library_.Find<Fn>(name) : nullptr;  // nothing it returns could be freed
  }
  // Owns a buffer the library returned.
  auto Owned(void* buffer) const {
    auto release = [fn = free_](void* b) {
      if (b) fn(b);
    };
    return std::unique_ptr<void, decltype(release)>(buffer, release);
  }

 private:
  platform::OptionalLibrary library_;
  NetApiBufferFreeFn free_;
};

std::vector<std::wstring> NtShareNames() {
  const NetApi api;
  const auto share_enum = api.Find<NetShareEnumFn>("NetShareEnum");
  if (!share_enum) return {};
  auto names_at = [&](DWORD level) -> std::optional<std::vector<std::wstring>> {
    LPBYTE raw = nullptr;
    DWORD read = 0, total = 0;
    const NET_API_STATUS status = share_enum(nullptr, level, &raw, MAX_PREFERRED_LENGTH, &read, &total, nullptr);
    const auto buffer = api.Owned(raw);
    if (status != NERR_Success) return status == ERROR_ACCESS_DENIED ? std::nullopt : std::optional(std::vector<std::wstring>{});
    std::vector<std::wstring> names;
    for (DWORD i = 0; i < read && raw; ++i) {
      // The name is the first field at both levels.
      const wchar_t* name = level == 2 ? reinterpret_cast<const SHARE_INFO_2*>(raw)[i].shi2_netname
                                       : reinterpret_cast<const SHARE_INFO_1*>(raw)[i].shi1_netname;
      names.emplace_back(name ? name : L"");
    }
    return names;
  };
  // Level 2 is refused to users who are no administrators; the names alone
  // (level 1) are open to everyone.
  if (auto names = names_at(2)) return std::move(*names);
  return names_at(1).value_or(std::vector<std::wstring>{});
}

std::vector<std::wstring> Win9xShareNames() {
  const platform::OptionalLibrary library(L"SVRAPI.DLL");
  const auto share_enum = library.Find<NetShareEnum9xFn>("NetShareEnum");
  if (!share_enum) return {};
  std::vector<std::byte> records(kShareInfo50Records * kShareInfo50Size);
  unsigned short read = 0, total = 0;
  if (share_enum(nullptr, 50, reinterpret_cast<char*>(records.data()), static_cast<unsigned short>(records.size()),
                 &read, &total) != 0)
    return {};
  std::vector<std::wstring> names;
  for (const std::string& name : ShareNamesFromLevel50(records, read)) names.push_back(FromAnsi(name.c_str(), name.size()));
  return names;
}

}  // namespace

std::wstring ReadComputerName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  return ::GetComputerNameW(name, &size) ? std::wstring(name, size) : std::wstring();
}

std::wstring ReadUserName() {
  wchar_t name[UNLEN + 1] = {};
  DWORD size = UNLEN + 1;
  return ::GetUserNameW(name, &size) ? std::wstring(name) : std::wstring();
}

std::optional<std::vector<Ipv4Address>> ReadHostAddresses() {
  const WinsockSession winsock;
  if (!winsock.ok()) return std::nullopt;
  char name[256] = {};  // a full DNS name fits; gethostname fails rather than cut one
  if (::gethostname(name, sizeof name - 1) != 0) return std::nullopt;
  const hostent* host = ::gethostbyname(name);
  if (!host || host->h_addrtype != AF_INET || host->h_length != 4 || !host->h_addr_list) return std::nullopt;
  std::vector<Ipv4Address> addresses;
  for (char** entry = host->h_addr_list; *entry; ++entry) {
    Ipv4Address a;
    std::memcpy(a.data(), *entry, a.size());
    addresses.push_back(a);
  }
  return addresses;
}

std::wstring ReadNetbiosMacText() {
  // The whole adapter list: a shorter buffer would leave the numbers past
  // the third unread and have them asked as adapter 0.
  LANA_ENUM lanas{};
  NCB enumerate{};
  enumerate.ncb_command = NCBENUM;
  enumerate.ncb_buffer = reinterpret_cast<UCHAR*>(&lanas);
  enumerate.ncb_length = sizeof lanas;
  ::Netbios(&enumerate);  // on failure the count stays 0 and adapter 0 is asked alone

  return MacFromNetbios(lanas.length, [&](unsigned position) {
    const UCHAR lana = position < std::size(lanas.lana) ? lanas.lana[position] : 0;
    NCB reset{};
    reset.ncb_command = NCBRESET;
    reset.ncb_lana_num = lana;
    ::Netbios(&reset);

    ADAPTER_STATUS status{};
    NCB query{};
    query.ncb_command = NCBASTAT;
    query.ncb_lana_num = lana;
    std::memcpy(query.ncb_callname, "*               ", NCBNAMSZ);
    query.ncb_buffer = reinterpret_cast<UCHAR*>(&status);
    query.ncb_length = sizeof status;
    AdapterStatusReply reply;
    reply.return_code = ::Netbios(&query);
    std::memcpy(reply.address.data(), status.adapter_address, reply.address.size());
    return reply;
  });
}

AdaptersInfoReading ReadAdaptersInfo() {
  // The list may grow between asking its size and reading it; a few rounds
  // absorb that.
  ULONG size = 0;
  std::vector<std::uint64_t> storage;  // 8-byte aligned for IP_ADAPTER_INFO
  DWORD rc = ::GetAdaptersInfo(nullptr, &size);
  for (int round = 0; round < 4 && rc == ERROR_BUFFER_OVERFLOW; ++round) {
    storage.assign(size / sizeof(std::uint64_t) + 1, 0);
    rc = ::GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(storage.data()), &size);
  }
  AdaptersInfoReading reading;
  reading.code = rc;
  if (rc != ERROR_SUCCESS || storage.empty()) return reading;
  for (auto* a = reinterpret_cast<const IP_ADAPTER_INFO*>(storage.data()); a; a = a->Next) {
    reading.descriptions.push_back(FromAnsi(a->Description, sizeof a->Description));
  }
  return reading;
}

AccountLookupAnswer LookUpAccountDomain(std::wstring_view account, std::uint32_t sid_size,
                                        std::uint32_t domain_size) {
  const std::wstring name(account);
  std::vector<std::uint64_t> sid(sid_size / sizeof(std::uint64_t) + 1);
  std::wstring domain(std::max<std::uint32_t>(domain_size, 1), L'\0');
  DWORD sid_room = sid_size;
  DWORD domain_room = domain_size;
  SID_NAME_USE use{};
  AccountLookupAnswer answer;
  if (::LookupAccountNameW(nullptr, name.c_str(), sid.data(), &sid_room, domain.data(), &domain_room, &use)) {
    answer.ok = true;
    answer.domain.assign(domain.c_str());
  } else {
    answer.sid_size = sid_room;
    answer.domain_size = domain_room;
  }
  return answer;
}

std::wstring ReadAccountDomain() {
  const std::wstring user = ReadUserName();
  return DomainText([&](std::uint32_t sid_size, std::uint32_t domain_size) {
    return LookUpAccountDomain(user, sid_size, domain_size);
  });
}

std::optional<std::wstring> ReadLanGroup() {
  const NetApi api;
  const auto get_info = api.Find<NetWkstaGetInfoFn>("NetWkstaGetInfo");
  if (!get_info) return std::nullopt;
  LPBYTE raw = nullptr;
  const NET_API_STATUS status = get_info(nullptr, 100, &raw);
  const auto buffer = api.Owned(raw);
  if (status != NERR_Success || !raw) return std::nullopt;
  const wchar_t* group = reinterpret_cast<const WKSTA_INFO_100*>(raw)->wki100_langroup;
  return std::wstring(group ? group : L"");
}

std::optional<std::wstring> ReadServerComment() {
  const NetApi api;
  const auto get_info = api.Find<NetServerGetInfoFn>("NetServerGetInfo");
  if (!get_info) return std::nullopt;
  LPBYTE raw = nullptr;
  const NET_API_STATUS status = get_info(nullptr, 101, &raw);
  const auto buffer = api.Owned(raw);
  if (status != NERR_Success || !raw) return std::nullopt;
  const wchar_t* comment = reinterpret_cast<const SERVER_INFO_101*>(raw)->sv101_comment;
  return std::wstring(comment ? comment : L"");
}

std::vector<std::wstring> ReadShareNames() {
  const auto version = platform::ReadVersionRecord();
  if (!version) return {};
  switch (version->platform) {
    case platform::kPlatformNt:
      return NtShareNames();
    case platform::kPlatformWindows:
      return Win9xShareNames();
    default:
      return {};  // no server library to ask
  }
}

std::vector<MappedDrive> ReadMappedDrives() {
  std::vector<MappedDrive> drives;
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    const wchar_t local[] = {letter, L':', L'\0'};
    std::wstring remote(MAX_PATH, L'\0');
    DWORD size = MAX_PATH;
    DWORD rc = ::WNetGetConnectionW(local, remote.data(), &size);
    // A long UNC path needs more room than a path usually takes.
    if (rc == ERROR_MORE_DATA && size > remote.size()) {
      remote.assign(size, L'\0');
      rc = ::WNetGetConnectionW(local, remote.data(), &size);
    }
    if (rc == NO_ERROR) drives.push_back({letter, remote.c_str()});
  }
  return drives;
}

AccountPageAnswer ReadAccountPage(std::wstring_view server, std::uint32_t& resume) {
  AccountPageAnswer page;
  const NetApi api;
  const auto user_enum = api.Find<NetUserEnumFn>("NetUserEnum");
  if (!user_enum) {
    page.code = ERROR_NOT_SUPPORTED;
    return page;
  }
  const std::wstring name(server);
  LPBYTE raw = nullptr;
  DWORD read = 0, total = 0;
  DWORD handle = resume;
  page.code = user_enum(name.empty() ? nullptr : name.c_str(), 0, 0, &raw, 256, &read, &total, &handle);
  const auto buffer = api.Owned(raw);
  resume = handle;
  if (page.code != NERR_Success && page.code != ERROR_MORE_DATA) return page;
  for (DWORD i = 0; i < read && raw; ++i) {
    const wchar_t* user = reinterpret_cast<const USER_INFO_0*>(raw)[i].usri0_name;
    page.names.emplace_back(user ? user : L"");
  }
  return page;
}

}  // namespace corvane::network
