#include "usb/hid_usage_cli.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace corvane::usb {
namespace {

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

CliRun RunHidUsage(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int code = RunHidUsageCommand(args, out, err);
  return {code, out.str(), err.str()};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(HidUsageCli, NamesOneUsage) {
  const struct {
    std::vector<std::string> args;
    const char* printed;
  } cases[] = {
      {{"1", "2"}, "Generic Desktop\tMouse\n"},
      {{"0x0C", "0x192"}, "Consumer\tApplication Launch Calculator\n"},
      {{"12", "0X29c"}, "Consumer\tApplication Control Distribute Vertically\n"},
      {{"0xFF00", "1"}, "FF00\t1\n"},
      {{"9", "10"}, "Button\tA\n"},
      {{"0", "0"}, "Undefined\t0\n"},
      {{"65535", "0xFFFF"}, "FFFF\tFFFF\n"},
      {{"007", "0x0004"}, "Keyboard\tA\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    const CliRun r = RunHidUsage(c.args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, c.printed);
    EXPECT_EQ(r.err, "");
  }
}

TEST(HidUsageCli, TablePrintsEveryNamedUsageInOrder) {
  const CliRun r = RunHidUsage({"--table"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 1571u);
  EXPECT_EQ(lines.front(), "0001\t0000\tGeneric Desktop\tUndefined");
  EXPECT_EQ(lines.back(), "008E\t0024\tMagnetic Stripe Reader\tTrack JIS Data");
  EXPECT_NE(r.out.find("\n000C\t029C\tConsumer\tApplication Control Distribute Vertically\n"),
            std::string::npos);

  const std::regex shape("([0-9A-F]{4})\t([0-9A-F]{4})\t[^\t]+\t[^\t]+");
  std::string previous;
  for (const std::string& line : lines) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(line, m, shape)) << line;
    const std::string key = m[1].str() + m[2].str();  // fixed width: text order is numeric order
    EXPECT_LT(previous, key) << line;
    previous = key;
  }
}

TEST(HidUsageCli, BadArgumentsExitWithTwoAndSayWhy) {
  const struct {
    std::vector<std::string> args;
    const char* says;
  } cases[] = {
      {{}, "give PAGE and USAGE"},
      {{"1"}, "give PAGE and USAGE"},
      {{"1", "2", "3"}, "give PAGE and USAGE"},
      {{"--table", "1"}, "--table takes no other argument"},
      {{"--tables"}, "give PAGE and USAGE"},
      {{"65536", "1"}, "PAGE \"65536\""},
      {{"0x10000", "1"}, "PAGE \"0x10000\""},
      {{"0x", "1"}, "PAGE \"0x\""},
      {{"-1", "1"}, "PAGE \"-1\""},
      {{"1A", "1"}, "PAGE \"1A\""},  // hex needs its 0x
      {{"", "1"}, "PAGE \"\""},
      {{"1", " 2"}, "USAGE \" 2\""},
      {{"1", "0xG"}, "USAGE \"0xG\""},
      {{"1", "99999999999999999999"}, "USAGE \"99999999999999999999\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.says);
    const CliRun r = RunHidUsage(c.args);
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("usage: hid-usage PAGE USAGE"), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace corvane::usb
