// Registry data of the wrong type, empty, very large, unterminated or outside
// the ANSI code page, in the values the windows read, under Wine. Each kind is
// one round: every value of the table is seeded with it at once, then the
// unattended inventory report (every window's reading, written as UTF-8) and,
// where text reaches the summary, the unattended text export (written in the
// ANSI code page) run to their end. Long lists (ten thousand entries) get a
// round of their own, through the report and through the windows themselves.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "e2e/hostile_values.h"
#include "inventory/sound_window_ids.h"
#include "inventory/startup_window_ids.h"
#include "inventory/uninstall_window_ids.h"
#include "platform/seeded_value_win.h"
#include "platform/utf8.h"
#include "report/inventory.h"

namespace corvane::e2e {
namespace {

using test_support::SeededValue;

constexpr wchar_t kNtCurrentVersion[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr wchar_t kRun[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kClasses[] = L"SYSTEM\\CurrentControlSet\\Control\\Class";
// An uninstall entry whose key name is itself outside the ANSI code page, so
// a message naming the key shows whether it survives the way to the user.
const std::wstring kWideEntry = std::wstring(kUninstall) + L"\\CorvaneHostile " + std::wstring(kWideSample);
const std::wstring kQuietEntry = std::wstring(kUninstall) + L"\\CorvaneHostile Quiet";

// One value a window reads.
struct Target {
  const char* name;
  HKEY root;
  std::wstring key;
  const wchar_t* value;
  DWORD expected;  // the type the program reads it as
  // The section that shows the value's text, if any.
  const wchar_t* section = nullptr;
  // The section's failure when a value of another type is read without
  // being caught (the window's own message where it has one); nullptr when
  // such a value is passed over.
  const wchar_t* wrong_type_failure = nullptr;
};

const std::vector<Target>& Targets() {
  static const std::vector<Target> targets{
      // The summary, the BIOS and display windows.
      {"BiosIdentifier", HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System", L"Identifier", REG_SZ, L"TfrmBiosInfo"},
      {"BiosVersion", HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System", L"SystemBiosVersion", REG_MULTI_SZ,
       L"TfrmBiosInfo", L"Wrong data type"},
      {"VideoBiosDate", HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System", L"VideoBiosDate", REG_SZ,
       L"TfrmBiosInfo"},
      {"CpuIdentifier", HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", L"Identifier",
       REG_SZ},
      {"SerialPort", HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", L"CorvaneHostile", REG_SZ, L"TForm1"},
      {"VideoDevice", HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\VIDEO", L"\\Device\\Video0", REG_SZ},
      // Personal information.
      {"Organization", HKEY_LOCAL_MACHINE, kNtCurrentVersion, L"RegisteredOrganization", REG_SZ, L"TfrmPersonal"},
      {"InstallDate", HKEY_LOCAL_MACHINE, kNtCurrentVersion, L"InstallDate", REG_DWORD},
      {"DigitalProductId", HKEY_LOCAL_MACHINE, kNtCurrentVersion, L"DigitalProductId", REG_BINARY},
      {"ProductName", HKEY_LOCAL_MACHINE, kNtCurrentVersion, L"ProductName", REG_SZ},
      // The inventories.
      {"AppName", HKEY_LOCAL_MACHINE, kWideEntry, L"DisplayName", REG_SZ, L"TfrmUnistall", L"DisplayName"},
      {"AppPublisher", HKEY_LOCAL_MACHINE, kQuietEntry, L"Publisher", REG_SZ, L"TfrmUnistall", L"Publisher"},
      {"RunValue", HKEY_CURRENT_USER, kRun, L"CorvaneHostile", REG_SZ, L"TfrmStartup", L"CorvaneHostile"},
      {"DriverDesc", HKEY_LOCAL_MACHINE, std::wstring(kClasses) + L"\\{CorvaneHostile}\\0000", L"DriverDesc", REG_SZ,
       L"TfrmDevices", L"DriverDesc"},
      {"UsbStorageCount", HKEY_LOCAL_MACHINE, L"SYSTEM\\CurrentControlSet\\Services\\USBSTOR\\Enum", L"Count",
       REG_DWORD},
      // Internet and browsers.
      {"StartPage", HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\Main", L"Start Page", REG_SZ,
       L"TfrmInternet"},
      {"TypedUrl", HKEY_CURRENT_USER, L"Software\\Microsoft\\Internet Explorer\\TypedURLs", L"url1", REG_SZ,
       L"TfrmInternet"},
      {"IeVersion", HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Internet Explorer", L"Version", REG_SZ,
       L"TfrmInternet"},
  };
  return targets;
}

// Every text of a section: titles, labels, values, cells and tree items.
void CollectTexts(const ui::TreeNode& node, std::vector<std::wstring>& out) {
  out.push_back(node.text);
  for (const auto& child : node.children) CollectTexts(child, out);
}
std::vector<std::wstring> Texts(const report::InventorySection& entry) {
  const ui::ReportSection& s = entry.section;
  std::vector<std::wstring> out{s.title, entry.error};
  for (const auto& row : s.rows) out.insert(out.end(), {row.label, row.value});
  for (const auto& list : s.lists) {
    out.push_back(list.title);
    out.insert(out.end(), list.columns.begin(), list.columns.end());
    for (const auto& row : list.rows) out.insert(out.end(), row.begin(), row.end());
  }
  for (const auto& tree : s.trees) {
    out.push_back(tree.title);
    for (const auto& node : tree.nodes) CollectTexts(node, out);
  }
  return out;
}

const report::InventorySection* Section(const report::InventoryDocument& doc, std::wstring_view id) {
  for (const auto& entry : doc.sections) {
    if (entry.section.id == id) return &entry;
  }
  return nullptr;
}

bool Shows(const report::InventorySection& entry, std::wstring_view text) {
  return std::ranges::any_of(Texts(entry), [&](const std::wstring& t) { return t.find(text) != std::wstring::npos; });
}

// The text a value of `kind` should show where its window shows it; empty
// when the kind gives nothing to look for.
std::wstring ShownText(Hostile kind, DWORD expected) {
  if (ChangesType(kind, expected)) return {};
  switch (kind) {
    case Hostile::kWide: return std::wstring(kWideSample);
    case Hostile::kLarge: return LargeText();
    case Hostile::kUnterminated: return L"abc";
    default: return {};
  }
}

// A run of corvane.exe with `args` to its end: no message box, exit code 0.
void RunToTheEnd(const std::vector<std::wstring>& args) {
  CorvaneProcess app(args);
  ASSERT_TRUE(app.started()) << "CreateProcess error " << app.start_error();
  const auto run = app.WatchUntilExit(kRefreshTimeout);
  EXPECT_TRUE(run.boxes.empty()) << "message box: " << testing::PrintToString(run.boxes);
  EXPECT_EQ(run.exit_code, std::optional<DWORD>(0)) << "ended in time, by itself and well";
}

std::optional<report::InventoryDocument> RunReport(const TempFolder& dir) {
  const std::wstring file = dir / L"inventory.json";
  RunToTheEnd({L"/REPORT", file});
  const std::string bytes = ReadFileBytes(file).value_or("");
  auto read = report::ReadInventoryJson(bytes);
  if (auto* failure = std::get_if<report::InventoryReadError>(&read)) {
    ADD_FAILURE() << failure->reason << "\n" << bytes.substr(0, 400);
    return std::nullopt;
  }
  // The writer turns an unpaired surrogate into U+FFFD: none may reach it.
  EXPECT_EQ(bytes.find("\xEF\xBF\xBD"), std::string::npos) << "a broken character reached the report";
  return std::get<report::InventoryDocument>(std::move(read));
}

// `text` in the ANSI code page, by the system's own conversion: what the code
// page lacks becomes its default character.
std::string Ansi(std::wstring_view text) {
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(n, 0)), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// The summary's lines as the unattended run writes them, in the ANSI code page.
std::vector<std::string> RunAutoExport(const TempFolder& dir) {
  const std::wstring file = dir / L"summary.txt";
  RunToTheEnd({L"/AUTO", file});
  const std::string bytes = ReadFileBytes(file).value_or("");
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t end = std::min(bytes.find("\r\n", at), bytes.size());
    lines.push_back(bytes.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// Values every round keeps sound: the second uninstall entry's name, so its
// other values are read whatever a round does to the first one's name, and a
// video BIOS version, without which the BIOS window stops at that row.
std::vector<std::unique_ptr<SeededValue>> SeedFixtures() {
  std::vector<std::unique_ptr<SeededValue>> fixtures;
  fixtures.push_back(std::make_unique<SeededValue>(HKEY_LOCAL_MACHINE, kQuietEntry, L"DisplayName", REG_SZ,
                                                   Utf16Bytes(L"CorvaneHostile Quiet")));
  fixtures.push_back(std::make_unique<SeededValue>(HKEY_LOCAL_MACHINE, L"HARDWARE\\DESCRIPTION\\System",
                                                   L"VideoBiosVersion", REG_MULTI_SZ,
                                                   Utf16Bytes(std::wstring(L"CorvaneHostile VGA\0", 19))));
  return fixtures;
}

class HostileRegistry : public testing::TestWithParam<Hostile> {
 protected:
  // What fails on this machine without any hostile value (no default
  // printer, say), by section: no round is blamed for it.
  static void SetUpTestSuite() {
    const auto fixtures = SeedFixtures();
    TempFolder dir;
    if (const auto doc = RunReport(dir)) {
      for (const auto& entry : doc->sections) {
        if (!entry.error.empty()) machine_failures_[entry.section.id] = entry.error;
      }
    }
  }
  void SetUp() override {
    fixtures_ = SeedFixtures();
    for (const Target& target : Targets()) {
      const RegistryData data = HostileData(GetParam(), target.expected);
      seeded_.push_back(std::make_unique<SeededValue>(target.root, target.key, target.value, data.type, data.bytes));
    }
  }
  void TearDown() override {
    seeded_.clear();
    fixtures_.clear();
  }

  static bool FailsAnyway(const report::InventorySection& entry) {
    const auto known = machine_failures_.find(entry.section.id);
    return known != machine_failures_.end() && known->second == entry.error;
  }

  std::vector<std::unique_ptr<SeededValue>> fixtures_, seeded_;
  static inline std::map<std::wstring, std::wstring> machine_failures_;
};

TEST_P(HostileRegistry, EveryWindowReadsItWithoutBreakingItsText) {
  const Hostile kind = GetParam();
  TempFolder dir;
  const auto doc = RunReport(dir);
  ASSERT_TRUE(doc);

  // Which sections must fail, and with what, when a value changes type.
  std::map<std::wstring, std::vector<std::wstring>> failures;
  for (const Target& t : Targets()) {
    if (t.wrong_type_failure && ChangesType(kind, t.expected)) failures[t.section].push_back(t.wrong_type_failure);
  }
  for (const auto& entry : doc->sections) {
    SCOPED_TRACE(testing::PrintToString(entry.section.id));
    for (const std::wstring& text : Texts(entry)) {
      EXPECT_FALSE(HasLoneSurrogate(text)) << "a character cut in two";
    }
    const auto expected = failures.find(entry.section.id);
    if (expected == failures.end()) {
      if (!FailsAnyway(entry)) {
        EXPECT_EQ(entry.error, L"") << "no failure stops this window";
      }
      continue;
    }
    // Named by the value (or the window's own message) and with the key's
    // name intact.
    EXPECT_TRUE(std::ranges::any_of(expected->second, [&](const std::wstring& part) {
      return entry.error.find(part) != std::wstring::npos;
    })) << testing::PrintToString(entry.error);
    if (entry.section.id == L"TfrmUnistall" && entry.error.find(L"DisplayName") != std::wstring::npos) {
      EXPECT_NE(entry.error.find(kWideSample), std::wstring::npos) << testing::PrintToString(entry.error);
    }
  }

  for (const Target& t : Targets()) {
    const std::wstring shown = ShownText(kind, t.expected);
    if (!t.section || shown.empty()) continue;
    SCOPED_TRACE(t.name);
    const auto* entry = Section(*doc, t.section);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(Shows(*entry, shown)) << "the value's whole text, as stored";
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, HostileRegistry,
                         testing::Values(Hostile::kOtherType, Hostile::kMultiText, Hostile::kBytes, Hostile::kEmpty,
                                         Hostile::kLarge, Hostile::kUnterminated, Hostile::kWide),
                         [](const auto& info) { return std::string(HostileName(info.param)); });

// The summary's text file keeps every line when its text is outside the
// code page: what the code page lacks becomes its default character.
class HostileAnsiExport : public HostileRegistry {};

TEST_P(HostileAnsiExport, KeepsEveryLine) {
  const Hostile kind = GetParam();
  TempFolder dir;
  const std::vector<std::string> lines = RunAutoExport(dir);
  ASSERT_EQ(lines.size(), 28u);
  const std::string ansi = Ansi(ShownText(kind, REG_SZ));
  ASSERT_FALSE(ansi.empty());
  EXPECT_THAT(lines, testing::Contains(testing::AllOf(testing::StartsWith("Ports: "), testing::HasSubstr(ansi))));
}

INSTANTIATE_TEST_SUITE_P(TextOutsideTheCodePage, HostileAnsiExport, testing::Values(Hostile::kWide, Hostile::kLarge),
                         [](const auto& info) { return std::string(HostileName(info.param)); });

// ---------------------------------------------------------------------------
// Ten thousand entries where a window walks a list of keys or values.

constexpr int kMany = 10000;

class LongRegistryLists : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    apps_ = std::make_unique<SeededSubkeys>(HKEY_LOCAL_MACHINE, kUninstall, L"CorvaneMany ", kMany, L"",
                                            L"DisplayName");
    run_ = std::make_unique<SeededValues>(HKEY_CURRENT_USER, kRun, L"CorvaneMany ", kMany);
    classes_ = std::make_unique<SeededSubkeys>(HKEY_LOCAL_MACHINE, kClasses, L"{CorvaneMany ", kMany, L"0000",
                                               L"DriverDesc");
    sounds_ = std::make_unique<SeededSubkeys>(HKEY_CURRENT_USER, L"AppEvents\\EventLabels", L"CorvaneMany ", kMany,
                                              L"", L"");
  }
  static void TearDownTestSuite() {
    apps_.reset();
    run_.reset();
    classes_.reset();
    sounds_.reset();
  }
  void SetUp() override {
    ASSERT_EQ(apps_->made(), kMany);
    ASSERT_EQ(run_->made(), kMany);
    ASSERT_EQ(classes_->made(), kMany);
    ASSERT_EQ(sounds_->made(), kMany);
  }

  static inline std::unique_ptr<SeededSubkeys> apps_, classes_, sounds_;
  static inline std::unique_ptr<SeededValues> run_;
};

std::size_t RowsStarting(const report::InventorySection& entry, std::size_t column, std::wstring_view prefix) {
  std::size_t n = 0;
  for (const auto& list : entry.section.lists) {
    for (const auto& row : list.rows) n += row.size() > column && row[column].starts_with(prefix);
  }
  return n;
}

TEST_F(LongRegistryLists, TheReportListsEveryEntry) {
  TempFolder dir;
  const auto doc = RunReport(dir);
  ASSERT_TRUE(doc);
  const struct {
    const wchar_t* section;
    std::size_t column;  // where the seeded name shows
    const wchar_t* prefix;
  } lists[] = {{L"TfrmUnistall", 0, L"CorvaneMany "},
               {L"TfrmStartup", 1, L"CorvaneMany "},
               {L"TfrmDevices", 0, L"{CorvaneMany "}};
  for (const auto& list : lists) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(list.section)));
    const auto* entry = Section(*doc, list.section);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->error, L"");
    EXPECT_EQ(RowsStarting(*entry, list.column, list.prefix), static_cast<std::size_t>(kMany));
  }
}

// The windows themselves, opened from the main window: filled within the
// harness's bound, every entry counted or listed.
TEST_F(LongRegistryLists, TheListWindowsFillAndShowEveryEntry) {
  CorvaneProcess app({L"/norefresh"});
  ASSERT_TRUE(app.started());
  ASSERT_TRUE(app.WaitForMainWindow());
  const auto status_count = [](HWND window, int id) {
    const std::wstring status = ChildText(window, id);
    return status.starts_with(L"Count: ") ? std::wcstol(status.c_str() + 7, nullptr, 10) : -1L;
  };
  const auto list_box_count = [](HWND window, int id) {
    return static_cast<long>(Ask(FindDescendantById(window, id), LB_GETCOUNT));
  };
  const struct {
    WindowCommand how;
    int filled;  // the child that holds text once the window is filled
    int count_id;
    std::function<long(HWND, int)> count;
  } windows[] = {
      {{app::kCmdAppInfo, L"TfrmUnistall"}, inventory::uninstall_ids::kIdStatus, inventory::uninstall_ids::kIdStatus,
       status_count},
      {{app::kCmdStartup, L"TfrmStartup"}, inventory::startup_ids::kIdStatus, inventory::startup_ids::kIdStatus,
       status_count},
      {{app::kCmdSound, L"TfrmSound", /*modal=*/true}, inventory::sound_ids::kIdSoundCard,
       inventory::sound_ids::kIdEventList, list_box_count},
  };
  for (const auto& w : windows) {
    SCOPED_TRACE(testing::PrintToString(w.how.window_class));
    const OpenedWindow opened = OpenWindow(app, w.how, ChildHasText(w.filled));
    ASSERT_TRUE(opened.window) << opened.failure;
    EXPECT_GE(w.count(opened.window, w.count_id), kMany);
    EXPECT_EQ(app.DismissMessageBoxes(), std::vector<std::wstring>{});
    PostMessageW(opened.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(opened.window); }, kUiTimeout));
  }
  EXPECT_TRUE(app.Responsive());
}

}  // namespace
}  // namespace corvane::e2e
