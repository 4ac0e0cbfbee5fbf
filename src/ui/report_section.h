// What one window contributes to the unattended inventory report: its model
// as plain labelled rows, lists and trees. Each window builds its section
// from the model it keeps (a pure function beside the model), so the report
// reads exactly what the window would show; the report's writers and the
// comparison of two reports read only this.
#pragma once
#include <string>
#include <vector>

#include "ui/tree_model.h"

namespace corvane::ui {

// A reading that changes by itself on an unchanged machine (the clock,
// uptime, free memory and space, usage, counters) is marked volatile, so a
// comparison of two reports can leave it out.
struct SectionRow {
  std::wstring label;
  std::wstring value;
  bool is_volatile = false;
  friend bool operator==(const SectionRow&, const SectionRow&) = default;
};

struct SectionList {
  std::wstring title;
  std::vector<std::wstring> columns;
  std::vector<std::vector<std::wstring>> rows;  // each as long as columns
  bool is_volatile = false;
  friend bool operator==(const SectionList&, const SectionList&) = default;
};

struct SectionTree {
  std::wstring title;
  std::vector<TreeNode> nodes;
  friend bool operator==(const SectionTree&, const SectionTree&) = default;
};

struct ReportSection {
  std::wstring id;     // the window's class name
  std::wstring title;  // the window's caption
  std::vector<SectionRow> rows;
  std::vector<SectionList> lists;
  std::vector<SectionTree> trees;
  friend bool operator==(const ReportSection&, const ReportSection&) = default;
};

}  // namespace corvane::ui
