// The display readings against the registry of the Wine test prefix: the
// class driver search in both class layouts over keys seeded below a
// test-only path, the hardware information route through the real device
// map entry (seeded, and put back afterwards), and what Wine's own screen
// and adapters give.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "memory_display_time/display_readers_win.h"
#include "memory_display_time/display_registry.h"
#include "memory_display_time/display_registry_win.h"
#include "memory_display_time/display_view.h"
#include "platform/os_version_win.h"
#include "platform/registry_win.h"
#include "platform/seeded_value_win.h"

namespace corvane::memory_display_time {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using namespace std::string_view_literals;

constexpr wchar_t kTestRoot[] = L"Software\\CorvaneDisplayTest";

std::vector<BYTE> Utf16(std::wstring_view text) {
  std::vector<BYTE> bytes(text.size() * sizeof(wchar_t));
  std::memcpy(bytes.data(), text.data(), bytes.size());
  return bytes;
}

// Keys and values below the test root, all removed again when the fixture ends.
class SeededDisplayKeys : public testing::Test {
 protected:
  void SetUp() override { RemoveAll(); }
  void TearDown() override { RemoveAll(); }

  static std::wstring Path(std::wstring_view below) { return std::wstring(kTestRoot) + L"\\" + std::wstring(below); }

  void Put(std::wstring_view below, const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, Path(below).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (name) {
      EXPECT_EQ(RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
    }
    RegCloseKey(key);
  }
  void PutText(std::wstring_view below, const wchar_t* name, std::wstring_view text) {
    Put(below, name, REG_SZ, Utf16(std::wstring(text) + L'\0'));
  }

 private:
  static void RemoveAll() {
    platform::Registry registry;
    registry.SetRoot(HKEY_LOCAL_MACHINE);
    registry.DeleteKey(kTestRoot);
  }
};

TEST_F(SeededDisplayKeys, NtSearchFindsTheClassKeyByItsClassValueIgnoringCase) {
  PutText(L"Nt\\{net}", L"Class", L"Net");
  PutText(L"Nt\\{net}\\0000", L"DriverDesc", L"Network card");
  Put(L"Nt\\{no class}\\0000", nullptr, 0, {});
  PutText(L"Nt\\{wine display}", L"Class", L"dISPLAY");
  PutText(L"Nt\\{wine display}\\0000", L"DriverDesc", L"Wine GPU");
  PutText(L"Nt\\{wine display}\\0001", L"DriverDesc", L"WINE GPU");
  PutText(L"Nt\\{wine display}\\0002", L"DriverDesc", L"Second GPU");
  Put(L"Nt\\{wine display}\\0003", L"DriverDesc", REG_DWORD, {1, 0, 0, 0});  // not text: skipped
  Put(L"Nt\\{wine display}\\Properties", nullptr, 0, {});
  PutText(L"Nt\\{zz display}", L"Class", L"Display");  // a later class key is not used
  PutText(L"Nt\\{zz display}\\0000", L"DriverDesc", L"Not this one");

  MachineKeyReader registry;
  const ClassDrivers found = SearchClassDrivers(registry, Path(L"Nt"), kDisplayClass, kDriverDescValue, true);
  EXPECT_EQ(found.key_name, L"{wine display}");
  EXPECT_THAT(found.values, ElementsAre(L"Wine GPU", L"Second GPU"));
}

TEST_F(SeededDisplayKeys, NonNtSearchFollowsTheLinkInUpperCase) {
  PutText(L"NonNt\\0000", L"Class", L"Net");
  PutText(L"NonNt\\0001", L"Class", L"display");
  PutText(L"NonNt\\0001", L"Link", L"displink");
  PutText(L"NonNt\\DISPLINK\\0000", L"DriverDesc", L"S3 Trio64");
  PutText(L"NonNt\\DISPLINK\\0001", L"DriverDesc", L"s3 trio64");
  PutText(L"NonNt\\DISPLINK\\0002", L"DriverDesc", L"Standard VGA");

  MachineKeyReader registry;
  const ClassDrivers found = SearchClassDrivers(registry, Path(L"NonNt"), kDisplayClass, kDriverDescValue, false);
  EXPECT_EQ(found.key_name, L"DISPLINK");
  EXPECT_THAT(found.values, ElementsAre(L"S3 Trio64", L"Standard VGA"));

  // The same tree read as the NT layout names the subkey itself, which holds no drivers.
  const ClassDrivers as_nt = SearchClassDrivers(registry, Path(L"NonNt"), kDisplayClass, kDriverDescValue, true);
  EXPECT_EQ(as_nt.key_name, L"0001");
  EXPECT_THAT(as_nt.values, IsEmpty());

  // A link to a key that does not open ends the search with nothing.
  PutText(L"NonNt\\0001", L"Link", L"Gone");
  const ClassDrivers dangling = SearchClassDrivers(registry, Path(L"NonNt"), kDisplayClass, kDriverDescValue, false);
  EXPECT_EQ(dangling.key_name, L"");
  EXPECT_THAT(dangling.values, IsEmpty());
}

TEST_F(SeededDisplayKeys, InfoKeysOfTheClassKeyGiveTheLists) {
  PutText(L"Nt\\{display}\\0000\\INFO", L"ChipType", L"S3 Trio");
  PutText(L"Nt\\{display}\\0000\\INFO", L"Revision", L"2");
  PutText(L"Nt\\{display}\\0000\\INFO", L"DACType", L"8 bit");
  Put(L"Nt\\{display}\\0000\\INFO", L"VideoMemory", REG_DWORD, {0x00, 0x00, 0x40, 0x00});
  MachineKeyReader registry;
  const VideoLists lists = ReadVideoLists(registry, Path(L"Nt"), L"{display}");
  EXPECT_THAT(lists.chips, ElementsAre(L"S3 Trio Rev 2"));
  EXPECT_THAT(lists.dacs, ElementsAre(L"8 bit"));
  EXPECT_THAT(lists.memories, ElementsAre(L"4194304"));
}

TEST_F(SeededDisplayKeys, HardwareInformationOfTheFirstVideoDevice) {
  Put(L"Video\\0000", L"HardwareInformation.ChipType", REG_BINARY, Utf16(L"ABC\0"sv));
  Put(L"Video\\0000", L"HardwareInformation.DacType", REG_BINARY, Utf16(L"Integrated RAMDAC\0"sv));
  Put(L"Video\\0000", L"HardwareInformation.MemorySize", REG_BINARY, {0x00, 0x00, 0x00, 0x08});
  Put(L"Nt\\{display}\\0000", nullptr, 0, {});  // a class key without INFO keys
  const test_support::SeededValue entry(L"HARDWARE\\DEVICEMAP\\VIDEO", L"\\Device\\Video0", REG_SZ,
                                        Utf16(L"\\Registry\\Machine\\" + Path(L"Video\\0000") + L'\0'));

  MachineKeyReader registry;
  const VideoLists lists = ReadVideoLists(registry, Path(L"Nt"), L"{display}");
  EXPECT_THAT(lists.chips, ElementsAre(L"ABC"));
  EXPECT_THAT(lists.dacs, ElementsAre(L"Integrated RAMDAC"));
  EXPECT_THAT(lists.memories, ElementsAre(L"134217728"));

  DisplayReading reading;
  reading.adapters = {{L"\\\\.\\DISPLAY1", L"Wine Adapter", 0x5, std::nullopt}};
  reading.video = lists;
  const DisplayWindowModel model = BuildDisplayModel(reading);
  EXPECT_EQ(model.chipset, L"ABC");
  EXPECT_EQ(model.memory, L"134217728 bytes");
}

TEST(DisplayReadersWin, WineGivesItsAdaptersAndScreen) {
  const DisplayRefreshReading refresh = ReadDisplay(nullptr);
  EXPECT_FALSE(refresh.adapter_failure) << *refresh.adapter_failure;
  const DisplayReading& r = refresh.reading;
  ASSERT_FALSE(r.adapters.empty());
  EXPECT_TRUE(r.adapters[0].device_name.starts_with(L"\\\\.\\DISPLAY")) << r.adapters[0].device_name;
  EXPECT_FALSE(r.adapters[0].device_string.empty());
  EXPECT_EQ(r.caps.technology, DT_RASDISPLAY);
  EXPECT_GT(r.caps.width, 0);
  EXPECT_GT(r.caps.height, 0);
  EXPECT_GT(r.caps.bits_per_pixel, 0);
  EXPECT_GE(r.monitor_count, 1);
  // Wine reports an NT version past 5, whose classes are not where the NT
  // family keeps them: no class key, so no INFO keys, and the lists come
  // from the hardware information of Wine's video device (which has no
  // memory size).
  const auto version = platform::ReadVersionRecord();
  ASSERT_TRUE(version);
  EXPECT_TRUE(r.nt_platform);
  EXPECT_FALSE(IsNtFamily(version->platform, version->major)) << version->major;
  EXPECT_THAT(r.video.chips, ElementsAre(L"Wine Adapter"));
  EXPECT_THAT(r.video.dacs, ElementsAre(L"Intergrated RAMDAC"));  // spelt so by Wine
}

}  // namespace
}  // namespace corvane::memory_display_time
