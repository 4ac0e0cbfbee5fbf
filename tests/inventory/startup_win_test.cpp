// The startup window under Wine: over keys and folders of the tests' own
// (below HKEY_CURRENT_USER and the temporary folder, removed at the end),
// and once over the system's places with a value and a file seeded there.
#include "inventory/startup_window_win.h"

#include <windows.h>
// after windows.h
#include <shlobj.h>
#include <shlwapi.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "inventory/startup_readers_win.h"
#include "inventory/startup_window_ids.h"
#include "platform/seeded_value_win.h"
#include "ui/shown_boxes_win.h"

namespace corvane::inventory {
namespace {

namespace fs = std::filesystem;
using testing::ElementsAre;
using testing::HasSubstr;
using testing::UnorderedElementsAre;

constexpr wchar_t kScratch[] = L"Software\\CorvaneTests\\Startup";

void SetString(const std::wstring& path, const std::wstring& name, const std::wstring& text) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

void SetNumber(const std::wstring& path, const std::wstring& name, DWORD number) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(key);
}

void Touch(const fs::path& file) { std::ofstream(file) << "x"; }

// Keys below the scratch key and a folder in the temporary folder, for the
// life of the test; the window under test reads the places it is given.
class StartupPlacesTest : public testing::Test {
 protected:
  void SetUp() override {
    SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\CorvaneTests");
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = fs::path(temp) / (L"corvane-startup-" + std::to_wstring(GetCurrentProcessId()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    window_ = std::make_unique<StartupWindow>(theme_, [this] { return places_; });
    ASSERT_TRUE(window_->EnsureBuilt());
  }
  void TearDown() override {
    window_.reset();
    SHDeleteKeyW(HKEY_CURRENT_USER, L"Software\\CorvaneTests");
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  static std::wstring Key(const wchar_t* name) { return std::wstring(kScratch) + L"\\" + name; }
  StartupKey PlaceKey(const wchar_t* label, const wchar_t* name) const {
    return {label, RegistryRoot::kCurrentUser, Key(name)};
  }
  void Refresh() { SendMessageW(window_->hwnd(), WM_COMMAND, MAKEWPARAM(startup_ids::kCmdRefresh, 0), 0); }

  ui::Theme theme_;
  fs::path folder_;
  StartupPlaces places_;
  std::unique_ptr<StartupWindow> window_;
};

TEST_F(StartupPlacesTest, ValuesWithTextKeyByKeyThenEveryFolderEntryWithoutDescending) {
  // Created in name order, so the registry's order is this one.
  SetString(Key(L"One"), L"", L"default.exe");
  SetString(Key(L"One"), L"Empty", L"");
  SetString(Key(L"One"), L"Tray", L"tray.exe /min");
  SetString(Key(L"Two"), L"Solo", L"solo.exe");
  SetString(Key(L"Two\\1"), L"Nested", L"nested.exe");  // subkeys are not visited
  const fs::path start = folder_ / L"Start";
  fs::create_directories(start / L"Sub");
  Touch(start / L"Sub" / L"inner.txt");
  Touch(start / L"app.lnk");
  Touch(start / L"desktop.ini");
  SetFileAttributesW((start / L"desktop.ini").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  places_.keys = {PlaceKey(L"Key One", L"One"), PlaceKey(L"Missing", L"Missing"), PlaceKey(L"Key Two", L"Two")};
  places_.folders = {{L"Folder", start.wstring()}, {L"Nowhere", (folder_ / L"none").wstring()}, {L"Unnamed", L""}};

  Refresh();
  const StartupRows rows = window_->list().rows;
  ASSERT_EQ(rows.size(), 6u) << testing::PrintToString(rows);
  EXPECT_THAT(std::vector<StartupRow>(rows.begin(), rows.begin() + 3),
              ElementsAre(StartupRow{L"Key One", L"", L"default.exe"}, StartupRow{L"Key One", L"Tray", L"tray.exe /min"},
                          StartupRow{L"Key Two", L"Solo", L"solo.exe"}));
  const std::wstring prefix = start.wstring() + L"\\";
  EXPECT_THAT(std::vector<StartupRow>(rows.begin() + 3, rows.end()),
              UnorderedElementsAre(StartupRow{L"Folder", L"Sub", prefix + L"Sub"},
                                   StartupRow{L"Folder", L"app.lnk", prefix + L"app.lnk"},
                                   StartupRow{L"Folder", L"desktop.ini", prefix + L"desktop.ini"}));
  EXPECT_EQ(window_->status(), L"Count: 6");

  Refresh();
  EXPECT_EQ(window_->list().rows, rows) << "a second refresh gives the same list, not a doubled one";
  EXPECT_EQ(window_->status(), L"Count: 6");
}

TEST_F(StartupPlacesTest, NothingFoundCountsZero) {
  SetString(Key(L"Run"), L"Only", L"only.exe");
  places_.keys = {PlaceKey(L"Run", L"Run")};
  places_.folders = {{L"Folder", folder_.wstring()}};  // empty
  Refresh();
  ASSERT_EQ(window_->status(), L"Count: 1");

  SHDeleteKeyW(HKEY_CURRENT_USER, Key(L"Run").c_str());
  Refresh();
  EXPECT_TRUE(window_->list().rows.empty());
  EXPECT_EQ(window_->status(), L"Count: 0");
}

TEST_F(StartupPlacesTest, AValueThatIsNoTextStopsTheRefreshKeepingTheRowsBeforeAndTheCount) {
  SetString(Key(L"Run"), L"A", L"a.exe");
  SetString(Key(L"Run"), L"C", L"c.exe");
  Touch(folder_ / L"later.lnk");
  places_.keys = {PlaceKey(L"Run", L"Run")};
  places_.folders = {{L"Folder", folder_.wstring()}};
  Refresh();
  ASSERT_EQ(window_->status(), L"Count: 3");

  SetNumber(Key(L"Run"), L"B", 1);
  const auto boxes = test_support::BoxesShownDuring([&] { Refresh(); });
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, L"Corvane");
  EXPECT_THAT(boxes[0].texts, HasSubstr(L"\"B\""));
  EXPECT_THAT(window_->list().rows, ElementsAre(StartupRow{L"Run", L"A", L"a.exe"}));
  EXPECT_EQ(window_->status(), L"Count: 3") << "the status keeps its previous text";
}

TEST(SystemStartupPlaces, TheUsersRunKeyAndStartupFolderAsTheShellNamesIt) {
  wchar_t folder[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, 0, folder)));
  const fs::path file = fs::path(folder) / L"corvane-test.lnk";
  Touch(file);
  const test_support::SeededValue run(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                      L"CorvaneTest", REG_SZ,
                                      {'t', 0, '.', 0, 'e', 0, 'x', 0, 'e', 0, 0, 0});
  ui::Theme theme;
  StartupWindow window(theme);
  ASSERT_TRUE(window.EnsureBuilt());
  window.Refresh1Click();
  fs::remove(file);

  const auto& rows = window.list().rows;
  EXPECT_THAT(rows, testing::Contains(StartupRow{L"Registry (HKCU) - Run", L"CorvaneTest", L"t.exe"}));
  EXPECT_THAT(rows, testing::Contains(StartupRow{L"Current User - Startup folder", L"corvane-test.lnk",
                                                 std::wstring(folder) + L"\\corvane-test.lnk"}));
  EXPECT_EQ(window.status(), ui::CountText(rows.size()));
}

}  // namespace
}  // namespace corvane::inventory
