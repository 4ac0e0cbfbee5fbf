#include "storage/smart_cli.h"


#include <algorithm>
#include <array>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>
#include <string_view>

#include "platform/utf8.h"
#include "storage/recorded_file.h"
#include "storage/smart.h"

namespace corvane::storage {
namespace {

using platform::ToUtf8;

constexpr std::string_view kUsage = "usage: smart --attrs FILE --thresh FILE [--identify FILE]";
constexpr int kUsageError = 2;

using Sector = std::array<std::byte, kSectorSize>;

// One raw sector from `path`; nullopt after telling `err` why not.
std::optional<Sector> ReadSector(const std::string& option, const std::string& path, std::ostream& err) {
  const auto bytes = ReadRecordedReply("smart", option, path, kSectorSize, "sector", err);
  if (!bytes) return std::nullopt;
  Sector sector{};
  std::copy(bytes->begin(), bytes->end(), sector.begin());
  return sector;
}

nlohmann::ordered_json ToJson(const TSmartResult& r, bool with_capacity) {
  nlohmann::ordered_json j;
  j["model"] = ToUtf8(r.Model);
  j["serial"] = ToUtf8(r.SerialNumber);
  j["firmware"] = ToUtf8(r.Firmware);
  if (with_capacity) j["capacity"] = r.Capacity;
  j["temperature"] = r.Temperature;
  j["bad_attributes"] = r.BadAttributes;
  j["attribute_count"] = r.AttributeCount;
  j["verdict"] = ToUtf8(SmartVerdict(r));
  nlohmann::ordered_json attributes = nlohmann::ordered_json::array();
  for (std::size_t s = 0; s < static_cast<std::size_t>(r.AttributeCount); ++s) {
    nlohmann::ordered_json a;
    a["id"] = r.AttrId[s];
    a["name"] = ToUtf8(r.AttrName[s]);
    a["prefail"] = r.AttrPreFail[s];
    a["events"] = r.AttrEvents[s];
    a["error_rate"] = r.AttrErrorRate[s];
    a["current"] = r.AttrCurrent[s];
    a["worst"] = r.AttrWorst[s];
    a["threshold"] = r.AttrThreshold[s];
    a["raw"] = r.AttrRaw[s];
    a["state"] = ToUtf8(r.AttrState[s]);
    attributes.push_back(std::move(a));
  }
  j["attributes"] = std::move(attributes);
  return j;
}

int UsageError(std::ostream& err, std::string_view problem) {
  err << "smart: " << problem << "\n" << kUsage << "\n";
  return kUsageError;
}

}  // namespace

int RunSmartCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::map<std::string, std::string> files;  // option -> path
  std::size_t i = (!args.empty() && args.front() == "smart") ? 1 : 0;
  for (; i < args.size(); i += 2) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      out << kUsage << "\n";
      return 0;
    }
    if (arg != "--attrs" && arg != "--thresh" && arg != "--identify")
      return UsageError(err, "unknown argument '" + arg + "'");
    if (i + 1 >= args.size()) return UsageError(err, arg + " needs a file name");
    if (!files.emplace(arg, args[i + 1]).second)
      return UsageError(err, arg + " is given more than once");
  }
  if (!files.contains("--attrs")) return UsageError(err, "--attrs is required");
  if (!files.contains("--thresh")) return UsageError(err, "--thresh is required");

  const auto attributes = ReadSector("--attrs", files["--attrs"], err);
  if (!attributes) return kUsageError;
  const auto thresholds = ReadSector("--thresh", files["--thresh"], err);
  if (!thresholds) return kUsageError;
  std::optional<Sector> identify;
  if (files.contains("--identify")) {
    identify = ReadSector("--identify", files["--identify"], err);
    if (!identify) return kUsageError;
  }

  TSmartResult result;
  if (identify) {
    DriveIdentity id = ParseIdentify(*identify);
    result.Model = std::move(id.model);
    result.SerialNumber = std::move(id.serial);
    result.Firmware = std::move(id.firmware);
    result.Capacity = id.capacity;
  }
  ParseSmartSectors(*attributes, *thresholds, result);
  out << ToJson(result, identify.has_value()).dump(2) << "\n";
  return 0;
}

}  // namespace corvane::storage
