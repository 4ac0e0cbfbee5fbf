// The internet window's readers against the Wine test prefix. Registry
// answers are seeded by the tests and put back afterwards; the favourites
// are a folder tree made in the Favorites folder the shell names, and
// removed again.
#include "network/internet_readers_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <aclapi.h>
#include <shlobj.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "app/collectors/summary_collectors_win.h"
#include "network/internet_favourites_win.h"
#include "platform/registry_win.h"
#include "platform/seeded_value_win.h"
#include "platform/unique_handle.h"

namespace corvane::network {
namespace {

using namespace std::string_view_literals;
using test_support::SeededValue;
using testing::ElementsAre;
using testing::UnorderedElementsAre;
using Bytes = std::vector<BYTE>;

// UTF-16 bytes of `text` exactly as given (write the terminators yourself).
Bytes Utf16(std::wstring_view text) {
  const auto* p = reinterpret_cast<const BYTE*>(text.data());
  return Bytes(p, p + text.size() * sizeof(wchar_t));
}
const Bytes kDwordOne{1, 0, 0, 0};

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool AllowOnly(const std::wstring& path, REGSAM rights);

// A key of the tests' own below HKEY_CURRENT_USER, removed with all below it
// at the end.
class ScratchKey {
 public:
  static constexpr wchar_t kPath[] = L"Software\\CorvaneTests\\Internet";
  ScratchKey() { Remove(); }
  ~ScratchKey() { Remove(); }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

 private:
  static void Remove() {
    AllowOnly(std::wstring(kPath) + L"\\Registration", KEY_ALL_ACCESS);  // a test that failed midway
    try {
      platform::Registry().DeleteKey(L"Software\\CorvaneTests");
    } catch (const platform::RegistryError& e) {
      ADD_FAILURE() << e.what();
    }
  }
};

void SetString(const std::wstring& path, const wchar_t* name, std::wstring_view text, DWORD type = REG_SZ) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const Bytes data = Utf16(std::wstring(text) + L'\0');
  EXPECT_EQ(RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
  RegCloseKey(key);
}

// Only reading is allowed on the key from here on, as below
// HKEY_LOCAL_MACHINE for a user without administrator rights; the owner
// may still change that back (and does, so the key can be removed).
bool AllowOnly(const std::wstring& path, REGSAM rights) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, WRITE_DAC, &key) != ERROR_SUCCESS) return false;
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  EXPLICIT_ACCESSW grant{};
  grant.grfAccessPermissions = rights;
  grant.grfAccessMode = SET_ACCESS;
  grant.grfInheritance = NO_INHERITANCE;
  grant.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  grant.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
  grant.Trustee.ptstrName = static_cast<LPWSTR>(everyone);
  PACL acl = nullptr;
  bool ok = SetEntriesInAclW(1, &grant, nullptr, &acl) == ERROR_SUCCESS &&
            SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                            nullptr, nullptr, acl, nullptr) == ERROR_SUCCESS;
  LocalFree(acl);
  FreeSid(everyone);
  RegCloseKey(key);
  return ok;
}

TEST(InternetRegistryRows, ReadTextCreatingOnlyWhereAsked) {
  const ScratchKey scratch;
  const std::wstring base = ScratchKey::kPath;
  SetString(base + L"\\Main", L"Start Page", L"http://start.example/");
  SetString(base + L"\\Main", L"Odd", L"%TEMP%\\x", REG_EXPAND_SZ);
  {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, (base + L"\\Main").c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegSetValueExW(key, L"Number", 0, REG_DWORD, kDwordOne.data(), 4);
    RegCloseKey(key);
  }
  const struct {
    std::wstring path;
    const wchar_t* name;
    KeyOpening opening;
    const wchar_t* text;
  } cases[] = {
      {base + L"\\Main", L"Start Page", KeyOpening::kExisting, L"http://start.example/"},
      {L"\\" + base + L"\\Main\\", L"Start Page", KeyOpening::kCreate, L"http://start.example/"},  // "\A\B\" is "A\B"
      {base + L"\\Main", L"Odd", KeyOpening::kCreate, L"%TEMP%\\x"},                               // not expanded
      {base + L"\\Main", L"Missing", KeyOpening::kCreate, L""},
      {base + L"\\Main", L"Number", KeyOpening::kExisting, L""},  // not text
      {base + L"\\Gone", L"Start Page", KeyOpening::kExisting, L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, c.path, c.name, c.opening), c.text)
        << testing::PrintToString(c.path) << " " << testing::PrintToString(std::wstring(c.name));
  }
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, base + L"\\Gone")) << "a read without creation made the key";

  EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, base + L"\\Made\\", L"Start Page", KeyOpening::kCreate), L"");
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, base + L"\\Made")) << "a read with creation leaves the key made";
}

TEST(InternetRegistryRows, KeyTheUserMayOnlyReadIsStillRead) {
  const ScratchKey scratch;
  const std::wstring path = std::wstring(ScratchKey::kPath) + L"\\Registration";
  SetString(path, L"ProductID", L"55555-OEM-0000001-00000");
  ASSERT_TRUE(AllowOnly(path, KEY_READ));
  HKEY full = nullptr;
  const LONG rc = RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_ALL_ACCESS, &full);
  if (rc == ERROR_SUCCESS) RegCloseKey(full);
  EXPECT_EQ(rc, ERROR_ACCESS_DENIED) << "the prefix does not refuse full rights; nothing below shows anything";

  EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, path, L"ProductID", KeyOpening::kCreate), L"55555-OEM-0000001-00000");
  EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, path, L"ProductID", KeyOpening::kExisting),
            L"55555-OEM-0000001-00000");
  EXPECT_TRUE(AllowOnly(path, KEY_ALL_ACCESS));
}

constexpr wchar_t kTypedUrls[] = L"Software\\Microsoft\\Internet Explorer\\TypedURLs";
constexpr wchar_t kMain[] = L"Software\\Microsoft\\Internet Explorer\\Main";

TEST(InternetTypedUrls, EveryTextValueInRegistryOrder) {
  ASSERT_TRUE(ReadTypedUrls().empty()) << "the prefix has typed addresses of its own";
  const SeededValue one(HKEY_CURRENT_USER, kTypedUrls, L"url1", REG_SZ, Utf16(L"http://one.example/\0"sv));
  const SeededValue two(HKEY_CURRENT_USER, kTypedUrls, L"url2", REG_SZ, Utf16(L"http://two.example/\0"sv));
  const SeededValue odd(HKEY_CURRENT_USER, kTypedUrls, L"url3", REG_DWORD, kDwordOne);
  EXPECT_THAT(ReadTypedUrls(), ElementsAre(L"http://one.example/", L"http://two.example/"));
}

TEST(InternetFlags, TickedWhereTheValueReadsYes) {
  // Seeded in the list's order of names: 1, 7, 12, 13, 17.
  const SeededValue anchor(HKEY_CURRENT_USER, kMain, L"Anchor Underline", REG_SZ, Utf16(L"yes\0"sv));
  const SeededValue full(HKEY_CURRENT_USER, kMain, L"FullScreen", REG_SZ, Utf16(L"YES\0"sv));
  const SeededValue status(HKEY_CURRENT_USER, kMain, L"Show_StatusBar", REG_DWORD, kDwordOne);
  const SeededValue toolbar(HKEY_CURRENT_USER, kMain, L"Show_ToolBar", REG_SZ, Utf16(L"1\0"sv));
  const SeededValue suggest(HKEY_CURRENT_USER, kMain, L"Use FormSuggest", REG_SZ, Utf16(L"no\0"sv));
  const auto values = ReadIeFlagValues();
  ASSERT_TRUE(values.has_value());
  ASSERT_EQ(values->size(), 18u);
  EXPECT_EQ((*values)[11], std::nullopt) << "a number reads as no text";
  const IeFlagsView view = BuildIeFlags(values);
  const struct {
    std::size_t index;
    bool ticked;
  } seeded[] = {{0, true}, {6, true}, {11, false}, {12, false}, {16, false}};
  for (const auto& s : seeded) EXPECT_EQ(view.ticked[s.index], s.ticked) << std::wstring(kIeFlagNames[s.index]);
  EXPECT_EQ(view.message, std::nullopt);
}

TEST(InternetFlags, MissingKeyTellsPathNotFoundOnce) {
  // The window's key always exists by the time the flags are read (the page
  // rows before create it), so the reader is asked for a missing one.
  const ScratchKey scratch;
  const auto values = ReadIeFlagValues(std::wstring(ScratchKey::kPath) + L"\\Main\\");
  EXPECT_EQ(values, std::nullopt);
  const IeFlagsView view = BuildIeFlags(values);
  EXPECT_EQ(view.message, std::optional<std::wstring>(L"Path not found"));
  for (const bool ticked : view.ticked) EXPECT_FALSE(ticked);
}

constexpr wchar_t kIeKey[] = L"Software\\Microsoft\\Internet Explorer";
constexpr wchar_t kFirefoxKey[] = L"SOFTWARE\\Mozilla\\Mozilla Firefox";
constexpr wchar_t kChromeKey[] = L"Software\\Google\\Update\\Clients\\{8A69D345-D564-463c-AFF1-A69D9E530F96}";

TEST(InternetBrowsers, VersionsFromTheRegistry) {
  ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kFirefoxKey)) << "the prefix has Firefox";
  ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, kChromeKey)) << "the prefix has Chrome";
  const SeededValue ie(HKEY_LOCAL_MACHINE, kIeKey, L"Version", REG_SZ, Utf16(L"9.0.8112.16421\0"sv));
  EXPECT_THAT(BuildBrowsers(ReadBrowsers()),
              ElementsAre(BrowserRow{L"Internet Explorer", L"9.0.8112.16421"},
                          BrowserRow{L"Mozilla Firefox", L"NOT Installed"}, BrowserRow{L"Google Chrome", L""}));
  // The summary's browser row reads the same.
  EXPECT_EQ(app::MakeSystemCollectors()->BrowserVersion(), L"9.0.8112.16421");
  {
    const SeededValue ff(HKEY_LOCAL_MACHINE, kFirefoxKey, L"CurrentVersion", REG_SZ, Utf16(L"3.6.28 (en-US)\0"sv));
    const SeededValue chrome(HKEY_CURRENT_USER, kChromeKey, L"pv", REG_SZ, Utf16(L"18.0.1025.162\0"sv));
    EXPECT_EQ(ReadFirefoxVersion(), L"3.6.28 (en-US)");
    EXPECT_EQ(ReadChromeVersion(), L"18.0.1025.162");
  }
  {
    // The key without a version, and one of another type.
    const SeededValue ff(HKEY_LOCAL_MACHINE, kFirefoxKey, L"Other", REG_SZ, Utf16(L"x\0"sv));
    EXPECT_EQ(ReadFirefoxVersion(), L"");
    const SeededValue number(HKEY_LOCAL_MACHINE, kFirefoxKey, L"CurrentVersion", REG_DWORD, kDwordOne);
    EXPECT_EQ(ReadFirefoxVersion(), L"");
  }
  const SeededValue number(HKEY_LOCAL_MACHINE, kIeKey, L"Version", REG_DWORD, kDwordOne);
  EXPECT_EQ(ReadInternetExplorerVersion(), L"Not Installed");
}

std::wstring SystemFile(const wchar_t* name) {
  wchar_t folder[MAX_PATH] = {};
  GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\" + name;
}

TEST(InternetBrowsers, ProgramFileVersions) {
  namespace fs = std::filesystem;
  EXPECT_EQ(ProgramFileVersion(L"c:\\no\\such\\program.exe"), std::nullopt);
  EXPECT_EQ(ProgramFileVersion(SystemFile(L"")), std::nullopt) << "a folder is no program";
  const auto system = ProgramFileVersion(SystemFile(L"kernel32.dll"));
  ASSERT_TRUE(system.has_value());
  EXPECT_TRUE(std::regex_match(*system, std::wregex(L"[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+")))
      << testing::PrintToString(*system);

  // Opera with the version of a system file, Safari a file without a version.
  ASSERT_FALSE(fs::exists(L"c:\\Program Files\\Opera")) << "the prefix has Opera";
  ASSERT_FALSE(fs::exists(L"c:\\Program Files\\Safari")) << "the prefix has Safari";
  struct Cleanup {
    ~Cleanup() {
      std::error_code ignored;
      fs::remove_all(L"c:\\Program Files\\Opera", ignored);
      fs::remove_all(L"c:\\Program Files\\Safari", ignored);
    }
  } cleanup;
  fs::create_directories(L"c:\\Program Files\\Opera");
  fs::create_directories(L"c:\\Program Files\\Safari");
  ASSERT_TRUE(CopyFileW(SystemFile(L"kernel32.dll").c_str(), L"c:\\Program Files\\Opera\\opera.exe", FALSE));
  std::ofstream(fs::path(L"c:\\Program Files\\Safari\\safari.exe")) << "no resources here";
  const BrowserReadings r = ReadBrowsers();
  EXPECT_EQ(r.opera, system);
  EXPECT_EQ(r.safari, std::optional<std::wstring>(L""));
  const auto rows = BuildBrowsers(r);
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[3].name, L"Opera");
  EXPECT_EQ(rows[4].name, L"Safari");
}

TEST(InternetFlash, InstalledWhenItsProgIdNamesAClass) {
  EXPECT_EQ(FlashText(IsFlashRegistered()), L"NOT Installed");
  const SeededValue progid(HKEY_LOCAL_MACHINE, L"Software\\Classes\\ShockwaveFlash.ShockwaveFlash\\CLSID", L"", REG_SZ,
                           Utf16(L"{D27CDB6E-AE6D-11cf-96B8-444553540000}\0"sv));
  EXPECT_EQ(FlashText(IsFlashRegistered()), L"Installed");
}

TEST(InternetStatus, TheSystemAnswers) {
  const auto offline = ReadOfflineState();
  ASSERT_TRUE(offline.has_value()) << "URL.DLL or InetIsOffline is missing";
  EXPECT_THAT(InternetStatusText(offline), testing::AnyOf(L"Connected", L"Not Connected"));
}

// A folder tree of shortcuts inside the user's Favorites folder, removed at the end.
class FavouritesTree {
 public:
  explicit FavouritesTree(std::filesystem::path root) : root_(std::move(root)) {}
  ~FavouritesTree() {
    for (const auto& made : made_) {
      std::error_code ignored;
      std::filesystem::remove_all(made, ignored);
    }
  }
  FavouritesTree(const FavouritesTree&) = delete;
  FavouritesTree& operator=(const FavouritesTree&) = delete;

  // `relative` is "a.url" or "Sub\Deeper\d.url"; an empty url writes a shortcut without one.
  void Shortcut(const std::wstring& relative, const std::string& url) {
    const std::filesystem::path file = root_ / relative;
    const std::filesystem::path top = root_ / std::filesystem::path(relative).begin()->wstring();
    made_.push_back(top);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << "[InternetShortcut]\r\n";
    if (!url.empty()) out << "URL=" << url << "\r\n";
    out << "IconIndex=0\r\n";
  }

 private:
  std::filesystem::path root_;
  std::vector<std::filesystem::path> made_;
};

TEST(InternetFavourites, FromTheShellsFavoritesFolder) {
  wchar_t created[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_FAVORITES | CSIDL_FLAG_CREATE, nullptr, 0, created), S_OK);
  const auto folder = FavouritesFolderPath(nullptr);
  ASSERT_TRUE(folder.has_value());
  EXPECT_EQ(*folder, created);
  ASSERT_EQ(ReadFavourites(nullptr), std::optional<std::vector<std::wstring>>(std::vector<std::wstring>{}))
      << "the prefix has favourites of its own";

  FavouritesTree tree(*folder);
  tree.Shortcut(L"corvane-a.url", "http://a.example/");
  tree.Shortcut(L"corvane-blank.url", "");
  tree.Shortcut(L"CorvaneSub\\corvane-c.url", "http://c.example/");
  tree.Shortcut(L"CorvaneSub\\Deeper\\corvane-d.url", "http://d.example/");
  tree.Shortcut(L".corvane-hidden\\corvane-h.url", "http://hidden.example/");
  tree.Shortcut(L"CorvaneFolder.url\\corvane-e.url", "http://e.example/");
  const auto found = ReadFavourites(nullptr);
  ASSERT_TRUE(found.has_value());
  ASSERT_EQ(found->size(), 5u) << testing::PrintToString(*found);
  // Each folder's own shortcuts first, in the file system's order.
  EXPECT_THAT(std::vector<std::wstring>(found->begin(), found->begin() + 2),
              UnorderedElementsAre(L"http://a.example/", L""));
  EXPECT_THAT(std::vector<std::wstring>(found->begin() + 2, found->end()),
              testing::AnyOf(ElementsAre(L"http://c.example/", L"http://d.example/", L"http://e.example/"),
                             ElementsAre(L"http://e.example/", L"http://c.example/", L"http://d.example/")));
}

TEST(InternetFavourites, LongAddressIsReadWhole) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / L"corvane-long-url";
  fs::create_directories(folder);
  const std::string url = "http://long.example/?q=" + std::string(5000, 'x');
  std::ofstream(folder / L"long.url", std::ios::binary) << "[InternetShortcut]\r\nURL=" << url << "\r\n";
  DiskFavourites disk;
  const auto found = CollectFavourites(disk, folder.wstring());
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0], std::wstring(url.begin(), url.end()));
}

}  // namespace
}  // namespace corvane::network
