// The inventory as a web page and as plain text.
#include <string>

#include "platform/utf8.h"
#include "report/html_export.h"
#include "report/inventory.h"
#include "ui/sheet_table.h"

namespace corvane::report {
namespace {

using platform::ToUtf8;

// Escaped for the page; a value of several lines keeps its line breaks.
std::string Html(std::wstring_view text) {
  std::string out;
  const auto lines = ui::SplitLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) out += "<br>";
    out += ToUtf8(HtmlEscape(lines[i]));
  }
  return out;
}

// The section's anchor: its place, so two sections of one id (or an id that
// is no valid name) cannot clash.
std::string Anchor(std::size_t index) { return std::to_string(index + 1).insert(0, 1, 's'); }

constexpr char kStyle[] =
    "body{font-family:Tahoma,Verdana,sans-serif;font-size:10pt;color:#000080;margin:1.5em}"
    "h1{font-size:16pt}h2{font-size:13pt;border-bottom:1px solid #000080;margin-top:1.6em}h3{font-size:11pt}"
    "table{border-collapse:collapse;margin:.4em 0}th,td{border:1px solid #b0b8d8;padding:2px 6px;"
    "text-align:left;vertical-align:top}"
    "table.rows th{background:#eef2fb;width:14em}table.list thead th{background:#cedcf7}"
    "table.list tbody tr:nth-child(even){background:#f3f6fd}"
    ".volatile{color:#606080;font-style:italic}.error{color:#a00000;font-weight:bold}"
    "ul.tree{margin:.2em 0;padding-left:1.4em}"
    "@media print{body{margin:0;color:#000;font-size:9pt}nav{page-break-after:always}"
    "h2{page-break-before:auto;page-break-after:avoid}table,ul.tree li{page-break-inside:avoid}"
    "table.list thead{display:table-header-group}a{color:#000;text-decoration:none}"
    "th,td{border-color:#808080}table.rows th,table.list thead th{background:none}"
    "table.list tbody tr:nth-child(even){background:none}}";

void TreeHtml(const std::vector<ui::TreeNode>& nodes, std::string& out) {
  out += "<ul class=\"tree\">";
  for (const auto& node : nodes) {
    out += "<li>" + Html(node.text);
    if (!node.children.empty()) TreeHtml(node.children, out);
    out += "</li>";
  }
  out += "</ul>\r\n";
}

void SectionHtml(const InventorySection& entry, std::size_t index, std::string& out) {
  const ui::ReportSection& s = entry.section;
  out += "<section id=\"" + Anchor(index) + "\">\r\n<h2>" + Html(s.title) + "</h2>\r\n";
  if (!entry.error.empty()) out += "<p class=\"error\">" + Html(entry.error) + "</p>\r\n";
  if (!s.rows.empty()) {
    out += "<table class=\"rows\">\r\n";
    for (const auto& row : s.rows) {
      out += row.is_volatile ? "<tr class=\"volatile\">" : "<tr>";
      out += "<th>" + Html(row.label) + "</th><td>" + Html(row.value) + "</td></tr>\r\n";
    }
    out += "</table>\r\n";
  }
  for (const auto& list : s.lists) {
    if (!list.title.empty()) out += "<h3>" + Html(list.title) + "</h3>\r\n";
    out += list.is_volatile ? "<table class=\"list volatile\">" : "<table class=\"list\">";
    out += "<thead><tr>";
    for (const auto& column : list.columns) out += "<th>" + Html(column) + "</th>";
    out += "</tr></thead>\r\n<tbody>\r\n";
    for (const auto& row : list.rows) {
      out += "<tr>";
      for (std::size_t c = 0; c < list.columns.size() || c < row.size(); ++c) {
        out += "<td>" + (c < row.size() ? Html(row[c]) : std::string()) + "</td>";
      }
      out += "</tr>\r\n";
    }
    out += "</tbody></table>\r\n";
  }
  for (const auto& tree : s.trees) {
    if (!tree.title.empty()) out += "<h3>" + Html(tree.title) + "</h3>\r\n";
    TreeHtml(tree.nodes, out);
  }
  out += "</section>\r\n";
}

// ---- text ---------------------------------------------------------------------

// A value of several lines goes on under its label, indented.
std::string TextValue(std::wstring_view text, std::string_view indent) {
  const auto lines = ui::SplitLines(text);
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) out += "\r\n" + std::string(indent);
    out += ToUtf8(lines[i]);
  }
  return out;
}

// A list cell on one line: its own line breaks and tabs would break the columns.
std::string Cell(std::wstring_view text) {
  std::string out = ToUtf8(text);
  for (char& c : out) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return out;
}

void TreeText(const std::vector<ui::TreeNode>& nodes, std::string indent, std::string& out) {
  for (const auto& node : nodes) {
    out += indent + Cell(node.text) + "\r\n";
    TreeText(node.children, indent + "  ", out);
  }
}

}  // namespace

std::string InventoryHtml(const InventoryDocument& doc) {
  const std::string heading = Html(doc.product) + " " + Html(doc.version) + " inventory of " + Html(doc.machine);
  std::string out =
      "<!DOCTYPE html>\r\n<html lang=\"en\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n<title>" + heading +
      "</title>\r\n<style>" + kStyle + "</style>\r\n</head>\r\n<body>\r\n<h1>" + heading + "</h1>\r\n<p>Generated " +
      Html(doc.generated) + "</p>\r\n<nav>\r\n<h2>Contents</h2>\r\n<ol>\r\n";
  for (std::size_t i = 0; i < doc.sections.size(); ++i) {
    out += "<li><a href=\"#" + Anchor(i) + "\">" + Html(doc.sections[i].section.title) + "</a></li>\r\n";
  }
  out += "</ol>\r\n</nav>\r\n";
  for (std::size_t i = 0; i < doc.sections.size(); ++i) SectionHtml(doc.sections[i], i, out);
  out += "</body>\r\n</html>\r\n";
  return out;
}

std::string InventoryText(const InventoryDocument& doc) {
  std::string out = "\xEF\xBB\xBF";
  out += ToUtf8(doc.product) + " " + ToUtf8(doc.version) + " inventory\r\nMachine: " + ToUtf8(doc.machine) +
         "\r\nGenerated: " + ToUtf8(doc.generated) + "\r\n";
  for (const auto& entry : doc.sections) {
    const ui::ReportSection& s = entry.section;
    out += "\r\n" + ToUtf8(s.title) + "\r\n" + std::string(s.title.size(), '=') + "\r\n";
    if (!entry.error.empty()) out += "Error: " + TextValue(entry.error, "  ") + "\r\n";
    for (const auto& row : s.rows) out += ToUtf8(row.label) + ": " + TextValue(row.value, "    ") + "\r\n";
    for (const auto& list : s.lists) {
      out += "\r\n";
      if (!list.title.empty()) out.append("[").append(ToUtf8(list.title)).append("]\r\n");
      std::string line;
      for (std::size_t c = 0; c < list.columns.size(); ++c) line.append(c ? "\t" : "").append(Cell(list.columns[c]));
      out += line + "\r\n";
      for (const auto& row : list.rows) {
        line.clear();
        for (std::size_t c = 0; c < row.size(); ++c) line.append(c ? "\t" : "").append(Cell(row[c]));
        out += line + "\r\n";
      }
    }
    for (const auto& tree : s.trees) {
      out += "\r\n";
      if (!tree.title.empty()) out.append("[").append(ToUtf8(tree.title)).append("]\r\n");
      TreeText(tree.nodes, "", out);
    }
  }
  return out;
}

}  // namespace corvane::report
