// UTF-8 in and out: valid text goes round unchanged, bytes that are not
// UTF-8 are refused rather than guessed at.
#include "platform/utf8.h"

#include <gtest/gtest.h>

namespace corvane::platform {
namespace {

TEST(Utf8, RoundTripsBeyondTheBasicPlane) {
  const std::wstring text = L"A\u00e9\u4e2d\U0001F600z";
  const auto back = FromUtf8(ToUtf8(text));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, text);
  EXPECT_EQ(FromUtf8(""), std::wstring());
}

TEST(Utf8, RefusesWhatIsNotUtf8) {
  const char* const cases[] = {
      "\x80",              // a continuation byte alone
      "\xC3",              // cut short at the end
      "\xE4\xB8",          // cut short, three-byte form
      "\xC3" "A",          // no continuation byte
      "\xC0\xAF",          // overlong "/"
      "\xE0\x80\xAF",      // overlong, three bytes
      "\xED\xA0\x80",      // an encoded surrogate
      "\xF4\x90\x80\x80",  // past U+10FFFF
      "\xFF",
  };
  for (const char* bytes : cases) EXPECT_FALSE(FromUtf8(bytes).has_value()) << testing::PrintToString(bytes);
}

}  // namespace
}  // namespace corvane::platform
