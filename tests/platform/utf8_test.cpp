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

TEST(Utf16Cuts, KeepSurrogatePairsWhole) {
  const wchar_t hi = static_cast<wchar_t>(0xD83D), lo = static_cast<wchar_t>(0xDE00);
  const std::wstring text{L'a', hi, lo, L'b'};
  const struct {
    std::wstring text;
    std::size_t max_units, whole;
  } cuts[] = {
      {text, 0, 0},  {text, 1, 1}, {text, 2, 1},  // between the halves: before the pair
      {text, 3, 3},  {text, 4, 4}, {text, 99, 4},
      {std::wstring{L'a', hi, L'b'}, 2, 2},  // a lone half is a character of its own
      {std::wstring{lo, L'b'}, 1, 1},
  };
  for (const auto& c : cuts) EXPECT_EQ(WholeCharactersIn(c.text, c.max_units), c.whole) << c.max_units;

  const struct {
    std::wstring text;
    std::size_t at, units;
  } chars[] = {
      {text, 0, 1}, {text, 1, 2}, {text, 3, 1}, {text, 4, 0},
      {std::wstring{hi}, 0, 1},      // a high half at the end stands alone
      {std::wstring{hi, hi, lo}, 0, 1},
  };
  for (const auto& c : chars) EXPECT_EQ(CharacterUnits(c.text, c.at), c.units) << c.at;
}

}  // namespace
}  // namespace corvane::platform
