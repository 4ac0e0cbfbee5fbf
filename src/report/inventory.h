// The unattended inventory: every window's section in creation order with
// the time its reading took, under a header naming the product, the machine
// and when it was taken. The same document is written as JSON (which the
// comparison of two reports reads back), as a web page and as plain text;
// docs/report-format.md describes the JSON form.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "ui/report_section.h"

namespace corvane::report {

// Raised whenever the JSON form changes shape, so a reader never takes a
// report of another shape for one of its own.
inline constexpr int kInventoryFormat = 1;
inline constexpr wchar_t kInventoryProduct[] = L"Corvane";

struct InventorySection {
  ui::ReportSection section;
  std::int64_t milliseconds = 0;  // how long reading it took
  // Why reading it failed part-way (empty when it did not): the section
  // then holds what was read before, and the report says so.
  std::wstring error;
  friend bool operator==(const InventorySection&, const InventorySection&) = default;
};

struct InventoryDocument {
  int format = kInventoryFormat;
  std::wstring product = kInventoryProduct;
  std::wstring version;
  std::wstring generated;  // ISO 8601 local time with its offset
  std::wstring machine;    // the computer name
  std::vector<InventorySection> sections;
  friend bool operator==(const InventoryDocument&, const InventoryDocument&) = default;
};

// The local time as ISO 8601 with the offset from UTC, "2026-12-11T09:30:05+01:00"
// ("Z" is not used: the offset is always written, "+00:00" included).
struct LocalTime {
  int year, month, day, hour, minute, second;
  int utc_offset_minutes;  // local time minus UTC
};
std::wstring IsoLocalTimeText(const LocalTime& time);

// Which form a report file gets, by its name's extension in any case.
enum class InventoryForm { kJson, kHtml, kText };
InventoryForm FormForFile(std::wstring_view path);

// The document as one JSON object, UTF-8, ending in a line break.
std::string InventoryJson(const InventoryDocument& doc);

// Reads a JSON report back. The reason names what is wrong (not JSON, a
// format this program does not read, a missing or mistyped member with its
// place) when it is not a report of format kInventoryFormat.
struct InventoryReadError {
  std::string reason;
};
std::variant<InventoryDocument, InventoryReadError> ReadInventoryJson(std::string_view utf8);

// The web page: one self-contained UTF-8 page (no script, no outside file),
// every text escaped, a table of contents, a heading per section, tables for
// rows and lists, nested lists for trees, a style sheet for printing.
std::string InventoryHtml(const InventoryDocument& doc);

// Plain text, UTF-8 with a byte-order mark (so Notepad reads it as UTF-8,
// not the ANSI code page) and CR LF line ends: section captions, "label: value"
// lines, lists as tab-separated rows under their column captions, trees
// indented two spaces a level.
std::string InventoryText(const InventoryDocument& doc);

// The document in the form the file's name asks for.
std::string InventoryInForm(const InventoryDocument& doc, InventoryForm form);

}  // namespace corvane::report
