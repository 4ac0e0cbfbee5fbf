// Runs against the real registry of the Wine test prefix. Every test seeds
// its own keys below Software\CorvaneTest and removes them afterwards.
#include "platform/registry_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sddl.h>
#include <shlwapi.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace corvane::platform {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing::UnorderedElementsAre;
using testing::UnorderedElementsAreArray;

constexpr wchar_t kTestRoot[] = L"Software\\CorvaneTest";
constexpr wchar_t kValues[] = L"Software\\CorvaneTest\\Values";
constexpr wchar_t kTree[] = L"Software\\CorvaneTest\\Tree";

using Bytes = std::vector<std::byte>;

Bytes Raw(std::initializer_list<int> values) {
  Bytes out;
  for (int v : values) out.push_back(static_cast<std::byte>(v));
  return out;
}

// The UTF-16 bytes of `text` exactly as given: embedded and final zeros are
// part of the view, nothing is added.
Bytes Utf16(std::wstring_view text) {
  Bytes out(text.size() * sizeof(wchar_t));
  std::memcpy(out.data(), text.data(), out.size());
  return out;
}

constexpr std::size_t kLongTextChars = 700;
const std::wstring kLongText = std::wstring(kLongTextChars, L'x') + L'\0';

Bytes Le(unsigned long long value, size_t width) {
  Bytes out(width);
  for (size_t i = 0; i < width; ++i) out[i] = static_cast<std::byte>(value >> (8 * i));
  return out;
}

using namespace std::string_view_literals;

struct Seed {
  const wchar_t* name;
  DWORD type;
  Bytes data;
};

const std::vector<Seed>& Seeds() {
  static const std::vector<Seed> seeds = {
      {L"", REG_SZ, Utf16(L"default\0"sv)},
      {L"Text", REG_SZ, Utf16(L"Gr\u00fc\u00dfe \u6e29\u5ea6\0"sv)},
      {L"Expand", REG_EXPAND_SZ, Utf16(L"%SystemRoot%\\x\0"sv)},
      {L"Empty", REG_SZ, Utf16(L"\0"sv)},
      {L"NoData", REG_SZ, {}},
      {L"Unterminated", REG_SZ, Utf16(L"abc"sv)},
      {L"OddBytes", REG_SZ, Raw({'a', 0, 'b', 0, 'c'})},
      {L"TwoStrings", REG_SZ, Utf16(L"ab\0cd\0"sv)},
      {L"Dword", REG_DWORD, Le(0xDEADBEEF, 4)},
      {L"ShortDword", REG_DWORD, Raw({1, 2})},
      {L"Binary", REG_BINARY, Raw({0x01, 0x00, 0xFF, 0x7F})},
      {L"EmptyBinary", REG_BINARY, {}},
      {L"Multi", REG_MULTI_SZ, Utf16(L"one\0two\0\0"sv)},
      {L"Qword", REG_QWORD, Le(0x0123456789ABCDEFull, 8)},
      {L"Big", REG_BINARY, Bytes(300, std::byte{0x5A})},
      {L"LongText", REG_SZ, Utf16(kLongText)},
  };
  return seeds;
}

void Put(HKEY key, const wchar_t* name, DWORD type, const Bytes& data) {
  // The system stores a string one character longer when the character just
  // past the data given is a zero: whatever the heap held there would decide
  // the stored size. Non-zero bytes follow the data, so the size is the one given.
  Bytes padded = data;
  padded.resize(data.size() + 4, std::byte{'X'});
  ASSERT_EQ(::RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(padded.data()),
                             static_cast<DWORD>(data.size())),
            ERROR_SUCCESS)
      << "seeding value";
}

UniqueKey CreateRaw(HKEY root, const std::wstring& path) {
  UniqueKey key;
  EXPECT_EQ(::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key.put(), nullptr),
            ERROR_SUCCESS)
      << "creating key";
  return key;
}

bool KeyExists(HKEY root, const std::wstring& path) {
  UniqueKey key;
  return ::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

class RegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    ::SHDeleteKeyW(HKEY_CURRENT_USER, kTestRoot);
    UniqueKey values = CreateRaw(HKEY_CURRENT_USER, kValues);
    for (const auto& s : Seeds()) Put(values.get(), s.name, s.type, s.data);
    // Tree\A\B\C and Tree\A\D with a value or two, plus a sibling to keep.
    for (const wchar_t* sub : {L"\\A\\B\\C", L"\\A\\D", L"\\Keep"}) {
      UniqueKey key = CreateRaw(HKEY_CURRENT_USER, std::wstring(kTree) + sub);
      Put(key.get(), L"v", REG_SZ, Utf16(L"x\0"sv));
    }
  }
  void TearDown() override { ::SHDeleteKeyW(HKEY_CURRENT_USER, kTestRoot); }

  static Registry OpenValues() {
    Registry reg;
    EXPECT_TRUE(reg.OpenKey(kValues, false));
    return reg;
  }
};

TEST_F(RegistryTest, StringsReadUpToTheirFirstZeroAndUnexpanded) {
  const struct {
    const wchar_t* name;
    std::wstring expected;
  } cases[] = {
      {L"", L"default"},
      {L"Text", L"Gr\u00fc\u00dfe \u6e29\u5ea6"},
      {L"Expand", L"%SystemRoot%\\x"},
      {L"Empty", L""},
      {L"NoData", L""},
      {L"Unterminated", L"abc"},
      {L"OddBytes", L"ab"},  // a lone trailing byte is no character
      {L"TwoStrings", L"ab"},
      {L"LongText", std::wstring(kLongTextChars, L'x')},  // more than one read's buffer
      {L"Missing", L""},
  };
  Registry reg = OpenValues();
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
    EXPECT_EQ(reg.ReadString(c.name), c.expected);
  }
}

TEST_F(RegistryTest, TypesAndSizesAreReportedAsStored) {
  Registry reg = OpenValues();
  for (const auto& s : Seeds()) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(s.name)));
    EXPECT_TRUE(reg.ValueExists(s.name));
    EXPECT_EQ(reg.DataType(s.name), s.type);
    // Also proves the odd seeds (no final zero, odd length) really are stored that way.
    EXPECT_EQ(reg.DataSize(s.name), static_cast<long>(s.data.size()));
  }
  EXPECT_FALSE(reg.ValueExists(L"Missing"));
  EXPECT_EQ(reg.DataType(L"Missing"), static_cast<DWORD>(REG_NONE));
  EXPECT_EQ(reg.DataSize(L"Missing"), -1);
}

TEST_F(RegistryTest, ReadsAnInteger) {
  EXPECT_EQ(OpenValues().ReadInteger(L"Dword"), 0xDEADBEEFu);
}

TEST_F(RegistryTest, IntegerReadOfMissingOrOtherValuesThrows) {
  const struct {
    const wchar_t* name;
    LONG code;
  } cases[] = {
      {L"Missing", ERROR_FILE_NOT_FOUND},  {L"Text", ERROR_UNSUPPORTED_TYPE},
      {L"Binary", ERROR_UNSUPPORTED_TYPE}, {L"Qword", ERROR_UNSUPPORTED_TYPE},
      {L"ShortDword", ERROR_INVALID_DATA},
  };
  Registry reg = OpenValues();
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.name)));
    try {
      reg.ReadInteger(c.name);
      ADD_FAILURE() << "no exception";
    } catch (const RegistryError& e) {
      EXPECT_EQ(e.code(), c.code);
      EXPECT_EQ(e.value_name(), c.name);
      EXPECT_THAT(e.what(), testing::HasSubstr("CorvaneTest\\Values"));
    }
  }
}

TEST_F(RegistryTest, ReadOfTheWrongTypeThrows) {
  Registry reg = OpenValues();
  for (const wchar_t* name : {L"Dword", L"Binary", L"Multi", L"Qword"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
    EXPECT_THROW(reg.ReadString(name), RegistryError);
  }
  // Strings and dwords have typed reads; reading them as raw bytes is a mistake.
  for (const wchar_t* name : {L"Text", L"Expand", L"Dword"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
    std::byte buf[64];
    EXPECT_THROW(reg.ReadBinary(name, buf, sizeof buf), RegistryError);
    EXPECT_THROW(reg.ReadBinary(name), RegistryError);
  }
}

TEST_F(RegistryTest, BinaryReadsReturnTheRawBytes) {
  Registry reg = OpenValues();
  for (const wchar_t* name : {L"Binary", L"EmptyBinary", L"Multi", L"Qword", L"Big"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(name)));
    const auto& seed = *std::find_if(Seeds().begin(), Seeds().end(),
                                     [&](const Seed& s) { return std::wstring_view(s.name) == name; });
    EXPECT_EQ(reg.ReadBinary(name), seed.data);
    Bytes buf(512);
    ASSERT_EQ(reg.ReadBinary(name, buf.data(), buf.size()), seed.data.size());
    buf.resize(seed.data.size());
    EXPECT_EQ(buf, seed.data);
  }
  std::byte one;
  EXPECT_EQ(reg.ReadBinary(L"Missing", &one, 1), 0u);
  EXPECT_THAT(reg.ReadBinary(L"Missing"), IsEmpty());
}

TEST_F(RegistryTest, BinaryLongerThanTheBufferThrowsAndLeavesItAlone) {
  Registry reg = OpenValues();
  Bytes buf(299, std::byte{0xAA});
  try {
    reg.ReadBinary(L"Big", buf.data(), buf.size());
    ADD_FAILURE() << "no exception";
  } catch (const RegistryError& e) {
    EXPECT_EQ(e.code(), ERROR_MORE_DATA);
  }
  EXPECT_EQ(buf, Bytes(299, std::byte{0xAA}));
  buf.resize(300);
  EXPECT_EQ(reg.ReadBinary(L"Big", buf.data(), buf.size()), 300u);  // an exact fit is fine
}

TEST_F(RegistryTest, MissingKeyReadsAsEmpty) {
  Registry reg = OpenValues();
  // A failed open closes what was open before it.
  EXPECT_FALSE(reg.OpenKey(L"Software\\CorvaneTest\\Missing", false));
  EXPECT_FALSE(reg.IsOpen());
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, L"Software\\CorvaneTest\\Missing"));
  EXPECT_FALSE(reg.OpenKeyReadOnly(L"Software\\CorvaneTest\\Missing"));

  EXPECT_EQ(reg.ReadString(L"Text"), L"");
  EXPECT_FALSE(reg.ValueExists(L"Text"));
  EXPECT_EQ(reg.DataSize(L"Text"), -1);
  std::byte buf[8];
  EXPECT_EQ(reg.ReadBinary(L"Binary", buf, sizeof buf), 0u);
  EXPECT_THAT(reg.SubkeyNames(), IsEmpty());
  EXPECT_THAT(reg.ValueNames(), IsEmpty());
  EXPECT_THROW(reg.ReadInteger(L"Dword"), RegistryError);

  Registry reopened = OpenValues();
  reopened.SetRoot(HKEY_LOCAL_MACHINE);  // a new root drops the key of the old one
  EXPECT_FALSE(reopened.IsOpen());
}

TEST_F(RegistryTest, LeadingBackslashNamesTheSamePath) {
  Registry reg;
  ASSERT_TRUE(reg.OpenKey(L"\\Software\\CorvaneTest\\Values", false));
  EXPECT_EQ(reg.ReadString(L"Empty"), L"");
  EXPECT_EQ(reg.ReadInteger(L"Dword"), 0xDEADBEEFu);
  ASSERT_TRUE(reg.OpenKeyReadOnly(L"\\Software\\CorvaneTest\\Values"));
  EXPECT_EQ(reg.ReadString(L""), L"default");
  ASSERT_TRUE(reg.OpenKey(L"\\Software\\CorvaneTest\\Created", true));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"Software\\CorvaneTest\\Created"));
}

TEST_F(RegistryTest, OpenWithCreateMakesMissingKeysAndKeepsExistingOnes) {
  Registry reg;
  ASSERT_TRUE(reg.OpenKey(L"Software\\CorvaneTest\\New\\Deeper", true));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, L"Software\\CorvaneTest\\New\\Deeper"));
  EXPECT_THAT(reg.ValueNames(), IsEmpty());

  ASSERT_TRUE(reg.OpenKey(kValues, true));
  EXPECT_EQ(reg.ReadInteger(L"Dword"), 0xDEADBEEFu);
}

TEST_F(RegistryTest, ListsSubkeyAndValueNames) {
  Registry reg;
  ASSERT_TRUE(reg.OpenKeyReadOnly(kTree));
  EXPECT_THAT(reg.SubkeyNames(), UnorderedElementsAre(L"A", L"Keep"));
  EXPECT_THAT(reg.ValueNames(), IsEmpty());
  ASSERT_TRUE(reg.OpenKeyReadOnly(std::wstring(kTree) + L"\\A"));
  EXPECT_THAT(reg.SubkeyNames(), UnorderedElementsAre(L"B", L"D"));

  ASSERT_TRUE(reg.OpenKeyReadOnly(kValues));
  std::vector<std::wstring> expected;
  for (const auto& s : Seeds()) expected.emplace_back(s.name);
  EXPECT_THAT(reg.ValueNames(), UnorderedElementsAreArray(expected));
  EXPECT_THAT(reg.SubkeyNames(), IsEmpty());
}

TEST_F(RegistryTest, DeleteKeyRemovesTheWholeSubtreeBelowTheOpenKey) {
  Registry reg;
  ASSERT_TRUE(reg.OpenKey(kTree, false));
  EXPECT_TRUE(reg.DeleteKey(L"A"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::wstring(kTree) + L"\\A"));
  EXPECT_THAT(reg.SubkeyNames(), ElementsAre(L"Keep"));
  EXPECT_FALSE(reg.DeleteKey(L"A"));  // already gone

  // An empty path would name the open key itself: refused, nothing deleted.
  EXPECT_FALSE(reg.DeleteKey(L""));
  EXPECT_FALSE(reg.DeleteKey(L"\\"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kTree));
  EXPECT_THAT(reg.SubkeyNames(), ElementsAre(L"Keep"));
}

TEST_F(RegistryTest, DeleteKeyWithNoKeyOpenWorksBelowTheRoot) {
  Registry reg;
  EXPECT_TRUE(reg.DeleteKey(L"\\Software\\CorvaneTest\\Tree\\A\\B"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::wstring(kTree) + L"\\A\\B"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, std::wstring(kTree) + L"\\A\\D"));
  EXPECT_TRUE(reg.DeleteKey(L"Software\\CorvaneTest\\Tree"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kTree));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kValues));
}

// A key whose ACL grants only some read rights: the full-rights open is
// refused and the read-only open falls back to what is granted.
TEST_F(RegistryTest, ReadOnlyOpenFallsBackToNarrowerRights) {
  const struct {
    const wchar_t* sddl;
    bool readable;
  } cases[] = {
      {L"D:P(A;;0x30009;;;WD)", true},  // READ_CONTROL|QUERY|ENUMERATE (+DELETE for clean-up)
      {L"D:P(A;;0x10001;;;WD)", true},  // KEY_QUERY_VALUE (+DELETE)
      {L"D:P(A;;0x10000;;;WD)", false},  // DELETE only
  };
  const std::wstring path = std::wstring(kTestRoot) + L"\\Restricted";
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.sddl)));
    {
      UniqueKey key = CreateRaw(HKEY_CURRENT_USER, path);
      Put(key.get(), L"v", REG_SZ, Utf16(L"seen\0"sv));
      PSECURITY_DESCRIPTOR sd = nullptr;
      ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorW(c.sddl, SDDL_REVISION_1,
                                                                        &sd, nullptr));
      const LONG rc = ::RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, sd);
      ::LocalFree(sd);
      ASSERT_EQ(rc, ERROR_SUCCESS);
    }
    Registry reg;
    EXPECT_FALSE(reg.OpenKey(path, false));
    EXPECT_EQ(reg.OpenKeyReadOnly(path), c.readable);
    EXPECT_EQ(reg.ReadString(L"v"), c.readable ? L"seen" : L"");
    reg.CloseKey();
    ASSERT_EQ(::RegDeleteKeyW(HKEY_CURRENT_USER, path.c_str()), ERROR_SUCCESS);
  }
}

TEST_F(RegistryTest, ReadsAValueThatIsRewrittenMeanwhile) {
  const std::wstring shorter = L"x";
  const std::wstring longer(3000, L'y');
  std::atomic<bool> stop{false};
  std::thread writer([&] {
    UniqueKey key = CreateRaw(HKEY_CURRENT_USER, kValues);
    for (bool flip = false; !stop; flip = !flip) {
      const std::wstring& s = flip ? longer : shorter;
      ::RegSetValueExW(key.get(), L"Moving", 0, REG_SZ, reinterpret_cast<const BYTE*>(s.c_str()),
                       static_cast<DWORD>((s.size() + 1) * sizeof(wchar_t)));
    }
  });
  Registry reg = OpenValues();
  int wrong = 0;
  for (int i = 0; i < 2000; ++i) {
    try {
      const std::wstring got = reg.ReadString(L"Moving");
      if (!got.empty() && got != shorter && got != longer) ++wrong;
    } catch (const RegistryError&) {
      ++wrong;
    }
  }
  stop = true;
  writer.join();
  EXPECT_EQ(wrong, 0);
}

TEST(RegistryHklm, FullAccessOpensAndCreatesUnderLocalMachine) {
  Registry reg;
  reg.SetRoot(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKey(L"Software\\CorvaneTest\\Machine", true));
  {
    UniqueKey key = CreateRaw(HKEY_LOCAL_MACHINE, L"Software\\CorvaneTest\\Machine");
    Put(key.get(), L"n", REG_DWORD, Le(7, 4));
  }
  EXPECT_EQ(reg.ReadInteger(L"n"), 7u);
  reg.CloseKey();
  EXPECT_TRUE(reg.DeleteKey(L"Software\\CorvaneTest"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, L"Software\\CorvaneTest"));
}

// On 64-bit Windows each view of the machine's software key is a key of its
// own; an accessor given a view's flag reads and deletes there alone, the
// keys below the one it opened or deletes included.
class RegistryViews : public testing::Test {
 protected:
  static constexpr wchar_t kBase[] = L"Software\\CorvaneTest\\Views";
  void SetUp() override {
    if (SystemSoftwareViews().size() < 2) GTEST_SKIP() << "32-bit Windows has one view";
    TearDown();
  }
  void TearDown() override {
    for (REGSAM view : {REGSAM{KEY_WOW64_64KEY}, REGSAM{KEY_WOW64_32KEY}}) {
      for (const wchar_t* path : {L"Software\\CorvaneTest\\Views\\Twin\\Sub", L"Software\\CorvaneTest\\Views\\Twin",
                                  kBase, L"Software\\CorvaneTest"}) {
        ::RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path, view, 0);
      }
    }
  }
  static void Seed(REGSAM view, const wchar_t* text) {
    UniqueKey key;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, (std::wstring(kBase) + L"\\Twin\\Sub").c_str(), 0, nullptr, 0,
                                KEY_ALL_ACCESS | view, nullptr, key.put(), nullptr),
              ERROR_SUCCESS);
    Put(key.get(), L"v", REG_SZ, Utf16(std::wstring(text) + L'\0'));
  }
  static bool ExistsIn(REGSAM view, const std::wstring& path) {
    UniqueKey key;
    return ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, key.put()) == ERROR_SUCCESS;
  }
};

TEST_F(RegistryViews, ReadOnlyOpensAndDeletionStayInTheViewAsked) {
  Seed(KEY_WOW64_64KEY, L"sixty-four");
  Seed(KEY_WOW64_32KEY, L"thirty-two");
  for (const auto& [view, text] : {std::pair{REGSAM{KEY_WOW64_64KEY}, L"sixty-four"},
                                   std::pair{REGSAM{KEY_WOW64_32KEY}, L"thirty-two"}}) {
    Registry reg(KEY_READ | view);
    reg.SetRoot(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKeyReadOnly(std::wstring(kBase) + L"\\Twin\\Sub"));
    EXPECT_EQ(reg.ReadString(L"v"), text);
  }

  Registry reg(KEY_READ | KEY_WOW64_32KEY);
  reg.SetRoot(HKEY_LOCAL_MACHINE);
  ASSERT_TRUE(reg.OpenKeyReadOnly(kBase));
  EXPECT_TRUE(reg.DeleteKey(L"Twin"));
  const std::wstring twin = std::wstring(kBase) + L"\\Twin";
  EXPECT_FALSE(ExistsIn(KEY_WOW64_32KEY, twin));
  EXPECT_TRUE(ExistsIn(KEY_WOW64_64KEY, twin + L"\\Sub")) << "the 64-bit twin is another installation's";
  EXPECT_FALSE(reg.DeleteKey(L"Twin")) << "gone from this view, whatever the other holds";
}

TEST_F(RegistryTest, OneLineStringReadGivesEmptyOnAnyFailure) {
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kValues, L"Text"), L"Gr\u00fc\u00dfe \u6e29\u5ea6");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, L"\\Software\\CorvaneTest\\Values", L""), L"default");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kValues, L"Dword"), L"");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kValues, L"Missing"), L"");
  EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, L"Software\\CorvaneTest\\Missing", L"Text"), L"");
}

}  // namespace
}  // namespace corvane::platform
