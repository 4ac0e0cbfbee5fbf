// The internet window from the main window's internet command under Wine.
// A typed address, a start page, a ticked flag and a favourite are put into
// the prefix before the program starts and removed after it ends; the rest
// is the prefix's own: no Firefox, no Chrome, no Flash.
#include <windows.h>
#include <commctrl.h>
// after windows.h
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "network/internet_view.h"
#include "network/internet_window_ids.h"
#include "platform/seeded_value_win.h"

namespace corvane::e2e {
namespace {

using namespace network::internet_ids;
using test_support::SeededValue;

std::vector<BYTE> Utf16z(std::wstring_view text) {
  const std::wstring z = std::wstring(text) + L'\0';
  const auto* p = reinterpret_cast<const BYTE*>(z.data());
  return std::vector<BYTE>(p, p + z.size() * sizeof(wchar_t));
}

std::wstring FavouritesFolder() {
  wchar_t path[MAX_PATH] = {};
  return SHGetFolderPathW(nullptr, CSIDL_FAVORITES | CSIDL_FLAG_CREATE, nullptr, 0, path) == S_OK ? path : L"";
}

// The built-in browser's version as the prefix holds it.
std::wstring RegistryIeVersion() {
  HKEY key = nullptr;
  constexpr wchar_t kIeKey[] = L"Software\\Microsoft\\Internet Explorer";
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kIeKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return L"";
  wchar_t text[128] = {};
  DWORD size = sizeof text - sizeof(wchar_t);
  DWORD type = REG_NONE;
  const bool read = RegQueryValueExW(key, L"Version", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) ==
                    ERROR_SUCCESS && type == REG_SZ;
  RegCloseKey(key);
  return read ? text : L"";
}

class InternetWindow : public WindowSuite<InternetWindow> {
 public:
  static void BeforeStart() {
    constexpr wchar_t kMain[] = L"Software\\Microsoft\\Internet Explorer\\Main";
    seeded_.push_back(std::make_unique<SeededValue>(HKEY_CURRENT_USER,
                                                    L"Software\\Microsoft\\Internet Explorer\\TypedURLs", L"url1",
                                                    REG_SZ, Utf16z(L"http://typed.example/")));
    seeded_.push_back(std::make_unique<SeededValue>(HKEY_CURRENT_USER, kMain, L"Start Page", REG_SZ,
                                                    Utf16z(L"http://start.example/")));
    seeded_.push_back(
        std::make_unique<SeededValue>(HKEY_CURRENT_USER, kMain, L"Anchor Underline", REG_SZ, Utf16z(L"Yes")));
    const std::wstring folder = FavouritesFolder();
    if (!folder.empty()) {
      favourite_ = std::filesystem::path(folder) / L"corvane-e2e.url";
      std::ofstream(favourite_, std::ios::binary) << "[InternetShortcut]\r\nURL=http://fav.example/\r\n";
    }
  }
  static void AfterEnd() {
    seeded_.clear();
    std::error_code ignored;
    if (!favourite_.empty()) std::filesystem::remove(favourite_, ignored);
  }
  static WindowCommand Window() { return {app::kCmdShowInternet, L"TfrmInternet"}; }
  static FilledTest Filled() { return ChildHasText(kIdFlash); }

 protected:
  using Rows = std::vector<std::vector<std::wstring>>;
  std::optional<Rows> Browsers() const { return app_->ListCells(Child(kIdBrowsers)); }
  std::optional<std::vector<std::wstring>> Lines(int id) const { return ListBoxLines(Child(id)); }

  void ExpectTheSameLists(const char* when) const {
    SCOPED_TRACE(when);
    const Rows browsers = {{L"Internet Explorer", RegistryIeVersion()},
                           {L"Mozilla Firefox", L"NOT Installed"},
                           {L"Google Chrome", L""}};
    EXPECT_EQ(Browsers(), browsers);
    EXPECT_EQ(Lines(kIdTypedUrls), std::optional(std::vector<std::wstring>{L"http://typed.example/"}));
    EXPECT_EQ(Lines(kIdFavourites), std::optional(std::vector<std::wstring>{L"http://fav.example/"}));
  }

  static inline std::vector<std::unique_ptr<SeededValue>> seeded_;
  static inline std::filesystem::path favourite_;
};

TEST_F(InternetWindow, OpensFromTheMainWindowWithItsRowsFilled) {
  ASSERT_FALSE(favourite_.empty()) << "the shell names no Favorites folder";
  ASSERT_FALSE(RegistryIeVersion().empty()) << "the prefix names no built-in browser version";
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"Internet"));
  const struct {
    int id;
    const wchar_t* label;
  } rows[] = {{kIdStatus, L"Internet Status"},  {kIdStartPage, L"Start Page"}, {kIdSearchPage, L"Search Page"},
              {kIdDownloadDirectory, L"Download Directory"}, {kIdLocalPage, L"Local Page"}, {kIdFlash, L"Flash"},
              {kIdProductId, L"IE Product ID"}};
  for (const auto& row : rows) EXPECT_EQ(Text(row.id + 50), row.label);
  EXPECT_TRUE(Text(kIdStatus) == L"Connected" || Text(kIdStatus) == L"Not Connected") << Text(kIdStatus);
  EXPECT_EQ(Text(kIdStartPage), L"http://start.example/");
  EXPECT_EQ(Text(kIdFlash), L"NOT Installed");
  EXPECT_EQ(Text(kIdBrowsersCaption), L"Internet Browsers");
  EXPECT_EQ(Text(kIdTypedUrlsCaption), L"Typed URLs");
  EXPECT_EQ(Text(kIdFavouritesCaption), L"IE Favourites");
  EXPECT_EQ(Text(kIdFlagsCaption), L"IE Flags");
  ExpectTheSameLists("first showing");

  // The flags in list order; only "Anchor Underline" (first) is seeded to read "Yes".
  for (std::size_t i = 0; i < network::kIeFlagNames.size(); ++i) {
    const int id = kIdFirstFlag + static_cast<int>(i);
    EXPECT_EQ(Text(id), network::kIeFlagNames[i]);
    if (i == 0) {
      EXPECT_EQ(Ask(Child(id), BM_GETCHECK), BST_CHECKED);
    }
  }
  EXPECT_EQ(Child(kIdLastFlag + 1), nullptr) << "more than 18 flags";
}

TEST_F(InternetWindow, RefreshAndShowingAgainDoNotDoubleTheLists) {
  ASSERT_NE(Ask(window_, WM_COMMAND, kCmdRefresh), -1);
  ExpectTheSameLists("after View, Refresh");
  Close();
  ASSERT_TRUE(Open());
  ExpectTheSameLists("second showing");
}

TEST_F(InternetWindow, FixedSizeAndFileExitHidesIt) {
  const LONG style = GetWindowLongW(window_, GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME) << "it can be resized";
  EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "it can be maximised";
  EXPECT_TRUE(style & WS_MINIMIZEBOX) << "it cannot be minimised";
  ASSERT_NE(Ask(window_, WM_COMMAND, kCmdExit), -1);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }, kUiTimeout));
  EXPECT_TRUE(app_->running());
}

}  // namespace
}  // namespace corvane::e2e
