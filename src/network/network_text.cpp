#include "network/network_text.h"

#include <algorithm>

#include "platform/list_text.h"

namespace corvane::network {

std::wstring NetworkAdapterListText(const std::vector<std::wstring>& descriptions) {
  std::wstring out;
  for (const auto& d : descriptions) {
    out += platform::Trim(d);
    out += platform::kListSeparator;
  }
  return out;
}

std::wstring IpListText(const std::vector<Ipv4Address>& addresses) {
  std::wstring out;
  for (const auto& a : addresses) {
    out += std::to_wstring(a[0]) + L'.' + std::to_wstring(a[1]) + L'.' + std::to_wstring(a[2]) + L'.' +
           std::to_wstring(a[3]);
    out += platform::kListSeparator;
  }
  return out;
}

std::wstring IpAddressRowText(const std::optional<std::vector<Ipv4Address>>& addresses) {
  return addresses ? platform::TidyList(IpListText(*addresses)) : std::wstring();
}

std::wstring MacText(const MacBytes& address) {
  constexpr wchar_t kHex[] = L"0123456789ABCDEF";
  std::wstring out;
  for (std::size_t i = 0; i < address.size(); ++i) {
    if (i != 0) out += L'-';
    out += kHex[address[i] >> 4];
    out += kHex[address[i] & 0xF];
  }
  return out;
}

std::wstring MacFromNetbios(unsigned adapter_count, const std::function<AdapterStatusReply(unsigned position)>& ask) {
  static constexpr std::wstring_view kAllZeros = L"00-00-00-00-00-00";
  std::wstring text;
  for (unsigned p = 0;; ++p) {
    const AdapterStatusReply reply = ask(p);
    if (reply.return_code == 0 || reply.return_code == 6) text = MacText(reply.address);
    if (p + 1 >= adapter_count || text != kAllZeros) break;
  }
  return text;
}

std::wstring_view AdministratorText(bool administrator) {
  return administrator ? kAdministrator : kNotAdministrator;
}

std::wstring_view ConnectionText(int network_metric) {
  return (network_metric & 1) ? L"Machine is attached to network" : L"Machine is not attached to network";
}

std::optional<std::wstring_view> AdaptersInfoMessage(std::uint32_t code) {
  switch (code) {
    case 50:  // ERROR_NOT_SUPPORTED
      return L"Not Supported";
    case 87:  // ERROR_INVALID_PARAMETER
      return L"Invalid Parameter";
    case 111:  // ERROR_BUFFER_OVERFLOW
      return L"Buffer Overflow";
    case 232:  // ERROR_NO_DATA
      return L"No adapter is installed";
    default:
      return std::nullopt;
  }
}

std::wstring DomainText(const AccountLookup& lookup) {
  AccountLookupAnswer answer = lookup(kFirstLookupSize, kFirstLookupSize);
  if (!answer.ok) answer = lookup(answer.sid_size, answer.domain_size);
  return answer.ok ? std::move(answer.domain) : std::wstring(kDomainLookupFailed);
}

std::vector<std::string> ShareNamesFromLevel50(std::span<const std::byte> records, unsigned entries_read) {
  const std::size_t whole = records.size() / kShareInfo50Size;
  const std::size_t count = std::min<std::size_t>(entries_read, whole);
  std::vector<std::string> names;
  names.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const auto name = records.subspan(i * kShareInfo50Size, kShareInfo50NameSize);
    std::string text;
    for (const std::byte b : name) {
      if (b == std::byte{0}) break;
      text += static_cast<char>(b);
    }
    names.push_back(std::move(text));
  }
  return names;
}

std::wstring MappedDriveLine(const MappedDrive& drive) {
  std::wstring line(1, drive.letter);
  line += L": ";
  line += drive.remote;
  return line;
}

}  // namespace corvane::network
