#include "platform/wql_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace corvane::platform {
namespace {

TEST(WqlQuoted, EscapesWhatWouldEndOrBreakTheLiteral) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"E:", L"\"E:\""},
      {L"", L"\"\""},
      {L"a\"b", L"\"a\\\"b\""},
      {L"C:\\", L"\"C:\\\\\""},  // a trailing backslash must not escape the closing quote
      {L"\" OR \"1\"=\"1", L"\"\\\" OR \\\"1\\\"=\\\"1\""},
      {L"Disc 'A'", L"\"Disc 'A'\""},
  };
  for (const auto& [text, literal] : cases) EXPECT_EQ(WqlQuoted(text), literal) << testing::PrintToString(text);
}

}  // namespace
}  // namespace corvane::platform
