// The installed-applications window under Wine, against uninstall entries
// seeded below the machine's Uninstall key of the test prefix (each removed
// again at the end of its test, whatever the test did to it). Programs are
// never started: the window is given scripted actions that record what it
// would start or open and answer its questions.
#include "inventory/uninstall_window_win.h"

#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <shlwapi.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "inventory/installed_apps_win.h"
#include "inventory/uninstall_window_ids.h"
#include "platform/locale_win.h"
#include "platform/registry_win.h"
#include "platform/text_file_win.h"
#include "ui/shown_boxes_win.h"

namespace corvane::inventory {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;

const std::wstring kUninstall = std::wstring(kUninstallKey).substr(1);  // below HKEY_LOCAL_MACHINE

bool KeyExists(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Everyone may do only `rights` on the key from here on, as on a machine
// key for a user without administrator rights; its owner may still give
// them back.
void CreateKey(const std::wstring& path) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void SetValue(const std::wstring& path, const std::wstring& name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
  RegCloseKey(key);
}

// One uninstall entry of the machine for the life of the object: a
// volatile key with string values (and keys of its own, if asked), removed
// with everything below it at the end.
class SeededEntry {
 public:
  using Values = std::map<std::wstring, std::wstring>;
  SeededEntry(std::wstring subkey, const Values& values) : subkey_(std::move(subkey)) {
    Remove();
    CreateKey(path());
    for (const auto& [name, text] : values) SetString(name, text);
  }
  ~SeededEntry() { Remove(); }
  SeededEntry(const SeededEntry&) = delete;
  SeededEntry& operator=(const SeededEntry&) = delete;

  std::wstring path() const { return kUninstall + L"\\" + subkey_; }
  const std::wstring& subkey() const { return subkey_; }
  bool exists() const { return KeyExists(path()); }
  void SetString(const std::wstring& name, const std::wstring& text) const {
    SetValue(path(), name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  void SetNumber(const std::wstring& name, DWORD number) const {
    SetValue(path(), name, REG_DWORD, &number, sizeof number);
  }
  void AddSubkey(const std::wstring& relative) const { SetValue(path() + L"\\" + relative, L"x", REG_SZ, L"1", 4); }

 private:
  void Remove() const {
    SHDeleteKeyW(HKEY_LOCAL_MACHINE, path().c_str());
  }
  std::wstring subkey_;
};

// Records what the window would start or open, answers its question and
// keeps what it tells.
struct ScriptedActions : AppActions {
  struct Told {
    std::wstring text;
    bool failure;
    bool operator==(const Told&) const = default;
  };
  std::vector<std::wstring> ran, ran_from, opened, asked;
  std::vector<Told> told;
  bool answer_ok = true;
  std::function<void()> on_run;
  // The system's answer to a deletion, or 0 to delete for real.
  DWORD refuse_delete = ERROR_SUCCESS;

  void Run(const UninstallSource& source, const std::wstring& command_line) override {
    ran.push_back(command_line);
    ran_from.push_back(source.name);
    if (on_run) on_run();
  }
  void Open(HWND, const std::wstring& target) override { opened.push_back(target); }
  DWORD DeleteEntry(const UninstallSource& source, const std::wstring& subkey) override {
    return refuse_delete != ERROR_SUCCESS ? refuse_delete : MakeSystemAppActions()->DeleteEntry(source, subkey);
  }
  bool Confirm(HWND, std::wstring_view text) override {
    asked.emplace_back(text);
    return answer_ok;
  }
  void Tell(HWND, std::wstring_view text, bool failure) override { told.push_back({std::wstring(text), failure}); }
};

class AppsProbe : public UninstallWindow {
 public:
  // Takes the actions and keeps a look at them.
  AppsProbe(const ui::Theme& theme, ScriptedActions* actions)
      : UninstallWindow(theme, std::unique_ptr<AppActions>(actions)), actions_(actions) {}
  using UninstallWindow::ToolbarVisible;

  ScriptedActions& actions() { return *actions_; }

  // Selects the row of the entry `subkey` (read from `source`, if named);
  // false when it is not listed.
  bool SelectEntry(const std::wstring& subkey, const std::wstring& source = {}) {
    const auto row = RowOf(subkey, source);
    if (!row) return false;
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list_view(), LVM_SETITEMSTATE, *row, reinterpret_cast<LPARAM>(&state));
    return SelectedRow() == row;
  }
  std::optional<std::size_t> RowOf(const std::wstring& subkey, const std::wstring& source = {}) const {
    const auto& rows = list().rows;
    auto it = std::ranges::find_if(rows, [&](const auto& row) {
      return row.at(kAppSubkey) == subkey && (source.empty() || row.at(kAppSource) == source);
    });
    if (it == rows.end()) return std::nullopt;
    return static_cast<std::size_t>(it - rows.begin());
  }
  std::optional<AppRow> Row(const std::wstring& subkey, const std::wstring& source = {}) const {
    const auto row = RowOf(subkey, source);
    return row ? std::optional<AppRow>(list().rows[*row]) : std::nullopt;
  }
  // As the menu, context menu or toolbar sends it: a failure goes to the error box.
  void Command(int id) { SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

 private:
  ScriptedActions* actions_;
};

class InstalledApps : public testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<AppsProbe>(theme_, new ScriptedActions);
    ASSERT_TRUE(window_->EnsureBuilt());
  }
  void TearDown() override { window_.reset(); }

  // The list is in the user's order of names.
  void ExpectSortedByName() const {
    const auto& rows = window_->list().rows;
    for (std::size_t i = 1; i < rows.size(); ++i) {
      EXPECT_LE(platform::CompareUserLocale(rows[i - 1][kAppName], rows[i][kAppName]), 0)
          << "row " << i << ": " << testing::PrintToString(rows[i - 1][kAppName]) << " before "
          << testing::PrintToString(rows[i][kAppName]);
    }
  }
  void ExpectCounted() const {
    EXPECT_EQ(window_->status(), ui::CountText(window_->list().rows.size()));
  }

  ui::Theme theme_;
  std::unique_ptr<AppsProbe> window_;
};

TEST_F(InstalledApps, NamedEntriesAreListedEachWithItsKeyAndTheListIsSortedAndCounted) {
  window_->Refresh1Click();
  const std::size_t before = window_->list().rows.size();

  const SeededEntry full(L"CorvaneTest Full", {{L"DisplayName", L"zeta Editor"},
                                                {L"DisplayVersion", L"2.1"},
                                                {L"HelpLink", L"http://help.example/"},
                                                {L"HelpTelephone", L"555-0100"},
                                                {L"InstallLocation", L"C:\\Zeta"},
                                                {L"InstallSource", L"D:\\Setup"},
                                                {L"Publisher", L"Zeta Ltd"},
                                                {L"Readme", L"C:\\Zeta\\readme.txt"},
                                                {L"UninstallString", L"C:\\Zeta\\remove.exe /x"},
                                                {L"InstallDate", L"20240115"}});
  full.SetNumber(L"EstimatedSize", 1234);  // a number the list does not show is never read
  const SeededEntry twin_a(L"CorvaneTest Twin A", {{L"DisplayName", L"Alpha Tool"}});
  const SeededEntry twin_b(L"CorvaneTest Twin B", {{L"DisplayName", L"Alpha Tool"}});
  twin_a.SetNumber(L"InstallDate", 20240115);  // a date as a number costs the entry only its date
  const SeededEntry no_name(L"CorvaneTest NoName", {{L"UninstallString", L"x.exe"}});
  const SeededEntry empty_name(L"CorvaneTest EmptyName", {{L"DisplayName", L""}, {L"Publisher", L"Nobody"}});
  const SeededEntry lower(L"CorvaneTest Lower", {{L"DisplayName", L"beta player"}});
  no_name.SetNumber(L"DisplayVersion", 7);  // never read: the entry has no name

  window_->Command(uninstall_ids::kCmdRefresh);
  EXPECT_EQ(window_->list().rows.size(), before + 4) << "the two entries without a name are not listed";
  EXPECT_FALSE(window_->RowOf(no_name.subkey()));
  EXPECT_FALSE(window_->RowOf(empty_name.subkey()));
  EXPECT_EQ(window_->Row(full.subkey()),
            (AppRow{L"zeta Editor", L"2.1", L"http://help.example/", L"555-0100", L"C:\\Zeta", L"D:\\Setup",
                    L"Zeta Ltd", L"C:\\Zeta\\readme.txt", L"C:\\Zeta\\remove.exe /x", L"CorvaneTest Full",
                    L"20240115", L"HKLM"}));
  EXPECT_EQ(window_->Row(twin_a.subkey()),
            (AppRow{L"Alpha Tool", L"", L"", L"", L"", L"", L"", L"", L"", L"CorvaneTest Twin A", L"", L"HKLM"}));
  ASSERT_TRUE(window_->Row(twin_b.subkey()));
  EXPECT_EQ(*window_->RowOf(twin_a.subkey()) + 1, *window_->RowOf(twin_b.subkey()));
  EXPECT_LT(*window_->RowOf(lower.subkey()), *window_->RowOf(full.subkey())) << "beta before zeta, whatever the case";
  ExpectSortedByName();
  ExpectCounted();

  // View, Sort keeps that order; a second refresh gives the same list.
  const auto shown = window_->list().rows;
  window_->Command(uninstall_ids::kCmdSort);
  EXPECT_EQ(window_->list().rows, shown);
  window_->Command(uninstall_ids::kCmdRefresh);
  EXPECT_EQ(window_->list().rows, shown);
}

TEST_F(InstalledApps, AValueThatIsNoTextStopsTheRefreshKeepingTheRowsReadBeforeAndTheCount) {
  // Wine gives the subkeys in name order: "1 good", "2 bad", "3 after".
  const SeededEntry good(L"CorvaneTest 1 good", {{L"DisplayName", L"Good"}});
  const SeededEntry bad(L"CorvaneTest 2 bad", {{L"DisplayName", L"Bad"}});
  const SeededEntry after(L"CorvaneTest 3 after", {{L"DisplayName", L"After"}});
  {
    SCOPED_TRACE("the first refresh fails");
    bad.SetNumber(L"Publisher", 1);
    const auto boxes = test_support::BoxesShownDuring([&] { window_->Command(uninstall_ids::kCmdRefresh); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Corvane");
    EXPECT_THAT(boxes[0].texts, HasSubstr(L"Publisher"));
    EXPECT_TRUE(window_->RowOf(good.subkey()));
    EXPECT_FALSE(window_->RowOf(bad.subkey()));
    EXPECT_FALSE(window_->RowOf(after.subkey()));
    EXPECT_EQ(window_->status(), L"") << "no whole refresh has counted yet";
  }
  {
    SCOPED_TRACE("a whole refresh, then a failing one");
    bad.SetString(L"Publisher", L"Fixed");
    window_->Command(uninstall_ids::kCmdRefresh);
    const std::wstring counted = window_->status();
    ASSERT_EQ(counted, ui::CountText(window_->list().rows.size()));
    ASSERT_TRUE(window_->RowOf(after.subkey()));

    bad.SetNumber(L"Readme", 2);
    const SeededEntry extra(L"CorvaneTest 0 extra", {{L"DisplayName", L"Zulu Extra"}});
    const auto boxes = test_support::BoxesShownDuring([&] { window_->Command(uninstall_ids::kCmdRefresh); });
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_THAT(boxes[0].texts, HasSubstr(L"Readme"));
    EXPECT_TRUE(window_->RowOf(extra.subkey()));
    EXPECT_TRUE(window_->RowOf(good.subkey()));
    EXPECT_FALSE(window_->RowOf(after.subkey()));
    EXPECT_EQ(window_->status(), counted) << "the count of the last whole refresh stays";
    EXPECT_LT(window_->RowOf(good.subkey()), window_->RowOf(extra.subkey()))
        << "read first, but the list stays sorted once it has been";
  }
}

TEST_F(InstalledApps, DeleteEntryRemovesTheKeyWithItsSubkeysAfterOk) {
  const SeededEntry doomed(L"CorvaneTest Doomed", {{L"DisplayName", L"Doomed"}});
  doomed.AddSubkey(L"Parts\\Deeper");
  doomed.AddSubkey(L"Other");
  const SeededEntry kept(L"CorvaneTest Kept", {{L"DisplayName", L"Kept"}});
  window_->Refresh1Click();
  ASSERT_TRUE(window_->SelectEntry(doomed.subkey()));

  window_->Command(uninstall_ids::kCmdDeleteEntry);
  const auto& actions = window_->actions();
  EXPECT_THAT(actions.asked, ElementsAre(L"This option is to remove stray uninstall entries.\r"
                                         L"Are you sure you wish to delete?"));
  EXPECT_FALSE(doomed.exists());
  EXPECT_TRUE(kept.exists());
  EXPECT_FALSE(window_->RowOf(doomed.subkey())) << "the list was read again";
  EXPECT_TRUE(window_->RowOf(kept.subkey()));
  ExpectSortedByName();
  ExpectCounted();
  EXPECT_THAT(actions.told, ElementsAre(ScriptedActions::Told{L"\"CorvaneTest Doomed\" entry removed.", false}));
}

TEST_F(InstalledApps, CancellingTheDeletionLeavesTheRegistryAsItWas) {
  const SeededEntry entry(L"CorvaneTest Cancel", {{L"DisplayName", L"Stays"}, {L"Publisher", L"Someone"}});
  entry.AddSubkey(L"Part");
  window_->Refresh1Click();
  ASSERT_TRUE(window_->SelectEntry(entry.subkey()));
  window_->actions().answer_ok = false;

  window_->Command(uninstall_ids::kCmdDeleteEntry);
  EXPECT_EQ(window_->actions().asked.size(), 1u);
  EXPECT_TRUE(entry.exists());
  EXPECT_TRUE(KeyExists(entry.path() + L"\\Part"));
  EXPECT_EQ(platform::ReadRegistryString(HKEY_LOCAL_MACHINE, entry.path(), L"Publisher"), L"Someone");
  EXPECT_THAT(window_->actions().told, ElementsAre(ScriptedActions::Told{L"Not deleted", false}));
}

TEST_F(InstalledApps, ADeletionTheSystemRefusesIsReportedAsNotRemoved) {
  const SeededEntry entry(L"CorvaneTest Guarded", {{L"DisplayName", L"Guarded"}});
  window_->Refresh1Click();
  ASSERT_TRUE(window_->SelectEntry(entry.subkey()));
  // Wine lets every user change the machine's registry: the refusal a
  // user without the right meets is scripted.
  window_->actions().refuse_delete = ERROR_ACCESS_DENIED;

  window_->Command(uninstall_ids::kCmdDeleteEntry);
  EXPECT_TRUE(entry.exists());
  EXPECT_TRUE(window_->RowOf(entry.subkey())) << "still listed after the refresh";
  EXPECT_THAT(window_->actions().told,
              ElementsAre(ScriptedActions::Told{L"\"CorvaneTest Guarded\" entry could not be removed.\r\n" +
                                                    platform::SystemMessage(ERROR_ACCESS_DENIED),
                                                true}));
}

TEST_F(InstalledApps, RowCommandsActOnTheSelectedRowsCells) {
  const SeededEntry full(L"CorvaneTest Links", {{L"DisplayName", L"Linked"},
                                                 {L"HelpLink", L"http://help.example/"},
                                                 {L"InstallLocation", L"C:\\Linked"},
                                                 {L"InstallSource", L"D:\\Source"},
                                                 {L"Readme", L"C:\\Linked\\readme.txt"},
                                                 {L"UninstallString", L"C:\\Linked\\remove.exe /quiet"}});
  const SeededEntry bare(L"CorvaneTest Bare", {{L"DisplayName", L"Bare"}});
  window_->Refresh1Click();

  struct Case {
    int command;
    std::wstring opens;  // for the entry with every cell
  };
  const Case cases[] = {
      {uninstall_ids::kCmdBrowseHelpLink, L"http://help.example/"},
      {uninstall_ids::kCmdWebsite, L"http://help.example/"},
      {uninstall_ids::kCmdOpenInstallLocation, L"C:\\Linked"},
      {uninstall_ids::kCmdOpenInstallSource, L"D:\\Source"},
      {uninstall_ids::kCmdViewReadme, L"C:\\Linked\\readme.txt"},
  };
  auto& actions = window_->actions();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    actions.opened.clear();
    ASSERT_TRUE(window_->SelectEntry(bare.subkey()));
    window_->Command(c.command);
    EXPECT_TRUE(actions.opened.empty()) << "an empty cell opens nothing";
    ASSERT_TRUE(window_->SelectEntry(full.subkey()));
    window_->Command(c.command);
    EXPECT_THAT(actions.opened, ElementsAre(c.opens));
  }

  // Uninstall starts the line as it stands and reads the list again at
  // once: an entry the uninstaller makes while starting is listed.
  std::optional<SeededEntry> made;
  actions.on_run = [&] { made.emplace(L"CorvaneTest Made", SeededEntry::Values{{L"DisplayName", L"Made"}}); };
  window_->Command(uninstall_ids::kCmdUninstall);
  EXPECT_THAT(actions.ran, ElementsAre(L"C:\\Linked\\remove.exe /quiet"));
  EXPECT_TRUE(window_->RowOf(L"CorvaneTest Made"));
  ExpectSortedByName();

  // Without a selected row nothing happens.
  ListView_SetItemState(window_->Control(L"ListView1"), -1, 0, LVIS_SELECTED);
  actions.ran.clear();
  actions.opened.clear();
  for (int command : {uninstall_ids::kCmdUninstall, uninstall_ids::kCmdBrowseHelpLink, uninstall_ids::kCmdDeleteEntry}) {
    window_->Command(command);
  }
  EXPECT_TRUE(actions.ran.empty());
  EXPECT_TRUE(actions.opened.empty());
  EXPECT_TRUE(actions.asked.empty());
}

TEST_F(InstalledApps, TheToolbarItemShowsAndHidesTheToolbarAndFollowsWithItsCheck) {
  HMENU menu = GetMenu(window_->hwnd());
  auto checked = [&] { return (GetMenuState(menu, uninstall_ids::kCmdToolbar, MF_BYCOMMAND) & MF_CHECKED) != 0; };
  EXPECT_TRUE(checked());
  EXPECT_TRUE(window_->ToolbarVisible());
  window_->Command(uninstall_ids::kCmdToolbar);
  EXPECT_FALSE(checked());
  EXPECT_FALSE(window_->ToolbarVisible());
  window_->Command(uninstall_ids::kCmdToolbar);
  EXPECT_TRUE(checked());
  EXPECT_TRUE(window_->ToolbarVisible());
}

TEST_F(InstalledApps, TheReaderAppendsToTheCallersRowsUpToAFailure) {
  const SeededEntry good(L"CorvaneTest 1 good", {{L"DisplayName", L"Good"}});
  const SeededEntry bad(L"CorvaneTest 2 bad", {{L"DisplayName", L"Bad"}});
  bad.SetNumber(L"UninstallString", 3);
  std::vector<AppRow> rows{{L"already there"}};
  EXPECT_THROW(ReadInstalledApps(rows), platform::RegistryError);
  ASSERT_GE(rows.size(), 2u);
  EXPECT_EQ(rows.front(), AppRow{L"already there"});
  EXPECT_TRUE(std::ranges::any_of(rows, [](const AppRow& row) { return row.size() > kAppSubkey && row[kAppSubkey] == L"CorvaneTest 1 good"; }));

  // A key that is not there gives nothing and no failure.
  rows.clear();
  UninstallSource missing{platform::RegistryRoot::kLocalMachine, 0, L"HKLM"};
  missing.key = L"SOFTWARE\\CorvaneTests\\NoSuchUninstall";
  ReadInstalledApps(rows, std::span(&missing, 1));
  EXPECT_TRUE(rows.empty());
}

// An uninstall entry in one view of the machine's key, or in the user's,
// for the life of the object (and the Uninstall key with it, where there
// was none).
class ViewEntry {
 public:
  ViewEntry(HKEY root, REGSAM view, std::wstring subkey, const std::wstring& name)
      : root_(root), view_(view), path_(kUninstall + L"\\" + subkey), had_parent_(Exists(kUninstall)) {
    Remove();
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(root_, path_.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS | view_, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    if (!key) return;
    const std::wstring line = L"remove-" + name + L".exe";
    RegSetValueExW(key, L"DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name.c_str()),
                   static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)));
    RegSetValueExW(key, L"UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(line.c_str()),
                   static_cast<DWORD>((line.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
  ~ViewEntry() {
    Remove();
    if (!had_parent_) RegDeleteKeyExW(root_, kUninstall.c_str(), view_, 0);
  }
  ViewEntry(const ViewEntry&) = delete;
  ViewEntry& operator=(const ViewEntry&) = delete;

  bool exists() const { return Exists(path_); }

 private:
  bool Exists(const std::wstring& path) const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root_, path.c_str(), 0, KEY_READ | view_, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
  void Remove() const { RegDeleteKeyExW(root_, path_.c_str(), view_, 0); }
  HKEY root_;
  REGSAM view_;
  std::wstring path_;
  bool had_parent_;
};

TEST_F(InstalledApps, BothViewsAndTheUserEachRowActingWhereItWasRead) {
  if (platform::SystemSoftwareViews().size() < 2) GTEST_SKIP() << "32-bit Windows has one view";
  const std::wstring twin = L"CorvaneTest Both";
  const ViewEntry twin64(HKEY_LOCAL_MACHINE, KEY_WOW64_64KEY, twin, L"Both64");
  const ViewEntry twin32(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, twin, L"Both32");
  const ViewEntry only32(HKEY_LOCAL_MACHINE, KEY_WOW64_32KEY, L"CorvaneTest Only32", L"Only32");
  const ViewEntry mine(HKEY_CURRENT_USER, 0, L"CorvaneTest Mine", L"Mine");
  window_->Command(uninstall_ids::kCmdRefresh);

  const auto row64 = window_->Row(twin, L"HKLM"), row32 = window_->Row(twin, L"HKLM (32-bit)");
  ASSERT_TRUE(row64 && row32) << "an entry in both views is two installations";
  EXPECT_EQ((*row64)[kAppName], L"Both64");
  EXPECT_EQ((*row32)[kAppName], L"Both32");
  EXPECT_TRUE(window_->RowOf(L"CorvaneTest Only32", L"HKLM (32-bit)"));
  EXPECT_TRUE(window_->RowOf(L"CorvaneTest Mine", L"HKCU"));
  ExpectSortedByName();
  ExpectCounted();

  // The uninstaller is told which view its entry came from.
  auto& actions = window_->actions();
  ASSERT_TRUE(window_->SelectEntry(twin, L"HKLM (32-bit)"));
  window_->Command(uninstall_ids::kCmdUninstall);
  EXPECT_THAT(actions.ran, ElementsAre(L"remove-Both32.exe"));
  EXPECT_THAT(actions.ran_from, ElementsAre(L"HKLM (32-bit)"));

  // Deleting the 32-bit row removes that key alone.
  ASSERT_TRUE(window_->SelectEntry(twin, L"HKLM (32-bit)"));
  window_->Command(uninstall_ids::kCmdDeleteEntry);
  EXPECT_FALSE(twin32.exists());
  EXPECT_TRUE(twin64.exists());
  EXPECT_TRUE(window_->RowOf(twin, L"HKLM"));
  EXPECT_FALSE(window_->RowOf(twin, L"HKLM (32-bit)"));

  // And the user's entry from the user's key.
  ASSERT_TRUE(window_->SelectEntry(L"CorvaneTest Mine", L"HKCU"));
  window_->Command(uninstall_ids::kCmdDeleteEntry);
  EXPECT_FALSE(mine.exists());
  EXPECT_TRUE(only32.exists());
  EXPECT_THAT(actions.told, ElementsAre(ScriptedActions::Told{L"\"CorvaneTest Both\" entry removed.", false},
                                        ScriptedActions::Told{L"\"CorvaneTest Mine\" entry removed.", false}));
}

}  // namespace
}  // namespace corvane::inventory
