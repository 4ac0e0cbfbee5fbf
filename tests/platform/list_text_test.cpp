#include "platform/list_text.h"

#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

TEST(TidyList, Cases) {
  const struct { const wchar_t* in; const wchar_t* out; } cases[] = {
      {L"a | b | ", L"a | b"},
      {L"a | b", L"a | b"},
      {L"", L""},
      {L"   ", L""},
      {L" | ", L""},
      {L"a || ", L"a |"},  // only one bar goes
      {L"\t a | \r\n", L"a"},
  };
  for (const auto& c : cases) EXPECT_EQ(TidyList(c.in), c.out) << testing::PrintToString(std::wstring(c.in));
}

}  // namespace
}  // namespace corvane::platform
