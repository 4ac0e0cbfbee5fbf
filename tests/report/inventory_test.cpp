// The inventory document: its JSON form read back, the reader's reasons for
// what it refuses, the web page's escaping and the plain text's layout.
#include "report/inventory.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <cwchar>
#include <string>

namespace corvane::report {
namespace {

using testing::HasSubstr;
using testing::Not;

InventoryDocument Sample() {
  InventoryDocument doc;
  doc.version = L"2.84";
  doc.generated = L"2026-12-11T09:30:05+01:00";
  doc.machine = L"BENCH-PC";
  InventorySection summary;
  summary.section = {L"TForm1", L"Corvane 2.84",
                     {{L"Memory (RAM)", L"512 MB", false}, {L"CPU Speed", L"1994 MHz", true}}, {}, {}};
  summary.milliseconds = 120;
  InventorySection apps;
  apps.section = {L"TfrmUnistall",
                  L"Applications",
                  {},
                  {{L"Installed Applications", {L"Name", L"Version"}, {{L"<script>alert(1)</script> & Co", L"1.0"}}, false}},
                  {}};
  ui::SectionTree tree{L"USB devices", {}};
  tree.nodes.push_back({L"Root hub", {}});
  tree.nodes[0].Add(L"Keyboard \u00e9\u4e2d");  // beyond ASCII and Latin-1
  InventorySection usb;
  usb.section = {L"TfrmUSB", L"USB", {}, {}, {tree}};
  InventorySection printers;
  printers.section = {L"TfrmPrinters", L"TfrmPrinters", {}, {}, {}};
  printers.error = L"There are no printers installed.";
  doc.sections = {summary, apps, usb, printers};
  return doc;
}

TEST(InventoryJson, ReadsBackWhatItWrote) {
  const InventoryDocument doc = Sample();
  const auto back = ReadInventoryJson(InventoryJson(doc));
  ASSERT_TRUE(std::holds_alternative<InventoryDocument>(back)) << std::get<InventoryReadError>(back).reason;
  EXPECT_EQ(std::get<InventoryDocument>(back), doc);
}

TEST(InventoryJson, HeaderSectionsAndTimingsInOrder) {
  const auto j = nlohmann::ordered_json::parse(InventoryJson(Sample()));
  std::vector<std::string> keys;
  for (const auto& [key, value] : j.items()) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"format", "product", "version", "generated", "machine", "sections",
                                             "timings"}));
  EXPECT_EQ(j["format"], 1);
  EXPECT_EQ(j["product"], "Corvane");
  ASSERT_EQ(j["sections"].size(), 4u);
  EXPECT_EQ(j["sections"][0]["id"], "TForm1");
  // Only readings that change by themselves carry the mark; only a failed section an error.
  EXPECT_FALSE(j["sections"][0]["rows"][0].contains("volatile"));
  EXPECT_EQ(j["sections"][0]["rows"][1]["volatile"], true);
  EXPECT_FALSE(j["sections"][0].contains("error"));
  EXPECT_EQ(j["sections"][3]["error"], "There are no printers installed.");
  EXPECT_EQ(j["sections"][2]["trees"][0]["nodes"][0]["children"][0]["text"], "Keyboard \u00e9\u4e2d");
  EXPECT_EQ(j["timings"]["TForm1"], 120);
  EXPECT_EQ(j["timings"].size(), 4u);
}

struct RefusedCase {
  const char* name;
  std::string json;
  const char* reason;  // a part of the reason
};
void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }

class InventoryReadRefuses : public testing::TestWithParam<RefusedCase> {};

TEST_P(InventoryReadRefuses, WithItsReason) {
  const auto result = ReadInventoryJson(GetParam().json);
  ASSERT_TRUE(std::holds_alternative<InventoryReadError>(result));
  EXPECT_THAT(std::get<InventoryReadError>(result).reason, HasSubstr(GetParam().reason));
}

const std::string kHead = R"({"format":1,"product":"Corvane","version":"2.84","generated":"x","machine":"m",)";

INSTANTIATE_TEST_SUITE_P(
    Cases, InventoryReadRefuses,
    testing::Values(
        RefusedCase{"NotJson", "{\"format\":1,", "not JSON"},
        RefusedCase{"NotAnObject", "[1,2]", "top level is not an object"},
        RefusedCase{"NoFormat", R"({"sections":[]})", "no \"format\""},
        RefusedCase{"OtherFormat", R"({"format":2,"sections":[]})", "report format 2 is not the format this program reads (1)"},
        RefusedCase{"FormatAsText", R"({"format":"1"})", "\"format\" is not a whole number"},
        RefusedCase{"NoSections", kHead + R"("timings":{}})", "has no \"sections\""},
        RefusedCase{"RowWithoutValue",
                    kHead + R"("sections":[{"id":"A","title":"a","rows":[{"label":"x"}],"lists":[],"trees":[]}]})",
                    "sections[0].rows[0] has no \"value\""},
        RefusedCase{"VolatileNotABoolean",
                    kHead + R"("sections":[{"id":"A","title":"a","rows":[{"label":"x","value":"1","volatile":"yes"}],"lists":[],"trees":[]}]})",
                    "sections[0].rows[0].volatile is not true or false"},
        RefusedCase{"ListCellNotText",
                    kHead + R"("sections":[{"id":"A","title":"a","rows":[],"lists":[{"title":"t","columns":["c"],"rows":[[1]]}],"trees":[]}]})",
                    "sections[0].lists[0].rows[0][0] is not a text"},
        RefusedCase{"TreeChildrenNotArray",
                    kHead + R"("sections":[{"id":"A","title":"a","rows":[],"lists":[],"trees":[{"title":"t","nodes":[{"text":"n","children":{}}]}]}]})",
                    "children is not an array"},
        RefusedCase{"TextNotUtf8", kHead + "\"sections\":[{\"id\":\"\xC3\",\"title\":\"a\",\"rows\":[],\"lists\":[],\"trees\":[]}]}",
                    "not JSON"}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

TEST(InventoryRead, RefusesATreeNestedBeyondAnyWindow) {
  std::string nodes = R"({"text":"leaf","children":[]})";
  for (int i = 0; i < 100; ++i) nodes = R"({"text":"n","children":[)" + nodes + "]}";
  const auto result = ReadInventoryJson(
      kHead + R"("sections":[{"id":"A","title":"a","rows":[],"lists":[],"trees":[{"title":"t","nodes":[)" + nodes + "]}]}]}");
  ASSERT_TRUE(std::holds_alternative<InventoryReadError>(result));
  EXPECT_THAT(std::get<InventoryReadError>(result).reason, HasSubstr("nests too deep"));
}

TEST(InventoryForms, ChosenByTheExtensionInAnyCase) {
  const struct {
    const wchar_t* path;
    InventoryForm form;
  } cases[] = {
      {L"C:\\out\\x.json", InventoryForm::kJson}, {L"x.JSON", InventoryForm::kJson},
      {L"x.htm", InventoryForm::kHtml},           {L"X.Html", InventoryForm::kHtml},
      {L"x.txt", InventoryForm::kText},           {L"x", InventoryForm::kText},
      {L"C:\\a.json\\x", InventoryForm::kText},   {L"x.json.bak", InventoryForm::kText},
  };
  for (const auto& c : cases) EXPECT_EQ(FormForFile(c.path), c.form) << std::string(c.path, c.path + wcslen(c.path));
}

TEST(InventoryTime, IsoWithTheOffsetAlwaysWritten) {
  EXPECT_EQ(IsoLocalTimeText({2026, 12, 11, 9, 30, 5, 60}), L"2026-12-11T09:30:05+01:00");
  EXPECT_EQ(IsoLocalTimeText({2026, 1, 2, 3, 4, 5, 0}), L"2026-01-02T03:04:05+00:00");
  EXPECT_EQ(IsoLocalTimeText({2026, 7, 1, 23, 59, 59, -330}), L"2026-07-01T23:59:59-05:30");
}

TEST(InventoryHtml, EscapesEveryTextAndStandsAlone) {
  InventoryDocument doc = Sample();
  doc.machine = L"PC<1>";
  doc.sections[0].section.title = L"Summary & more";
  const std::string page = InventoryHtml(doc);
  EXPECT_THAT(page, Not(HasSubstr("<script")));
  EXPECT_THAT(page, HasSubstr("&lt;script&gt;alert(1)&lt;/script&gt; &amp; Co"));
  EXPECT_THAT(page, HasSubstr("PC&lt;1&gt;"));
  EXPECT_THAT(page, HasSubstr("Summary &amp; more"));
  EXPECT_THAT(page, Not(HasSubstr("src=")));
  EXPECT_THAT(page, Not(HasSubstr("<link")));
  EXPECT_THAT(page, HasSubstr("@media print"));
  EXPECT_THAT(page, HasSubstr("<meta charset=\"utf-8\">"));
  // A table of contents linking each section's heading.
  EXPECT_THAT(page, HasSubstr("<a href=\"#s2\">Applications</a>"));
  EXPECT_THAT(page, HasSubstr("<section id=\"s2\">"));
  EXPECT_THAT(page, HasSubstr("<ul class=\"tree\"><li>Root hub<ul class=\"tree\"><li>Keyboard \xC3\xA9\xE4\xB8\xAD</li></ul>"));
  EXPECT_THAT(page, HasSubstr("<p class=\"error\">There are no printers installed.</p>"));
}

TEST(InventoryText, CaptionsLabelledRowsAndTabbedLists) {
  InventoryDocument doc = Sample();
  doc.sections[0].section.rows.push_back({L"Paper Bins", L"Upper\r\nLower", false});
  doc.sections[1].section.lists[0].rows.push_back({L"Tab\there", L"2"});
  const std::string text = InventoryText(doc);
  EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF" "Corvane 2.84 inventory\r\nMachine: BENCH-PC\r\n"));
  EXPECT_THAT(text, HasSubstr("\r\nCorvane 2.84\r\n============\r\nMemory (RAM): 512 MB\r\nCPU Speed: 1994 MHz\r\n"));
  EXPECT_THAT(text, HasSubstr("Paper Bins: Upper\r\n    Lower\r\n"));
  EXPECT_THAT(text, HasSubstr("[Installed Applications]\r\nName\tVersion\r\n<script>alert(1)</script> & Co\t1.0\r\n"));
  EXPECT_THAT(text, HasSubstr("Tab here\t2\r\n"));  // a cell's tab would shift the columns
  EXPECT_THAT(text, HasSubstr("Root hub\r\n  Keyboard"));
  EXPECT_THAT(text, HasSubstr("Error: There are no printers installed.\r\n"));
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
}

}  // namespace
}  // namespace corvane::report
