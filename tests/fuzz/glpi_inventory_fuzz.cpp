// A /REPORT JSON file, any bytes, as the GLPI inventory of its sections.
// Whatever the sections' texts, every date the inventory holds is in the
// schema's form and every size and count is a whole number, so no text of a
// registry value can make a file GLPI refuses.
// Parts: the report, the machine key.
#include <regex>
#include <string>
#include <string_view>
#include <variant>

#include "fuzz_input.h"
#include "platform/utf8.h"
#include "report/glpi_inventory.h"
#include "report/inventory.h"

using namespace corvane;
using Json = nlohmann::ordered_json;

namespace {

std::string_view Text(fuzz::Bytes bytes) { return {reinterpret_cast<const char*>(bytes.data()), bytes.size()}; }

void Check(const Json& value, const std::string& key) {
  static const std::regex kDate(R"(\d{4}-\d\d-\d\d)");
  static const std::regex kDateTime(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
  if (value.is_object()) {
    for (const auto& [name, member] : value.items()) Check(member, name);
  } else if (value.is_array()) {
    for (const auto& item : value) Check(item, key);
  } else if (key == "bdate" || key == "install_date") {
    const std::string text = value.get<std::string>();
    if (!std::regex_match(text, kDate) && !std::regex_match(text, kDateTime)) __builtin_trap();
  } else if (key == "boot_time") {
    if (!std::regex_match(value.get<std::string>(), kDateTime)) __builtin_trap();
  } else if (key == "memory" || key == "swap" || key == "capacity" || key == "disksize" || key == "total" ||
             key == "free" || key == "speed" || key == "external_clock") {
    if (!value.is_number_integer() && !(key == "speed" && value.is_string())) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [report_bytes, key_bytes] = fuzz::SplitParts<2>(fuzz::AsBytes(data, size));
  const auto read = report::ReadInventoryJson(Text(report_bytes));
  const auto* doc = std::get_if<report::InventoryDocument>(&read);
  if (!doc) return 0;
  const std::wstring key = platform::FromUtf8(Text(key_bytes)).value_or(L"");
  const Json inventory = Json::parse(report::GlpiInventoryJson(*doc, {key, std::nullopt}));
  if (!inventory.at("deviceid").is_string() || inventory.at("itemtype") != "Computer") __builtin_trap();
  Check(inventory.at("content"), "content");
  return 0;
}
