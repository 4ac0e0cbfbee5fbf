// The startup window's places, in each registry view, and the rows made of
// what is found there.
#include "inventory/startup_entries.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::inventory {
namespace {

TEST(StandardStartupPlaces, MachineRunKeysInEachViewThenTheUsersOnceThenTheTwoFolders) {
  using enum RegistryRoot;
  using platform::kView32BitFlag;
  using platform::kView64BitFlag;
  const std::wstring base = L"Software\\Microsoft\\Windows\\CurrentVersion\\";
  // The two Ex labels differ in spacing, and are shown so. The user's keys
  // are one for 32-bit and 64-bit programs: read once, without a flag.
  const std::vector<StartupKey> user_keys{
      {L"Registry (HKCU) - Run", kCurrentUser, base + L"Run", 0},
      {L"Registry (HKCU) - Run Once", kCurrentUser, base + L"RunOnce", 0},
      {L"Registry (HKCU) - Run Once Ex", kCurrentUser, base + L"RunOnceEx", 0},
  };
  struct Case {
    bool program64, system64;
    std::vector<StartupKey> machine_keys;
  };
  const std::vector<StartupKey> both_views{
      {L"Registry (HKLM) - Run", kLocalMachine, base + L"Run", kView64BitFlag},
      {L"Registry (HKLM) - Run (32-bit)", kLocalMachine, base + L"Run", kView32BitFlag},
      {L"Registry (HKLM) - Run Once", kLocalMachine, base + L"RunOnce", kView64BitFlag},
      {L"Registry (HKLM) - Run Once (32-bit)", kLocalMachine, base + L"RunOnce", kView32BitFlag},
      {L"Registry (HKLM) - Run OnceEx", kLocalMachine, base + L"RunOnceEx", kView64BitFlag},
      {L"Registry (HKLM) - Run OnceEx (32-bit)", kLocalMachine, base + L"RunOnceEx", kView32BitFlag},
  };
  const Case cases[] = {
      {true, true, both_views},
      {false, true, both_views},  // a 32-bit program on 64-bit Windows reads what the 64-bit one does
      {false, false,
       {
           {L"Registry (HKLM) - Run", kLocalMachine, base + L"Run", 0},
           {L"Registry (HKLM) - Run Once", kLocalMachine, base + L"RunOnce", 0},
           {L"Registry (HKLM) - Run OnceEx", kLocalMachine, base + L"RunOnceEx", 0},
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "program64 " << c.program64 << ", system64 " << c.system64);
    const StartupPlaces places =
        StandardStartupPlaces(platform::SoftwareViews(c.program64, c.system64), L"C:\\All\\Startup", L"C:\\Me\\Startup");
    std::vector<StartupKey> keys = c.machine_keys;
    keys.insert(keys.end(), user_keys.begin(), user_keys.end());
    EXPECT_EQ(places.keys, keys);
    EXPECT_EQ(places.folders, (std::vector<StartupFolder>{
                                  {L"All Users - Startup folder", L"C:\\All\\Startup"},
                                  {L"Current User - Startup folder", L"C:\\Me\\Startup"},
                              }));
  }
}

TEST(AppendValueRows, ValuesWithTextInOrderEmptyOnesSkipped) {
  const std::map<std::wstring, std::wstring> values{{L"", L"default.exe"}, {L"Tray", L"tray.exe /min"}, {L"Gone", L""}};
  StartupRows rows{{L"earlier", L"row", L"kept"}};
  AppendValueRows(rows, L"Registry (HKCU) - Run", {L"Tray", L"Gone", L""},
                  [&](std::wstring_view name) { return values.at(std::wstring(name)); });
  EXPECT_EQ(rows, (StartupRows{{L"earlier", L"row", L"kept"},
                               {L"Registry (HKCU) - Run", L"Tray", L"tray.exe /min"},
                               {L"Registry (HKCU) - Run", L"", L"default.exe"}}))
      << "the unnamed default value is listed with an empty name";
}

TEST(AppendValueRows, AValueThatIsNoTextEndsTheWalkKeepingTheRowsBefore) {
  StartupRows rows;
  std::vector<std::wstring> read;
  EXPECT_THROW(AppendValueRows(rows, L"Registry (HKLM) - Run OnceEx", {L"a", L"Flags", L"b"},
                               [&](std::wstring_view name) {
                                 read.emplace_back(name);
                                 if (name == L"Flags") throw std::runtime_error("number value");
                                 return std::wstring(L"x.exe");
                               }),
               std::runtime_error);
  EXPECT_EQ(rows, (StartupRows{{L"Registry (HKLM) - Run OnceEx", L"a", L"x.exe"}}));
  EXPECT_EQ(read, (std::vector<std::wstring>{L"a", L"Flags"}));
}

TEST(AppendFolderRows, EveryEntryButTheDotsWithTheFolderJoinedByOneBackslash) {
  for (const wchar_t* folder : {L"C:\\Start", L"C:\\Start\\"}) {
    StartupRows rows;
    AppendFolderRows(rows, {L"All Users - Startup folder", folder}, {L".", L"..", L"Sub folder", L"desktop.ini"});
    EXPECT_EQ(rows, (StartupRows{{L"All Users - Startup folder", L"Sub folder", L"C:\\Start\\Sub folder"},
                                 {L"All Users - Startup folder", L"desktop.ini", L"C:\\Start\\desktop.ini"}}))
        << testing::PrintToString(std::wstring(folder));
  }
}

}  // namespace
}  // namespace corvane::inventory
