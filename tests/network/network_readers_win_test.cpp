// The network readings under Wine, against what the system answers when
// asked directly here: Wine's adapters, its host name, its accounts (its
// workstation's LAN group is the computer's own name, which the account
// enumeration takes for this machine), no shares, no mapped drive and no
// network provider. Its WMI lists the same adapters, without captions.
#include "network/network_readers_win.h"

#include <winsock2.h>
// after winsock2.h
#include <windows.h>
// after windows.h
#include <iphlpapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "network/adapters_readers_win.h"
#include "network/network_browser_win.h"
#include "network/network_tree.h"
#include "platform/com_win.h"

namespace corvane::network {
namespace {

const auto kNeverStop = [] { return false; };

TEST(NetworkReadersWin, NamesAndAddressesOfThisMachine) {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  ASSERT_TRUE(GetComputerNameW(name, &size));
  EXPECT_EQ(ReadComputerName(), std::wstring(name, size));
  EXPECT_FALSE(ReadUserName().empty());

  const auto addresses = ReadHostAddresses();
  ASSERT_TRUE(addresses) << "Wine's host name resolves";
  ASSERT_FALSE(addresses->empty());
  const std::wstring row = IpAddressRowText(addresses);
  EXPECT_EQ(std::count(row.begin(), row.end(), L'|'), static_cast<long>(addresses->size()) - 1) << row;
  EXPECT_NE(row.back(), L'|');
  EXPECT_NE(row.back(), L' ');
}

TEST(NetworkReadersWin, AdaptersAsTheIpHelperListsThem) {
  ULONG size = 0;
  ASSERT_EQ(GetAdaptersInfo(nullptr, &size), static_cast<DWORD>(ERROR_BUFFER_OVERFLOW)) << "Wine has adapters";
  std::vector<std::uint64_t> storage(size / sizeof(std::uint64_t) + 1);
  ASSERT_EQ(GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(storage.data()), &size), 0u);
  std::vector<std::wstring> expected;
  for (auto* a = reinterpret_cast<const IP_ADAPTER_INFO*>(storage.data()); a; a = a->Next) {
    expected.emplace_back(a->Description, a->Description + strnlen(a->Description, sizeof a->Description));
  }
  const AdaptersInfoReading reading = ReadAdaptersInfo();
  EXPECT_EQ(reading.code, 0u);
  EXPECT_FALSE(AdaptersInfoMessage(reading.code));
  EXPECT_EQ(reading.descriptions, expected);
}

TEST(NetworkReadersWin, TheAccountsDomainAndAFailedLookUp) {
  // A local account's domain is the computer's own name.
  EXPECT_EQ(ReadAccountDomain(), ReadComputerName());
  const AccountLookupAnswer answer = LookUpAccountDomain(ReadUserName(), kFirstLookupSize, kFirstLookupSize);
  EXPECT_TRUE(answer.ok);
  // An account nobody has fails both look-ups.
  int lookups = 0;
  EXPECT_EQ(DomainText([&](std::uint32_t sid_size, std::uint32_t domain_size) {
              ++lookups;
              return LookUpAccountDomain(L"corvane-no-such-account", sid_size, domain_size);
            }),
            L"Error happened");
  EXPECT_EQ(lookups, 2);
  // Too little room: the failure says how much the second look-up needs.
  const AccountLookupAnswer small = LookUpAccountDomain(ReadUserName(), 1, 1);
  EXPECT_FALSE(small.ok);
  EXPECT_GT(small.sid_size, 1u);
  EXPECT_GT(small.domain_size, 1u);
  EXPECT_TRUE(LookUpAccountDomain(ReadUserName(), small.sid_size, small.domain_size).ok);
}

TEST(NetworkReadersWin, WorkgroupDescriptionAndAccounts) {
  const auto group = ReadLanGroup();
  ASSERT_TRUE(group);
  EXPECT_FALSE(group->empty());
  EXPECT_TRUE(ReadServerComment()) << "the call answers, even with an empty comment";

  // Wine's LAN group is the computer's own name, which is a server: this machine.
  const std::vector<std::wstring> accounts = ListGroupAccounts(&ReadAccountPage, *group, kNeverStop);
  EXPECT_NE(std::ranges::find(accounts, ReadUserName()), accounts.end());
  // A second reading lists each account once again.
  EXPECT_EQ(ListGroupAccounts(&ReadAccountPage, *group, kNeverStop), accounts);
  // A workgroup name that is no server's gives an empty list.
  EXPECT_EQ(ListGroupAccounts(&ReadAccountPage, L"WORKGROUP", kNeverStop), std::vector<std::wstring>{});
}

TEST(NetworkReadersWin, SharesDrivesAndTheNetworkTreeWineHasNone) {
  // Wine answers the share enumeration with "not supported": no list, no failure.
  EXPECT_TRUE(ReadShareNames().empty());
  const std::vector<MappedDrive> drives = ReadMappedDrives();
  EXPECT_EQ(ReadMappedDrives(), drives);
  for (const auto& d : drives) EXPECT_FALSE(d.remote.empty()) << static_cast<char>(d.letter);

  Win32NetworkSource source;
  EXPECT_EQ(source.Open(nullptr), nullptr) << "Wine has no network provider";
  EXPECT_EQ(BrowseNetwork(source, kNeverStop), (ui::TreeNode{std::wstring(kNetworkTreeRoot), {}}));
}

TEST(NetworkReadersWin, AdaptersFromWmiByTheirNames) {
  const platform::ComApartment com;
  const AdapterList list = ReadAdapterList();
  ASSERT_FALSE(list.names.empty());
  // Wine's class has no captions: its adapters go by their descriptions.
  EXPECT_EQ(list.name_property, L"Description");
  EXPECT_EQ(list.names, ReadAdaptersInfo().descriptions) << "the same adapters as the IP helper's";

  const std::vector<AdapterReading> first = ReadAdapters(list.name_property, list.names.front());
  ASSERT_EQ(first.size(), 1u);
  EXPECT_TRUE(first.front().ip_address);
  EXPECT_FALSE(first.front().ip_failure);
  const AdapterView view = BuildAdapterView(first.front().properties, first.front().ip_address, {});
  EXPECT_FALSE(view.mac_address.empty());
  EXPECT_FALSE(view.setting_id.empty());
  EXPECT_TRUE(view.dhcp_enabled == L"True" || view.dhcp_enabled == L"False") << view.dhcp_enabled;

  // Names no adapter has, quotes and backslashes included, give nothing and
  // break no query. (Wine's WQL reads no escaped quote, so a name with both
  // kinds of quote is left to Windows.)
  for (const wchar_t* name : {L"no such adapter", L"Card \"B\"", L"C:\\", L"\" OR \"1\"=\"1", L"it's"}) {
    EXPECT_TRUE(ReadAdapters(list.name_property, name).empty()) << testing::PrintToString(std::wstring(name));
  }
}

}  // namespace
}  // namespace corvane::network
