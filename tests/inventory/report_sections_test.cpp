// The inventory windows' models as report sections: what each section takes
// from its model where it decides something beyond the sheet's own rows.
#include <gtest/gtest.h>

#include "inventory/installed_apps.h"
#include "inventory/personal_view.h"
#include "inventory/printers_view.h"
#include "report/summary_section.h"

namespace corvane::inventory {
namespace {

TEST(PrintersSection, TheDropDownRowHoldsTheChosenPrinterAndAllAreListed) {
  PrintersModel model;
  model.entries = {L"Laser on LPT1:", L"PDF on FILE:"};
  model.selected = 1;
  model.bins = {L"Upper", L"Lower"};
  model.port = L"FILE:";
  const ui::ReportSection s = PrintersSection(model);
  EXPECT_EQ(s.id, L"TfrmPrinters");
  EXPECT_EQ(s.title, L"Printers");
  ASSERT_EQ(s.rows.size(), std::size(kPrintersFields));
  EXPECT_EQ(s.rows[0].label, L"Printers");
  EXPECT_EQ(s.rows[0].value, L"PDF on FILE:");
  EXPECT_EQ(s.rows[18].label, L"Paper Bins");
  EXPECT_EQ(s.rows[18].value, L"Upper\r\nLower");
  EXPECT_EQ(s.rows.back().value, L"FILE:");
  ASSERT_EQ(s.lists.size(), 1u);
  EXPECT_EQ(s.lists[0].rows, (std::vector<std::vector<std::wstring>>{{L"Laser on LPT1:"}, {L"PDF on FILE:"}}));

  model.selected = -1;  // none chosen (no printer, or a failed read)
  EXPECT_EQ(PrintersSection(model).rows[0].value, L"");
}

TEST(UninstallSection, EveryColumnWithShortRowsFilledOut) {
  const ui::ReportSection s = UninstallSection({{L"Alpha", L"1.0"}});
  EXPECT_EQ(s.id, L"TfrmUnistall");
  ASSERT_EQ(s.lists.size(), 1u);
  EXPECT_EQ(s.lists[0].columns.size(), kAppRowCells);
  EXPECT_EQ(s.lists[0].columns.front(), L"Name");
  EXPECT_EQ(s.lists[0].columns[kAppInstallDate], L"Install Date") << "kept beside the shown columns";
  EXPECT_EQ(s.lists[0].columns[kAppSource], L"Registry") << "which view or root the entry was read in";
  ASSERT_EQ(s.lists[0].rows.size(), 1u);
  EXPECT_EQ(s.lists[0].rows[0].size(), kAppRowCells);
  EXPECT_FALSE(s.lists[0].is_volatile);
}

TEST(PersonalSection, TheSheetRowsAsShown) {
  PersonalModel model;
  model.registered_owner = L"Ada";
  const ui::ReportSection s = PersonalSection(model);
  ASSERT_EQ(s.rows.size(), std::size(kPersonalFields));
  EXPECT_EQ(s.rows[0].label, L"Registered Owner");
  EXPECT_EQ(s.rows[0].value, L"Ada");
  for (const auto& row : s.rows) EXPECT_FALSE(row.is_volatile) << std::string(row.label.begin(), row.label.end());
}

TEST(SummarySection, AllRowsWithOnlyTheLiveReadingsVolatile) {
  report::SummaryModel model;
  model.Value(3) = L"512 MB";
  const ui::ReportSection s = report::SummarySection(model, L"Corvane 2.84");
  EXPECT_EQ(s.id, L"TForm1");
  EXPECT_EQ(s.title, L"Corvane 2.84");
  ASSERT_EQ(s.rows.size(), 28u);
  EXPECT_EQ(s.rows[2].label, L"Memory (RAM)");
  EXPECT_EQ(s.rows[2].value, L"512 MB");
  std::vector<std::wstring> volatile_labels;
  for (const auto& row : s.rows) {
    if (row.is_volatile) volatile_labels.push_back(row.label);
  }
  EXPECT_EQ(volatile_labels,
            (std::vector<std::wstring>{L"CPU Speed", L"Hard Disks - Free", L"AC Power Status", L"Battery"}));
}

}  // namespace
}  // namespace corvane::inventory
