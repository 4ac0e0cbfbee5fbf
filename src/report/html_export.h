// The summary as a simple web page: a title naming the registered owner, a
// heading with the date and time, one two-cell table per summary row and
// the product's links. The page declares windows-1252; the writer joins the
// lines with CR LF and writes them in the ANSI code page.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "report/summary.h"

namespace corvane::report {

// The text with "&", "<", ">" and '"' written as character references, so
// a value read from the system can never become markup of the page.
std::wstring HtmlEscape(std::wstring_view text);

// The page's lines, in order, without line ends. Labels, values, the owner
// and the date-time text are escaped.
std::vector<std::wstring> HtmlExportLines(const SummaryModel& sheet, std::wstring_view owner,
                                          std::wstring_view date_time);

}  // namespace corvane::report
