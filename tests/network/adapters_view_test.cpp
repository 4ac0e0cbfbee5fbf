#include "network/adapters_view.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane::network {
namespace {

using platform::WmiArray;
using platform::WmiNull;
using platform::WmiOpaque;
using platform::WmiValue;

TEST(AdapterValueText, ListsJoinedByCommasScalarsAsTheyAre) {
  const struct {
    const char* name;
    WmiValue value;
    std::wstring text;
  } cases[] = {
      {"two addresses", WmiArray{std::wstring(L"192.168.1.20"), std::wstring(L"fe80::1")}, L"192.168.1.20, fe80::1"},
      {"one mask", WmiArray{std::wstring(L"255.255.255.0")}, L"255.255.255.0"},
      {"empty list", WmiArray{}, L""},
      {"null element", WmiArray{std::wstring(L"10.0.0.1"), WmiNull{}}, L"10.0.0.1, "},
      {"null", WmiNull{}, L""},
      {"error value", WmiOpaque{}, L""},
      {"boolean", true, L"True"},
      {"text", std::wstring(L"02:FC:00:00:00:01"), L"02:FC:00:00:00:01"},
      {"number", std::int64_t{20}, L"20"},
  };
  for (const auto& c : cases) EXPECT_EQ(AdapterValueText(c.value), c.text) << c.name;
}

TEST(BuildAdapterView, EveryRowFromItsPropertyTheGatewayFromTheDefaultGatewayList) {
  AdapterProperties adapter;
  adapter.MACAddress = std::wstring(L"02:FC:00:00:00:01");
  adapter.IPSubnet = WmiArray{std::wstring(L"255.255.0.0"), std::wstring(L"64")};
  adapter.ServiceName = std::wstring(L"e1000");
  adapter.DHCPEnabled = false;
  adapter.DNSHostName = WmiNull{};
  adapter.SettingID = std::wstring(L"{00000004-0000-0000-0000-000000000000}");
  adapter.DefaultIPGateway = WmiArray{std::wstring(L"172.17.0.1")};
  const AdapterView view =
      BuildAdapterView(adapter, WmiValue(WmiArray{std::wstring(L"172.17.0.2"), std::wstring(L"fe80::2")}), {});
  EXPECT_EQ(view, (AdapterView{L"172.17.0.2, fe80::2", L"02:FC:00:00:00:01", L"255.255.0.0, 64", L"172.17.0.1",
                               L"False", L"e1000", L"{00000004-0000-0000-0000-000000000000}", L""}));

  // An address list that could not be read keeps the row's previous text.
  AdapterView previous;
  previous.ip_address = L"10.1.1.1";
  previous.mac_address = L"old";
  const AdapterView kept = BuildAdapterView(adapter, std::nullopt, previous);
  EXPECT_EQ(kept.ip_address, L"10.1.1.1");
  EXPECT_EQ(kept.mac_address, L"02:FC:00:00:00:01");

  // An adapter without IP configuration: empty address row.
  EXPECT_EQ(BuildAdapterView(adapter, WmiValue(WmiNull{}), previous).ip_address, L"");
}

TEST(AdapterQuery, TheNameIsOneQuotedLiteral) {
  EXPECT_EQ(AdapterQuery(L"Caption", L"[00000007] Intel(R) PRO/1000"),
            L"Select * from Win32_NetworkAdapterConfiguration where Caption=\"[00000007] Intel(R) PRO/1000\"");
  EXPECT_EQ(AdapterQuery(L"Caption", L"Card \"B\" \\ 2"),
            L"Select * from Win32_NetworkAdapterConfiguration where Caption='Card \"B\" \\\\ 2'");
  EXPECT_EQ(AdapterQuery(L"Description", L"eth0"),
            L"Select * from Win32_NetworkAdapterConfiguration where Description=\"eth0\"");
}

}  // namespace
}  // namespace corvane::network
