// The interactive exports: the save dialog (the format follows the chosen
// filter, not the typed extension) and the clipboard, read back here, from
// another process than the one that wrote it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/summary.h"
#include "e2e/harness.h"
#include "e2e/sheet_checks.h"
#include "inventory/personal_window_ids.h"
#include "platform/seeded_value_win.h"

namespace corvane::e2e {
namespace {

// Explorer-style save dialog controls.
constexpr int kFilterCombo = 0x470;  // cmb1
constexpr int kNameCombo = 0x47C;    // cmb13
constexpr int kNameEdit = 0x480;     // edt1, the name box of dialogs without cmb13

std::vector<std::wstring> SplitCrLf(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find(L"\r\n", start);
    if (end == std::wstring::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// Seeds a row value that holds double quotes: the BIOS identifier of row 22.
class QuotedBiosIdentifier {
 public:
  QuotedBiosIdentifier() {
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System", 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_);
    wchar_t old[256];
    DWORD size = sizeof old, type = 0;
    if (RegQueryValueExW(key_, L"Identifier", nullptr, &type, reinterpret_cast<BYTE*>(old), &size) == ERROR_SUCCESS) {
      old_.assign(old, size / sizeof(wchar_t));
      had_ = true;
    }
    Set(L"AT \"compatible\"");
  }
  ~QuotedBiosIdentifier() {
    if (had_) {
      RegSetValueExW(key_, L"Identifier", 0, REG_SZ, reinterpret_cast<const BYTE*>(old_.data()),
                     static_cast<DWORD>(old_.size() * sizeof(wchar_t)));
    } else {
      RegDeleteValueW(key_, L"Identifier");
    }
    RegCloseKey(key_);
  }

 private:
  void Set(const std::wstring& text) {
    RegSetValueExW(key_, L"Identifier", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  HKEY key_ = nullptr;
  std::wstring old_;
  bool had_ = false;
};

class Exports : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app_.started());
    ASSERT_TRUE(app_.WaitForMainWindow());
  }

  // Runs a save command (File, "Save to CSV" unless told) through the dialog
  // with the given filter and name.
  void SaveThroughDialog(int filter_index, const std::wstring& path, int command = app::kCmdSaveToCsv) {
    ASSERT_TRUE(app_.PostCommand(command));
    HWND dialog = app_.WaitForWindow(L"#32770");
    ASSERT_TRUE(dialog) << "no save dialog";
    HWND filter = FindDescendantById(dialog, kFilterCombo);
    ASSERT_TRUE(filter);
    SendMessageW(filter, CB_SETCURSEL, filter_index - 1, 0);
    // What a user's pick sends: the dialog takes the filter index on CBN_SELENDOK.
    for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
      SendMessageW(GetParent(filter), WM_COMMAND, MAKEWPARAM(kFilterCombo, code), reinterpret_cast<LPARAM>(filter));
    }
    ASSERT_EQ(SendMessageW(filter, CB_GETCURSEL, 0, 0), filter_index - 1);
    HWND name = FindDescendantById(dialog, kNameCombo);
    if (!name) name = FindDescendantById(dialog, kNameEdit);
    ASSERT_TRUE(name);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(path) && app_.Responsive(); }, kRefreshTimeout))
        << "nothing written to " << testing::PrintToString(path);
    EXPECT_FALSE(app_.FindMessageBox()) << "an error box: " << testing::PrintToString(DescribeWindow(app_.FindMessageBox()));
  }

  QuotedBiosIdentifier quoted_;  // before the program starts, so its refreshes see it
  TempFolder dir_;
  CorvaneProcess app_{{L"/norefresh"}};
};

TEST_F(Exports, CsvFilterWritesCsvWhateverTheExtension) {
  const std::wstring path = dir_ / L"summary.txt";
  SaveThroughDialog(2, path);
  const auto lines = SplitCrLf(Widen(*ReadFileBytes(path)));
  ASSERT_EQ(lines.size(), 28u);
  for (int n = 1; n <= 28; ++n) {
    const std::wstring head = L"\"" + std::wstring(report::SummaryModel::Label(n)) + L"\",\"";
    EXPECT_EQ(lines[n - 1].rfind(head, 0), 0u) << lines[n - 1];
    EXPECT_EQ(lines[n - 1].back(), L'"');
  }
  EXPECT_NE(lines[21].find(L"AT \"\"compatible\"\""), std::wstring::npos) << "quotes in a value are doubled: "
                                                                         << testing::PrintToString(lines[21]);
  EXPECT_EQ(lines[18], L"\"Manufacturer\",\"The Wine Project\"");
}

TEST_F(Exports, TextFilterWritesTextWhateverTheExtension) {
  const std::wstring path = dir_ / L"summary.csv";
  SaveThroughDialog(1, path);
  const auto lines = SplitCrLf(Widen(*ReadFileBytes(path)));
  ASSERT_EQ(lines.size(), 28u);
  for (int n = 1; n <= 28; ++n) {
    EXPECT_EQ(lines[n - 1].rfind(std::wstring(report::SummaryModel::Label(n)) + L": ", 0), 0u) << lines[n - 1];
  }
  EXPECT_EQ(lines[19], L"Product Make: Wine");
  // The export refreshed the sheet first.
  EXPECT_EQ(app_.Info(19), L"The Wine Project");
}

TEST_F(Exports, ClipboardHoldsThePaddedLinesAndIsConfirmed) {
  ASSERT_TRUE(app_.PostCommand(app::kCmdCopyToClipboard));
  HWND box = app_.WaitForWindow(L"#32770", kRefreshTimeout);
  ASSERT_TRUE(box) << "no confirmation";
  EXPECT_NE(DescribeWindow(box).find(L"System Information copied to clipboard."), std::wstring::npos)
      << testing::PrintToString(DescribeWindow(box));

  std::wstring text;
  ASSERT_TRUE(WaitUntil([] { return OpenClipboard(nullptr) != FALSE; }, kUiTimeout));
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);

  const auto lines = SplitCrLf(text);
  ASSERT_EQ(lines.size(), 28u);
  EXPECT_EQ(lines[0].substr(0, 21), L"Windows:" + std::wstring(12, L' ') + L"\t");  // ": " and eleven spaces
  EXPECT_EQ(lines[15].substr(0, 21), L"Hard Disks - Free:  \t");                 // one space
  EXPECT_EQ(lines[18], L"Manufacturer:       \tThe Wine Project");
  EXPECT_TRUE(WaitUntil([&] { return !app_.FindMessageBox(); }, kUiTimeout));
}

std::size_t Count(const std::wstring& text, std::wstring_view part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

TEST_F(Exports, HtmlPageHoldsTheRefreshedSheet) {
  const std::wstring path = dir_ / L"summary.htm";
  SaveThroughDialog(1, path, app::kCmdExportHtml);
  const auto bytes = ReadFileBytes(path);
  ASSERT_TRUE(bytes);
  const std::wstring page = Widen(*bytes);
  const auto lines = SplitCrLf(page);
  ASSERT_EQ(lines.size(), 10u + 28u * 8u + 4u);
  EXPECT_EQ(page.substr(page.size() - 9), L"</html>\r\n") << "every line ends with CR LF";
  EXPECT_EQ(lines[0], L"<html>");
  // The personal-information window has not been refreshed: no owner.
  EXPECT_EQ(lines[4], L"<title>Corvane for PC:</title>");
  // Today in the short date format, one space, then the time.
  SYSTEMTIME today{};
  GetLocalTime(&today);
  wchar_t date[64] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &today, nullptr, date, 64);
  const std::wstring heading = L"<h1 align=\"center\"><span style=\"font-weight: 400\"><font face=\"Georgia\">Corvane"
                               L"</font><small>---" + std::wstring(date) + L" ";
  EXPECT_EQ(lines[7].rfind(heading, 0), 0u) << testing::PrintToString(lines[7]);
  EXPECT_EQ(lines[7].substr(lines[7].size() - 20), L"</small></span></h1>");
  EXPECT_EQ(Count(page, L"<table "), 28u);
  EXPECT_NE(page.find(L"<b>Manufacturer</b></td>"), std::wstring::npos);
  EXPECT_NE(page.find(L"<b>The Wine Project</b></td>"), std::wstring::npos) << "the sheet was refreshed first";
  // Row 22's value holds double quotes: they reach the page as references.
  EXPECT_NE(page.find(L"AT &quot;compatible&quot;"), std::wstring::npos);
  EXPECT_EQ(page.find(L"AT \"compatible\""), std::wstring::npos);
}

TEST_F(Exports, HtmlTitleNamesTheOwnerThePersonalWindowLastShowed) {
  test_support::SeededValue owner(L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", L"RegisteredOwner", REG_SZ,
                                  {'T', 0, 'o', 0, 'm', 0, ' ', 0, '&', 0, ' ', 0, 'J', 0, 'o', 0, 0, 0});
  ASSERT_TRUE(app_.PostCommand(app::kCmdPersonalInfo));
  HWND personal = app_.WaitForWindow(L"TfrmPersonal", kRefreshTimeout);
  ASSERT_TRUE(personal);
  HWND owner_cell = FindDescendantById(personal, inventory::personal_ids::kIdRegisteredOwner);
  ASSERT_TRUE(WaitUntil([&] { return WindowText(owner_cell) == std::optional<std::wstring>(L"Tom & Jo"); },
                        kRefreshTimeout));
  const std::wstring path = dir_ / L"owner.htm";
  SaveThroughDialog(1, path, app::kCmdExportHtml);
  const auto lines = SplitCrLf(Widen(*ReadFileBytes(path)));
  ASSERT_GT(lines.size(), 4u);
  EXPECT_EQ(lines[4], L"<title>Corvane for PC:Tom &amp; Jo</title>");
}

}  // namespace
}  // namespace corvane::e2e
