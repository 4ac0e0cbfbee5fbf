#include "app/command_line.h"

#include <algorithm>

namespace corvane::app {

std::wstring AsciiLower(std::wstring s) {
  std::ranges::transform(s, s.begin(), [](wchar_t c) { return c >= L'A' && c <= L'Z' ? wchar_t(c + 32) : c; });
  return s;
}

std::wstring AsciiUpper(std::wstring s) {
  std::ranges::transform(s, s.begin(), [](wchar_t c) { return c >= L'a' && c <= L'z' ? wchar_t(c - 32) : c; });
  return s;
}

StartupAction DecideStartup(const std::vector<std::wstring>& args) {
  // Checked first: the counts below would take a lone "/REPORT" for "/norefresh".
  if (!args.empty() && AsciiUpper(args[0]) == kReportSwitch) {
    if (args.size() < 2 || args[1].empty()) return {StartupKind::BadReport, {}};
    if (args.size() == 2) return {StartupKind::Report, args[1]};
    if (AsciiUpper(args[2]) != kFormatSwitch) return {StartupKind::BadReport, {}};
    if (args.size() == 4 && AsciiLower(args[3]) == kGlpiFormat) {
      return {StartupKind::Report, args[1], ReportFormat::kGlpi};
    }
    return {StartupKind::BadFormat, {}};
  }
  switch (args.size()) {
    case 0:
      return {StartupKind::Refresh, {}};
    case 1:  // any single argument, "/norefresh" among them, holds the refresh back
      return {StartupKind::NoRefresh, {}};
    case 2:
      if (AsciiUpper(args[0]) == L"/AUTO" && !args[1].empty()) return {StartupKind::Unattended, args[1]};
      return {StartupKind::Refresh, {}};
    default:
      return {StartupKind::NoRefresh, {}};
  }
}

bool SamplesClockAtStart(StartupKind kind) {
  return kind == StartupKind::Refresh || kind == StartupKind::Unattended || kind == StartupKind::Report;
}

bool IsNoCom(const std::vector<std::wstring>& args) { return !args.empty() && AsciiLower(args[0]) == L"/nocom"; }

}  // namespace corvane::app
