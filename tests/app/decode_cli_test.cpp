#include "app/decode_cli.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <unistd.h>

#include "cpu/cpuid_dump.h"

namespace corvane::app {
namespace {

struct Outcome {
  int code;
  std::string out, err;
};

Outcome Decode(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = RunDecode(args, out, err);
  return {code, out.str(), err.str()};
}

std::string Data(const std::string& name) { return std::string(CORVANE_TEST_DATA) + "/cpu/" + name; }

TEST(DecodeCpuid, PrintsTheIdentificationAsOneJsonObject) {
  const Outcome r = Decode({"cpuid", Data("intel_pentium3_coppermine.dump")});
  ASSERT_EQ(r.code, kDecodeOk) << r.err;
  EXPECT_EQ(r.err, "");
  const auto j = nlohmann::ordered_json::parse(r.out);

  std::vector<std::string> keys;
  for (const auto& [key, value] : j.items()) keys.push_back(key);
  EXPECT_EQ(keys, (std::vector<std::string>{"vendor_index", "vendor_name", "family", "model", "stepping",
                                             "processor_type", "brand_index", "level2", "level1", "l1data",
                                             "l1code", "model_name", "code_name", "figure", "brand", "serial",
                                             "features"}));
  EXPECT_EQ(j["vendor_index"], 1);
  EXPECT_EQ(j["vendor_name"], "Intel Corporation");
  EXPECT_EQ(j["family"], 6);
  EXPECT_EQ(j["model"], 8);
  EXPECT_EQ(j["stepping"], 3);
  EXPECT_EQ(j["processor_type"], 0);
  EXPECT_EQ(j["brand_index"], 2);
  EXPECT_EQ(j["level2"], 256);
  EXPECT_EQ(j["level1"], 0);
  EXPECT_EQ(j["l1data"], 16);
  EXPECT_EQ(j["l1code"], 16);
  EXPECT_EQ(j["model_name"], "Pentium III E");
  EXPECT_EQ(j["code_name"], "Coppermine (0.18 \xC2\xB5m)");  // U+00B5 in UTF-8
  EXPECT_EQ(j["figure"], 28100000);
  EXPECT_EQ(j["brand"], "");
  EXPECT_EQ(j["serial"], "0000-0683-0383-FBFF-0000-0000");
  ASSERT_EQ(j["features"].size(), 24u);
  EXPECT_EQ(j["features"][0], "3D Now! extensions: No");
  EXPECT_EQ(j["features"][3], "SIMD instructions: Yes");
  EXPECT_EQ(j["features"][9], "CMOVcc (+FCMOVcc/F(U)COMI(P) opcodes: Yes");
  EXPECT_EQ(j["features"][23], "Built-In FPU: Yes");
  // The micro sign travels as raw UTF-8, not as an escape.
  EXPECT_NE(r.out.find("\xC2\xB5m)"), std::string::npos);
}

TEST(DecodeCpuid, BrandIsUntrimmed) {
  const Outcome r = Decode({"cpuid", Data("intel_pentium4_northwood.dump")});
  ASSERT_EQ(r.code, kDecodeOk) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  EXPECT_EQ(j["brand"], "              Intel(R) Pentium(R) 4 CPU 2.40GHz");
  EXPECT_EQ(j["model_name"], "Pentium 4");
  EXPECT_EQ(j["brand_index"], 9);
}

TEST(DecodeCpuid, BadInputExitsWithTwoAndSaysWhy) {
  const struct {
    std::vector<std::string> args;
    const char* says;
  } cases[] = {
      {{"cpuid", Data("malformed.dump")}, "malformed.dump: line 4: eax \"0000683\""},
      {{"cpuid", Data("no-such-file.dump")}, "cannot open"},
      {{}, "no subcommand"},
      {{"cpuidd", "x"}, "unknown subcommand cpuidd"},
      {{"cpuid"}, "cpuid takes one argument"},
      {{"cpuid", "a.dump", "b.dump"}, "cpuid takes one argument"},
      {{"cpuid", "--dunp"}, "unknown option --dunp"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    const Outcome r = Decode(c.args);
    EXPECT_EQ(r.code, kDecodeBadInput);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
  }
}

TEST(DecodeDispatch, HelpListsTheSubcommands) {
  const Outcome r = Decode({"--help"});
  EXPECT_EQ(r.code, kDecodeOk);
  for (const char* line : {"corvane-decode cpuid FILE", "corvane-decode cpuid --dump",
                           "corvane-decode smart --attrs", "corvane-decode nvme --smart FILE [--identify FILE]",
                           "corvane-decode mmc --config",
                           "corvane-decode mmc --profile", "corvane-decode hid-usage PAGE USAGE",
                           "corvane-decode hid-usage --table"}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line << "\n" << r.out;
  }
}

TEST(DecodeDispatch, EachSubcommandGetsTheWordsAfterItsName) {
  for (const char* name : {"smart", "nvme", "mmc", "hid-usage"}) {
    SCOPED_TRACE(name);
    const Outcome r = Decode({name});  // reaches the subcommand, which wants more
    EXPECT_EQ(r.code, kDecodeBadInput);
    EXPECT_EQ(r.err.find("unknown subcommand"), std::string::npos) << r.err;
    EXPECT_NE(r.err, "");
  }
}

TEST(DecodeDispatch, HidUsageAnswersThroughTheTool) {
  const Outcome r = Decode({"hid-usage", "0x09", "10"});
  EXPECT_EQ(r.code, kDecodeOk) << r.err;
  EXPECT_EQ(r.out, "Button\tA\n");
}

TEST(DecodeCpuid, LiveDumpDecodesBackThroughTheTool) {
  const Outcome dump = Decode({"cpuid", "--dump"});
  if (dump.code == kDecodeFailed) GTEST_SKIP() << dump.err;
  ASSERT_EQ(dump.code, kDecodeOk) << dump.err;
  std::istringstream in(dump.out);
  EXPECT_FALSE(cpu::ParseCpuidDump(in).Leaves().empty());

  const auto file =
      std::filesystem::temp_directory_path() / ("corvane-cpuid-" + std::to_string(getpid()) + ".dump");
  std::ofstream(file, std::ios::binary) << dump.out;
  const Outcome decoded = Decode({"cpuid", file.string()});
  std::filesystem::remove(file);
  ASSERT_EQ(decoded.code, kDecodeOk) << decoded.err;
  EXPECT_EQ(nlohmann::json::parse(decoded.out)["features"].size(), 24u);
}

}  // namespace
}  // namespace corvane::app

namespace corvane::app {
namespace {

std::string Report(const std::string& name) { return std::string(CORVANE_TEST_DATA) + "/report/" + name; }

// The fixtures: new.json changes one row, swaps one application for another,
// adds a startup entry under a place that has others, removes a tree node,
// and moves only volatile readings and the generation time besides.
struct DiffRun {
  const char* name;
  std::vector<std::string> args;
  int code;
  std::vector<std::string> out_has;  // parts of the standard output
  std::string err_has;               // a part of the error stream ("" for none at all)
};
void PrintTo(const DiffRun& c, std::ostream* os) { *os << c.name; }

class DecodeDiff : public testing::TestWithParam<DiffRun> {};

TEST_P(DecodeDiff, ExitCodeAndOutput) {
  const DiffRun& c = GetParam();
  std::vector<std::string> args{"diff"};
  for (const auto& a : c.args) args.push_back(a.ends_with(".json") || a == "missing" ? Report(a) : a);
  const Outcome r = Decode(args);
  EXPECT_EQ(r.code, c.code) << r.out << r.err;
  for (const auto& part : c.out_has) EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
  if (c.err_has.empty()) {
    EXPECT_EQ(r.err, "");
  } else {
    EXPECT_NE(r.err.find(c.err_has), std::string::npos) << r.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecodeDiff,
    testing::Values(
        DiffRun{"IdenticalReports", {"old.json", "old.json"}, 0, {}, ""},
        DiffRun{"Changes",
                {"old.json", "new.json"},
                1,
                {"TForm1: row \"Memory (RAM)\" changed: \"512 MB\" -> \"1024 MB\"\n",
                 "TfrmUnistall: list \"Installed Applications\" row removed: Beta Player | 2.1\n",
                 "TfrmUnistall: list \"Installed Applications\" row added: Delta Viewer | 0.9\n",
                 "TfrmStartup: list \"Startup\" row added: HKCU Run | Update | update.exe\n",
                 "TfrmUSB: tree \"USB devices\" node removed: Root hub > Card reader > Slot 1\n"},
                ""},
        DiffRun{"AllTakesVolatileReadings",
                {"--all", "old.json", "new.json"},
                1,
                {"generated changed", "row \"CPU Speed\" changed", "TfrmMemory: list \"Processes\" row added: b.exe | 1 MB"},
                ""},
        DiffRun{"AsJson", {"old.json", "new.json", "--json"}, 1, {"\"changed\": true", "\"tree_nodes\": ["}, ""},
        DiffRun{"IdenticalAsJson", {"new.json", "new.json", "--json"}, 0, {"\"changed\": false"}, ""},
        DiffRun{"OtherFormatNumber",
                {"old.json", "format2.json"},
                2,
                {},
                "format2.json: report format 2 is not the format this program reads (1)"},
        DiffRun{"MissingFile", {"old.json", "missing"}, 2, {}, "cannot open"},
        DiffRun{"NotJson", {"old.json", CORVANE_TEST_DATA "/cpu/intel_pentium3_coppermine.dump"}, 2, {}, "not JSON"},
        DiffRun{"OneFile", {"old.json"}, 2, {}, "diff takes two report files"},
        DiffRun{"UnknownOption", {"old.json", "new.json", "--brief"}, 2, {}, "unknown option --brief"}),
    [](const testing::TestParamInfo<DiffRun>& info) { return std::string(info.param.name); });

TEST(DecodeDiffFixtures, NewOnlyInTheExpectedWays) {
  // Everything the Changes case lists, and no more.
  const Outcome r = Decode({"diff", Report("old.json"), Report("new.json")});
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 5) << r.out;
}

}  // namespace
}  // namespace corvane::app
