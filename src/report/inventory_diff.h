// What changed between two inventory reports of one machine: rows whose
// value changed, list rows added, removed or changed (a row is known by its
// first column: an application, a service, a driver, a startup entry), tree
// nodes added and removed, and sections only one report has. Readings marked
// volatile in either report are left out unless asked for, so two reports of
// an unchanged machine compare equal.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "report/inventory.h"

namespace corvane::report {

enum class Change { kAdded, kRemoved, kChanged };

struct SectionChange {
  std::wstring id, title;
  Change change;  // added or removed
};

struct RowChange {
  std::wstring section;  // the section's id
  std::wstring label;
  Change change;
  std::wstring old_value, new_value;  // the missing side empty
};

struct ListRowChange {
  std::wstring section, list;
  Change change;
  std::vector<std::wstring> old_cells, new_cells;  // the missing side empty
};

struct TreeNodeChange {
  std::wstring section, tree;
  Change change;                  // added or removed
  std::vector<std::wstring> path;  // the node's text and its ancestors', root first
};

struct InventoryDiff {
  std::vector<SectionChange> sections;
  std::vector<RowChange> rows;
  std::vector<ListRowChange> list_rows;
  std::vector<TreeNodeChange> tree_nodes;
  // The generation time, compared only when volatile readings are.
  std::optional<std::pair<std::wstring, std::wstring>> generated;

  bool empty() const {
    return sections.empty() && rows.empty() && list_rows.empty() && tree_nodes.empty() && !generated;
  }
};

// `all`: compare the volatile readings too.
InventoryDiff DiffInventories(const InventoryDocument& old_doc, const InventoryDocument& new_doc, bool all);

// One line per change, UTF-8, "\n" line ends; nothing when nothing changed.
std::string DiffText(const InventoryDiff& diff);
// The same as one JSON object: {"changed":..., "sections":[...], "rows":[...],
// "list_rows":[...], "tree_nodes":[...]} (and "generated" when compared).
std::string DiffJson(const InventoryDiff& diff);

}  // namespace corvane::report
