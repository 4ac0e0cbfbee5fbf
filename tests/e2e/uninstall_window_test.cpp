// The installed-applications window from the main window's "App Info"
// under Wine. Uninstall entries are put below the machine's Uninstall key
// (in its 64-bit view, its 32-bit view or both) before the program starts
// and removed after it ends; the removal itself is carried out through the
// window with its real message boxes.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "inventory/uninstall_window_ids.h"
#include "platform/seeded_value_win.h"

namespace corvane::e2e {
namespace {

using namespace inventory::uninstall_ids;
using test_support::SeededValue;
using testing::HasSubstr;

constexpr wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::vector<BYTE> Utf16z(std::wstring_view text) {
  const std::wstring z = std::wstring(text) + L'\0';
  const auto* p = reinterpret_cast<const BYTE*>(z.data());
  return std::vector<BYTE>(p, p + z.size() * sizeof(wchar_t));
}

bool EntryExists(const std::wstring& subkey) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (kUninstall + subkey).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(key);
  return true;
}

class UninstallWindow : public WindowSuite<UninstallWindow> {
 public:
  static void BeforeStart() {
    Seed(L"CorvaneE2E Zeta", L"zeta e2e tool");
    Seed(L"CorvaneE2E Doomed", L"Alpha e2e stray");
    Seed(L"CorvaneE2E Only64", L"Sixty-four e2e tool", SeedView(KEY_WOW64_64KEY));
    Seed(L"CorvaneE2E Only32", L"Thirty-two e2e tool", SeedView(KEY_WOW64_32KEY));
    Seed(L"CorvaneE2E Twin", L"Twin e2e tool", SeedView(KEY_WOW64_64KEY));
    Seed(L"CorvaneE2E Twin", L"Twin e2e tool", SeedView(KEY_WOW64_32KEY));
  }
  static void AfterEnd() { seeded_.clear(); }
  static WindowCommand Window() { return {app::kCmdAppInfo, L"TfrmUnistall"}; }
  static FilledTest Filled() { return ChildHasText(kIdStatus); }

 protected:
  static void Seed(const std::wstring& subkey, const std::wstring& name, REGSAM view = 0) {
    seeded_.push_back(std::make_unique<SeededValue>(HKEY_LOCAL_MACHINE, kUninstall + subkey, L"DisplayName", REG_SZ,
                                                    Utf16z(name), view));
  }
  std::vector<std::vector<std::wstring>> Cells() const {
    return app_->ListCells(Child(kIdList)).value_or(std::vector<std::vector<std::wstring>>{});
  }
  std::optional<int> RowOf(const std::wstring& subkey) const {
    const auto cells = Cells();
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (cells[i].size() == 10 && cells[i][9] == subkey) return static_cast<int>(i);
    }
    return std::nullopt;
  }
  // Waits for a message box of the program, returns its texts and answers it.
  std::wstring AnswerBox(int button) const {
    HWND box = nullptr;
    WaitUntil([&] { return (box = app_->FindMessageBox()) != nullptr; }, kUiTimeout);
    if (!box) return L"<no box>";
    const std::wstring texts = DescribeWindow(box);
    PostMessageW(box, WM_COMMAND, button, 0);
    WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kUiTimeout);
    return texts;
  }

  static inline std::vector<std::unique_ptr<SeededValue>> seeded_;
};

TEST_F(UninstallWindow, OpensMaximisedFromTheMainWindowWithTheEntriesSortedAndCounted) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"Application Install / Uninstall Information"));
  EXPECT_TRUE(IsZoomed(window_));
  const std::vector<std::wstring> headers = {L"Name",           L"Version",   L"Help Link", L"Help Telephone",
                                             L"Install Location", L"Install Source", L"Publisher", L"Readme",
                                             L"Uninstall",      L""};
  EXPECT_EQ(app_->ListHeaders(Child(kIdList)), headers);

  const auto cells = Cells();
  EXPECT_EQ(Text(kIdStatus), L"Count: " + std::to_wstring(cells.size()));
  const auto alpha = RowOf(L"CorvaneE2E Doomed"), zeta = RowOf(L"CorvaneE2E Zeta");
  ASSERT_TRUE(alpha && zeta) << testing::PrintToString(cells);
  EXPECT_LT(*alpha, *zeta) << "sorted by name, whatever the case";
  EXPECT_EQ(cells[*alpha][0], L"Alpha e2e stray");
}

TEST_F(UninstallWindow, ListsTheEntriesOfBothRegistryViews) {
  const auto cells = Cells();
  const auto only64 = RowOf(L"CorvaneE2E Only64"), only32 = RowOf(L"CorvaneE2E Only32");
  ASSERT_TRUE(only64 && only32) << testing::PrintToString(cells);
  EXPECT_EQ(cells[*only64][0], L"Sixty-four e2e tool");
  EXPECT_EQ(cells[*only32][0], L"Thirty-two e2e tool");
  // One key name in both views is two installations; 32-bit Windows has
  // one view, where both seeds went to one key.
  const auto twins = std::ranges::count_if(cells, [](const auto& row) { return row.size() == 10 && row[9] == L"CorvaneE2E Twin"; });
  EXPECT_EQ(twins, WindowsIs64Bit() ? 2 : 1);
  EXPECT_EQ(Text(kIdStatus), L"Count: " + std::to_wstring(cells.size()));
}

TEST_F(UninstallWindow, DeleteEntryAsksFirstAndTellsWhatItDid) {
  const std::wstring doomed = L"CorvaneE2E Doomed";
  {
    SCOPED_TRACE("Cancel");
    const auto row = RowOf(doomed);
    ASSERT_TRUE(row);
    ASSERT_TRUE(app_->SelectListRow(Child(kIdList), *row));
    ASSERT_TRUE(PostMessageW(window_, WM_COMMAND, kCmdDeleteEntry, 0));
    const std::wstring question = AnswerBox(IDCANCEL);
    EXPECT_THAT(question, HasSubstr(L"This option is to remove stray uninstall entries."));
    EXPECT_THAT(question, HasSubstr(L"Are you sure you wish to delete?"));
    EXPECT_THAT(AnswerBox(IDOK), HasSubstr(L"Not deleted"));
    EXPECT_TRUE(EntryExists(doomed));
  }
  {
    SCOPED_TRACE("OK");
    const auto row = RowOf(doomed);
    ASSERT_TRUE(row);
    ASSERT_TRUE(app_->SelectListRow(Child(kIdList), *row));
    ASSERT_TRUE(PostMessageW(window_, WM_COMMAND, kCmdDeleteEntry, 0));
    AnswerBox(IDOK);
    EXPECT_THAT(AnswerBox(IDOK), HasSubstr(L"\"CorvaneE2E Doomed\" entry removed."));
    EXPECT_FALSE(EntryExists(doomed));
    ASSERT_TRUE(app_->Responsive());
    EXPECT_FALSE(RowOf(doomed)) << "the list was read again";
    EXPECT_TRUE(RowOf(L"CorvaneE2E Zeta"));
    EXPECT_EQ(Text(kIdStatus), L"Count: " + std::to_wstring(Cells().size()));
  }
}

TEST_F(UninstallWindow, FileExitHidesTheWindow) {
  ASSERT_NE(Ask(window_, WM_COMMAND, kCmdExit), -1);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }, kUiTimeout));
  EXPECT_TRUE(app_->running());
}

}  // namespace
}  // namespace corvane::e2e
