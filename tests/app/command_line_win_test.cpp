// The system's own splitter against the cases the program's splitter is
// tested on: where they part, the program would read its arguments otherwise
// than the system hands them to it.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/command_line_cases.h"

namespace corvane::app {
namespace {

std::vector<std::wstring> SystemSplit(const wchar_t* line) {
  std::vector<std::wstring> args;
  int count = 0;
  if (wchar_t** argv = CommandLineToArgvW(line, &count)) {
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
  }
  return args;
}

TEST(CommandLineWin, SplitsAsCommandLineToArgvW) {
  for (const auto& c : test_cases::kSplitCases) {
    const std::wstring line = c.line;
    EXPECT_EQ(SystemSplit(c.line), c.args) << testing::PrintToString(line);
    EXPECT_EQ(SplitCommandLine(line), SystemSplit(c.line)) << testing::PrintToString(line);
  }
  // This process's own command line, as the start-up reads it.
  EXPECT_EQ(SplitCommandLine(GetCommandLineW()), SystemSplit(GetCommandLineW()));
}

}  // namespace
}  // namespace corvane::app
