// The rows of the installed-applications window from an entry's values,
// where they are read in each registry view, and the texts of a removal.
#include "inventory/installed_apps.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
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
  const auto row = MakeAppRow(L"EditorKey", L"HKLM (32-bit)", entry.Reader());
  ASSERT_TRUE(row);
  EXPECT_EQ(*row, (AppRow{L"Editor", L"1.2", L"http://help.example/", L"", L"C:\\Editor", L"", L"Someone", L"",
                          L"C:\\Editor\\remove.exe /q", L"EditorKey", L"20201231", L"HKLM (32-bit)"}));
  EXPECT_EQ(row->size(), kAppRowCells) << "the shown cells, then the install date and the source for the report";
  EXPECT_EQ(AppColumns()[kAppSubkey].caption, L"") << "the key name column has no caption";
  std::vector<std::wstring> reads(kAppValueNames.begin(), kAppValueNames.end());
  reads.emplace_back(kAppInstallDateValue);
  EXPECT_EQ(entry.reads, reads);
}

TEST(MakeAppRow, AnInstallDateThatIsNoTextIsLeftEmptyNotTheRowLost) {
  ScriptedEntry entry;
  entry.values[L"DisplayName"] = L"Editor";
  entry.wrong_type = L"InstallDate";
  const auto row = MakeAppRow(L"EditorKey", L"HKLM", entry.Reader());
  ASSERT_TRUE(row);
  EXPECT_EQ((*row)[kAppInstallDate], L"");
  EXPECT_EQ((*row)[kAppSource], L"HKLM");
}

TEST(MakeAppRow, AnEntryWithoutADisplayNameIsNotListedAndNothingElseOfItIsRead) {
  for (const wchar_t* name : {static_cast<const wchar_t*>(L""), static_cast<const wchar_t*>(nullptr)}) {
    ScriptedEntry entry;
    if (name) entry.values[L"DisplayName"] = name;
    entry.values[L"UninstallString"] = L"remove.exe";
    entry.wrong_type = L"DisplayVersion";  // a number there would stop a refresh if it were read
    EXPECT_EQ(MakeAppRow(L"Stray", L"HKLM", entry.Reader()), std::nullopt) << (name ? "empty name" : "no name");
    EXPECT_EQ(entry.reads, std::vector<std::wstring>{L"DisplayName"});
  }
}

TEST(MakeAppRow, AValueThatIsNoTextStopsTheRow) {
  ScriptedEntry entry;
  entry.values[L"DisplayName"] = L"Editor";
  entry.wrong_type = L"Readme";
  EXPECT_THROW(MakeAppRow(L"EditorKey", L"HKLM", entry.Reader()), std::runtime_error);
}

TEST(MakeAppRow, TwoEntriesOfOneNameStayTwoRowsInReadOrderWhenSorted) {
  ui::ReportList list;
  for (const wchar_t* key : {L"B-second", L"A-first", L"C-third"}) {
    ScriptedEntry entry;
    entry.values[L"DisplayName"] = key[0] == L'C' ? L"Archiver" : L"Twin";
    list.rows.push_back(*MakeAppRow(key, L"HKLM", entry.Reader()));
  }
  ui::SortByCaption(list, [](std::wstring_view a, std::wstring_view b) { return a.compare(b); });
  ASSERT_EQ(list.rows.size(), 3u);
  EXPECT_EQ(list.rows[0][kAppSubkey], L"C-third");
  EXPECT_EQ(list.rows[1][kAppSubkey], L"B-second") << "equal names keep the registry's order";
  EXPECT_EQ(list.rows[2][kAppSubkey], L"A-first");
}

TEST(UninstallSources, TheMachinesKeyInEachViewThenTheUsersOnce) {
  using enum platform::RegistryRoot;
  const std::wstring key(kUninstallKey);
  struct Case {
    bool program64, system64;
    std::vector<UninstallSource> sources;
  };
  const Case cases[] = {
      {true, true,
       {{kLocalMachine, platform::kView64BitFlag, L"HKLM", key, false},
        {kLocalMachine, platform::kView32BitFlag, L"HKLM (32-bit)", key, false},
        {kCurrentUser, 0, L"HKCU", key, false}}},
      // A 32-bit program reads the same, and starts the 64-bit view's
      // uninstallers as 64-bit Windows names them.
      {false, true,
       {{kLocalMachine, platform::kView64BitFlag, L"HKLM", key, true},
        {kLocalMachine, platform::kView32BitFlag, L"HKLM (32-bit)", key, false},
        {kCurrentUser, 0, L"HKCU", key, false}}},
      {false, false, {{kLocalMachine, 0, L"HKLM", key, false}, {kCurrentUser, 0, L"HKCU", key, false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "program64 " << c.program64 << ", system64 " << c.system64);
    const auto sources = UninstallSources(platform::SoftwareViews(c.program64, c.system64));
    EXPECT_EQ(sources, c.sources);
    for (const UninstallSource& source : sources) EXPECT_EQ(FindUninstallSource(sources, source.name), &source);
    EXPECT_EQ(FindUninstallSource(sources, L""), nullptr) << "a row of no known source is acted on nowhere";
  }
}

// Uninstall keys in memory, one per root and view; records which entry was
// opened in which view.
class MemoryUninstallRegistry final : public UninstallRegistry {
 public:
  struct Entry {
    std::wstring subkey;
    std::map<std::wstring, std::wstring, std::less<>> values;
    bool opens = true;
    std::wstring wrong_type;  // a value of this name is no text
  };
  using Place = std::pair<platform::RegistryRoot, std::uint32_t>;

  void Add(Place place, Entry entry) { keys_[place].push_back(std::move(entry)); }
  std::vector<std::pair<std::uint32_t, std::wstring>> opened;

  std::vector<std::wstring> EntryNames(const UninstallSource& source) override {
    std::vector<std::wstring> names;
    for (const Entry& entry : Key(source)) names.push_back(entry.subkey);
    return names;
  }
  bool OpenEntry(const UninstallSource& source, std::wstring_view subkey) override {
    open_ = nullptr;
    for (const Entry& entry : Key(source)) {
      if (entry.subkey == subkey && entry.opens) open_ = &entry;
    }
    if (open_) opened.emplace_back(source.view, subkey);
    return open_ != nullptr;
  }
  std::wstring ReadValue(std::wstring_view name) override {
    if (name == open_->wrong_type) throw std::runtime_error("not a string");
    const auto it = open_->values.find(name);
    return it == open_->values.end() ? std::wstring() : it->second;
  }

 private:
  const std::vector<Entry>& Key(const UninstallSource& source) const {
    static const std::vector<Entry> kNone;
    const auto it = keys_.find({source.root, source.view});
    return it == keys_.end() ? kNone : it->second;
  }
  std::map<Place, std::vector<Entry>> keys_;
  const Entry* open_ = nullptr;
};

class ReadAppRowsOn64BitWindows : public testing::Test {
 protected:
  using Entry = MemoryUninstallRegistry::Entry;
  static constexpr MemoryUninstallRegistry::Place k64{platform::RegistryRoot::kLocalMachine, platform::kView64BitFlag};
  static constexpr MemoryUninstallRegistry::Place k32{platform::RegistryRoot::kLocalMachine, platform::kView32BitFlag};
  static constexpr MemoryUninstallRegistry::Place kUser{platform::RegistryRoot::kCurrentUser, 0};

  static Entry Named(std::wstring subkey, std::wstring name, std::wstring version = L"") {
    return {std::move(subkey), {{L"DisplayName", std::move(name)}, {L"DisplayVersion", std::move(version)}}, true, L""};
  }
  // Name, version, key and source of each row.
  static std::vector<std::vector<std::wstring>> Brief(const std::vector<AppRow>& rows) {
    std::vector<std::vector<std::wstring>> brief;
    for (const AppRow& row : rows) brief.push_back({row[kAppName], row[kAppVersion], row[kAppSubkey], row[kAppSource]});
    return brief;
  }

  const std::vector<UninstallSource> sources_ = UninstallSources(platform::SoftwareViews(false, true));
  MemoryUninstallRegistry registry_;
};

TEST_F(ReadAppRowsOn64BitWindows, EveryViewAndTheUserEachEntryMarkedWithWhereItWasRead) {
  registry_.Add(k64, Named(L"{Shared}", L"Twin Tool", L"2.0 x64"));
  registry_.Add(k64, Named(L"Only64", L"Sixty-four"));
  registry_.Add(k32, Named(L"Only32", L"Thirty-two"));
  registry_.Add(k32, Named(L"{Shared}", L"Twin Tool", L"2.0 x86"));
  registry_.Add(k32, {L"Unnamed", {{L"UninstallString", L"x.exe"}}, true, L""});
  registry_.Add(k32, Entry{L"Closed", {{L"DisplayName", L"Locked"}}, false, L""});
  registry_.Add(kUser, Named(L"Mine", L"Per-user app"));

  std::vector<AppRow> rows;
  ReadAppRows(rows, sources_, registry_);
  EXPECT_EQ(Brief(rows), (std::vector<std::vector<std::wstring>>{
                             {L"Twin Tool", L"2.0 x64", L"{Shared}", L"HKLM"},
                             {L"Sixty-four", L"", L"Only64", L"HKLM"},
                             {L"Thirty-two", L"", L"Only32", L"HKLM (32-bit)"},
                             {L"Twin Tool", L"2.0 x86", L"{Shared}", L"HKLM (32-bit)"},
                             {L"Per-user app", L"", L"Mine", L"HKCU"},
                         }))
      << "an entry in both views is two installations; one without a name or that does not open is left out";
  // Each entry is read in its own view, never through the other one.
  EXPECT_EQ(registry_.opened, (std::vector<std::pair<std::uint32_t, std::wstring>>{
                                  {platform::kView64BitFlag, L"{Shared}"},
                                  {platform::kView64BitFlag, L"Only64"},
                                  {platform::kView32BitFlag, L"Only32"},
                                  {platform::kView32BitFlag, L"{Shared}"},
                                  {platform::kView32BitFlag, L"Unnamed"},
                                  {0, L"Mine"},
                              }));

  // Sorted by name, the two installations stay in reading order, 64-bit first.
  ui::ReportList list{{}, rows};
  ui::SortByCaption(list, [](std::wstring_view a, std::wstring_view b) { return a.compare(b); });
  EXPECT_EQ(Brief(list.rows)[3], (std::vector<std::wstring>{L"Twin Tool", L"2.0 x64", L"{Shared}", L"HKLM"}));
  EXPECT_EQ(Brief(list.rows)[4], (std::vector<std::wstring>{L"Twin Tool", L"2.0 x86", L"{Shared}", L"HKLM (32-bit)"}));
}

TEST_F(ReadAppRowsOn64BitWindows, AValueThatIsNoTextInOneViewKeepsTheRowsOfTheViewsBefore) {
  registry_.Add(k64, Named(L"Good", L"Good"));
  Entry bad = Named(L"Bad", L"Bad");
  bad.wrong_type = L"Publisher";
  registry_.Add(k32, bad);
  registry_.Add(kUser, Named(L"After", L"After"));
  std::vector<AppRow> rows{{L"already there"}};
  EXPECT_THROW(ReadAppRows(rows, sources_, registry_), std::runtime_error);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], AppRow{L"already there"});
  EXPECT_EQ(rows[1][kAppSubkey], L"Good");
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
