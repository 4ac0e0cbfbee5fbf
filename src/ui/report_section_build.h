// Building a window's report section from the tables it already has: the
// rows of a sheet table, a report list, the lines of a list box, a check
// list. A window that shows one entry at a time (a drive, an adapter) makes
// one list row per entry out of its sheet table, so every entry is reported
// and a comparison of two reports matches the entries by their first cell.
#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/report_list.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::ui {

// Labels a window picks out of its sheet (the volatile ones, say), as a
// named array of the window's.
using LabelSet = std::span<const std::wstring_view>;
bool HasLabel(LabelSet labels, std::wstring_view label);

// The rows of a sheet table with a text, labels as shown, in table order; a
// row whose label is in `volatile_labels` is marked volatile. A row whose
// value is another control (a drop-down list, a gauge) has no text here: the
// window adds it itself.
template <class View>
std::vector<SectionRow> SheetSectionRows(std::span<const SheetField<View>> fields, const View& view,
                                         LabelSet volatile_labels = {}) {
  std::vector<SectionRow> rows;
  for (const auto& field : fields) {
    if (!field.value) continue;
    rows.push_back({std::wstring(field.label), field.value(view), HasLabel(volatile_labels, field.label)});
  }
  return rows;
}

// Whether a sheet row belongs in a list made of the table (see below).
enum class LabelPick { kAllBut, kOnly };

// The captions and the cells of one entry for a list made of a sheet table:
// the rows with a text whose label is (kOnly) or is not (kAllBut) in `labels`.
template <class View>
std::vector<std::wstring> SheetColumnCaptions(std::span<const SheetField<View>> fields, LabelPick pick,
                                              LabelSet labels) {
  std::vector<std::wstring> captions;
  for (const auto& field : fields) {
    if (field.value && HasLabel(labels, field.label) == (pick == LabelPick::kOnly)) {
      captions.emplace_back(field.label);
    }
  }
  return captions;
}
template <class View>
std::vector<std::wstring> SheetCellTexts(std::span<const SheetField<View>> fields, const View& view, LabelPick pick,
                                         LabelSet labels) {
  std::vector<std::wstring> cells;
  for (const auto& field : fields) {
    if (field.value && HasLabel(labels, field.label) == (pick == LabelPick::kOnly)) cells.push_back(field.value(view));
  }
  return cells;
}

// A report list as a section list: its column captions, and every row as
// long as the columns (missing cells empty, cells past the columns dropped).
SectionList ReportListSection(std::wstring title, const ReportList& list, bool is_volatile = false);

// The lines of a list box as a list of one column.
SectionList LinesSection(std::wstring title, std::wstring column, std::span<const std::wstring> lines,
                         bool is_volatile = false);

// The checked items of a check list, joined by ", " ("" for none); for a
// list cell that stands for the whole check list.
std::wstring CheckedItemsText(std::span<const std::wstring_view> items, std::span<const bool> checked);

// The rows of a check list: each item's text with "Yes" or "No".
std::vector<SectionRow> CheckSectionRows(std::span<const std::wstring_view> items, std::span<const bool> checked);

}  // namespace corvane::ui
