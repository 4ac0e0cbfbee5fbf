#include "e2e/sheet_checks.h"

#include <gtest/gtest.h>

#include <iterator>

#include "ui/product.h"

namespace corvane::e2e {
namespace {

bool HasText(const std::wstring& s) { return s.find_first_not_of(L' ') != std::wstring::npos; }

}  // namespace

void ExpectSheetFilled(const std::vector<std::wstring>& rows, bool nocom) {
  ASSERT_EQ(rows.size(), static_cast<size_t>(app::kRowCount));
  const std::wstring& os = rows[0];
  EXPECT_NE(os.find(L", Version "), std::wstring::npos) << "row 1: " << os;
  // Each build runs in a prefix of its own word size: a 32-bit Windows for
  // corvane.exe, a 64-bit one for corvane64.exe.
  EXPECT_TRUE(os.ends_with(ui::k64BitBuild ? L", 64 Bit." : L", 32 Bit.")) << "row 1: " << os;
  for (int n : {6, 8, 9, 28}) EXPECT_TRUE(HasText(rows[n - 1])) << "row " << n << ": \"" << rows[n - 1] << "\"";
  EXPECT_EQ(rows[18], L"The Wine Project") << "row 19";
  EXPECT_EQ(rows[19], L"Wine") << "row 20";
  if (nocom) {
    EXPECT_EQ(rows[12], L"") << "row 13 under /nocom";
  } else {
    // Serial ports, a space, then parallel ports or "NOT Present": never
    // just the space.
    EXPECT_TRUE(HasText(rows[12])) << "row 13: \"" << rows[12] << "\"";
  }
}

void ExpectCellsReadAlike(const CorvaneProcess& app) {
  for (int n = 1; n <= app::kRowCount; ++n) {
    for (int id : {app::DescId(n), app::InfoId(n)}) {
      HWND cell = app.Control(id);
      ASSERT_TRUE(cell) << "cell " << id << " of row " << n;
      const auto sent = WindowText(cell);
      ASSERT_TRUE(sent.has_value()) << "cell " << id << " does not answer";
      wchar_t read[512] = L"";
      GetWindowTextW(cell, read, static_cast<int>(std::size(read)));
      EXPECT_EQ(std::wstring(read), *sent) << "cell " << id << " of row " << n;
    }
  }
}

void ExpectSheetEmpty(const CorvaneProcess& app) {
  for (int n = 1; n <= app::kRowCount; ++n) {
    auto text = app.ControlText(app::InfoId(n));
    ASSERT_TRUE(text.has_value()) << "value cell of row " << n << " missing or not answering";
    EXPECT_EQ(*text, L"") << "row " << n;
  }
}

bool WaitForRefreshDone(const CorvaneProcess& app, milliseconds timeout) {
  return WaitUntil([&] { return !app.Info(app::kRowCount).empty(); }, timeout, 50ms);
}

}  // namespace corvane::e2e
