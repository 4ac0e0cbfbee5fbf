// The BIOS rows against the hardware description key of the Wine test
// prefix, with the values seeded for each case and put back afterwards: a
// fresh prefix holds the identifier only.
#include "inventory/bios_info_readers_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/seeded_value_win.h"

namespace corvane::inventory {
namespace {

using namespace std::string_view_literals;
using test_support::SeededValue;

SeededValue::Bytes Utf16(std::wstring_view text) {
  const auto* p = reinterpret_cast<const BYTE*>(text.data());
  return SeededValue::Bytes(p, p + text.size() * sizeof(wchar_t));
}

struct Seed {
  const wchar_t* name;
  DWORD type;
  std::wstring_view data;  // terminators written out
};

struct BiosCase {
  const char* name;
  std::vector<Seed> seeds;
  BiosInfoModel expected;           // from a model that held "old" in every row
  std::optional<std::string> error;  // the failure that ends the refresh
};
void PrintTo(const BiosCase& c, std::ostream* os) { *os << c.name; }

// The string values every case seeds, so the prefix's own make no difference.
const std::vector<Seed> kStrings = {
    {L"Identifier", REG_SZ, L"AT/AT COMPATIBLE\0"sv},
    {L"SystemBiosDate", REG_SZ, L"06/12/09\0"sv},
    {L"VideoBiosDate", REG_SZ, L"01/02/99\0"sv},
};

std::vector<Seed> With(std::vector<Seed> more) {
  std::vector<Seed> seeds = kStrings;
  seeds.insert(seeds.end(), more.begin(), more.end());
  return seeds;
}

const BiosCase kCases[] = {
    {"BothVersionsAreMultiStrings",
     With({{L"SystemBiosVersion", REG_MULTI_SZ, L"ACRSYS - 1\0BIOS Date: 06/12/09\0\0"sv},
           {L"VideoBiosVersion", REG_MULTI_SZ, L"Wine VGA\0\0"sv}}),
     {L"AT/AT COMPATIBLE", L"06/12/09", L"ACRSYS - 1|BIOS Date: 06/12/09|", L"01/02/99", L"Wine VGA|"},
     std::nullopt},
    {"SystemVersionAsAPlainString",
     With({{L"SystemBiosVersion", REG_SZ, L"ACRSYS - 1\0"sv},
           {L"VideoBiosVersion", REG_MULTI_SZ, L"Wine VGA\0\0"sv}}),
     {L"AT/AT COMPATIBLE", L"06/12/09", L"old", L"01/02/99", L"old"},
     "Wrong data type"},
    {"NoVideoVersion",
     With({{L"SystemBiosVersion", REG_MULTI_SZ, L"ACRSYS - 1\0BIOS Date: 06/12/09\0\0"sv}}),
     {L"AT/AT COMPATIBLE", L"06/12/09", L"ACRSYS - 1|BIOS Date: 06/12/09|", L"01/02/99", L"old"},
     "Wrong data type"},
    {"StringsOfAnotherTypeReadEmpty",
     {{L"Identifier", REG_DWORD, L"\x0001\x0000"sv},
      {L"SystemBiosDate", REG_BINARY, L"06/12/09\0"sv},
      {L"VideoBiosDate", REG_MULTI_SZ, L"01/02/99\0\0"sv},
      {L"SystemBiosVersion", REG_MULTI_SZ, L"\0"sv},
      {L"VideoBiosVersion", REG_MULTI_SZ, L"A\0B\0\0"sv}},
     {L"", L"", L"", L"", L"A|B|"},
     std::nullopt},
};

class BiosInfoReaders : public testing::TestWithParam<BiosCase> {};

TEST_P(BiosInfoReaders, FillTheRowsUpToTheFirstVersionThatCannotBeRead) {
  const BiosCase& c = GetParam();
  // The value a case does not seed must not be there at all.
  std::vector<std::unique_ptr<SeededValue>> seeded;
  for (const wchar_t* name : {L"SystemBiosVersion", L"VideoBiosVersion"}) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSystemDescriptionKey, 0, KEY_READ, &key), ERROR_SUCCESS);
    const bool present = RegQueryValueExW(key, name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    ASSERT_FALSE(present) << "the prefix has its own " << testing::PrintToString(std::wstring(name));
  }
  for (const Seed& seed : c.seeds) {
    seeded.push_back(std::make_unique<SeededValue>(kSystemDescriptionKey, seed.name, seed.type, Utf16(seed.data)));
  }

  BiosInfoModel model{L"old", L"old", L"old", L"old", L"old"};
  std::optional<std::string> error;
  try {
    ReadBiosInfo(model);
  } catch (const BiosInfoError& e) {
    error = e.what();
  }
  EXPECT_EQ(error, c.error);
  EXPECT_EQ(model, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Seeded, BiosInfoReaders, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BiosInfoReadersWin, AKeyThatDoesNotOpenIsTold) {
  try {
    ReadMultiString(L"HARDWARE\\DESCRIPTION\\NoSuchCorvaneKey", L"SystemBiosVersion");
    ADD_FAILURE() << "no failure";
  } catch (const BiosInfoError& e) {
    EXPECT_STREQ(e.what(), "Can't open key");
  }
}

}  // namespace
}  // namespace corvane::inventory
