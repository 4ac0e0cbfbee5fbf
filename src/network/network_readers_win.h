// The network readings: each asks the system one question and returns what
// it answered, unworded (network_text.h words it). Used by the network
// window and by the summary's collectors. None of them throws.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "network/network_text.h"
#include "network/user_list_view.h"

namespace corvane::network {

std::wstring ReadComputerName();  // empty when the call fails
std::wstring ReadUserName();      // the logged-on user's name; empty when the call fails

// The addresses of this host's name; nullopt when the name does not resolve.
std::optional<std::vector<Ipv4Address>> ReadHostAddresses();

// The MAC address through NetBIOS (MacFromNetbios).
std::wstring ReadNetbiosMacText();

// The IP helper's adapter list: its answer and, on success, every adapter's
// description in the helper's order.
struct AdaptersInfoReading {
  std::uint32_t code = 0;  // 0 on success; AdaptersInfoMessage words the others
  std::vector<std::wstring> descriptions;
};
AdaptersInfoReading ReadAdaptersInfo();

// One look-up of `account` on this machine with room for the given sizes
// (the seam of DomainText).
AccountLookupAnswer LookUpAccountDomain(std::wstring_view account, std::uint32_t sid_size, std::uint32_t domain_size);
// "Domain": DomainText for the logged-on user.
std::wstring ReadAccountDomain();

// The workstation's LAN group (the domain or workgroup it belongs to);
// nullopt when the call fails or the system has no such call.
std::optional<std::wstring> ReadLanGroup();
// The server's comment (the computer's description); nullopt likewise.
std::optional<std::wstring> ReadServerComment();

// This machine's shared folders, by the system family's own server library,
// in the order it lists them; empty when it has none, lists none or the
// library or call is missing.
std::vector<std::wstring> ReadShareNames();

// Drive letters A to Z connected to network shares.
std::vector<MappedDrive> ReadMappedDrives();

// One page of the account enumeration on `server` (empty: this machine),
// continuing at `resume` (0 at the start), which it advances: the
// AccountPageReader of the user list.
AccountPageAnswer ReadAccountPage(std::wstring_view server, std::uint32_t& resume);

}  // namespace corvane::network
