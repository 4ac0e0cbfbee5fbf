// The worked-out texts of the personal-information rows: the install date
// in its fixed pattern and the product key decoded from DigitalProductId.
#include "inventory/personal_view.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane::inventory {
namespace {

TEST(PersonalView, InstallDateFollowsTheFixedPatternWithTheLocaleSeparators) {
  const struct {
    std::uint32_t seconds;
    const wchar_t* date_separator;
    const wchar_t* time_separator;
    const wchar_t* text;
  } cases[] = {
      {0, L"/", L":", L"01/01/1970 00:00:00"},
      {0, L".", L".", L"01.01.1970 00.00.00"},
      {1, L"/", L":", L"01/01/1970 00:00:01"},
      {86399, L"/", L":", L"01/01/1970 23:59:59"},
      {951782400, L"-", L":", L"02-29-2000 00:00:00"},   // a leap day
      {1234567890, L"/", L":", L"02/13/2009 23:31:30"},
      {4102444799u, L"/", L":", L"12/31/2099 23:59:59"},
      {0xFFFFFFFFu, L"/", L":", L"02/07/2106 06:28:15"},  // the largest value a DWORD holds
      {0, L"", L"", L"01011970 000000"},                  // separators as given, even none
  };
  for (const auto& c : cases) {
    EXPECT_EQ(InstallDateText(c.seconds, c.date_separator, c.time_separator), c.text) << c.seconds;
  }
}

TEST(PersonalView, TrimBlanksRemovesSpacesAndControlCharactersAtBothEnds) {
  EXPECT_EQ(TrimBlanks(L" \t\r\n 55274-640 \x01\x1f"), L"55274-640");
  EXPECT_EQ(TrimBlanks(L"  \t "), L"");
  EXPECT_EQ(TrimBlanks(L"a b"), L"a b");
}

// A DigitalProductId of 67 or more bytes whose key bytes encode `digits`
// (25 places in kProductKeyDigits, first most significant), built the other
// way round from the decoder: multiply by 24 and add, byte by byte.
std::vector<std::byte> EncodeDigits(const std::array<unsigned, 25>& digits, std::size_t size = 164) {
  std::array<unsigned, kProductKeyBytes> number{};
  for (const unsigned digit : digits) {
    unsigned carry = digit;
    for (unsigned& byte : number) {
      const unsigned value = byte * 24 + carry;
      byte = value & 0xFF;
      carry = value >> 8;
    }
    EXPECT_EQ(carry, 0u);
  }
  std::vector<std::byte> data(size, std::byte{0xA5});  // the bytes around the key must not matter
  for (std::size_t i = 0; i < kProductKeyBytes; ++i) data[kProductKeyOffset + i] = static_cast<std::byte>(number[i]);
  return data;
}

std::array<unsigned, 25> DigitsOf(std::wstring_view key25) {
  std::array<unsigned, 25> digits{};
  for (std::size_t i = 0; i < 25; ++i) digits[i] = static_cast<unsigned>(kProductKeyDigits.find(key25[i]));
  return digits;
}

std::wstring Grouped(std::wstring_view key25) {
  std::wstring text;
  for (std::size_t i = 0; i < key25.size(); ++i) {
    if (i > 0 && i % 5 == 0) text += L'-';
    text += key25[i];
  }
  return text;
}

// The classic layout: the key's 25 characters are the number itself.
std::vector<std::byte> ClassicId(std::wstring_view key25) { return EncodeDigits(DigitsOf(key25)); }

// The later layout: the key holds one "N"; without it, and with the N's
// place as a first digit, the rest is the number, and bit 3 of byte 66 is set.
std::vector<std::byte> LaterId(std::wstring_view key_with_n) {
  const std::size_t at = key_with_n.find(L'N');
  std::wstring rest(key_with_n);
  rest.erase(at, 1);
  std::array<unsigned, 25> digits{};
  digits[0] = static_cast<unsigned>(at);
  const auto others = DigitsOf(L"B" + rest);
  for (std::size_t i = 1; i < 25; ++i) digits[i] = others[i];
  auto data = EncodeDigits(digits);
  data[kProductKeyFlagByte] |= std::byte{0x08};
  return data;
}

TEST(PersonalView, ProductKeyDecodesFixedPatterns) {
  // Worked by hand: all zero is the first digit everywhere; 1 and 24 end the key.
  std::vector<std::byte> data(67, std::byte{0});
  EXPECT_EQ(DecodeProductKey(data), L"BBBBB-BBBBB-BBBBB-BBBBB-BBBBB");
  data[kProductKeyOffset] = std::byte{1};
  EXPECT_EQ(DecodeProductKey(data), L"BBBBB-BBBBB-BBBBB-BBBBB-BBBBC");
  data[kProductKeyOffset] = std::byte{24};
  EXPECT_EQ(DecodeProductKey(data), L"BBBBB-BBBBB-BBBBB-BBBBB-BBBCB");
  // Two bytes: 0x1817 = 6167 = 10 * 576 + 16 * 24 + 23, digits Q, Y and 9.
  data[kProductKeyOffset] = std::byte{0x17};
  data[kProductKeyOffset + 1] = std::byte{0x18};
  EXPECT_EQ(DecodeProductKey(data), L"BBBBB-BBBBB-BBBBB-BBBBB-BBQY9");
  // The flag alone: nothing else set, so the first digit puts the N first.
  std::vector<std::byte> flagged(67, std::byte{0});
  flagged[kProductKeyFlagByte] = std::byte{0x08};
  EXPECT_EQ(DecodeProductKey(flagged), L"NBBBB-BBBBB-BBBBB-BBBBB-BBBBB");
}

TEST(PersonalView, ProductKeyRoundTripsBothLayouts) {
  const wchar_t* classic[] = {
      L"BCDFGHJKMPQRTVWXY23467899",
      L"9999999999999999999999999",  // the largest key: 24^25 - 1 still fits below the flag
      L"KT4XQ8MRW7P2HV9CY3DJG6FB2",
      L"BBBBBBBBBBBBBBBBBBBBBBBBC",
  };
  for (const wchar_t* key : classic) {
    EXPECT_EQ(DecodeProductKey(ClassicId(key)), Grouped(key)) << testing::PrintToString(std::wstring(key));
  }
  const wchar_t* later[] = {
      L"NBBBBBBBBBBBBBBBBBBBBBBBB",  // N first
      L"XNCDFGHJKMPQRTVWXY2346789",  // after the first character
      L"HK7JGNPQTMC97JM9MPGT3V66T",  // N in the middle
      L"BCDFGHJKMPQRTVWXY234678N9",  // the last place a first digit (at most 23) can name
      L"9999999999999999999999N99",
  };
  for (const wchar_t* key : later) {
    EXPECT_EQ(DecodeProductKey(LaterId(key)), Grouped(key)) << testing::PrintToString(std::wstring(key));
  }
}

TEST(PersonalView, ProductKeyNeedsSixtySevenBytes) {
  const auto full = ClassicId(L"KT4XQ8MRW7P2HV9CY3DJG6FB2");
  EXPECT_EQ(DecodeProductKey(std::span(full).first(67)), L"KT4XQ-8MRW7-P2HV9-CY3DJ-G6FB2");
  EXPECT_EQ(DecodeProductKey(std::span(full).first(66)), L"");
  EXPECT_EQ(DecodeProductKey({}), L"");
}

TEST(PersonalView, RowsAreInScreenOrderAndTheFirstOnesAreRepainted) {
  std::vector<std::wstring> labels;
  for (const auto& field : kPersonalFields) labels.emplace_back(field.label);
  EXPECT_EQ(labels, (std::vector<std::wstring>{
                        L"Registered Owner", L"Registered Organization", L"Installation Type",
                        L"Current Build Number", L"Product ID", L"HD Serial Number", L"System Root",
                        L"System Serial Number", L"Default Printer", L"Windows CD Key",
                        L"DOT NET Runtime library", L"Install Date", L"Build", L"System Language"}));
  PersonalModel model;
  model.registered_owner = L"owner";
  model.system_language = L"English";
  const auto texts = ui::SheetTexts<PersonalModel>(kPersonalFields, model);
  EXPECT_EQ(texts.front(), L"owner");
  EXPECT_EQ(texts.back(), L"English");
  EXPECT_TRUE(IsRepaintedRow(PersonalRow::kDefaultPrinter));
  EXPECT_FALSE(IsRepaintedRow(PersonalRow::kSystemRoot));
  EXPECT_FALSE(IsRepaintedRow(PersonalRow::kInstallDate));
}

}  // namespace
}  // namespace corvane::inventory
