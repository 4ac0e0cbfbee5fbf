#include "app/command_line.h"

#include <gtest/gtest.h>

#include <utility>

#include "app/command_line_cases.h"

namespace corvane::app {
namespace {

struct Case {
  std::vector<std::wstring> args;
  StartupKind kind;
  std::wstring file;
  bool nocom;
  ReportFormat format = ReportFormat::kByName;
};

TEST(CommandLine, EveryRowOfTheTable) {
  const Case cases[] = {
      {{}, StartupKind::Refresh, L"", false},
      {{L"/norefresh"}, StartupKind::NoRefresh, L"", false},
      {{L"anything"}, StartupKind::NoRefresh, L"", false},
      {{L"/AUTO"}, StartupKind::NoRefresh, L"", false},  // a lone /AUTO names no file
      {{L"/AUTO", L"C:\\out.txt"}, StartupKind::Unattended, L"C:\\out.txt", false},
      {{L"/auto", L"out.txt"}, StartupKind::Unattended, L"out.txt", false},
      {{L"/Auto", L"x"}, StartupKind::Unattended, L"x", false},
      {{L"/AUTO", L""}, StartupKind::Refresh, L"", false},
      {{L"AUTO", L"x"}, StartupKind::Refresh, L"", false},
      {{L"/norefresh", L"x"}, StartupKind::Refresh, L"", false},
      {{L"/AUTO", L"x", L"y"}, StartupKind::NoRefresh, L"", false},
      {{L"/nocom"}, StartupKind::NoRefresh, L"", true},
      {{L"/NoCom", L"x"}, StartupKind::Refresh, L"", true},
      {{L"/NOCOM", L"x", L"y"}, StartupKind::NoRefresh, L"", true},
      {{L"x", L"/nocom"}, StartupKind::Refresh, L"", false},  // only the first argument counts
      {{L"/REPORT", L"C:\\pc.json"}, StartupKind::Report, L"C:\\pc.json", false},
      {{L"/report", L"pc.htm"}, StartupKind::Report, L"pc.htm", false},
      {{L"/RePort", L"pc"}, StartupKind::Report, L"pc", false},
      // A /REPORT without its one file name is refused, never taken for another row.
      {{L"/REPORT"}, StartupKind::BadReport, L"", false},
      {{L"/REPORT", L""}, StartupKind::BadReport, L"", false},
      {{L"/REPORT", L"a.json", L"b.json"}, StartupKind::BadReport, L"", false},
      {{L"x", L"/REPORT"}, StartupKind::Refresh, L"", false},
      {{L"/REPORT", L"pc.json", L"/FORMAT", L"glpi"}, StartupKind::Report, L"pc.json", false, ReportFormat::kGlpi},
      {{L"/report", L"pc.txt", L"/format", L"GLPI"}, StartupKind::Report, L"pc.txt", false, ReportFormat::kGlpi},
      // A format switch without a format this program writes is refused, not
      // taken for the report's own form.
      {{L"/REPORT", L"pc.json", L"/FORMAT"}, StartupKind::BadFormat, L"", false},
      {{L"/REPORT", L"pc.json", L"/FORMAT", L""}, StartupKind::BadFormat, L"", false},
      {{L"/REPORT", L"pc.json", L"/FORMAT", L"xml"}, StartupKind::BadFormat, L"", false},
      {{L"/REPORT", L"pc.json", L"/FORMAT", L"glpi", L"x"}, StartupKind::BadFormat, L"", false},
      {{L"/REPORT", L"", L"/FORMAT", L"glpi"}, StartupKind::BadReport, L"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const auto action = DecideStartup(c.args);
    EXPECT_EQ(action.kind, c.kind);
    EXPECT_EQ(action.file, c.file);
    EXPECT_EQ(IsNoCom(c.args), c.nocom);
    EXPECT_EQ(action.format, c.format);
  }
}

TEST(CommandLine, OnlyAStartUpThatRefreshesSamplesTheClockAtOnce) {
  const std::pair<StartupKind, bool> cases[] = {
      {StartupKind::Refresh, true},    {StartupKind::Unattended, true}, {StartupKind::Report, true},
      {StartupKind::NoRefresh, false}, {StartupKind::BadReport, false}, {StartupKind::BadFormat, false},
  };
  for (const auto& [kind, samples] : cases) EXPECT_EQ(SamplesClockAtStart(kind), samples) << static_cast<int>(kind);
}

TEST(CommandLine, SplitsAsTheSystemSplits) {
  for (const auto& c : test_cases::kSplitCases) {
    EXPECT_EQ(SplitCommandLine(c.line), c.args) << testing::PrintToString(std::wstring(c.line));
  }
}

TEST(CommandLine, CaseFoldingIsAsciiOnly) {
  EXPECT_EQ(AsciiUpper(L"/auto\u00e9"), L"/AUTO\u00e9");
  EXPECT_EQ(AsciiLower(L"/NOCOM\u00c9"), L"/nocom\u00c9");
}

}  // namespace
}  // namespace corvane::app
