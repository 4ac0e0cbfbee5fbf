// The wording of what the network readings give, for the summary rows and
// the network window. Nothing here knows about Windows: the readers
// (network_readers_win.h) hand over raw answers, so every rule is tested
// natively.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::network {

// Summary row 11: the adapter descriptions trimmed, each followed by the
// list separator.
std::wstring NetworkAdapterListText(const std::vector<std::wstring>& descriptions);

using Ipv4Address = std::array<std::uint8_t, 4>;
// Summary row 26: dotted addresses each followed by the list separator.
std::wstring IpListText(const std::vector<Ipv4Address>& addresses);
// The network window's "IP Address": the same list tidied, so one address
// reads alone and several read "a | b | c"; empty when the host name did
// not resolve.
std::wstring IpAddressRowText(const std::optional<std::vector<Ipv4Address>>& addresses);

using MacBytes = std::array<std::uint8_t, 6>;
std::wstring MacText(const MacBytes& address);  // "00-1A-2B-3C-4D-5E"
// What one adapter answered to the adapter-status request.
struct AdapterStatusReply {
  std::uint8_t return_code = 0xFF;
  MacBytes address{};
};
// Asks the adapters in list order: an answer with return code 0, or 6 (the
// buffer held the status header but not every name), gives the text; the
// next adapter is asked only while there is one and the text so far is all
// zeros. Empty when the first adapter did not answer.
std::wstring MacFromNetbios(unsigned adapter_count, const std::function<AdapterStatusReply(unsigned position)>& ask);

// "Administrator".
inline constexpr std::wstring_view kAdministrator = L"You have Administrator Privileges";
inline constexpr std::wstring_view kNotAdministrator = L"You Do NOT have Administrator Privileges";
std::wstring_view AdministratorText(bool administrator);

// "Connection", from the system's network metric (bit 0: a network is there).
std::wstring_view ConnectionText(int network_metric);

// What the window tells after reading the adapter list, by the IP helper's
// answer: nothing for success and for answers it has no word for.
std::optional<std::wstring_view> AdaptersInfoMessage(std::uint32_t code);

// "Domain": the domain of the logged-on account, looked up by its name.
inline constexpr std::wstring_view kDomainLookupFailed = L"Error happened";
inline constexpr std::uint32_t kFirstLookupSize = 1000;  // bytes of SID, characters of domain name
struct AccountLookupAnswer {
  bool ok = false;
  std::wstring domain;              // when ok
  std::uint32_t sid_size = 0;       // what a failed lookup said it needs
  std::uint32_t domain_size = 0;
};
// One lookup with room for `sid_size` bytes of SID and `domain_size`
// characters of domain name.
using AccountLookup = std::function<AccountLookupAnswer(std::uint32_t sid_size, std::uint32_t domain_size)>;
// Looks up with kFirstLookupSize; a failure is tried once more with the
// sizes it reported. The domain, or kDomainLookupFailed after two failures.
std::wstring DomainText(const AccountLookup& lookup);

// Shares as the 9x server library lists them at level 50: records of 42
// bytes whose first 13 bytes hold the name, zero-padded.
inline constexpr std::size_t kShareInfo50Size = 42;
inline constexpr std::size_t kShareInfo50NameSize = 13;
inline constexpr std::size_t kShareInfo50Records = 513;
// The names of the first `entries_read` records, as bytes in the ANSI code
// page; never more records than `records` holds whole.
std::vector<std::string> ShareNamesFromLevel50(std::span<const std::byte> records, unsigned entries_read);

// A drive letter connected to a network share.
struct MappedDrive {
  wchar_t letter;
  std::wstring remote;  // the share's UNC path
  friend bool operator==(const MappedDrive&, const MappedDrive&) = default;
};
// "X: \\server\share".
std::wstring MappedDriveLine(const MappedDrive& drive);

}  // namespace corvane::network
