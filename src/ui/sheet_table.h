// A detail sheet as data, free of any Windows header: each row binds its
// label, the name and ID of its value cell, and how its text comes out of
// the window's view model. One table drives the cells a window creates, the
// texts it shows, and whatever reads the model instead of the screen.
#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::ui {

// What a row's value cell is. A cell of several lines takes its text as
// lines joined by CR LF (JoinLines): a text box shows them as they are, a
// list holds one item per line.
enum class SheetCell {
  kLine,     // a one-line box
  kTextBox,  // a box of several lines, scroll bars both ways, no word wrap
  kList,     // a list box, one item per line
};

template <class View>
struct SheetField {
  std::wstring_view label;
  std::wstring_view name;  // the value cell; its label cell is "lbl" + name
  int id;                  // the value cell's control ID
  // The row's text in a view; nullptr for a row whose value is another
  // control (a drop-down list).
  std::wstring (*value)(const View&) = nullptr;
  SheetCell cell = SheetCell::kLine;
  int lines = 1;  // the row's height in rows of the sheet
};

// The text of a cell of several lines: the lines joined by CR LF.
std::wstring JoinLines(std::span<const std::wstring> lines);
// Its lines again: split at CR LF (a lone CR or LF also ends a line); no
// line for an empty text, nor after a last line break.
std::vector<std::wstring> SplitLines(std::wstring_view text);

// The texts of every row in table order (empty for a row without a text).
template <class View>
std::vector<std::wstring> SheetTexts(std::span<const SheetField<View>> fields, const View& view) {
  std::vector<std::wstring> texts;
  texts.reserve(fields.size());
  for (const auto& field : fields) texts.push_back(field.value ? field.value(view) : std::wstring());
  return texts;
}

}  // namespace corvane::ui
