// What the command line asks of the start-up: the arguments after the
// executable name decide whether the first showing refreshes the sheet or runs
// the unattended export, and whether refreshes probe the ports.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace corvane::app {

enum class StartupKind {
  Refresh,     // fill the sheet once before the window is first shown
  NoRefresh,   // leave the sheet empty until the user presses F5
  Unattended,  // fill the sheet, write it to a file, end the process
  Report,      // read every window's model, write the whole inventory to a file, end the process
  BadReport,   // "/REPORT" without its one file name: say what it expects, end with kBadArgumentsExit
  BadFormat,   // "/REPORT FILE /FORMAT" without a format this program writes: say which, end with kBadArgumentsExit
};

// What the report file holds: Corvane's own inventory in the form its name
// asks for, or a GLPI computer inventory (JSON) whatever its name.
enum class ReportFormat { kByName, kGlpi };

// "/REPORT" (any case) as the first argument asks for the inventory report;
// it takes exactly one more argument, the file's name, optionally followed by
// "/FORMAT" (any case) and one format name (any case).
inline constexpr wchar_t kReportSwitch[] = L"/REPORT";
inline constexpr wchar_t kFormatSwitch[] = L"/FORMAT";
inline constexpr wchar_t kGlpiFormat[] = L"glpi";
inline constexpr wchar_t kFormatUsage[] =
    L"/FORMAT expects one format name: corvane.exe /REPORT FILE /FORMAT glpi (a GLPI computer inventory in JSON)";
inline constexpr wchar_t kReportUsage[] =
    L"/REPORT expects one file name: corvane.exe /REPORT FILE (FILE ending in .json for JSON, .htm or .html for "
    L"a web page, anything else for plain text)";
inline constexpr int kBadArgumentsExit = 2;

struct StartupAction {
  StartupKind kind = StartupKind::Refresh;
  std::wstring file;  // the output file of an unattended run
  ReportFormat format = ReportFormat::kByName;
};

StartupAction DecideStartup(const std::vector<std::wstring>& args);

// The arguments after the program's name in a command line, split as the
// system's own splitter (CommandLineToArgvW) splits them: the name ends at
// its closing quote or at the first blank; then blanks outside quotes part
// the arguments, 2n backslashes before a quote give n and the quote opens or
// closes a quoted part, 2n+1 give n and a literal quote, and a quote right
// after a closing one is literal. Done here so that a start-up reads its
// arguments without loading the shell's library.
std::vector<std::wstring> SplitCommandLine(std::wstring_view line);

// Whether the start-up begins the half-second clock sample at once: only one
// that refreshes before anything is shown; an untaken sample would be shown
// by an F5 long after.
bool SamplesClockAtStart(StartupKind kind);

// "/nocom" as the first argument, any case, any argument count: refreshes
// leave the ports row empty instead of touching the ports.
bool IsNoCom(const std::vector<std::wstring>& args);

// ASCII case folding, as the switches are compared.
std::wstring AsciiLower(std::wstring s);
std::wstring AsciiUpper(std::wstring s);

}  // namespace corvane::app
