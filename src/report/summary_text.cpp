#include "report/summary_text.h"

namespace corvane::report {
namespace {

// A field in double quotes; a quote inside it is doubled so that a
// spreadsheet reads back exactly the label and the value.
std::wstring CsvField(std::wstring_view text) {
  std::wstring out = L"\"";
  for (wchar_t c : text) {
    if (c == L'"') out += L'"';
    out += c;
  }
  out += L'"';
  return out;
}

constexpr size_t kClipboardLabelWidth = 20;

}  // namespace

std::vector<std::wstring> SummaryLines(const report::SummaryModel& sheet, LineFormat format) {
  std::vector<std::wstring> lines;
  lines.reserve(kRowCount);
  for (int row = 1; row <= kRowCount; ++row) {
    const std::wstring_view label = report::SummaryModel::Label(row);
    const std::wstring& value = sheet.Value(row);
    switch (format) {
      case LineFormat::Text:
        lines.push_back(std::wstring(label) + L": " + value);
        break;
      case LineFormat::Csv:
        lines.push_back(CsvField(label) + L"," + CsvField(value));
        break;
      case LineFormat::Clipboard: {
        std::wstring head = std::wstring(label) + L": ";
        if (head.size() < kClipboardLabelWidth) head.resize(kClipboardLabelWidth, L' ');
        lines.push_back(head + L"\t" + value);
        break;
      }
    }
  }
  return lines;
}

std::wstring JoinCrLf(const std::vector<std::wstring>& lines) {
  std::wstring out;
  for (const auto& line : lines) {
    out += line;
    out += L"\r\n";
  }
  return out;
}

}  // namespace corvane::report
