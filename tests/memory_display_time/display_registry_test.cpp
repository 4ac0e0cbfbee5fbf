// The display window's registry routes on an in-memory registry: the class
// driver search in both class layouts, the INFO keys, the hardware
// information they fall back on, and the video BIOS.
#include "memory_display_time/display_registry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "memory_display_time/fake_key_reader.h"

namespace corvane::memory_display_time {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;
using testing_support::FakeKeyReader;
using testing_support::RawBytes;
using testing_support::Utf16Bytes;
using namespace std::string_view_literals;

constexpr wchar_t kNtRoot[] = L"SYSTEM\\CurrentControlSet\\Control\\Class";
constexpr wchar_t k9xRoot[] = L"SYSTEM\\CurrentControlSet\\Services\\Class";

TEST(DisplayRegistry, OnlyNtThreeToFiveTakeTheNtClassRoot) {
  const struct { std::uint32_t platform, major; bool nt_family; } cases[] = {
      {2, 3, true}, {2, 4, true}, {2, 5, true},
      {2, 6, false}, {2, 10, false}, {2, 2, false},  // later (and earlier) NT keep classes elsewhere
      {1, 4, false}, {0, 3, false}, {3, 5, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsNtFamily(c.platform, c.major), c.nt_family) << c.platform << "." << c.major;
  }
  EXPECT_EQ(ClassRoot(true), kNtRoot);
  EXPECT_EQ(ClassRoot(false), k9xRoot);
}

// An NT class root: a network class, the display class under a name that
// differs in case, and a second display class that must not be used.
FakeKeyReader NtClasses() {
  FakeKeyReader r;
  const std::wstring root = kNtRoot;
  r.String(root + L"\\{net}", L"Class", L"Net")
      .String(root + L"\\{net}\\0000", L"DriverDesc", L"Network card")
      .Key(root + L"\\{no class value}\\0000")
      .Integer(root + L"\\{integer class}", L"Class", 7)
      .String(root + L"\\{display}", L"Class", L"DISPLAY")
      .String(root + L"\\{display}\\0000", L"DriverDesc", L"Wine GPU")
      .String(root + L"\\{display}\\0001", L"DriverDesc", L"WINE gpu")  // the same ignoring case
      .String(root + L"\\{display}\\0002", L"DriverDesc", L"Second GPU")
      .Key(root + L"\\{display}\\Properties")                            // no value
      .Integer(root + L"\\{display}\\0003", L"DriverDesc", 1)            // unreadable as text
      .String(root + L"\\{display}\\0004", L"DriverDesc", L"Wine GPU")
      .String(root + L"\\{display 2}", L"Class", L"Display")
      .String(root + L"\\{display 2}\\0000", L"DriverDesc", L"Not this one");
  return r;
}

TEST(DisplayRegistry, NtSearchNamesTheFirstClassKeyAndListsEachDriverOnce) {
  FakeKeyReader r = NtClasses();
  const ClassDrivers found = SearchClassDrivers(r, kNtRoot, kDisplayClass, kDriverDescValue, true);
  EXPECT_EQ(found.key_name, L"{display}");
  EXPECT_THAT(found.values, ElementsAre(L"Wine GPU", L"Second GPU"));
}

TEST(DisplayRegistry, NonNtSearchFollowsTheLinkInUpperCase) {
  FakeKeyReader r;
  const std::wstring root = k9xRoot;
  r.String(root + L"\\0000", L"Class", L"net")
      .String(root + L"\\0000", L"Link", L"net")
      .String(root + L"\\0001", L"Class", L"display")
      .String(root + L"\\0001", L"Link", L"dispLink")
      .String(root + L"\\DISPLINK\\0000", L"DriverDesc", L"S3 Trio64")
      .String(root + L"\\DISPLINK\\0001", L"DriverDesc", L"s3 trio64")
      .String(root + L"\\DISPLINK\\0002", L"DriverDesc", L"Standard VGA");
  const ClassDrivers found = SearchClassDrivers(r, root, kDisplayClass, kDriverDescValue, false);
  EXPECT_EQ(found.key_name, L"DISPLINK");
  EXPECT_THAT(found.values, ElementsAre(L"S3 Trio64", L"Standard VGA"));
}

TEST(DisplayRegistry, SearchEndsEmptyWhereThereIsNoClassKey) {
  const std::wstring root = k9xRoot;
  struct Case {
    const char* what;
    FakeKeyReader registry;
    bool nt_family;
  };
  std::vector<Case> cases;
  cases.push_back({"no class root", FakeKeyReader(), true});
  cases.push_back({"no display class", FakeKeyReader().String(root + L"\\0000", L"Class", L"Net"), true});
  cases.push_back({"link that does not open",
                   FakeKeyReader().String(root + L"\\0001", L"Class", L"Display").String(root + L"\\0001", L"Link",
                                                                                       L"Gone"),
                   false});
  // An empty link would name the root, whose subkeys are classes.
  cases.push_back({"empty link",
                   FakeKeyReader()
                       .String(root + L"\\0001", L"Class", L"Display")
                       .String(root + L"\\0001", L"Link", L"")
                       .String(root + L"\\0001\\0000", L"DriverDesc", L"Not a driver"),
                   false});
  // The NT layout asked of a tree whose display class exists only by link.
  cases.push_back({"no link in the non-NT layout", FakeKeyReader().String(root + L"\\0001", L"Class", L"Display"),
                   false});
  for (Case& c : cases) {
    const ClassDrivers found = SearchClassDrivers(c.registry, root, kDisplayClass, kDriverDescValue, c.nt_family);
    EXPECT_EQ(found.key_name, L"") << c.what;
    EXPECT_THAT(found.values, IsEmpty()) << c.what;
  }
}

// The class key of the INFO route, under the NT root.
constexpr wchar_t kClassKey[] = L"{display}";
std::wstring Driver(const wchar_t* driver) { return std::wstring(kNtRoot) + L"\\" + kClassKey + L"\\" + driver; }

// The device map entry and the key it names, holding the hardware information.
constexpr wchar_t kVideoKey[] = L"SYSTEM\\CurrentControlSet\\Control\\Video\\{guid}\\0000";
FakeKeyReader& WithHardwareInformation(FakeKeyReader& r) {
  return r.String(kVideoDeviceMap, L"\\Device\\Video0", std::wstring(L"\\Registry\\Machine\\") + kVideoKey)
      .Binary(kVideoKey, L"HardwareInformation.ChipType", Utf16Bytes(L"ABC\0"sv))
      .Binary(kVideoKey, L"HardwareInformation.DacType", Utf16Bytes(L"Integrated RAMDAC\0"sv))
      .Binary(kVideoKey, L"HardwareInformation.MemorySize", RawBytes({0x00, 0x00, 0x00, 0x08}));
}

TEST(DisplayRegistry, InfoKeysGiveTheListsAndTheHardwareInformationIsNotAsked) {
  FakeKeyReader r;
  r.String(Driver(L"0000\\INFO"), L"DACType", L"8 bit")
      .String(Driver(L"0000\\INFO"), L"ChipType", L"S3 Trio")
      .String(Driver(L"0000\\INFO"), L"Revision", L"2")
      .Integer(Driver(L"0000\\INFO"), L"VideoMemory", 4194304)
      .Key(Driver(L"0001"))  // no INFO key
      .String(Driver(L"0002\\INFO"), L"ChipType", L"Cirrus")
      .String(Driver(L"0002\\INFO"), L"VideoMemory", L"unreadable as an integer")
      .Integer(Driver(L"0003\\INFO"), L"ChipType", 5)  // unreadable as text
      .Integer(Driver(L"0003\\INFO"), L"VideoMemory", 0xFFFFFFFF);
  WithHardwareInformation(r);
  const VideoLists lists = ReadVideoLists(r, kNtRoot, kClassKey);
  EXPECT_THAT(lists.chips, ElementsAre(L"S3 Trio Rev 2", L"Cirrus"));
  EXPECT_THAT(lists.dacs, ElementsAre(L"8 bit"));
  EXPECT_THAT(lists.memories, ElementsAre(L"4194304", L"-1"));
}

TEST(DisplayRegistry, RevisionWithoutAChipYetChangesNothing) {
  FakeKeyReader r;
  r.String(Driver(L"0000\\INFO"), L"Revision", L"3").String(Driver(L"0001\\INFO"), L"ChipType", L"Later");
  EXPECT_THAT(ReadVideoLists(r, kNtRoot, kClassKey).chips, ElementsAre(L"Later"));
  // A revision applies to the last chip read, even one of an earlier key.
  r.String(Driver(L"0002\\INFO"), L"Revision", L"4");
  EXPECT_THAT(ReadVideoLists(r, kNtRoot, kClassKey).chips, ElementsAre(L"Later Rev 4"));
}

TEST(DisplayRegistry, WithoutInfoKeysTheHardwareInformationGivesOneEntryEach) {
  FakeKeyReader r;
  r.Key(Driver(L"0000"));
  WithHardwareInformation(r);
  const VideoLists expected{{L"ABC"}, {L"Integrated RAMDAC"}, {L"134217728"}};
  EXPECT_EQ(ReadVideoLists(r, kNtRoot, kClassKey), expected);
  // Without a class key the class root's own subkeys are not taken for drivers.
  r.String(std::wstring(kNtRoot) + L"\\{other}\\INFO", L"ChipType", L"Not a display");
  EXPECT_EQ(ReadVideoLists(r, kNtRoot, L""), expected);
}

TEST(DisplayRegistry, HardwareInformationRoute) {
  const auto route = [](FakeKeyReader& r) {
    VideoLists lists;
    ReadHardwareInformation(r, lists);
    return lists;
  };
  {
    SCOPED_TRACE("the entry written with its backslashes doubled");
    FakeKeyReader r;
    r.String(kVideoDeviceMap, L"\\\\Device\\\\Video0", std::wstring(L"\\REGISTRY\\MACHINE\\") + kVideoKey)
        .Binary(kVideoKey, L"HardwareInformation.ChipType", Utf16Bytes(L"XYZ\0junk"sv));
    EXPECT_THAT(route(r).chips, ElementsAre(L"XYZ"));
  }
  {
    SCOPED_TRACE("the usual spelling wins");
    FakeKeyReader r;
    r.String(kVideoDeviceMap, L"\\\\Device\\\\Video0", L"\\Registry\\Machine\\Nowhere");
    WithHardwareInformation(r);
    EXPECT_THAT(route(r).chips, ElementsAre(L"ABC"));
  }
  {
    SCOPED_TRACE("no device map, no entry, or an entry naming no key");
    FakeKeyReader none;
    EXPECT_EQ(route(none), VideoLists{});
    FakeKeyReader no_entry;
    no_entry.Key(kVideoDeviceMap);
    EXPECT_EQ(route(no_entry), VideoLists{});
    FakeKeyReader dangling;
    dangling.String(kVideoDeviceMap, L"\\Device\\Video0", L"\\Registry\\Machine\\Nowhere");
    EXPECT_EQ(route(dangling), VideoLists{});
  }
  {
    SCOPED_TRACE("values that cannot be read are skipped");
    FakeKeyReader r;
    r.String(kVideoDeviceMap, L"\\Device\\Video0", std::wstring(L"\\Registry\\Machine\\") + kVideoKey)
        .Binary(kVideoKey, L"HardwareInformation.ChipType", std::vector<std::byte>(256, std::byte{'A'}))  // too long
        .String(kVideoKey, L"HardwareInformation.DacType", L"a string, not binary")
        .Binary(kVideoKey, L"HardwareInformation.MemorySize", RawBytes({0x00, 0x00, 0x10}));  // short of 4 bytes
    EXPECT_EQ(route(r), VideoLists{});
    r.Binary(kVideoKey, L"HardwareInformation.ChipType", std::vector<std::byte>(255, std::byte{'A'}));
    EXPECT_THAT(route(r).chips, ElementsAre(std::wstring(255, L'A')));  // exactly the room fits
  }
}

TEST(DisplayRegistry, DeviceMapEntryNamesAKeyBelowTheMachine) {
  const std::wstring kPair{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};  // U+1F600 in UTF-16
  const struct { std::wstring entry, path; } cases[] = {
      {L"\\Registry\\Machine\\System\\CurrentControlSet\\Control\\Video\\{G}\\0000",
       L"System\\CurrentControlSet\\Control\\Video\\{G}\\0000"},
      {L"\\REGISTRY\\MACHINE\\System\\X", L"System\\X"},
      {L"\\Device\\Elsewhere\\X", L"\\Elsewhere\\X"},  // without "Machine\": from the eighth character on
      {L"short", L""},
      {L"\\Registry\\Machine\\" + std::wstring(300, L'k'), std::wstring(255, L'k')},
      // The 255th unit is the first half of a pair: the cut comes before it.
      {L"\\Registry\\Machine\\" + std::wstring(254, L'k') + kPair + L"tail", std::wstring(254, L'k')},
      {L"\\Registry\\Machine\\" + std::wstring(253, L'k') + kPair + L"tail", std::wstring(253, L'k') + kPair},
  };
  for (const auto& c : cases) EXPECT_EQ(DeviceMapKeyPath(c.entry), c.path) << c.entry.substr(0, 40);
}

TEST(DisplayRegistry, WideTextKeepsNonZeroBytesUpToTwoZeros) {
  const struct { std::vector<std::byte> bytes; std::wstring text; } cases[] = {
      {Utf16Bytes(L"ABC\0"sv), L"ABC"},
      {Utf16Bytes(L"ABC"sv), L"ABC"},                  // no terminator
      {Utf16Bytes(L"AB\0CD\0"sv), L"AB"},              // stops at the first zero word
      {RawBytes({'A', 0, 'B'}), L"AB"},                // odd length
      {RawBytes({0, 'A', 0, 0, 'B'}), L"A"},           // single zeros are skipped
      {RawBytes({0xE9, 0x00, 'x', 0x00}), L"\u00e9x"},  // Latin-1 as its bytes
      {{}, L""},
  };
  for (const auto& c : cases) EXPECT_EQ(WideText(c.bytes), c.text);
}

TEST(DisplayRegistry, MemorySizeIsSignedLittleEndian) {
  const struct { std::vector<std::byte> bytes; std::optional<std::int32_t> value; } cases[] = {
      {RawBytes({0x00, 0x00, 0x00, 0x08}), 134217728},
      {RawBytes({0x00, 0x00, 0x40, 0x00}), 4194304},
      {RawBytes({0xFF, 0xFF, 0xFF, 0xFF}), -1},
      {RawBytes({0x00, 0x00, 0x00, 0x80}), INT_MIN},
      {RawBytes({0x01, 0x00, 0x00, 0x00, 0x99}), 1},  // only the first four count
      {RawBytes({0x01, 0x00, 0x00}), std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(SignedLittleEndian32(c.bytes), c.value);
}

TEST(DisplayRegistry, VideoBiosIsTheFirstLineOfTheVersionAndTheDate) {
  const std::wstring key(kSystemDescription);
  FakeKeyReader r;
  r.Binary(key, L"VideoBiosVersion", Utf16Bytes(L"Wine VGA BIOS 1.0\0Copyright line\0\0"sv))
      .String(key, L"VideoBiosDate", L"01/02/99");
  EXPECT_EQ(ReadVideoBios(r), (VideoBios{L"Wine VGA BIOS 1.0", L"01/02/99"}));

  // The version has room for 151 characters: a longer one is skipped.
  r.Binary(key, L"VideoBiosVersion", Utf16Bytes(std::wstring(151, L'v')));
  EXPECT_EQ(ReadVideoBios(r).version, std::wstring(151, L'v'));
  r.Binary(key, L"VideoBiosVersion", Utf16Bytes(std::wstring(152, L'v')));
  EXPECT_EQ(ReadVideoBios(r), (VideoBios{L"", L"01/02/99"}));
  r.String(key, L"VideoBiosVersion", L"a plain string");  // not a multi-line value
  EXPECT_EQ(ReadVideoBios(r).version, L"");

  FakeKeyReader empty;
  EXPECT_EQ(ReadVideoBios(empty), VideoBios{});
}

TEST(DisplayRegistry, FirstLineStopsAtTheFirstZeroCharacter) {
  EXPECT_EQ(FirstLine(Utf16Bytes(L"one\0two\0\0"sv)), L"one");
  EXPECT_EQ(FirstLine(Utf16Bytes(L"\u0416\u0100x"sv)), L"\u0416\u0100x");  // zero bytes inside characters are no end
  EXPECT_EQ(FirstLine(RawBytes({'a', 0, 'b'})), L"a");                      // a stray odd byte is no character
  EXPECT_EQ(FirstLine({}), L"");
}

}  // namespace
}  // namespace corvane::memory_display_time
