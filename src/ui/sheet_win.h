// The detail sheet: rows of a label cell beside a value cell under the
// headings "Item" and "Details", built from a row table. It scrolls when the
// window is too short for all rows, and hands its controls' notifications
// (a drop-down's selection, say) on to the window that holds it.
#pragma once
#include <windows.h>

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/scroller_win.h"
#include "ui/sheet_table.h"
#include "ui/window_win.h"

namespace corvane::ui {

// One row as the sheet creates it: the names and IDs of its two cells.
struct SheetRow {
  std::wstring label;
  std::wstring label_name;  // e.g. "Desc1"
  int label_id;
  std::wstring value_name;  // e.g. "Info1"
  int value_id;
  bool marked = false;  // a "*" beside the row
  SheetCell cell = SheetCell::kLine;
  int lines = 1;  // the row's height in rows of the sheet
};

// Label cells of a field table carry the value cell's ID plus this.
inline constexpr int kSheetLabelIdOffset = 50;

// The rows of a field table: label cell "lbl" + name, value cell
// `value_prefix` + name ("ed" + name unless the window names its cells
// otherwise, "Info3" say).
template <class View>
std::vector<SheetRow> SheetRows(std::span<const SheetField<View>> fields, std::wstring_view value_prefix = L"ed") {
  std::vector<SheetRow> rows;
  rows.reserve(fields.size());
  for (const auto& f : fields) {
    rows.push_back({std::wstring(f.label), L"lbl" + std::wstring(f.name), f.id + kSheetLabelIdOffset,
                    std::wstring(value_prefix) + std::wstring(f.name), f.id, false, f.cell, f.lines});
  }
  return rows;
}

struct SheetGeometry {
  int label_x = 4;
  int label_width = 196;
  int value_x = 212;
  int value_width = 440;
  int row_height = 19;
  int row_pitch = 20;
  int heading_height = 16;  // 0: a sheet without the two headings
};

// What a sheet's one-line cells (every label, and the value of a kLine row)
// are made of. Both look the same: the text sits where a read-only box puts
// it, inside the border and the font's margin.
enum class LineCells {
  kReadOnlyBoxes,  // read-only edit boxes: a click focuses one and leaves a caret in it
  kTexts,          // static texts: never focused, no caret; made and painted for less
};

class DetailSheet : public Window {
 public:
  explicit DetailSheet(const Theme& theme) : Window(theme) {}

  bool Create(HWND parent, int id, std::vector<SheetRow> rows, SheetGeometry geometry = {},
              LineCells line_cells = LineCells::kReadOnlyBoxes);
  size_t RowCount() const { return rows_.size(); }
  // Sets a value cell; with repaint it is painted at once. A list cell
  // takes one item per line of the text (JoinLines) and gives them back so.
  void SetValue(size_t index, const std::wstring& text, bool repaint);
  std::wstring Value(size_t index) const;
  // Every row that has a text, from the view, in table order.
  template <class View>
  void ShowFields(std::span<const SheetField<View>> fields, const View& view) {
    for (size_t i = 0; i < fields.size() && i < rows_.size(); ++i) {
      if (fields[i].value) SetValue(i, fields[i].value(view), false);
    }
  }
  // Puts a drop-down list in place of a row's value cell, filed under
  // `name`. A wheel turn over the closed list is dropped: it would step to
  // the next entry and start a slow read.
  HWND AddDropDown(size_t row, std::wstring name, int id, bool editable);
  // Puts a horizontal gauge (a smooth progress bar, 0 to 100) in place of a
  // row's value cell, filed under `name`; SetGauge moves it.
  HWND AddGauge(size_t row, std::wstring name, int id);
  void SetGauge(size_t row, int percent);
  // Puts a push button under the label cell of a row several lines high,
  // filed under `name`; its clicks reach the window that holds the sheet.
  HWND AddButtonUnderLabel(size_t row, std::wstring name, int id, std::wstring_view text);
  // Widens the value cells (and a drop-down or gauge in their place).
  void SetValueWidth(int width);
  int ContentHeight() const;
  const SheetGeometry& geometry() const { return geometry_; }

 protected:
  bool Build() override { return hwnd() != nullptr; }
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  void OnCommand(int id, int code, HWND control) override;
  void OnResize(int width, int height) override;
  HBRUSH OnControlColour(HDC dc, HWND control) override;

 private:
  struct Row {
    SheetRow cells;
    HWND label = nullptr;
    HWND value = nullptr;
    HWND marker = nullptr;
    HWND drop_down = nullptr;
    HWND gauge = nullptr;
    int height = 0;  // of the value cell
  };

  std::vector<Row> rows_;
  SheetGeometry geometry_;
  VerticalScroller scroller_;
};

}  // namespace corvane::ui
