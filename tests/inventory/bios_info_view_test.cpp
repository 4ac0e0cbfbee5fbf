// A multi-string value in one line, as the BIOS rows show it.
#include "inventory/bios_info_view.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

namespace corvane::inventory {
namespace {

using namespace std::string_view_literals;

// UTF-16 little-endian bytes of `text` as given (terminators written out).
std::vector<std::byte> Stored(std::wstring_view text) {
  std::vector<std::byte> bytes;
  for (const wchar_t c : text) {
    bytes.push_back(static_cast<std::byte>(c & 0xFF));
    bytes.push_back(static_cast<std::byte>((c >> 8) & 0xFF));
  }
  return bytes;
}

TEST(BiosInfoView, MultiStringJoinsItsEntriesWithABarAfterEach) {
  const struct {
    std::wstring_view stored;
    const wchar_t* text;
  } cases[] = {
      {L"ACRSYS - 1\0BIOS Date: 06/12/09\0\0"sv, L"ACRSYS - 1|BIOS Date: 06/12/09|"},
      {L"One\0\0"sv, L"One|"},
      {L"\0"sv, L""},      // an empty list: its terminator only
      {L""sv, L""},        // no data at all
      {L"A\0\0\0"sv, L"A||"},  // an empty entry stays one
      {L"A\0B"sv, L"A|B"},     // without the final terminator nothing is lost
      {L"Caf\u00e9\0\0"sv, L"Caf\u00e9|"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MultiStringText(Stored(c.stored)), c.text) << testing::PrintToString(std::wstring(c.stored));
  }
}

TEST(BiosInfoView, AStrayOddByteIsNoCharacter) {
  std::vector<std::byte> bytes = Stored(L"A\0\0"sv);
  bytes.push_back(std::byte{0x41});
  EXPECT_EQ(MultiStringText(bytes), L"A|");
}

}  // namespace
}  // namespace corvane::inventory
