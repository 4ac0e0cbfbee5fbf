// The startup window's places and the rows made of what is found there.
#include "inventory/startup_entries.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::inventory {
namespace {

TEST(StandardStartupPlaces, RunKeysOfTheMachineThenTheUserThenTheTwoFolders) {
  const StartupPlaces places = StandardStartupPlaces(L"C:\\All\\Startup", L"C:\\Me\\Startup");
  using enum RegistryRoot;
  const std::wstring base = L"Software\\Microsoft\\Windows\\CurrentVersion\\";
  // The two Ex labels differ in spacing, and are shown so.
  EXPECT_EQ(places.keys, (std::vector<StartupKey>{
                             {L"Registry (HKLM) - Run", kLocalMachine, base + L"Run"},
                             {L"Registry (HKLM) - Run Once", kLocalMachine, base + L"RunOnce"},
                             {L"Registry (HKLM) - Run OnceEx", kLocalMachine, base + L"RunOnceEx"},
                             {L"Registry (HKCU) - Run", kCurrentUser, base + L"Run"},
                             {L"Registry (HKCU) - Run Once", kCurrentUser, base + L"RunOnce"},
                             {L"Registry (HKCU) - Run Once Ex", kCurrentUser, base + L"RunOnceEx"},
                         }));
  EXPECT_EQ(places.folders, (std::vector<StartupFolder>{
                                {L"All Users - Startup folder", L"C:\\All\\Startup"},
                                {L"Current User - Startup folder", L"C:\\Me\\Startup"},
                            }));
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
