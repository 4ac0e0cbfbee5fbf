#include "network/network_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace corvane::network {
namespace {

TEST(IpAddressRowText, OneAddressAloneSeveralWithSeparatorsNoneAtTheEnd) {
  const struct {
    const char* name;
    std::optional<std::vector<Ipv4Address>> addresses;
    std::wstring row;
  } cases[] = {
      {"name does not resolve", std::nullopt, L""},
      {"resolves to nothing", std::vector<Ipv4Address>{}, L""},
      {"one address", std::vector<Ipv4Address>{{192, 168, 0, 10}}, L"192.168.0.10"},
      {"three addresses",
       std::vector<Ipv4Address>{{192, 168, 0, 10}, {10, 0, 0, 255}, {172, 16, 254, 1}},
       L"192.168.0.10 | 10.0.0.255 | 172.16.254.1"},
  };
  for (const auto& c : cases) EXPECT_EQ(IpAddressRowText(c.addresses), c.row) << c.name;
  // The summary's form keeps the separator after every address; the refresh tidies it.
  EXPECT_EQ(IpListText({{192, 168, 0, 10}, {10, 0, 0, 255}}), L"192.168.0.10 | 10.0.0.255 | ");
}

TEST(NetworkAdapterListText, TrimmedDescriptionsEachFollowedByTheSeparator) {
  EXPECT_EQ(NetworkAdapterListText({L" NIC 1 ", L"NIC 2", L""}), L"NIC 1 | NIC 2 |  | ");
  EXPECT_EQ(NetworkAdapterListText({}), L"");
}

TEST(MacText, TwoUpperCaseDigitsJoinedByDashes) {
  EXPECT_EQ(MacText({0x00, 0x1A, 0x2B, 0xFC, 0x4D, 0x0E}), L"00-1A-2B-FC-4D-0E");
}

TEST(MacFromNetbios, AsksOnlyWhileTheAnswerIsAllZeros) {
  constexpr MacBytes kZero{};
  constexpr MacBytes kReal{0x52, 0x54, 0x00, 0x12, 0x34, 0x56};
  constexpr std::uint8_t kNoAnswer = 0x23;  // NRC_BRIDGE: no such adapter
  const struct {
    const char* name;
    unsigned count;
    std::vector<AdapterStatusReply> replies;
    std::wstring text;
    unsigned asked;
  } cases[] = {
      {"first answers", 2, {{0, kReal}, {0, kZero}}, L"52-54-00-12-34-56", 1},
      {"short buffer still holds the header", 1, {{6, kReal}}, L"52-54-00-12-34-56", 1},
      {"first does not answer, later ones are not asked", 3, {{kNoAnswer, kReal}, {0, kReal}, {0, kReal}}, L"", 1},
      {"zeros then a real one", 2, {{0, kZero}, {0, kReal}}, L"52-54-00-12-34-56", 2},
      {"zeros on the last adapter", 1, {{0, kZero}}, L"00-00-00-00-00-00", 1},
      {"every adapter answers zeros", 3, {{0, kZero}, {0, kZero}, {6, kZero}}, L"00-00-00-00-00-00", 3},
      {"a silent adapter keeps the zeros", 3, {{0, kZero}, {kNoAnswer, kReal}, {0, kReal}}, L"52-54-00-12-34-56", 3},
      {"no adapter listed, the first is asked", 0, {{kNoAnswer, kZero}}, L"", 1},
  };
  for (const auto& c : cases) {
    unsigned asked = 0;
    const std::wstring text = MacFromNetbios(c.count, [&](unsigned p) {
      ++asked;
      return c.replies.at(p);
    });
    EXPECT_EQ(text, c.text) << c.name;
    EXPECT_EQ(asked, c.asked) << c.name;
  }
}

TEST(NetworkWindowTexts, AdministratorConnectionAndTheAdapterListMessages) {
  EXPECT_EQ(AdministratorText(true), L"You have Administrator Privileges");
  EXPECT_EQ(AdministratorText(false), L"You Do NOT have Administrator Privileges");
  EXPECT_EQ(ConnectionText(1), L"Machine is attached to network");
  EXPECT_EQ(ConnectionText(3), L"Machine is attached to network");  // only bit 0 counts
  EXPECT_EQ(ConnectionText(2), L"Machine is not attached to network");
  EXPECT_EQ(ConnectionText(0), L"Machine is not attached to network");

  const struct {
    std::uint32_t code;
    std::optional<std::wstring_view> message;
  } cases[] = {
      {0, std::nullopt},
      {50, L"Not Supported"},
      {87, L"Invalid Parameter"},
      {111, L"Buffer Overflow"},
      {232, L"No adapter is installed"},
      {8, std::nullopt},  // not enough memory: no word for it
  };
  for (const auto& c : cases) EXPECT_EQ(AdaptersInfoMessage(c.code), c.message) << c.code;
}

TEST(DomainText, RetriesOnceWithTheSizesTheFailureReported) {
  const struct {
    const char* name;
    std::vector<AccountLookupAnswer> answers;
    std::wstring text;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> calls;
  } cases[] = {
      {"first lookup answers", {{true, L"WORKSTATION"}}, L"WORKSTATION", {{1000, 1000}}},
      {"a long domain name needs the second",
       {{false, L"", 28, 1200}, {true, L"A-VERY-LONG-DOMAIN"}},
       L"A-VERY-LONG-DOMAIN",
       {{1000, 1000}, {28, 1200}}},
      {"two failures", {{false, L"", 0, 0}, {false, L"", 0, 0}}, L"Error happened", {{1000, 1000}, {0, 0}}},
  };
  for (const auto& c : cases) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> calls;
    const std::wstring text = DomainText([&](std::uint32_t sid_size, std::uint32_t domain_size) {
      calls.emplace_back(sid_size, domain_size);
      return c.answers.at(calls.size() - 1);
    });
    EXPECT_EQ(text, c.text) << c.name;
    EXPECT_EQ(calls, c.calls) << c.name;
  }
}

std::vector<std::byte> Level50Records(const std::vector<std::string>& names) {
  std::vector<std::byte> records(names.size() * kShareInfo50Size, std::byte{0x5A});
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::byte* name = records.data() + i * kShareInfo50Size;
    std::memset(name, 0, kShareInfo50NameSize);
    std::memcpy(name, names[i].data(), std::min(names[i].size(), kShareInfo50NameSize));
  }
  return records;
}

TEST(ShareNamesFromLevel50, NamesUpToTheirZeroAndNoRecordPastTheBuffer) {
  const std::vector<std::byte> records = Level50Records({"C$", "PUBLIC", "THIRTEENCHARS"});
  EXPECT_EQ(ShareNamesFromLevel50(records, 3), (std::vector<std::string>{"C$", "PUBLIC", "THIRTEENCHARS"}));
  EXPECT_EQ(ShareNamesFromLevel50(records, 1), (std::vector<std::string>{"C$"}));
  EXPECT_EQ(ShareNamesFromLevel50(records, 0), std::vector<std::string>{});
  // A count larger than the buffer holds reads only the whole records there.
  EXPECT_EQ(ShareNamesFromLevel50(records, 600).size(), 3u);
  EXPECT_EQ(ShareNamesFromLevel50(std::span(records).first(2 * kShareInfo50Size + 10), 3).size(), 2u);
}

TEST(MappedDriveLine, LetterColonSpaceAndTheSharesPath) {
  EXPECT_EQ(MappedDriveLine({L'Z', L"\\\\server\\public"}), L"Z: \\\\server\\public");
  EXPECT_EQ(MappedDriveLine({L'H', L""}), L"H: ");
}

}  // namespace
}  // namespace corvane::network
