// The unattended run: "/AUTO file" fills the sheet, writes it as text and
// ends the process by itself, with no window waiting for a click.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/summary.h"
#include "e2e/harness.h"

namespace corvane::e2e {
namespace {

std::wstring Widen(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// Splits at CR LF; fails the test on a lone CR or LF. A final CR LF is
// allowed and does not count as an empty last line.
std::vector<std::string> CrLfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find("\r\n", start);
    std::string line = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "lone CR or LF in line " << lines.size() + 1;
    lines.push_back(line);
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return lines;
}

struct WriteCase {
  const char* name;
  const wchar_t* sw;               // the switch as typed
  std::vector<std::wstring> path;  // below the test folder; the last part is the file
  size_t existing_bytes;           // size of a file that is there before (0: none)
};
void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class UnattendedWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(UnattendedWrite, WritesTheSheetAndEnds) {
  const WriteCase& c = GetParam();
  TempFolder dir;
  std::wstring folder = dir.path();
  for (size_t i = 0; i + 1 < c.path.size(); ++i) {
    folder += c.path[i] + L"\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  }
  const std::wstring file = folder + c.path.back();
  if (c.existing_bytes) {
    platform::UniqueFile f(CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    ASSERT_TRUE(f);
    const std::string junk(c.existing_bytes, 'x');
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(f.get(), junk.data(), static_cast<DWORD>(junk.size()), &written, nullptr));
  }

  CorvaneProcess app({c.sw, file});
  ASSERT_TRUE(app.started()) << "CreateProcess error " << app.start_error();
  auto run = app.WatchUntilExit(kRefreshTimeout);
  EXPECT_TRUE(run.boxes.empty()) << "message box: " << run.boxes.front();
  ASSERT_TRUE(run.exit_code.has_value()) << "did not end by itself within " << kRefreshTimeout.count() << " ms";
  EXPECT_EQ(*run.exit_code, 0u);

  auto bytes = ReadFileBytes(file);
  ASSERT_TRUE(bytes.has_value()) << "no file written";
  // ANSI text: no byte-order mark, no UTF-16.
  EXPECT_FALSE(bytes->starts_with("\xEF\xBB\xBF") || bytes->starts_with("\xFF\xFE"));
  EXPECT_EQ(bytes->find('\0'), std::string::npos);
  auto lines = CrLfLines(*bytes);
  ASSERT_EQ(lines.size(), static_cast<size_t>(app::kRowCount)) << *bytes;
  for (int n = 1; n <= app::kRowCount; ++n) {
    const std::wstring line = Widen(lines[n - 1]);
    const std::wstring prefix = std::wstring(report::SummaryModel::Label(n)) + L": ";
    EXPECT_TRUE(line.starts_with(prefix)) << "line " << n << ": " << line;
  }
  EXPECT_EQ(lines[18], "Manufacturer: The Wine Project");
  EXPECT_EQ(lines[19], "Product Make: Wine");
  // Written through a temporary file and replaced: only the result is left.
  EXPECT_EQ(ListFolder(folder), std::vector<std::wstring>{c.path.back()});
}

INSTANTIATE_TEST_SUITE_P(
    Runs, UnattendedWrite,
    testing::Values(
        WriteCase{"NewFile", L"/AUTO", {L"out.txt"}, 0},
        // Lower-case switch; a longer older file is replaced, not overwritten in place.
        WriteCase{"LowerCaseReplacesLongerFile", L"/auto", {L"out.txt"}, 64 * 1024},
        // Spaces need quoting on the command line; the name is not ANSI.
        WriteCase{"SpacesAndUnicodeName", L"/AUTO", {L"sub dir", L"\u03c3\u03cd\u03bd\u03bf\u03c8\u03b7 1.txt"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// A file that cannot be written ends the run with a failure code, quickly,
// with no message box, and leaves nothing behind.
struct FailCase {
  const char* name;
  std::wstring target;               // below the test folder
  std::vector<std::wstring> before;  // entries of the test folder before the run (a trailing \ makes a folder)
};
void PrintTo(const FailCase& c, std::ostream* os) { *os << c.name; }

class UnattendedFailure : public testing::TestWithParam<FailCase> {};

TEST_P(UnattendedFailure, EndsWithErrorAndLeavesNothing) {
  const FailCase& c = GetParam();
  TempFolder dir;
  std::vector<std::wstring> expected_entries;
  for (const auto& entry : c.before) {
    if (entry.ends_with(L"\\")) {
      ASSERT_TRUE(CreateDirectoryW((dir / entry).c_str(), nullptr));
      expected_entries.push_back(entry.substr(0, entry.size() - 1));
    }
  }

  CorvaneProcess app({L"/AUTO", dir / c.target});
  ASSERT_TRUE(app.started());
  // The refresh comes first, so "quickly" means one refresh, not an instant.
  auto run = app.WatchUntilExit(30s);
  EXPECT_TRUE(run.boxes.empty()) << "message box: " << run.boxes.front();
  ASSERT_TRUE(run.exit_code.has_value()) << "still running after 30 s";
  EXPECT_NE(*run.exit_code, 0u);
  // A crash is not a reported failure.
  EXPECT_LT(*run.exit_code, 0xC0000000u) << std::hex << *run.exit_code;
  EXPECT_EQ(ListFolder(dir.path()), expected_entries);
  for (const auto& sub : expected_entries) EXPECT_EQ(ListFolder(dir / (sub + L"\\")), std::vector<std::wstring>{});
}

INSTANTIATE_TEST_SUITE_P(Paths, UnattendedFailure,
                         testing::Values(FailCase{"MissingFolder", L"missing\\out.txt", {}},
                                         // The name is taken by a folder: a temporary file can be
                                         // written beside it, the replacement cannot.
                                         FailCase{"NameIsAFolder", L"taken", {L"taken\\"}},
                                         FailCase{"InvalidName", L"out?.txt", {}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane::e2e
