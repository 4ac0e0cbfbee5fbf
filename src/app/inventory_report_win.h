// The unattended inventory report ("/REPORT file"): every window of the
// creation list, in its order, then the windows made each time they are
// shown (creation_order.h), reads its model again without being shown (those
// that show the measured clock last: report_order.h); the
// sections are written to the file in the form its name asks for, or as a
// GLPI computer inventory when "/FORMAT glpi" asks for one.
#pragma once
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "app/command_line.h"
#include "ui/window_win.h"

namespace corvane::app {

using ListedWindows = std::span<const std::pair<std::wstring_view, ui::Window*>>;

// Returns the process exit code: 0 when the file was written, 1 when it could
// not be (its reason on the standard error stream; no file, not even part of
// one, is left). A window whose reading fails is still reported, with its
// failure; the failure also goes to the standard error stream.
int RunInventoryReport(ListedWindows windows, const std::wstring& file, ReportFormat format);

}  // namespace corvane::app
