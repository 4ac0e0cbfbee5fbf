// Two /REPORT JSON files as the diff reads them back, any bytes. What reads
// as a report must write out as JSON that reads back to a report with no
// difference from it, and any two reports compare in both directions.
// Parts: the old report, the new report.
#include <string_view>
#include <variant>

#include "fuzz_input.h"
#include "report/inventory.h"
#include "report/inventory_diff.h"

using namespace corvane;

namespace {
std::string_view Text(fuzz::Bytes bytes) { return {reinterpret_cast<const char*>(bytes.data()), bytes.size()}; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [old_bytes, new_bytes] = fuzz::SplitParts<2>(fuzz::AsBytes(data, size));
  auto old_read = report::ReadInventoryJson(Text(old_bytes));
  auto new_read = report::ReadInventoryJson(Text(new_bytes));
  auto* old_doc = std::get_if<report::InventoryDocument>(&old_read);
  auto* new_doc = std::get_if<report::InventoryDocument>(&new_read);
  if (old_doc) {
    auto again = report::ReadInventoryJson(report::InventoryJson(*old_doc));
    const auto* same = std::get_if<report::InventoryDocument>(&again);
    if (!same) __builtin_trap();  // what it wrote, it cannot read
    if (!report::DiffInventories(*old_doc, *same, true).empty()) __builtin_trap();  // the writing lost something
  }
  if (old_doc && new_doc) {
    for (const bool all : {false, true}) {
      const report::InventoryDiff diff = report::DiffInventories(*old_doc, *new_doc, all);
      (void)report::DiffText(diff);
      (void)report::DiffJson(diff);
      (void)report::DiffInventories(*new_doc, *old_doc, all);
    }
  }
  return 0;
}
