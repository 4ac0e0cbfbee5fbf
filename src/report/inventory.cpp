#include "report/inventory.h"

#include <cstdio>
#include <nlohmann/json.hpp>

#include "platform/utf8.h"

namespace corvane::report {
namespace {

using platform::ToUtf8;
using Json = nlohmann::ordered_json;

Json TreeNodesJson(const std::vector<ui::TreeNode>& nodes) {
  Json out = Json::array();
  for (const auto& node : nodes) {
    out.push_back(Json{{"text", ToUtf8(node.text)}, {"children", TreeNodesJson(node.children)}});
  }
  return out;
}

Json SectionJson(const InventorySection& entry) {
  const ui::ReportSection& s = entry.section;
  Json rows = Json::array();
  for (const auto& row : s.rows) {
    Json r{{"label", ToUtf8(row.label)}, {"value", ToUtf8(row.value)}};
    if (row.is_volatile) r["volatile"] = true;
    rows.push_back(std::move(r));
  }
  Json lists = Json::array();
  for (const auto& list : s.lists) {
    Json columns = Json::array();
    for (const auto& c : list.columns) columns.push_back(ToUtf8(c));
    Json cells = Json::array();
    for (const auto& row : list.rows) {
      Json r = Json::array();
      for (const auto& c : row) r.push_back(ToUtf8(c));
      cells.push_back(std::move(r));
    }
    Json l{{"title", ToUtf8(list.title)}, {"columns", std::move(columns)}, {"rows", std::move(cells)}};
    if (list.is_volatile) l["volatile"] = true;
    lists.push_back(std::move(l));
  }
  Json trees = Json::array();
  for (const auto& tree : s.trees) {
    trees.push_back(Json{{"title", ToUtf8(tree.title)}, {"nodes", TreeNodesJson(tree.nodes)}});
  }
  Json out{{"id", ToUtf8(s.id)}, {"title", ToUtf8(s.title)}};
  if (!entry.error.empty()) out["error"] = ToUtf8(entry.error);
  out["rows"] = std::move(rows);
  out["lists"] = std::move(lists);
  out["trees"] = std::move(trees);
  return out;
}

// ---- reading back -----------------------------------------------------------

// A shape error with the place it was found at.
struct ShapeError {
  std::string reason;
};

std::wstring Text(const Json& j, const std::string& where) {
  if (!j.is_string()) throw ShapeError{where + " is not a text"};
  auto text = platform::FromUtf8(j.get_ref<const std::string&>());
  if (!text) throw ShapeError{where + " is not UTF-8"};
  return *std::move(text);
}

const Json& Member(const Json& object, const char* name, const std::string& where) {
  if (!object.is_object()) throw ShapeError{where + " is not an object"};
  const auto it = object.find(name);
  if (it == object.end()) throw ShapeError{where + " has no \"" + name + "\""};
  return *it;
}

const Json& Array(const Json& object, const char* name, const std::string& where) {
  const Json& j = Member(object, name, where);
  if (!j.is_array()) throw ShapeError{where + "." + name + " is not an array"};
  return j;
}

bool Flag(const Json& object, const char* name, const std::string& where) {
  const auto it = object.find(name);
  if (it == object.end()) return false;
  if (!it->is_boolean()) throw ShapeError{where + "." + name + " is not true or false"};
  return it->get<bool>();
}

std::string At(const std::string& where, std::size_t index) { return where + "[" + std::to_string(index) + "]"; }

std::vector<ui::TreeNode> ReadNodes(const Json& nodes, const std::string& where, int depth) {
  // Far deeper than any window's tree; bounds the recursion on hostile input.
  if (depth > 64) throw ShapeError{where + " nests too deep"};
  std::vector<ui::TreeNode> out;
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    const std::string here = At(where, i);
    ui::TreeNode node;
    node.text = Text(Member(nodes[i], "text", here), here + ".text");
    const Json* children = nodes[i].contains("children") ? &nodes[i]["children"] : nullptr;
    if (children) {
      if (!children->is_array()) throw ShapeError{here + ".children is not an array"};
      node.children = ReadNodes(*children, here + ".children", depth + 1);
    }
    out.push_back(std::move(node));
  }
  return out;
}

InventorySection ReadSection(const Json& j, const std::string& where) {
  InventorySection entry;
  ui::ReportSection& s = entry.section;
  s.id = Text(Member(j, "id", where), where + ".id");
  s.title = Text(Member(j, "title", where), where + ".title");
  if (j.contains("error")) entry.error = Text(j["error"], where + ".error");

  const Json& rows = Array(j, "rows", where);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string here = At(where + ".rows", i);
    ui::SectionRow row;
    row.label = Text(Member(rows[i], "label", here), here + ".label");
    row.value = Text(Member(rows[i], "value", here), here + ".value");
    row.is_volatile = Flag(rows[i], "volatile", here);
    s.rows.push_back(std::move(row));
  }
  const Json& lists = Array(j, "lists", where);
  for (std::size_t i = 0; i < lists.size(); ++i) {
    const std::string here = At(where + ".lists", i);
    ui::SectionList list;
    list.title = Text(Member(lists[i], "title", here), here + ".title");
    const Json& columns = Array(lists[i], "columns", here);
    for (std::size_t c = 0; c < columns.size(); ++c) list.columns.push_back(Text(columns[c], At(here + ".columns", c)));
    const Json& cells = Array(lists[i], "rows", here);
    for (std::size_t r = 0; r < cells.size(); ++r) {
      const std::string row_at = At(here + ".rows", r);
      if (!cells[r].is_array()) throw ShapeError{row_at + " is not an array"};
      std::vector<std::wstring> row;
      for (std::size_t c = 0; c < cells[r].size(); ++c) row.push_back(Text(cells[r][c], At(row_at, c)));
      list.rows.push_back(std::move(row));
    }
    list.is_volatile = Flag(lists[i], "volatile", here);
    s.lists.push_back(std::move(list));
  }
  const Json& trees = Array(j, "trees", where);
  for (std::size_t i = 0; i < trees.size(); ++i) {
    const std::string here = At(where + ".trees", i);
    ui::SectionTree tree;
    tree.title = Text(Member(trees[i], "title", here), here + ".title");
    tree.nodes = ReadNodes(Array(trees[i], "nodes", here), here + ".nodes", 0);
    s.trees.push_back(std::move(tree));
  }
  return entry;
}

}  // namespace

std::wstring IsoLocalTimeText(const LocalTime& t) {
  const int offset = t.utc_offset_minutes < 0 ? -t.utc_offset_minutes : t.utc_offset_minutes;
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second, t.utc_offset_minutes < 0 ? '-' : '+', offset / 60, offset % 60);
  return std::wstring(text, text + std::char_traits<char>::length(text));
}

InventoryForm FormForFile(std::wstring_view path) {
  const auto dot = path.find_last_of(L"./\\");
  if (dot == std::wstring_view::npos || path[dot] != L'.') return InventoryForm::kText;
  std::wstring ext(path.substr(dot + 1));
  for (auto& c : ext) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + 32);
  }
  if (ext == L"json") return InventoryForm::kJson;
  if (ext == L"htm" || ext == L"html") return InventoryForm::kHtml;
  return InventoryForm::kText;
}

std::string InventoryJson(const InventoryDocument& doc) {
  Json sections = Json::array();
  Json timings = Json::object();
  for (const auto& entry : doc.sections) {
    sections.push_back(SectionJson(entry));
    timings[ToUtf8(entry.section.id)] = entry.milliseconds;
  }
  const Json j{{"format", doc.format},
               {"product", ToUtf8(doc.product)},
               {"version", ToUtf8(doc.version)},
               {"generated", ToUtf8(doc.generated)},
               {"machine", ToUtf8(doc.machine)},
               {"sections", std::move(sections)},
               {"timings", std::move(timings)}};
  return j.dump(2) + "\n";
}

std::variant<InventoryDocument, InventoryReadError> ReadInventoryJson(std::string_view utf8) {
  const Json j = Json::parse(utf8.begin(), utf8.end(), nullptr, /*allow_exceptions=*/false);
  if (j.is_discarded()) return InventoryReadError{"not JSON"};
  if (!j.is_object()) return InventoryReadError{"not a report: the top level is not an object"};
  const auto format = j.find("format");
  if (format == j.end()) return InventoryReadError{"not a report: it has no \"format\""};
  if (!format->is_number_integer()) return InventoryReadError{"not a report: \"format\" is not a whole number"};
  if (format->get<std::int64_t>() != kInventoryFormat) {
    return InventoryReadError{"report format " + std::to_string(format->get<std::int64_t>()) +
                              " is not the format this program reads (" + std::to_string(kInventoryFormat) + ")"};
  }
  try {
    InventoryDocument doc;
    doc.format = kInventoryFormat;
    doc.product = Text(Member(j, "product", "report"), "product");
    doc.version = Text(Member(j, "version", "report"), "version");
    doc.generated = Text(Member(j, "generated", "report"), "generated");
    doc.machine = Text(Member(j, "machine", "report"), "machine");
    const Json& sections = Array(j, "sections", "report");
    for (std::size_t i = 0; i < sections.size(); ++i) doc.sections.push_back(ReadSection(sections[i], At("sections", i)));
    if (const auto timings = j.find("timings"); timings != j.end()) {
      if (!timings->is_object()) throw ShapeError{"timings is not an object"};
      for (auto& entry : doc.sections) {
        const auto ms = timings->find(platform::ToUtf8(entry.section.id));
        if (ms != timings->end() && ms->is_number()) entry.milliseconds = ms->get<std::int64_t>();
      }
    }
    return doc;
  } catch (const ShapeError& e) {
    return InventoryReadError{"not a report of format " + std::to_string(kInventoryFormat) + ": " + e.reason};
  }
}

std::string InventoryInForm(const InventoryDocument& doc, InventoryForm form) {
  switch (form) {
    case InventoryForm::kJson:
      return InventoryJson(doc);
    case InventoryForm::kHtml:
      return InventoryHtml(doc);
    case InventoryForm::kText:
      break;
  }
  return InventoryText(doc);
}

}  // namespace corvane::report
