#include "report/html_export.h"

#include "ui/product.h"

namespace corvane::report {

std::wstring HtmlEscape(std::wstring_view text) {
  std::wstring escaped;
  escaped.reserve(text.size());
  for (const wchar_t c : text) {
    switch (c) {
      case L'&': escaped += L"&amp;"; break;
      case L'<': escaped += L"&lt;"; break;
      case L'>': escaped += L"&gt;"; break;
      case L'"': escaped += L"&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

std::vector<std::wstring> HtmlExportLines(const SummaryModel& sheet, std::wstring_view owner,
                                          std::wstring_view date_time) {
  const std::wstring web_page = ui::kWebPage;
  std::vector<std::wstring> lines = {
      L"<html>",
      L"<head>",
      L"<meta http-equiv=\"Content-Language\" content=\"en-gb\">",
      L"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
      L"<title>Corvane for PC:" + HtmlEscape(owner) + L"</title>",
      L"</head>",
      L"<body>",
      L"<h1 align=\"center\"><span style=\"font-weight: 400\"><font face=\"Georgia\">Corvane</font><small>---" +
          HtmlEscape(date_time) + L"</small></span></h1>",
      L"<hr>",
      L"<br>",
  };
  for (int n = 1; n <= kRowCount; ++n) {
    lines.push_back(
        L"<table border=\"1\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\" bordercolorlight=\"#FFFFFF\" "
        L"bordercolordark=\"#FFFFFF\">");
    lines.push_back(L"        <tr>");
    lines.push_back(L"                <td width=\"150\" bordercolor=\"#000000\" bgcolor=\"#A6CAF0\"><b>" +
                    HtmlEscape(SummaryModel::Label(n)) + L"</b></td>");
    lines.push_back(L"                <td width=\"18\" bordercolorlight=\"#FFFFFF\" bordercolordark=\"#FFFFFF\"></td>");
    lines.push_back(
        L"                <td bordercolorlight=\"#000000\" bordercolordark=\"#000000\" bgcolor=\"#FFFFE1\"><b>" +
        HtmlEscape(sheet.Value(n)) + L"</b></td>");
    lines.push_back(L"                <br>");
    lines.push_back(L"        </tr>");
    lines.push_back(L"</table>");
  }
  lines.push_back(L"<h2><a href=\"" + web_page + L"\">Corvane</a></h2>");
  lines.push_back(L"<a href=\"" + web_page + L"\">" + web_page + L"</a>");
  lines.push_back(L"</body>");
  lines.push_back(L"</html>");
  return lines;
}

}  // namespace corvane::report
