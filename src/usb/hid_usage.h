// Names of HID usages: the usage pages a device's report descriptor may name
// and, on each, the usages with a published name, as the USB window's tree
// lines show them.
#pragma once
#include <cstdint>
#include <span>
#include <string>

namespace corvane::usb {

// One named usage of a page. Names are ASCII.
struct HidUsage {
  std::uint16_t usage;
  const char* name;
};

// A named usage page and its named usages, ascending by usage. A page whose
// usages carry no names (Unicode: the usage is the code point) has none.
struct HidUsagePage {
  std::uint16_t page;
  const char* name;
  std::span<const HidUsage> usages;
};

// Every named page, ascending by page.
std::span<const HidUsagePage> HidUsagePages();

struct HidUsageNames {
  std::wstring page;
  std::wstring usage;
};

// The page text and the usage text of one usage. A page or usage without a
// name is written as its number in upper-case hex, without leading zeros or a
// prefix (vendor page 0xFF00 -> "FF00", button 10 -> "A").
HidUsageNames GetHidUsageNames(std::uint16_t usage_page, std::uint16_t usage);

}  // namespace corvane::usb
