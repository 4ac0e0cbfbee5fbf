#include "app/report_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "app/creation_order.h"

namespace corvane::app {
namespace {

TEST(ReportReadingOrder, ClockSectionsLastEachKeepingItsOrder) {
  struct Case {
    std::vector<std::wstring_view> names;
    std::vector<std::size_t> order;
  };
  const Case cases[] = {
      {{}, {}},
      {{L"TfrmMemory", L"TfrmDisk"}, {0, 1}},
      {{L"TForm1", L"TfrmMemory", L"TfrmCPU", L"TfrmSound"}, {1, 3, 0, 2}},
      {{L"TfrmCPU", L"TForm1"}, {0, 1}},
  };
  for (const Case& c : cases) EXPECT_EQ(ReportReadingOrder(c.names), c.order);
}

TEST(ReportReadingOrder, EveryClockSectionIsOneTheReportLists) {
  std::vector<std::wstring_view> listed(std::begin(kCreationOrder), std::end(kCreationOrder));
  listed.insert(listed.end(), std::begin(kReportedOnDemand), std::end(kReportedOnDemand));
  for (const auto name : kClockSections) EXPECT_NE(std::ranges::find(listed, name), listed.end()) << std::wstring(name);
}

}  // namespace
}  // namespace corvane::app
