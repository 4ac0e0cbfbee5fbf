// The unattended inventory report: "/REPORT file" run as a process against
// a registry seeded with uninstall entries and startup values (in both
// registry views of the machine's software key) and BIOS values, its three
// forms and the GLPI inventory read back, its failures and its bad
// arguments.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "app/creation_order.h"
#include "e2e/harness.h"
#include "platform/seeded_value_win.h"
#include "platform/utf8.h"
#include "report/inventory.h"
#include "report/inventory_diff.h"

namespace corvane::e2e {
namespace {

using namespace std::string_view_literals;
using test_support::SeededValue;
using testing::HasSubstr;
using testing::Not;

constexpr wchar_t kUninstall[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr wchar_t kSystemKey[] = L"HARDWARE\\DESCRIPTION\\System";
// A display name that would be markup if a page took it as it is.
constexpr wchar_t kHostileName[] = L"<script>alert('e2e')</script> & CorvaneReport Gadget";

SeededValue::Bytes Utf16(std::wstring_view text) {
  const auto* p = reinterpret_cast<const BYTE*>(text.data());
  return SeededValue::Bytes(p, p + text.size() * sizeof(wchar_t));
}
SeededValue::Bytes Utf16z(std::wstring_view text) { return Utf16(std::wstring(text) + L'\0'); }

std::unique_ptr<SeededValue> SeedApp(const std::wstring& subkey, const std::wstring& name, REGSAM view = 0) {
  return std::make_unique<SeededValue>(HKEY_LOCAL_MACHINE, kUninstall + subkey, L"DisplayName", REG_SZ, Utf16z(name),
                                       view);
}

// A run of corvane.exe to its end, its standard error stream caught.
struct Finished {
  std::optional<DWORD> exit_code;  // nullopt: it did not end in time and was ended
  std::string err;
};

Finished RunCapturingErrors(const std::vector<std::wstring>& args) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 1 << 16)) return {};
  platform::UniqueKernelObject reader(read_end), writer(write_end);
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = write_end;
  si.hStdError = write_end;
  PROCESS_INFORMATION pi{};
  std::wstring line = BuildCommandLine(CorvanePath(), args);
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) return {};
  platform::UniqueKernelObject process(pi.hProcess), thread(pi.hThread);
  writer.reset();  // the pipe ends when the child's copy closes

  Finished result;
  if (WaitForSingleObject(pi.hProcess, static_cast<DWORD>(kRefreshTimeout.count())) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 99);
    WaitForSingleObject(pi.hProcess, 5000);
  } else {
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    result.exit_code = code;
  }
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(read_end, buf, sizeof buf, &got, nullptr) && got > 0) result.err.append(buf, got);
  return result;
}

class InventoryReport : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    seeded_.push_back(SeedApp(L"CorvaneReportGadget", kHostileName));
    seeded_.push_back(std::make_unique<SeededValue>(HKEY_LOCAL_MACHINE, kUninstall + std::wstring(L"CorvaneReportGadget"),
                                                    L"DisplayVersion", REG_SZ, Utf16z(L"4.5.6")));
    // Install dates as some installers write them: month first, and nothing
    // that is a date at all.
    seeded_.push_back(std::make_unique<SeededValue>(HKEY_LOCAL_MACHINE, kUninstall + std::wstring(L"CorvaneReportGadget"),
                                                    L"InstallDate", REG_SZ, Utf16z(L"12/31/2020")));
    seeded_.push_back(SeedApp(L"CorvaneReportOddDate", L"CorvaneReport Odd Date"));
    seeded_.push_back(std::make_unique<SeededValue>(HKEY_LOCAL_MACHINE, kUninstall + std::wstring(L"CorvaneReportOddDate"),
                                                    L"InstallDate", REG_SZ, Utf16z(L"someday soon")));
    seeded_.push_back(std::make_unique<SeededValue>(HKEY_CURRENT_USER,
                                                    L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
                                                    L"CorvaneReport", REG_SZ, Utf16z(L"C:\\report\\agent.exe /quiet")));
    // One entry and one Run value in each view of the machine's software key.
    seeded_.push_back(SeedApp(L"CorvaneReport64", L"CorvaneReport Sixty-four", SeedView(KEY_WOW64_64KEY)));
    seeded_.push_back(SeedApp(L"CorvaneReport32", L"CorvaneReport Thirty-two", SeedView(KEY_WOW64_32KEY)));
    for (const auto& [name, view] : {std::pair{L"CorvaneReport64", KEY_WOW64_64KEY}, std::pair{L"CorvaneReport32", KEY_WOW64_32KEY}}) {
      seeded_.push_back(std::make_unique<SeededValue>(HKEY_LOCAL_MACHINE,
                                                      L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", name,
                                                      REG_SZ, Utf16z(std::wstring(L"C:\\report\\") + name + L".exe"),
                                                      SeedView(view)));
    }
    const auto bios = [](const wchar_t* name, DWORD type, std::wstring_view data) {
      seeded_.push_back(std::make_unique<SeededValue>(kSystemKey, name, type, Utf16(data)));
    };
    bios(L"Identifier", REG_SZ, L"AT/AT COMPATIBLE\0"sv);
    bios(L"SystemBiosDate", REG_SZ, L"03/14/15\0"sv);
    bios(L"SystemBiosVersion", REG_MULTI_SZ, L"REPORT - 1\0BIOS Date: 03/14/15\0\0"sv);
    bios(L"VideoBiosDate", REG_SZ, L"09/26/53\0"sv);
    bios(L"VideoBiosVersion", REG_MULTI_SZ, L"Report VGA\0Second line\0\0"sv);
  }
  static void TearDownTestSuite() { seeded_.clear(); }

  // Runs "/REPORT file" (and any further arguments) to its end: no message
  // box on the way, exit code 0.
  static std::string Report(const std::wstring& file, const std::vector<std::wstring>& more = {}) {
    std::vector<std::wstring> args{L"/REPORT", file};
    args.insert(args.end(), more.begin(), more.end());
    CorvaneProcess app(args);
    EXPECT_TRUE(app.started()) << "CreateProcess error " << app.start_error();
    const auto run = app.WatchUntilExit(kRefreshTimeout);
    EXPECT_TRUE(run.boxes.empty()) << "message box: " << run.boxes.front();
    EXPECT_EQ(run.exit_code, std::optional<DWORD>(0));
    return ReadFileBytes(file).value_or("");
  }

  static report::InventoryDocument ReportDocument(const TempFolder& dir, const std::wstring& name) {
    const std::string bytes = Report(dir / name);
    auto read = report::ReadInventoryJson(bytes);
    if (auto* failure = std::get_if<report::InventoryReadError>(&read)) {
      ADD_FAILURE() << failure->reason << "\n" << bytes.substr(0, 400);
      return {};
    }
    return std::get<report::InventoryDocument>(std::move(read));
  }

  static const ui::ReportSection* Section(const report::InventoryDocument& doc, std::wstring_view id) {
    for (const auto& entry : doc.sections) {
      if (entry.section.id == id) return &entry.section;
    }
    return nullptr;
  }

  static inline std::vector<std::unique_ptr<SeededValue>> seeded_;
};

TEST_F(InventoryReport, JsonHasEverySectionOnceInCreationOrderWithTheSeededData) {
  TempFolder dir;
  const std::string bytes = Report(dir / L"inventory.json");
  const auto j = nlohmann::json::parse(bytes, nullptr, false);
  ASSERT_FALSE(j.is_discarded()) << bytes.substr(0, 400);
  EXPECT_EQ(j["format"], 1);
  EXPECT_EQ(j["product"], "Corvane");
  EXPECT_EQ(j["version"], "2.84");
  EXPECT_TRUE(std::regex_match(j["generated"].get<std::string>(),
                               std::regex(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d)")))
      << j["generated"];
  EXPECT_NE(j["machine"], "");

  const auto read = report::ReadInventoryJson(bytes);
  ASSERT_TRUE(std::holds_alternative<report::InventoryDocument>(read)) << std::get<report::InventoryReadError>(read).reason;
  const auto& doc = std::get<report::InventoryDocument>(read);

  // Each id is a window of the creation list, at most once, in its order,
  // the summary first; the windows with nothing to report are left out.
  std::vector<std::wstring> ids;
  for (const auto& entry : doc.sections) ids.push_back(entry.section.id);
  ASSERT_FALSE(ids.empty());
  EXPECT_EQ(ids.front(), L"TForm1");
  // Every window that reports, once, in the creation list's order, then the
  // windows made on demand.
  std::vector<std::wstring> expected;
  for (const auto name : app::kCreationOrder) {
    if (std::ranges::count(app::kNotReported, name) == 0) expected.emplace_back(name);
  }
  for (const auto name : app::kReportedOnDemand) expected.emplace_back(name);
  EXPECT_EQ(ids, expected);
  // A timing for every section, by its id.
  EXPECT_EQ(j["timings"].size(), ids.size());
  for (const auto& id : ids) EXPECT_TRUE(j["timings"].contains(platform::ToUtf8(id))) << platform::ToUtf8(id);

  const auto* summary = Section(doc, L"TForm1");
  ASSERT_NE(summary, nullptr);
  EXPECT_EQ(summary->title, L"Corvane 2.84");
  ASSERT_EQ(summary->rows.size(), 28u);
  EXPECT_EQ(summary->rows[18].label, L"Manufacturer");
  EXPECT_EQ(summary->rows[18].value, L"The Wine Project");

  const auto* apps = Section(doc, L"TfrmUnistall");
  ASSERT_NE(apps, nullptr);
  ASSERT_EQ(apps->lists.size(), 1u);
  EXPECT_EQ(apps->lists[0].columns.front(), L"Name");
  EXPECT_EQ(apps->lists[0].columns.back(), L"Registry");
  const std::vector<std::wstring> gadget{kHostileName, L"4.5.6", L"", L"", L"", L"",
                                         L"", L"", L"", L"CorvaneReportGadget", L"12/31/2020", L"HKLM"};
  EXPECT_THAT(apps->lists[0].rows, testing::Contains(gadget));
  // Each view's entry, with where it was read.
  const std::wstring view32 = WindowsIs64Bit() ? L"HKLM (32-bit)" : L"HKLM";
  const auto app = [](const wchar_t* name, const wchar_t* key, std::wstring source) {
    return std::vector<std::wstring>{name, L"", L"", L"", L"", L"", L"", L"", L"", key, L"", std::move(source)};
  };
  EXPECT_THAT(apps->lists[0].rows, testing::Contains(app(L"CorvaneReport Sixty-four", L"CorvaneReport64", L"HKLM")));
  EXPECT_THAT(apps->lists[0].rows, testing::Contains(app(L"CorvaneReport Thirty-two", L"CorvaneReport32", view32)));

  const auto* startup = Section(doc, L"TfrmStartup");
  ASSERT_NE(startup, nullptr);
  ASSERT_EQ(startup->lists.size(), 1u);
  EXPECT_EQ(startup->lists[0].columns, (std::vector<std::wstring>{L"Location", L"Name", L"Path"}));
  EXPECT_THAT(startup->lists[0].rows,
              testing::Contains(std::vector<std::wstring>{L"Registry (HKCU) - Run", L"CorvaneReport",
                                                          L"C:\\report\\agent.exe /quiet"}));
  EXPECT_THAT(startup->lists[0].rows,
              testing::Contains(std::vector<std::wstring>{L"Registry (HKLM) - Run", L"CorvaneReport64",
                                                          L"C:\\report\\CorvaneReport64.exe"}));
  EXPECT_THAT(startup->lists[0].rows,
              testing::Contains(std::vector<std::wstring>{
                  WindowsIs64Bit() ? L"Registry (HKLM) - Run (32-bit)" : L"Registry (HKLM) - Run", L"CorvaneReport32",
                  L"C:\\report\\CorvaneReport32.exe"}));

  const auto* bios = Section(doc, L"TfrmBiosInfo");
  ASSERT_NE(bios, nullptr);
  EXPECT_EQ(bios->title, L"BIOS Info");
  EXPECT_EQ(bios->rows, (std::vector<ui::SectionRow>{{L"Identifier", L"AT/AT COMPATIBLE", false},
                                                     {L"BIOS Date", L"03/14/15", false},
                                                     {L"BIOS Version", L"REPORT - 1|BIOS Date: 03/14/15|", false},
                                                     {L"Video BIOS Date", L"09/26/53", false},
                                                     {L"Video BIOS Version", L"Report VGA|Second line|", false}}));
  const auto* personal = Section(doc, L"TfrmPersonal");
  ASSERT_NE(personal, nullptr);
  EXPECT_EQ(personal->rows.front().label, L"Registered Owner");
}

// The run measures the clock once: the processor section shows the summary's
// sample, the summary to one decimal and the digits truncated.
TEST_F(InventoryReport, SummaryAndProcessorShowTheOneClockSample) {
  TempFolder dir;
  const auto doc = ReportDocument(dir, L"clock.json");
  const auto* summary = Section(doc, L"TForm1");
  const auto* cpu = Section(doc, L"TfrmCPU");
  ASSERT_NE(summary, nullptr);
  ASSERT_NE(cpu, nullptr);
  const auto value = [](const ui::ReportSection& section, std::wstring_view label) {
    const auto row = std::ranges::find(section.rows, label, &ui::SectionRow::label);
    return row == section.rows.end() ? std::wstring() : row->value;
  };
  const std::wstring one_decimal = value(*summary, L"CPU Speed");
  const std::wstring digits = value(*cpu, L"CPU Speed");
  ASSERT_TRUE(std::regex_match(platform::ToUtf8(one_decimal), std::regex(R"(\d+[.,]\d MHz)")))
      << platform::ToUtf8(one_decimal);
  ASSERT_TRUE(std::regex_match(platform::ToUtf8(digits), std::regex(R"(\d{5} MHz)"))) << platform::ToUtf8(digits);
  std::wstring point = one_decimal.substr(0, one_decimal.find(L' '));
  std::ranges::replace(point, L',', L'.');
  // The clock lies within half a tenth of the summary's figure; truncated,
  // it is one of the two whole numbers that interval can give.
  const double mhz = std::stod(point);
  const long whole = std::stol(digits);
  EXPECT_TRUE(whole == static_cast<long>(mhz - 0.05) || whole == static_cast<long>(mhz + 0.05))
      << platform::ToUtf8(one_decimal) << " against " << platform::ToUtf8(digits);
}

TEST_F(InventoryReport, WebPageEscapesTheSeededNameAndStandsAlone) {
  TempFolder dir;
  const std::string page = Report(dir / L"inventory.HTM");
  ASSERT_FALSE(page.empty());
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>"));
  EXPECT_THAT(page, HasSubstr("&lt;script&gt;alert('e2e')&lt;/script&gt; &amp; CorvaneReport Gadget"));
  EXPECT_THAT(page, Not(HasSubstr("<script")));
  EXPECT_THAT(page, HasSubstr("<h2>BIOS Info</h2>"));
  EXPECT_THAT(page, HasSubstr("@media print"));
}

TEST_F(InventoryReport, PlainTextForAnyOtherName) {
  TempFolder dir;
  const std::string text = Report(dir / L"inventory.txt");
  EXPECT_TRUE(text.starts_with("\xEF\xBB\xBF" "Corvane 2.84 inventory\r\n"));
  EXPECT_THAT(text, HasSubstr("\r\nBIOS Info\r\n=========\r\nIdentifier: AT/AT COMPATIBLE\r\n"));
  EXPECT_THAT(text, HasSubstr("Registry (HKCU) - Run\tCorvaneReport\tC:\\report\\agent.exe /quiet\r\n"));
  EXPECT_THAT(text, HasSubstr("[Installed Applications]\r\nName\tVersion\t"));
}

TEST_F(InventoryReport, TwoReportsDiffEmptyAndANewEntryAlone) {
  TempFolder dir;
  const auto first = ReportDocument(dir, L"first.json");
  const auto second = ReportDocument(dir, L"second.json");
  const auto unchanged = report::DiffInventories(first, second, false);
  EXPECT_TRUE(unchanged.empty()) << report::DiffText(unchanged);

  report::InventoryDiff added;
  {
    const auto entry = SeedApp(L"CorvaneReportNewcomer", L"CorvaneReport Newcomer");
    added = report::DiffInventories(second, ReportDocument(dir, L"third.json"), false);
  }
  EXPECT_TRUE(added.rows.empty() && added.tree_nodes.empty() && added.sections.empty()) << report::DiffText(added);
  ASSERT_EQ(added.list_rows.size(), 1u) << report::DiffText(added);
  EXPECT_EQ(added.list_rows[0].section, L"TfrmUnistall");
  EXPECT_EQ(added.list_rows[0].change, report::Change::kAdded);
  EXPECT_EQ(added.list_rows[0].new_cells.front(), L"CorvaneReport Newcomer");
}

// The schema check runs outside Wine (ctest glpi_schema_e2e): the files are
// left in the folder CORVANE_GLPI_KEEP names, a path of the Unix side, which
// Wine shows under drive Z:.
void KeepForSchemaCheck(const std::wstring& file, const std::wstring& name) {
  wchar_t keep[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"CORVANE_GLPI_KEEP", keep, MAX_PATH) == 0) return;
  std::wstring folder = keep;
  if (folder.starts_with(L"/")) {
    std::ranges::replace(folder, L'/', L'\\');
    folder = L"Z:" + folder;
  }
  CreateDirectoryW(folder.c_str(), nullptr);
  EXPECT_TRUE(CopyFileW(file.c_str(), (folder + L"\\" + name).c_str(), FALSE)) << "error " << GetLastError();
}

TEST_F(InventoryReport, GlpiInventoryHoldsTheSeededDataAndKeepsItsDeviceId) {
  TempFolder dir;
  const std::string first = Report(dir / L"first.glpi", {L"/FORMAT", L"glpi"});
  const auto j = nlohmann::json::parse(first, nullptr, false);
  ASSERT_FALSE(j.is_discarded()) << first.substr(0, 400);
  KeepForSchemaCheck(dir / L"first.glpi", L"e2e-first.json");
  EXPECT_EQ(j["itemtype"], "Computer");
  EXPECT_EQ(j["action"], "inventory");
  const auto& content = j["content"];
  EXPECT_EQ(content["versionclient"], "Corvane 2.84");
  EXPECT_EQ(content["bios"]["bversion"], "REPORT - 1");
  EXPECT_EQ(content["bios"]["bdate"], "2015-03-14");
  const std::string machine = content["hardware"]["name"];
  EXPECT_FALSE(machine.empty());
  EXPECT_TRUE(j["deviceid"].get<std::string>().starts_with(machine + "-")) << j["deviceid"] << " has a key after the name";

  const auto software = [&](const std::string& name) -> nlohmann::json {
    for (const auto& entry : content["softwares"]) {
      if (entry["name"] == name) return entry;
    }
    ADD_FAILURE() << "no software " << name;
    return nlohmann::json::object();
  };
  const auto gadget = software(platform::ToUtf8(kHostileName));
  EXPECT_EQ(gadget["version"], "4.5.6");
  EXPECT_EQ(gadget["install_date"], "2020-12-31") << "a month-first date is converted";
  EXPECT_FALSE(software("CorvaneReport Odd Date").contains("install_date")) << "a date that is none is left out";
  software("CorvaneReport Sixty-four");  // the 64-bit view's entry
  software("CorvaneReport Thirty-two");  // and the 32-bit view's

  // Another run, the switch and the format in other cases: the same device id.
  const std::string second = Report(dir / L"second.json", {L"/format", L"GLPI"});
  const auto again = nlohmann::json::parse(second, nullptr, false);
  ASSERT_FALSE(again.is_discarded()) << second.substr(0, 400);
  KeepForSchemaCheck(dir / L"second.json", L"e2e-second.json");
  EXPECT_EQ(again["deviceid"], j["deviceid"]);
  EXPECT_FALSE(again.contains("sections")) << "a GLPI inventory whatever the file's name";
}

class InventoryReportBadFormat : public testing::TestWithParam<std::vector<std::wstring>> {};

TEST_P(InventoryReportBadFormat, SaysWhatItExpectsAndExitsTwoWithoutAFile) {
  TempFolder dir;
  std::vector<std::wstring> args{L"/REPORT", dir / L"inventory.json"};
  args.insert(args.end(), GetParam().begin(), GetParam().end());
  const Finished run = RunCapturingErrors(args);
  ASSERT_TRUE(run.exit_code.has_value()) << "did not end by itself";
  EXPECT_EQ(*run.exit_code, 2u);
  EXPECT_THAT(run.err, HasSubstr("/FORMAT expects one format name"));
  EXPECT_TRUE(ListFolder(dir.path()).empty());
}

INSTANTIATE_TEST_SUITE_P(Cases, InventoryReportBadFormat,
                         testing::Values(std::vector<std::wstring>{L"/FORMAT"}, std::vector<std::wstring>{L"/FORMAT", L"xml"},
                                         std::vector<std::wstring>{L"/format", L""}));

struct UnwritableCase {
  const char* name;
  std::wstring file;  // below the test folder
  bool make_folder;   // a folder of that name is there (the target)
};
void PrintTo(const UnwritableCase& c, std::ostream* os) { *os << c.name; }

class InventoryReportUnwritable : public testing::TestWithParam<UnwritableCase> {};

TEST_P(InventoryReportUnwritable, ExitsNonZeroLeavingNoFile) {
  const UnwritableCase& c = GetParam();
  TempFolder dir;
  if (c.make_folder) {
    ASSERT_TRUE(CreateDirectoryW((dir / c.file).c_str(), nullptr));
  }
  const Finished run = RunCapturingErrors({L"/REPORT", dir / c.file});
  ASSERT_TRUE(run.exit_code.has_value()) << "did not end by itself";
  EXPECT_NE(*run.exit_code, 0u);
  EXPECT_THAT(run.err, HasSubstr("The report could not be written to"));
  // Nothing in the folder but what the case put there: no report, no temporary file.
  const auto left = ListFolder(dir.path());
  EXPECT_EQ(left.size(), c.make_folder ? 1u : 0u);
  if (!c.make_folder) {
    EXPECT_FALSE(FileExists(dir / c.file));
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, InventoryReportUnwritable,
                         testing::Values(UnwritableCase{"FolderMissing", L"no-such-folder\\inventory.json", false},
                                         UnwritableCase{"NameTakenByAFolder", L"inventory.json", true}),
                         [](const testing::TestParamInfo<UnwritableCase>& info) { return std::string(info.param.name); });

class InventoryReportBadArguments : public testing::TestWithParam<std::vector<std::wstring>> {};

TEST_P(InventoryReportBadArguments, SaysWhatItExpectsAndExitsTwo) {
  const Finished run = RunCapturingErrors(GetParam());
  ASSERT_TRUE(run.exit_code.has_value()) << "did not end by itself";
  EXPECT_EQ(*run.exit_code, 2u);
  EXPECT_THAT(run.err, HasSubstr("/REPORT expects one file name"));
}

INSTANTIATE_TEST_SUITE_P(Cases, InventoryReportBadArguments,
                         testing::Values(std::vector<std::wstring>{L"/REPORT"}, std::vector<std::wstring>{L"/report", L""},
                                         std::vector<std::wstring>{L"/Report", L"a.json", L"b.json"}));

}  // namespace
}  // namespace corvane::e2e
