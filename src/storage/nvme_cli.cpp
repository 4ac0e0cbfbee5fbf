#include "storage/nvme_cli.h"

#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string_view>

#include "platform/utf8.h"
#include "storage/nvme.h"
#include "storage/recorded_file.h"

namespace corvane::storage {
namespace {

using platform::ToUtf8;

constexpr std::string_view kUsage = "usage: nvme --smart FILE [--identify FILE]";
constexpr int kUsageError = 2;

int UsageError(std::ostream& err, std::string_view problem) {
  err << "nvme: " << problem << "\n" << kUsage << "\n";
  return kUsageError;
}

// A counter as a JSON number while it fits in 64 bits, else as its decimal
// digits, so no reader loses precision.
nlohmann::ordered_json CounterJson(const NvmeCounter& value) {
  if (value.FitsIn64Bits()) return value.low;
  return DecimalText(value);
}

nlohmann::ordered_json ToJson(const NvmeHealth& h, const std::optional<NvmeIdentity>& identity) {
  nlohmann::ordered_json j;
  if (identity) {
    j["model"] = ToUtf8(identity->model);
    j["serial"] = ToUtf8(identity->serial);
    j["firmware"] = ToUtf8(identity->firmware);
  }
  j["critical_warning"] = h.critical_warning;
  j["temperature_c"] = h.TemperatureCelsius();
  j["available_spare"] = h.available_spare;
  j["spare_threshold"] = h.spare_threshold;
  j["percentage_used"] = h.percentage_used;
  j["data_units_read"] = CounterJson(h.data_units_read);
  j["data_units_written"] = CounterJson(h.data_units_written);
  j["power_cycles"] = CounterJson(h.power_cycles);
  j["power_on_hours"] = CounterJson(h.power_on_hours);
  j["unsafe_shutdowns"] = CounterJson(h.unsafe_shutdowns);
  j["media_errors"] = CounterJson(h.media_errors);
  j["error_log_entries"] = CounterJson(h.error_log_entries);
  return j;
}

}  // namespace

int RunNvmeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::map<std::string, std::string> files;  // option -> path
  std::size_t i = (!args.empty() && args.front() == "nvme") ? 1 : 0;
  for (; i < args.size(); i += 2) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      out << kUsage << "\n";
      return 0;
    }
    if (arg != "--smart" && arg != "--identify") return UsageError(err, "unknown argument '" + arg + "'");
    if (i + 1 >= args.size()) return UsageError(err, arg + " needs a file name");
    if (!files.emplace(arg, args[i + 1]).second) return UsageError(err, arg + " is given more than once");
  }
  if (!files.contains("--smart")) return UsageError(err, "--smart is required");

  const auto page = ReadRecordedReply("nvme", "--smart", files["--smart"], kNvmeHealthLogSize, "health log page", err);
  if (!page) return kUsageError;
  std::optional<NvmeIdentity> identity;
  if (files.contains("--identify")) {
    const auto data = ReadRecordedReply("nvme", "--identify", files["--identify"], kNvmeIdentifySize,
                                        "Identify Controller structure", err);
    if (!data) return kUsageError;
    identity = ParseNvmeIdentifyController(*data);
  }
  const auto health = ParseNvmeHealthLog(*page);
  if (!health || (files.contains("--identify") && !identity)) {
    err << "nvme: the recorded data cannot be decoded\n";  // the sizes were checked above
    return kUsageError;
  }
  out << ToJson(*health, identity).dump(2) << "\n";
  return 0;
}

}  // namespace corvane::storage
