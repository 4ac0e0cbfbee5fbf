#include "network/user_list_view.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace corvane::network {
namespace {

constexpr std::uint32_t kNoSuchServer = 2351;  // NERR_InvalidComputer
constexpr std::uint32_t kAccessDenied = 5;

// Servers by name ("" this machine), each a list of pages; the resume
// handle is the index of the next page.
struct ScriptedServers {
  std::map<std::wstring, std::vector<AccountPageAnswer>> pages;
  std::vector<std::pair<std::wstring, std::uint32_t>> calls;

  AccountPageReader Reader() {
    return [this](std::wstring_view server, std::uint32_t& resume) {
      calls.emplace_back(std::wstring(server), resume);
      auto it = pages.find(std::wstring(server));
      if (it == pages.end()) return AccountPageAnswer{kNoSuchServer, {}};
      return it->second.at(resume++);
    };
  }
};

const auto kNeverStop = [] { return false; };
using Names = std::vector<std::wstring>;

TEST(ListGroupAccounts, PagesUntilTheLastOnTheGroupsServer) {
  ScriptedServers servers;
  servers.pages[L"OFFICE"] = {{kMoreAccounts, {L"Administrator", L"Guest"}},
                              {kMoreAccounts, {L"alice"}},
                              {kAccountsComplete, {L"bob"}}};
  servers.pages[L""] = {{kAccountsComplete, {L"local"}}};
  EXPECT_EQ(ListGroupAccounts(servers.Reader(), L"OFFICE", kNeverStop),
            (Names{L"Administrator", L"Guest", L"alice", L"bob"}));
  EXPECT_EQ(servers.calls.size(), 3u) << "this machine is not asked";
}

TEST(ListGroupAccounts, AWorkgroupThatIsNoServerGivesNoAccounts) {
  ScriptedServers servers;
  servers.pages[L""] = {{kAccountsComplete, {L"root", L"Guest"}}};
  EXPECT_EQ(ListGroupAccounts(servers.Reader(), L"WORKGROUP", kNeverStop), Names{});
  EXPECT_EQ(servers.calls, (std::vector<std::pair<std::wstring, std::uint32_t>>{{L"WORKGROUP", 0}}))
      << "this machine is not asked in its place";

  // No group name at all: this machine, asked once.
  servers.calls.clear();
  EXPECT_EQ(ListGroupAccounts(servers.Reader(), L"", kNeverStop), (Names{L"root", L"Guest"}));
  EXPECT_EQ(servers.calls.size(), 1u);
}

TEST(ListGroupAccounts, NamesBeforeAFailureAreKeptAndNothingElseIsAsked) {
  ScriptedServers servers;
  servers.pages[L"OFFICE"] = {{kMoreAccounts, {L"alice"}}, {kAccessDenied, {}}};
  servers.pages[L""] = {{kAccountsComplete, {L"local"}}};
  EXPECT_EQ(ListGroupAccounts(servers.Reader(), L"OFFICE", kNeverStop), Names{L"alice"});
  EXPECT_EQ(servers.calls.size(), 2u);
}

TEST(ListGroupAccounts, EndsOnAPageWithoutProgressAndWhenStopped) {
  ScriptedServers servers;
  // "More follow" forever, without a name: asked once, not forever.
  servers.pages[L"STUCK"] = {{kMoreAccounts, {}}, {kMoreAccounts, {}}};
  EXPECT_EQ(ListGroupAccounts(servers.Reader(), L"STUCK", kNeverStop), Names{});
  EXPECT_EQ(servers.calls.size(), 1u);

  servers.calls.clear();
  servers.pages[L"BIG"] = {{kMoreAccounts, {L"a"}}, {kMoreAccounts, {L"b"}}, {kAccountsComplete, {L"c"}}};
  int asked = 0;
  EXPECT_EQ(ListGroupAccounts(servers.Reader(), L"BIG", [&] { return ++asked > 1; }), (Names{L"a", L"b"}));
}

}  // namespace
}  // namespace corvane::network
