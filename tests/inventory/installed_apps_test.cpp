// The rows of the installed-applications window from an entry's values,
// and the texts of a removal.
#include "inventory/installed_apps.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::inventory {
namespace {

// An entry's values; a value named in `wrong_type` fails to read as text.
struct ScriptedEntry {
  std::map<std::wstring, std::wstring, std::less<>> values;
  std::wstring wrong_type;
  std::vector<std::wstring> reads;

  EntryValueReader Reader() {
    return [this](std::wstring_view name) {
      reads.emplace_back(name);
      if (name == wrong_type) throw std::runtime_error("not a string");
      auto it = values.find(name);
      return it == values.end() ? std::wstring() : it->second;
    };
  }
};

TEST(MakeAppRow, CellsInColumnOrderEndingWithTheSubkeyMissingValuesEmpty) {
  ScriptedEntry entry;
  entry.values = {{L"DisplayName", L"Editor"},           {L"DisplayVersion", L"1.2"},
                  {L"HelpLink", L"http://help.example/"}, {L"InstallLocation", L"C:\\Editor"},
                  {L"Publisher", L"Someone"},             {L"UninstallString", L"C:\\Editor\\remove.exe /q"},
                  {L"InstallDate", L"20201231"}};
  const auto row = MakeAppRow(L"EditorKey", entry.Reader());
  ASSERT_TRUE(row);
  EXPECT_EQ(*row, (AppRow{L"Editor", L"1.2", L"http://help.example/", L"", L"C:\\Editor", L"", L"Someone", L"",
                          L"C:\\Editor\\remove.exe /q", L"EditorKey", L"20201231"}));
  EXPECT_EQ(row->size(), kAppInstallDate + 1) << "the shown cells, then the install date for the report";
  EXPECT_EQ(AppColumns()[kAppSubkey].caption, L"") << "the key name column has no caption";
  std::vector<std::wstring> reads(kAppValueNames.begin(), kAppValueNames.end());
  reads.emplace_back(kAppInstallDateValue);
  EXPECT_EQ(entry.reads, reads);
}

TEST(MakeAppRow, AnInstallDateThatIsNoTextIsLeftEmptyNotTheRowLost) {
  ScriptedEntry entry;
  entry.values[L"DisplayName"] = L"Editor";
  entry.wrong_type = L"InstallDate";
  const auto row = MakeAppRow(L"EditorKey", entry.Reader());
  ASSERT_TRUE(row);
  EXPECT_EQ((*row)[kAppInstallDate], L"");
}

TEST(MakeAppRow, AnEntryWithoutADisplayNameIsNotListedAndNothingElseOfItIsRead) {
  for (const wchar_t* name : {static_cast<const wchar_t*>(L""), static_cast<const wchar_t*>(nullptr)}) {
    ScriptedEntry entry;
    if (name) entry.values[L"DisplayName"] = name;
    entry.values[L"UninstallString"] = L"remove.exe";
    entry.wrong_type = L"DisplayVersion";  // a number there would stop a refresh if it were read
    EXPECT_EQ(MakeAppRow(L"Stray", entry.Reader()), std::nullopt) << (name ? "empty name" : "no name");
    EXPECT_EQ(entry.reads, std::vector<std::wstring>{L"DisplayName"});
  }
}

TEST(MakeAppRow, AValueThatIsNoTextStopsTheRow) {
  ScriptedEntry entry;
  entry.values[L"DisplayName"] = L"Editor";
  entry.wrong_type = L"Readme";
  EXPECT_THROW(MakeAppRow(L"EditorKey", entry.Reader()), std::runtime_error);
}

TEST(MakeAppRow, TwoEntriesOfOneNameStayTwoRowsInReadOrderWhenSorted) {
  ui::ReportList list;
  for (const wchar_t* key : {L"B-second", L"A-first", L"C-third"}) {
    ScriptedEntry entry;
    entry.values[L"DisplayName"] = key[0] == L'C' ? L"Archiver" : L"Twin";
    list.rows.push_back(*MakeAppRow(key, entry.Reader()));
  }
  ui::SortByCaption(list, [](std::wstring_view a, std::wstring_view b) { return a.compare(b); });
  ASSERT_EQ(list.rows.size(), 3u);
  EXPECT_EQ(list.rows[0][kAppSubkey], L"C-third");
  EXPECT_EQ(list.rows[1][kAppSubkey], L"B-second") << "equal names keep the registry's order";
  EXPECT_EQ(list.rows[2][kAppSubkey], L"A-first");
}

TEST(RemovalTexts, NameTheKeyInQuotes) {
  EXPECT_EQ(EntryRemovedText(L"{12-34}"), L"\"{12-34}\" entry removed.");
  EXPECT_EQ(EntryNotRemovedText(L"Stray", L"Access denied."),
            L"\"Stray\" entry could not be removed.\r\nAccess denied.");
  EXPECT_EQ(EntryNotRemovedText(L"Stray", L""), L"\"Stray\" entry could not be removed.");
  EXPECT_EQ(kDeleteConfirmText.find(L'\r'), std::wstring_view(L"This option is to remove stray uninstall entries.").size())
      << "the two lines are joined by a carriage return alone";
}

}  // namespace
}  // namespace corvane::inventory
