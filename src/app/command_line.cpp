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

std::vector<std::wstring> SplitCommandLine(std::wstring_view line) {
  const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
  std::size_t i = 0;
  // The program's name: up to its closing quote, or to the first blank;
  // backslashes are only part of the path there.
  if (i < line.size() && line[i] == L'"') {
    const std::size_t close = line.find(L'"', 1);
    i = close == std::wstring_view::npos ? line.size() : close + 1;
  } else {
    while (i < line.size() && !blank(line[i])) ++i;
  }
  while (i < line.size() && blank(line[i])) ++i;

  std::vector<std::wstring> args;
  if (i >= line.size()) return args;
  std::wstring arg;
  int quotes = 0;  // odd inside a quoted part; counts the quotes of a run
  while (i < line.size()) {
    const wchar_t c = line[i];
    if (blank(c) && quotes == 0) {
      args.push_back(std::move(arg));
      arg.clear();
      while (i < line.size() && blank(line[i])) ++i;
      if (i >= line.size()) return args;  // trailing blanks start no argument
      continue;
    }
    if (c == L'\\') {
      std::size_t run = 0;
      while (i < line.size() && line[i] == L'\\') ++run, ++i;
      if (i < line.size() && line[i] == L'"') {
        arg.append(run / 2, L'\\');
        if (run % 2 == 1) {
          arg += L'"';
          ++i;
        }
      } else {
        arg.append(run, L'\\');
      }
      continue;
    }
    if (c == L'"') {
      ++quotes;
      ++i;
      // A run of quotes: every third one is a literal quote, and a run
      // that closes a quoted part without opening one leaves it closed.
      while (i < line.size() && line[i] == L'"') {
        if (++quotes == 3) {
          arg += L'"';
          quotes = 0;
        }
        ++i;
      }
      if (quotes == 2) quotes = 0;
      continue;
    }
    arg += c;
    ++i;
  }
  args.push_back(std::move(arg));
  return args;
}

bool SamplesClockAtStart(StartupKind kind) {
  return kind == StartupKind::Refresh || kind == StartupKind::Unattended || kind == StartupKind::Report;
}

bool IsNoCom(const std::vector<std::wstring>& args) { return !args.empty() && AsciiLower(args[0]) == L"/nocom"; }

}  // namespace corvane::app
