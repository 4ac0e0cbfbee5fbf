#include "report/inventory_diff.h"

#include <map>
#include <nlohmann/json.hpp>
#include <utility>

#include "platform/utf8.h"

namespace corvane::report {
namespace {

using platform::ToUtf8;

// Pairs the items of two sequences by a key: the n-th item of a key on one
// side with the n-th of the same key on the other. Calls both(old, new) for
// each pair, only_old and only_new for the rest, in the old order then the new.
template <class T, class Key, class Both, class OnlyOld, class OnlyNew>
void Pair(const std::vector<T>& olds, const std::vector<T>& news, Key key, Both both, OnlyOld only_old,
          OnlyNew only_new) {
  std::map<std::wstring, std::vector<std::size_t>> new_by_key;
  for (std::size_t i = 0; i < news.size(); ++i) new_by_key[key(news[i])].push_back(i);
  std::map<std::wstring, std::size_t> used;
  std::vector<bool> matched(news.size(), false);
  for (const T& o : olds) {
    const std::wstring k = key(o);
    const auto it = new_by_key.find(k);
    std::size_t& n = used[k];
    if (it != new_by_key.end() && n < it->second.size()) {
      const std::size_t j = it->second[n++];
      matched[j] = true;
      both(o, news[j]);
    } else {
      only_old(o);
    }
  }
  for (std::size_t j = 0; j < news.size(); ++j) {
    if (!matched[j]) only_new(news[j]);
  }
}

class Differ {
 public:
  Differ(bool all, InventoryDiff& out) : all_(all), out_(out) {}

  void Sections(const std::vector<InventorySection>& olds, const std::vector<InventorySection>& news) {
    Pair(
        olds, news, [](const InventorySection& s) { return s.section.id; },
        [&](const InventorySection& o, const InventorySection& n) { Section(o.section, n.section); },
        [&](const InventorySection& o) { out_.sections.push_back({o.section.id, o.section.title, Change::kRemoved}); },
        [&](const InventorySection& n) { out_.sections.push_back({n.section.id, n.section.title, Change::kAdded}); });
  }

 private:
  void Section(const ui::ReportSection& o, const ui::ReportSection& n) {
    const std::wstring& id = n.id;
    Pair(
        o.rows, n.rows, [](const ui::SectionRow& r) { return r.label; },
        [&](const ui::SectionRow& a, const ui::SectionRow& b) {
          if (a.value != b.value && Compared(a.is_volatile || b.is_volatile)) {
            out_.rows.push_back({id, b.label, Change::kChanged, a.value, b.value});
          }
        },
        [&](const ui::SectionRow& a) {
          if (Compared(a.is_volatile)) out_.rows.push_back({id, a.label, Change::kRemoved, a.value, {}});
        },
        [&](const ui::SectionRow& b) {
          if (Compared(b.is_volatile)) out_.rows.push_back({id, b.label, Change::kAdded, {}, b.value});
        });
    const ui::SectionList none;
    Pair(
        o.lists, n.lists, [](const ui::SectionList& l) { return l.title; },
        [&](const ui::SectionList& a, const ui::SectionList& b) {
          if (Compared(a.is_volatile || b.is_volatile)) List(id, b.title, a.rows, b.rows);
        },
        [&](const ui::SectionList& a) {
          if (Compared(a.is_volatile)) List(id, a.title, a.rows, none.rows);
        },
        [&](const ui::SectionList& b) {
          if (Compared(b.is_volatile)) List(id, b.title, none.rows, b.rows);
        });
    const std::vector<ui::TreeNode> no_nodes;
    Pair(
        o.trees, n.trees, [](const ui::SectionTree& t) { return t.title; },
        [&](const ui::SectionTree& a, const ui::SectionTree& b) { Nodes(id, b.title, a.nodes, b.nodes, {}); },
        [&](const ui::SectionTree& a) { Nodes(id, a.title, a.nodes, no_nodes, {}); },
        [&](const ui::SectionTree& b) { Nodes(id, b.title, no_nodes, b.nodes, {}); });
  }

  using Row = std::vector<std::wstring>;

  // Rows are known by their first cell. Among the rows of one first cell,
  // those on both sides unchanged are equal; one left on each side has
  // changed; any others were removed or added (several rows of one first
  // cell, the entries of one startup place, say).
  void List(const std::wstring& id, const std::wstring& title, const std::vector<Row>& olds,
            const std::vector<Row>& news) {
    std::vector<std::wstring> keys;
    std::map<std::wstring, std::pair<std::vector<Row>, std::vector<Row>>> by_key;
    const auto key_of = [](const Row& r) { return r.empty() ? std::wstring() : r.front(); };
    for (const Row& r : olds) {
      auto [it, fresh] = by_key.try_emplace(key_of(r));
      if (fresh) keys.push_back(it->first);
      it->second.first.push_back(r);
    }
    for (const Row& r : news) {
      auto [it, fresh] = by_key.try_emplace(key_of(r));
      if (fresh) keys.push_back(it->first);
      it->second.second.push_back(r);
    }
    for (const auto& key : keys) {
      auto& [removed, added] = by_key[key];
      std::vector<Row> gone, come;
      Pair(
          removed, added, [](const Row& r) { return Joined(r); }, [](const Row&, const Row&) {},
          [&](const Row& r) { gone.push_back(r); }, [&](const Row& r) { come.push_back(r); });
      if (gone.size() == 1 && come.size() == 1) {
        out_.list_rows.push_back({id, title, Change::kChanged, gone.front(), come.front()});
        continue;
      }
      for (auto& r : gone) out_.list_rows.push_back({id, title, Change::kRemoved, std::move(r), {}});
      for (auto& r : come) out_.list_rows.push_back({id, title, Change::kAdded, {}, std::move(r)});
    }
  }

  void Nodes(const std::wstring& id, const std::wstring& title, const std::vector<ui::TreeNode>& olds,
             const std::vector<ui::TreeNode>& news, const std::vector<std::wstring>& path) {
    const auto at = [&](const ui::TreeNode& node) {
      auto p = path;
      p.push_back(node.text);
      return p;
    };
    Pair(
        olds, news, [](const ui::TreeNode& node) { return node.text; },
        [&](const ui::TreeNode& a, const ui::TreeNode& b) { Nodes(id, title, a.children, b.children, at(a)); },
        [&](const ui::TreeNode& a) { out_.tree_nodes.push_back({id, title, Change::kRemoved, at(a)}); },
        [&](const ui::TreeNode& b) { out_.tree_nodes.push_back({id, title, Change::kAdded, at(b)}); });
  }

  // A row's cells as one key; the separator cannot occur in a cell's text.
  static std::wstring Joined(const Row& r) {
    std::wstring key;
    for (const auto& cell : r) key += cell + L'\x1F';
    return key;
  }

  bool Compared(bool is_volatile) const { return all_ || !is_volatile; }

  bool all_;
  InventoryDiff& out_;
};

const char* ChangeWord(Change change) {
  switch (change) {
    case Change::kAdded:
      return "added";
    case Change::kRemoved:
      return "removed";
    case Change::kChanged:
      break;
  }
  return "changed";
}

std::string Quoted(std::wstring_view text) { return nlohmann::json(ToUtf8(text)).dump(); }

// A list row on one line: its cells joined by " | ", empty cells at the end left off.
std::string RowText(const std::vector<std::wstring>& cells) {
  std::size_t n = cells.size();
  while (n > 0 && cells[n - 1].empty()) --n;
  std::string out;
  for (std::size_t i = 0; i < n; ++i) out += (i ? " | " : "") + ToUtf8(cells[i]);
  return out;
}

std::string PathText(const std::vector<std::wstring>& path) {
  std::string out;
  for (std::size_t i = 0; i < path.size(); ++i) out += (i ? " > " : "") + ToUtf8(path[i]);
  return out;
}

nlohmann::ordered_json Texts(const std::vector<std::wstring>& texts) {
  auto out = nlohmann::ordered_json::array();
  for (const auto& t : texts) out.push_back(ToUtf8(t));
  return out;
}

}  // namespace

InventoryDiff DiffInventories(const InventoryDocument& old_doc, const InventoryDocument& new_doc, bool all) {
  InventoryDiff diff;
  Differ(all, diff).Sections(old_doc.sections, new_doc.sections);
  if (all && old_doc.generated != new_doc.generated) diff.generated.emplace(old_doc.generated, new_doc.generated);
  return diff;
}

std::string DiffText(const InventoryDiff& diff) {
  std::string out;
  if (diff.generated) {
    out += "generated changed: " + Quoted(diff.generated->first) + " -> " + Quoted(diff.generated->second) + "\n";
  }
  for (const auto& s : diff.sections) {
    out += "section " + std::string(ChangeWord(s.change)) + ": " + ToUtf8(s.id) + " " + Quoted(s.title) + "\n";
  }
  for (const auto& r : diff.rows) {
    out += ToUtf8(r.section) + ": row " + Quoted(r.label) + " " + ChangeWord(r.change) + ": ";
    switch (r.change) {
      case Change::kChanged:
        out += Quoted(r.old_value) + " -> " + Quoted(r.new_value);
        break;
      case Change::kAdded:
        out += Quoted(r.new_value);
        break;
      case Change::kRemoved:
        out += Quoted(r.old_value);
        break;
    }
    out += "\n";
  }
  for (const auto& l : diff.list_rows) {
    out += ToUtf8(l.section) + ": list " + Quoted(l.list) + " row " + ChangeWord(l.change) + ": ";
    switch (l.change) {
      case Change::kChanged:
        out += RowText(l.old_cells) + " -> " + RowText(l.new_cells);
        break;
      case Change::kAdded:
        out += RowText(l.new_cells);
        break;
      case Change::kRemoved:
        out += RowText(l.old_cells);
        break;
    }
    out += "\n";
  }
  for (const auto& t : diff.tree_nodes) {
    out += ToUtf8(t.section) + ": tree " + Quoted(t.tree) + " node " + ChangeWord(t.change) + ": " + PathText(t.path) +
           "\n";
  }
  return out;
}

std::string DiffJson(const InventoryDiff& diff) {
  using Json = nlohmann::ordered_json;
  Json j;
  j["changed"] = !diff.empty();
  if (diff.generated) j["generated"] = {{"old", ToUtf8(diff.generated->first)}, {"new", ToUtf8(diff.generated->second)}};
  j["sections"] = Json::array();
  for (const auto& s : diff.sections) {
    j["sections"].push_back({{"id", ToUtf8(s.id)}, {"title", ToUtf8(s.title)}, {"change", ChangeWord(s.change)}});
  }
  j["rows"] = Json::array();
  for (const auto& r : diff.rows) {
    Json row{{"section", ToUtf8(r.section)}, {"label", ToUtf8(r.label)}, {"change", ChangeWord(r.change)}};
    if (r.change != Change::kAdded) row["old"] = ToUtf8(r.old_value);
    if (r.change != Change::kRemoved) row["new"] = ToUtf8(r.new_value);
    j["rows"].push_back(std::move(row));
  }
  j["list_rows"] = Json::array();
  for (const auto& l : diff.list_rows) {
    Json row{{"section", ToUtf8(l.section)}, {"list", ToUtf8(l.list)}, {"change", ChangeWord(l.change)}};
    if (l.change != Change::kAdded) row["old"] = Texts(l.old_cells);
    if (l.change != Change::kRemoved) row["new"] = Texts(l.new_cells);
    j["list_rows"].push_back(std::move(row));
  }
  j["tree_nodes"] = Json::array();
  for (const auto& t : diff.tree_nodes) {
    j["tree_nodes"].push_back(
        {{"section", ToUtf8(t.section)}, {"tree", ToUtf8(t.tree)}, {"change", ChangeWord(t.change)}, {"path", Texts(t.path)}});
  }
  return j.dump(2) + "\n";
}

}  // namespace corvane::report
