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
      {L"C:\\", L"\"C:\\\\\""},  // a trailing backslash must not escape the closing quote
      {L"Disc 'A'", L"\"Disc 'A'\""},
      // A double quote and no single one: single quotes, nothing to escape.
      {L"a\"b", L"'a\"b'"},
      {L"\" OR \"1\"=\"1", L"'\" OR \"1\"=\"1'"},
      {L"Card \"B\" \\ 2", L"'Card \"B\" \\\\ 2'"},
      // Both kinds: the double quotes escaped.
      {L"it's \"B\"", L"\"it's \\\"B\\\"\""},
  };
  for (const auto& [text, literal] : cases) EXPECT_EQ(WqlQuoted(text), literal) << testing::PrintToString(text);
}

}  // namespace
}  // namespace corvane::platform
