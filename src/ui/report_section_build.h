// Building a window's report section from the tables it already has: the
// rows of a sheet table, a report list, the lines of a list box, a check
// list. A window that shows one entry at a time (a drive, an adapter) makes
// one list row per entry out of its sheet table, so every entry is reported
// and a comparison of two reports matches the entries by their first cell.
#pragma once
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/report_list.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::ui {

// The lines of a list box as a list of one column.
SectionList LinesSection(std::wstring title, std::wstring column, std::span<const std::wstring> lines,
                         bool is_volatile = false);

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

// A whole sheet into a section: its one-line rows as rows (as
// SheetSectionRows), and each row of several lines (a text box, a list box)
// as a list of one column under its label, one list row per line.
template <class View>
void AddSheet(ReportSection& section, std::span<const SheetField<View>> fields, const View& view,
              LabelSet volatile_labels = {}) {
  for (const auto& field : fields) {
    if (!field.value) continue;
    const bool is_volatile = HasLabel(volatile_labels, field.label);
    if (field.cell == SheetCell::kLine) {
      section.rows.push_back({std::wstring(field.label), field.value(view), is_volatile});
    } else {
      const std::vector<std::wstring> lines = SplitLines(field.value(view));
      section.lists.push_back(LinesSection(std::wstring(field.label), std::wstring(field.label), lines, is_volatile));
    }
  }
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

// A window that shows one entry at a time (a drive, an adapter) as a list of
// every entry: the first column `key_caption` holds each entry's name
// (`key(entry)`), then one column per sheet row picked as above, filled
// from `view(entry)`.
template <class View, class Entry, class Key, class ViewOf>
SectionList SheetEntries(std::wstring title, std::wstring key_caption, std::span<const SheetField<View>> fields,
                         std::span<const Entry> entries, Key key, ViewOf view, LabelPick pick = LabelPick::kAllBut,
                         LabelSet labels = {}, bool is_volatile = false) {
  SectionList list{std::move(title), {std::move(key_caption)}, {}, is_volatile};
  for (auto& caption : SheetColumnCaptions(fields, pick, labels)) list.columns.push_back(std::move(caption));
  for (const Entry& entry : entries) {
    std::vector<std::wstring> row{std::wstring(key(entry))};
    for (auto& cell : SheetCellTexts(fields, view(entry), pick, labels)) row.push_back(std::move(cell));
    list.rows.push_back(std::move(row));
  }
  return list;
}

// A report list as a section list: its column captions, and every row as
// long as the columns (missing cells empty, cells past the columns dropped).
SectionList ReportListSection(std::wstring title, const ReportList& list, bool is_volatile = false);

// The same, for a window that keeps its columns as a table and its rows apart.
inline SectionList ListSection(std::wstring title, std::span<const ReportColumn> columns,
                               std::vector<std::vector<std::wstring>> rows) {
  return ReportListSection(std::move(title), ReportList{{columns.begin(), columns.end()}, std::move(rows)});
}

// The checked items of a check list, joined by ", " ("" for none); for a
// list cell that stands for the whole check list.
std::wstring CheckedItemsText(std::span<const std::wstring_view> items, std::span<const bool> checked);

// The rows of a check list: each item's text with "Yes" or "No".
std::vector<SectionRow> CheckSectionRows(std::span<const std::wstring_view> items, std::span<const bool> checked);

}  // namespace corvane::ui
