// Comparing two inventory reports: what counts as a change, what is left out
// as volatile, and how list rows and tree nodes are matched.
#include "report/inventory_diff.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace corvane::report {
namespace {

using testing::HasSubstr;

InventoryDocument Doc(std::vector<ui::ReportSection> sections) {
  InventoryDocument doc;
  doc.generated = L"2026-12-11T09:30:05+01:00";
  for (auto& s : sections) doc.sections.push_back({std::move(s), 0, {}});
  return doc;
}

ui::ReportSection Rows(std::vector<ui::SectionRow> rows) { return {L"TForm1", L"Corvane", std::move(rows), {}, {}}; }
ui::ReportSection List(std::vector<std::vector<std::wstring>> rows, bool is_volatile = false) {
  return {L"TfrmUnistall", L"Apps", {}, {{L"Apps", {L"Name", L"Version"}, std::move(rows), is_volatile}}, {}};
}
ui::ReportSection Tree(std::vector<ui::TreeNode> nodes) { return {L"TfrmUSB", L"USB", {}, {}, {{L"Devices", std::move(nodes)}}}; }

struct DiffCase {
  const char* name;
  InventoryDocument old_doc, new_doc;
  bool all;
  std::string expected;  // DiffText; "" when nothing changed
};
void PrintTo(const DiffCase& c, std::ostream* os) { *os << c.name; }

class InventoryDiffCases : public testing::TestWithParam<DiffCase> {};

TEST_P(InventoryDiffCases, FindsExactlyTheChanges) {
  const DiffCase& c = GetParam();
  const InventoryDiff diff = DiffInventories(c.old_doc, c.new_doc, c.all);
  EXPECT_EQ(DiffText(diff), c.expected);
  EXPECT_EQ(diff.empty(), c.expected.empty());
}

ui::TreeNode Node(std::wstring text, std::vector<ui::TreeNode> children = {}) { return {std::move(text), std::move(children)}; }

INSTANTIATE_TEST_SUITE_P(
    Cases, InventoryDiffCases,
    testing::Values(
        DiffCase{"Identical", Doc({Rows({{L"A", L"1", false}}), List({{L"x", L"1"}})}),
                 Doc({Rows({{L"A", L"1", false}}), List({{L"x", L"1"}})}), false, ""},
        DiffCase{"ChangedRow", Doc({Rows({{L"Memory (RAM)", L"512 MB", false}})}),
                 Doc({Rows({{L"Memory (RAM)", L"1024 MB", false}})}), false,
                 "TForm1: row \"Memory (RAM)\" changed: \"512 MB\" -> \"1024 MB\"\n"},
        DiffCase{"VolatileRowLeftOut", Doc({Rows({{L"CPU Speed", L"1994 MHz", true}})}),
                 Doc({Rows({{L"CPU Speed", L"2011 MHz", true}})}), false, ""},
        DiffCase{"VolatileRowWithAll", Doc({Rows({{L"CPU Speed", L"1994 MHz", true}})}),
                 Doc({Rows({{L"CPU Speed", L"2011 MHz", true}})}), true,
                 "TForm1: row \"CPU Speed\" changed: \"1994 MHz\" -> \"2011 MHz\"\n"},
        // Marked in one report only (an older build, say): still volatile.
        DiffCase{"VolatileInEitherReport", Doc({Rows({{L"Battery", L"High", false}})}),
                 Doc({Rows({{L"Battery", L"Low", true}})}), false, ""},
        DiffCase{"RowAddedAndRemoved", Doc({Rows({{L"Old", L"1", false}})}), Doc({Rows({{L"New", L"2", false}})}), false,
                 "TForm1: row \"Old\" removed: \"1\"\nTForm1: row \"New\" added: \"2\"\n"},
        DiffCase{"ListRowAddedAndRemoved", Doc({List({{L"Alpha", L"1"}, {L"Beta", L"2"}})}),
                 Doc({List({{L"Alpha", L"1"}, {L"Delta", L"3"}})}), false,
                 "TfrmUnistall: list \"Apps\" row removed: Beta | 2\nTfrmUnistall: list \"Apps\" row added: Delta | 3\n"},
        DiffCase{"ListRowChangedByItsFirstColumn", Doc({List({{L"Alpha", L"1.0"}})}), Doc({List({{L"Alpha", L"1.1"}})}),
                 false, "TfrmUnistall: list \"Apps\" row changed: Alpha | 1.0 -> Alpha | 1.1\n"},
        // Several rows under one first cell (one startup place): only the new one.
        DiffCase{"RowsSharingAFirstColumn", Doc({List({{L"HKCU Run", L"a"}, {L"HKCU Run", L"b"}})}),
                 Doc({List({{L"HKCU Run", L"a"}, {L"HKCU Run", L"c"}, {L"HKCU Run", L"b"}})}), false,
                 "TfrmUnistall: list \"Apps\" row added: HKCU Run | c\n"},
        DiffCase{"ListOrderIsNoChange", Doc({List({{L"A", L"1"}, {L"B", L"2"}})}), Doc({List({{L"B", L"2"}, {L"A", L"1"}})}),
                 false, ""},
        DiffCase{"VolatileListLeftOut", Doc({List({{L"a.exe", L"10 MB"}}, true)}), Doc({List({{L"b.exe", L"1 MB"}}, true)}),
                 false, ""},
        DiffCase{"TreeNodeRemoved",
                 Doc({Tree({Node(L"Root hub", {Node(L"Keyboard"), Node(L"Card reader", {Node(L"Slot 1")})})})}),
                 Doc({Tree({Node(L"Root hub", {Node(L"Keyboard"), Node(L"Card reader")})})}), false,
                 "TfrmUSB: tree \"Devices\" node removed: Root hub > Card reader > Slot 1\n"},
        DiffCase{"TreeNodeAddedWithItsChildrenOnce", Doc({Tree({Node(L"Root hub")})}),
                 Doc({Tree({Node(L"Root hub", {Node(L"Hub", {Node(L"Mouse")})})})}), false,
                 "TfrmUSB: tree \"Devices\" node added: Root hub > Hub\n"},
        DiffCase{"SectionOnlyInOne", Doc({Rows({})}), Doc({Rows({}), Tree({})}), false, "section added: TfrmUSB \"USB\"\n"},
        DiffCase{"GenerationTimeOnlyWithAll",
                 [] { auto d = Doc({}); d.generated = L"T1"; return d; }(),
                 [] { auto d = Doc({}); d.generated = L"T2"; return d; }(), true, "generated changed: \"T1\" -> \"T2\"\n"}),
    [](const testing::TestParamInfo<DiffCase>& info) { return std::string(info.param.name); });

TEST(InventoryDiffJson, SaysTheSameAsTheText) {
  const auto diff = DiffInventories(Doc({Rows({{L"A", L"1", false}}), List({{L"Beta", L"2"}})}),
                                    Doc({Rows({{L"A", L"2", false}}), List({{L"Delta", L"3"}})}), false);
  const auto j = nlohmann::json::parse(DiffJson(diff));
  EXPECT_EQ(j["changed"], true);
  ASSERT_EQ(j["rows"].size(), 1u);
  EXPECT_EQ(j["rows"][0], (nlohmann::json{{"section", "TForm1"}, {"label", "A"}, {"change", "changed"}, {"old", "1"}, {"new", "2"}}));
  ASSERT_EQ(j["list_rows"].size(), 2u);
  EXPECT_EQ(j["list_rows"][0]["change"], "removed");
  EXPECT_EQ(j["list_rows"][0]["old"], (nlohmann::json{"Beta", "2"}));
  EXPECT_FALSE(j["list_rows"][0].contains("new"));
  EXPECT_EQ(j["list_rows"][1]["new"], (nlohmann::json{"Delta", "3"}));
  EXPECT_TRUE(j["tree_nodes"].empty());
  EXPECT_FALSE(j.contains("generated"));

  EXPECT_EQ(nlohmann::json::parse(DiffJson({}))["changed"], false);
}

}  // namespace
}  // namespace corvane::report
