#include "usb/hid_usage_cli.h"

#include <cstdint>
#include <optional>
#include <ostream>
#include <string_view>

#include "platform/utf8.h"
#include "usb/hid_usage.h"

namespace corvane::usb {
namespace {

constexpr std::string_view kUsage =
    "usage: hid-usage PAGE USAGE   (decimal, or hex with 0x)\n"
    "       hid-usage --table";
constexpr int kUsageError = 2;

int UsageError(std::ostream& err, std::string_view why) {
  err << "hid-usage: " << why << "\n" << kUsage << "\n";
  return kUsageError;
}

// "0x1A" / "0X1a" is hex, anything else must be all decimal digits; no sign,
// no blanks. Values above 0xFFFF are refused rather than cut to 16 bits.
std::optional<std::uint16_t> ParseNumber(std::string_view text) {
  unsigned base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  unsigned long value = 0;
  for (const char c : text) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9')
      digit = static_cast<unsigned>(c - '0');
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = static_cast<unsigned>(c - 'a' + 10);
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = static_cast<unsigned>(c - 'A' + 10);
    else
      return std::nullopt;
    value = value * base + digit;
    if (value > 0xFFFF) return std::nullopt;
  }
  return static_cast<std::uint16_t>(value);
}

void WriteHex4(std::ostream& out, std::uint16_t value) {
  constexpr char kDigits[] = "0123456789ABCDEF";
  for (int shift = 12; shift >= 0; shift -= 4) out << kDigits[(value >> shift) & 0xF];
}

int PrintTable(std::ostream& out) {
  for (const HidUsagePage& page : HidUsagePages()) {
    for (const HidUsage& usage : page.usages) {
      WriteHex4(out, page.page);
      out << '\t';
      WriteHex4(out, usage.usage);
      out << '\t' << page.name << '\t' << usage.name << '\n';
    }
  }
  return out ? 0 : 1;
}

}  // namespace

int RunHidUsageCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (!args.empty() && args[0] == "--table") {
    if (args.size() != 1) return UsageError(err, "--table takes no other argument");
    return PrintTable(out);
  }
  if (args.size() != 2) return UsageError(err, "give PAGE and USAGE, or --table");

  const auto page = ParseNumber(args[0]);
  if (!page) return UsageError(err, "PAGE \"" + args[0] + "\" is not a number from 0 to 65535");
  const auto usage = ParseNumber(args[1]);
  if (!usage) return UsageError(err, "USAGE \"" + args[1] + "\" is not a number from 0 to 65535");

  const HidUsageNames names = GetHidUsageNames(*page, *usage);
  out << platform::ToUtf8(names.page) << '\t' << platform::ToUtf8(names.usage) << '\n';
  return out ? 0 : 1;
}

}  // namespace corvane::usb
