// Command lines and the arguments the system's splitter gives after the
// program's name: the native tests check SplitCommandLine against them, the
// Wine tests check the system's own CommandLineToArgvW against them too.
#pragma once
#include <string>
#include <vector>

namespace corvane::app::test_cases {

struct SplitCase {
  const wchar_t* line;
  std::vector<std::wstring> args;
};

inline const SplitCase kSplitCases[] = {
    {LR"(prog)", {}},
    {L"prog  \t ", {}},
    {LR"("C:\Program Files\Corvane\corvane.exe" /AUTO out.txt)", {L"/AUTO", L"out.txt"}},
    {LR"(C:\bin\corvane.exe /REPORT "C:\My Files\pc.json" /FORMAT glpi)",
     {L"/REPORT", LR"(C:\My Files\pc.json)", L"/FORMAT", L"glpi"}},
    {L"prog   a\t b  ", {L"a", L"b"}},
    {LR"(prog "" x)", {L"", L"x"}},
    {LR"(prog "")", {L""}},
    // Backslashes count only before a quote.
    {LR"(prog a\\b \\server\share)", {LR"(a\\b)", LR"(\\server\share)"}},
    {LR"(prog a\\"b c")", {LR"(a\b c)"}},
    {LR"(prog a\\\"b)", {LR"(a\"b)"}},
    // A folder's closing backslash before the quote makes the quote literal.
    {LR"(prog "C:\dir\" x)", {LR"(C:\dir" x)"}},
    {LR"(prog a"b c"d)", {L"ab cd"}},
    // Quote runs: one right after a closing quote is literal and leaves the quoted part closed.
    {LR"(prog "a""b" c)", {LR"(a"b c)"}},
    {LR"(prog "a""b c)", {LR"(a"b)", L"c"}},
    {LR"(prog """a""")", {LR"("a")"}},
    {LR"(prog "a b)", {L"a b"}},
    {LR"("unterminated program name)", {}},
};

}  // namespace corvane::app::test_cases
