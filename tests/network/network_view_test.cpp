#include "network/network_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/sheet_table.h"

namespace corvane::network {
namespace {

TEST(NetworkView, ListRowsHoldOneLinePerItem) {
  NetworkWindowModel model;
  model.adapters = {L"Intel(R) PRO/1000", L"Loopback"};
  model.shares = {L"ADMIN$", L"C$", L"public"};
  model.drives = {{L'H', L"\\\\files\\home"}, {L'Z', L"\\\\files\\public"}};
  const std::vector<std::wstring> texts = ui::SheetTexts<NetworkWindowModel>(kNetworkFields, model);
  EXPECT_EQ(texts[kAdaptersRow], L"Intel(R) PRO/1000\r\nLoopback");
  EXPECT_EQ(texts[kSharesRow], L"ADMIN$\r\nC$\r\npublic");
  EXPECT_EQ(texts[kDrivesRow], L"H: \\\\files\\home\r\nZ: \\\\files\\public");
  EXPECT_EQ(ui::SplitLines(texts[kSharesRow]), model.shares);

  // Nothing mapped, nothing shared: empty boxes.
  const std::vector<std::wstring> empty = ui::SheetTexts<NetworkWindowModel>(kNetworkFields, NetworkWindowModel{});
  EXPECT_EQ(empty[kDrivesRow], L"");
  EXPECT_EQ(empty[kSharesRow], L"");
  EXPECT_TRUE(ui::SplitLines(empty[kSharesRow]).empty());
}

TEST(NetworkView, RowsInScreenOrder) {
  std::vector<std::wstring> labels;
  for (const auto& field : kNetworkFields) labels.emplace_back(field.label);
  EXPECT_EQ(labels, (std::vector<std::wstring>{L"Computer Name", L"Username", L"IP Address", L"MAC Address",
                                               L"Administrator", L"Connection", L"Ethernet Adapters",
                                               L"Network Shares", L"Network Drives", L"Workgroup", L"Domain",
                                               L"Computer Description"}));
  EXPECT_EQ(kNetworkFields[kSharesRow].cell, ui::SheetCell::kList);
  EXPECT_EQ(kNetworkFields[kAdaptersRow].cell, ui::SheetCell::kTextBox);
  EXPECT_EQ(kNetworkFields[kDrivesRow].cell, ui::SheetCell::kTextBox);
}

}  // namespace
}  // namespace corvane::network
