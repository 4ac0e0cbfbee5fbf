#include "platform/wmi_grid.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace corvane::platform {
namespace {

using I = std::int64_t;
using U = std::uint64_t;

struct TextCase {
  const char* what;
  WmiValue value;
  CimType type;
  std::wstring text;
};

TEST(WmiValueToText, EveryCimTypeRule) {
  const TextCase cases[] = {
      {"null string", WmiNull{}, kCimString, L"NULL"},
      {"null integer", WmiNull{}, kCimUint32, L"NULL"},
      {"null object", WmiNull{}, kCimObject, L"NULL"},
      {"null array", WmiNull{}, kCimFlagArray | kCimString, L"NULL"},
      {"null of unknown type", WmiNull{}, 0, L"NULL"},

      {"sint16", I{-32768}, kCimSint16, L"-32768"},
      {"sint32", I{2147483647}, kCimSint32, L"2147483647"},
      {"sint8", I{-128}, kCimSint8, L"-128"},
      {"uint8", U{255}, kCimUint8, L"255"},
      {"uint16 as Wine's VT_I4", I{80}, kCimUint16, L"80"},
      {"uint32", U{4294967295u}, kCimUint32, L"4294967295"},
      {"sint64 as number", I{std::numeric_limits<I>::min()}, kCimSint64, L"-9223372036854775808"},
      {"sint64 as Windows' BSTR", std::wstring(L"-42"), kCimSint64, L"-42"},
      {"zero", I{0}, kCimSint32, L"0"},
      {"uint32 above 2^31 as a signed VT_I4", I{-1}, kCimUint32, L"4294967295"},
      {"uint32 2^31 as a signed VT_I4", I{-2147483647 - 1}, kCimUint32, L"2147483648"},
      {"uint16 as a signed VT_I2", I{-2}, kCimUint16, L"65534"},
      {"uint8 as a signed VT_I1", I{-1}, kCimUint8, L"255"},
      {"uint64 as a signed VT_I8", I{-1}, kCimUint64, L"18446744073709551615"},
      {"signed types stay signed", I{-1}, kCimSint16, L"-1"},

      {"real32", 0.1f, kCimReal32, L"0.1"},
      {"real32 widened to double", static_cast<double>(0.1f), kCimReal32, L"0.1"},
      {"real64", 0.1, kCimReal64, L"0.1"},
      {"real64 whole", 3.0, kCimReal64, L"3"},
      {"real64 negative", -1.25, kCimReal64, L"-1.25"},
      {"real64 tiny", 2.5e-7, kCimReal64, L"2.5e-07"},
      {"real64 as integer", I{7}, kCimReal64, L"7"},

      {"string", std::wstring(L"The Wine Project"), kCimString, L"The Wine Project"},
      {"empty string", std::wstring(), kCimString, L""},
      {"uint64 as BSTR", std::wstring(L"18446744073709551615"), kCimUint64,
       L"18446744073709551615"},
      {"uint64 as number", U{std::numeric_limits<U>::max()}, kCimUint64, L"18446744073709551615"},

      {"boolean true", true, kCimBoolean, L"True"},
      {"boolean false", false, kCimBoolean, L"False"},

      {"object", WmiOpaque{}, kCimObject, L"<CIM Object>"},
      {"datetime", std::wstring(L"20240229235959.000000+060"), kCimDatetime,
       L"20240229235959.000000+060"},
      {"reference", std::wstring(LR"(\\HOST\root\cimv2:Win32_BIOS.Name="x")"), kCimReference,
       LR"(\\HOST\root\cimv2:Win32_BIOS.Name="x")"},
      {"char16", U{65}, kCimChar16, L"<16-bit character>"},

      {"type 0", std::wstring(L"x"), 0, L""},
      {"type 6", I{1}, 6, L""},
      {"type 104", std::wstring(L"x"), 104, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(WmiValueToText(c.value, c.type), c.text);
  }
}

TEST(WmiValueToText, ArraysOfIntegerStringAnd64BitTypesAreJoined) {
  const WmiArray strings{std::wstring(L"192.168.1.2"), std::wstring(L"fe80::1")};
  const TextCase cases[] = {
      {"string array", strings, kCimFlagArray | kCimString, L"192.168.1.2|fe80::1"},
      {"one element", WmiArray{std::wstring(L"only")}, kCimFlagArray | kCimString, L"only"},
      {"empty array", WmiArray{}, kCimFlagArray | kCimString, L""},
      {"empty elements kept", WmiArray{std::wstring(), std::wstring(L"b"), std::wstring()},
       kCimFlagArray | kCimString, L"|b|"},
      {"uint16 array", WmiArray{I{3}, I{4}, I{10}}, kCimFlagArray | kCimUint16, L"3|4|10"},
      {"uint8 array", WmiArray{U{0}, U{255}}, kCimFlagArray | kCimUint8, L"0|255"},
      {"uint32 array as VT_I4", WmiArray{I{-1}, I{1}}, kCimFlagArray | kCimUint32, L"4294967295|1"},
      {"sint32 array", WmiArray{I{-1}, I{1}}, kCimFlagArray | kCimSint32, L"-1|1"},
      {"uint64 array as BSTRs", WmiArray{std::wstring(L"1"), std::wstring(L"2")},
       kCimFlagArray | kCimUint64, L"1|2"},
      {"sint64 array", WmiArray{I{-5}, I{6}}, kCimFlagArray | kCimSint64, L"-5|6"},
      {"datetime array", WmiArray{std::wstring(L"a"), std::wstring(L"b")},
       kCimFlagArray | kCimDatetime, L"a|b"},

      {"boolean array", WmiArray{true, false}, kCimFlagArray | kCimBoolean, L""},
      {"real array", WmiArray{1.5, 2.5}, kCimFlagArray | kCimReal64, L""},
      {"object array", WmiArray{WmiOpaque{}}, kCimFlagArray | kCimObject, L""},
      {"char16 array", WmiArray{U{65}}, kCimFlagArray | kCimChar16, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(WmiValueToText(c.value, c.type), c.text);
  }
}

TEST(WmiPlainText, NullAndOpaqueAreEmptyEverythingElseItsText) {
  const std::pair<WmiValue, std::wstring> cases[] = {
      {WmiNull{}, L""},
      {WmiOpaque{}, L""},
      {std::wstring(L"Wine"), L"Wine"},
      {I{-3}, L"-3"},
      {U{18446744073709551615u}, L"18446744073709551615"},
      {true, L"True"},
      {false, L"False"},
      {0.5f, L"0.5"},
      {1e21, L"1e+21"},
      {WmiArray{std::wstring(L"a"), I{2}, WmiNull{}}, L"a|2|"},
      {WmiArray{}, L""},
  };
  for (const auto& [value, text] : cases) {
    SCOPED_TRACE(testing::PrintToString(text));
    EXPECT_EQ(WmiPlainText(value), text);
  }
}

class WmiTableValueTest : public testing::Test {
 protected:
  // Two columns share a name, one differs only in case, and the first
  // column's header could be mistaken for a property.
  T2DimStrArray grid_{
      {L"Instance", L"Name", L"name", L"Manufacturer", L"Name"},
      {L"1", L"first", L"lower", L"The Wine Project", L"second"},
      {L"2", L"row2", L"row2", L"row2", L"row2"},
  };
};

TEST_F(WmiTableValueTest, FirstExactMatchFromColumnOneInRowOne) {
  EXPECT_EQ(WmiTableValue(grid_, L"Name"), L"first");
  EXPECT_EQ(WmiTableValue(grid_, L"name"), L"lower");
  EXPECT_EQ(WmiTableValue(grid_, L"Manufacturer"), L"The Wine Project");
}

TEST_F(WmiTableValueTest, NoMatchGivesEmpty) {
  EXPECT_EQ(WmiTableValue(grid_, L"NAME"), L"");
  EXPECT_EQ(WmiTableValue(grid_, L"Manufacturer "), L"");
  EXPECT_EQ(WmiTableValue(grid_, L"Instance"), L"");  // column 0 is not a property
  EXPECT_EQ(WmiTableValue(grid_, L""), L"");
}

TEST_F(WmiTableValueTest, AnyInstanceRowByTheSameColumnNames) {
  EXPECT_EQ(WmiTableValue(grid_, L"Name", 2), L"row2");
  EXPECT_EQ(WmiTableValue(grid_, L"Name", 3), L"") << "past the last instance";
  EXPECT_EQ(WmiTableValue(grid_, L"Name", 0), L"") << "row 0 holds the names, not an instance";
}

TEST(WmiTableValue, GridsWithoutAnInstanceRow) {
  EXPECT_EQ(WmiTableValue({}, L"Name"), L"");
  EXPECT_EQ(WmiTableValue({{L"Instance", L"Name"}}, L"Name"), L"");
  // A short first row (never made by the table query) must not be read past.
  EXPECT_EQ(WmiTableValue({{L"Instance", L"Name", L"Product"}, {L"1", L"x"}}, L"Product"), L"");
}

struct Board {
  std::wstring maker, product, serial;
  friend bool operator==(const Board&, const Board&) = default;
};
constexpr std::array<WmiField<Board>, 3> kBoardFields{{
    {L"Manufacturer", &Board::maker},
    {L"Product", &Board::product},
    {L"SerialNumber", &Board::serial},
}};

TEST(RecordFromTable, BoundMembersFromTheFirstInstanceMissingOnesEmpty) {
  const T2DimStrArray grid = {{L"Instance", L"Product", L"Manufacturer"}, {L"1", L"X99", L"Maker"}, {L"2", L"Y", L"Z"}};
  EXPECT_EQ(RecordFromTable(grid, kBoardFields), (Board{L"Maker", L"X99", L""}));
  EXPECT_EQ(RecordFromTable(T2DimStrArray{{L"Instance", L"Product"}}, kBoardFields), Board{});
  EXPECT_EQ(RecordFromTable(grid, kBoardFields, 2), (Board{L"Z", L"Y", L""}));
  EXPECT_EQ(RecordFromTable(grid, kBoardFields, 3), Board{});
}

TEST(RecordFromObject, EachBoundMemberAskedByItsPropertyName) {
  std::vector<std::wstring_view> asked;
  const Board board = RecordFromObject(kBoardFields, [&](std::wstring_view name) {
    asked.push_back(name);
    return L"<" + std::wstring(name) + L">";
  });
  EXPECT_EQ(board, (Board{L"<Manufacturer>", L"<Product>", L"<SerialNumber>"}));
  EXPECT_EQ(asked.size(), 3u);
}

}  // namespace
}  // namespace corvane::platform
