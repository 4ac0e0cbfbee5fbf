// The harness's own quoting: a wrong quote would make every command-line test
// check something other than what it names.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include "e2e/harness.h"

namespace corvane::e2e {
namespace {

TEST(QuoteArgument, RoundTripsThroughTheSystemParser) {
  const std::vector<std::wstring> args = {L"/AUTO",
                                          L"",
                                          L"a b",
                                          L"C:\\dir with space\\",
                                          L"tab\there",
                                          L"say \"hi\"",
                                          L"back\\\\\"slash",
                                          L"\\\\server\\share",
                                          L"\u03c3\u03cd\u03bd\u03bf\u03c8\u03b7"};
  const std::wstring line = BuildCommandLine(L"C:\\Program Files\\corvane.exe", args);
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(line.c_str(), &argc);
  ASSERT_TRUE(argv);
  std::vector<std::wstring> parsed(argv + 1, argv + argc);
  std::wstring exe = argv[0];
  LocalFree(argv);
  EXPECT_EQ(exe, L"C:\\Program Files\\corvane.exe");
  EXPECT_EQ(parsed, args) << line;
}

TEST(QuoteArgument, LeavesPlainArgumentsAlone) {
  EXPECT_EQ(QuoteArgument(L"/norefresh"), L"/norefresh");
  EXPECT_EQ(QuoteArgument(L"C:\\x\\"), L"C:\\x\\");
  EXPECT_EQ(QuoteArgument(L""), L"\"\"");
}

}  // namespace
}  // namespace corvane::e2e
