#include "app/decode_cli.h"


#include <fstream>
#include <iterator>
#include <optional>
#include <variant>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string_view>

#include "cpu/cpuid_decode.h"
#include "cpu/cpuid_dump.h"
#include "cpu/cpuid_live.h"
#include "platform/utf8.h"
#include "report/inventory.h"
#include "report/inventory_diff.h"
#include "storage/mmc_cli.h"
#include "storage/nvme_cli.h"
#include "storage/smart_cli.h"
#include "usb/hid_usage_cli.h"

namespace corvane::app {
namespace {

using platform::ToUtf8;

constexpr std::string_view kProgram = "corvane-decode";

// The words after the subcommand name.
using Args = std::vector<std::string>;

struct Subcommand {
  std::string_view name;
  // Usage lines, each ending in '\n': a command form, then its description
  // on lines that start with a blank.
  std::string_view synopsis;
  int (*run)(const Args& args, std::ostream& out, std::ostream& err);
};

// Opens a recorded file; on failure reports it and returns false.
bool OpenInput(std::string_view subcommand, const std::string& path, std::ifstream& in, std::ostream& err) {
  in.open(path, std::ios::binary);
  if (in) return true;
  err << kProgram << ": " << subcommand << ": cannot open " << path << "\n";
  return false;
}

// ---- cpuid ----------------------------------------------------------------

nlohmann::ordered_json CpuIdentityJson(const cpu::CpuIdentity& id) {
  std::vector<std::wstring> features;
  cpu::GetFeatureList(id.features, true, features);
  nlohmann::ordered_json feature_lines = nlohmann::ordered_json::array();
  for (const auto& line : features) feature_lines.push_back(ToUtf8(line));

  nlohmann::ordered_json j;
  j["vendor_index"] = id.vendor_index;
  j["vendor_name"] = ToUtf8(id.vendor_name);
  j["family"] = id.signature.family;
  j["model"] = id.signature.model;
  j["stepping"] = id.signature.stepping;
  j["processor_type"] = id.signature.processor_type;
  j["brand_index"] = id.signature.brand_index;
  j["level2"] = id.cache.Level2;
  j["level1"] = id.cache.Level1;
  j["l1data"] = id.cache.L1Data;
  j["l1code"] = id.cache.L1Code;
  j["model_name"] = ToUtf8(id.model.name);
  j["code_name"] = ToUtf8(id.model.code_name);
  j["figure"] = id.model.figure;
  j["brand"] = ToUtf8(id.brand);
  j["serial"] = ToUtf8(id.serial);
  j["features"] = std::move(feature_lines);
  return j;
}

int RunCpuid(const Args& args, std::ostream& out, std::ostream& err);
int RunDiff(const Args& args, std::ostream& out, std::ostream& err);

constexpr Subcommand kSubcommands[] = {
    {"cpuid", "cpuid FILE\n"
              "  decode a recorded CPUID dump, print the identification as JSON\n"
              "cpuid --dump\n"
              "  print this processor's CPUID leaves in the dump format\n",
     RunCpuid},
    {"smart", "smart --attrs FILE --thresh FILE [--identify FILE]\n"
              "  decode recorded SMART sectors, print the reading as JSON\n",
     storage::RunSmartCommand},
    {"nvme", "nvme --smart FILE [--identify FILE]\n"
             "  decode a recorded NVMe health log page (and Identify Controller data), print it as JSON\n",
     storage::RunNvmeCommand},
    {"mmc", "mmc --config FILE --modesense FILE\n"
            "  replay recorded CD/DVD replies, print the capability report\n"
            "mmc --profile HEX\n"
            "  name a CD/DVD profile code\n",
     storage::RunMmcCommand},
    {"hid-usage", "hid-usage PAGE USAGE\n"
                  "  name a HID usage (PAGE and USAGE decimal, or hex with 0x)\n"
                  "hid-usage --table\n"
                  "  list every named HID usage: page, usage, page name, usage name\n",
     usb::RunHidUsageCommand},
    {"diff", "diff OLD.json NEW.json [--json] [--all]\n"
             "  print what changed between two JSON inventory reports of one machine\n"
             "  (exit 0: nothing, 1: something); --json prints it as JSON, --all\n"
             "  compares the readings that change by themselves too\n",
     RunDiff},
};

void PrintUsage(std::ostream& to) {
  to << "usage:\n";
  for (const Subcommand& s : kSubcommands) {
    std::string_view lines = s.synopsis;
    while (!lines.empty()) {
      const auto eol = lines.find('\n');
      const std::string_view line = lines.substr(0, eol);
      if (line.starts_with(' ')) {
        to << "    " << line << "\n";  // what the form above it does
      } else {
        to << "  " << kProgram << " " << line << "\n";
      }
      lines.remove_prefix(eol == std::string_view::npos ? lines.size() : eol + 1);
    }
  }
}

int UsageError(std::ostream& err, const std::string& problem) {
  err << kProgram << ": " << problem << "\n";
  PrintUsage(err);
  return kDecodeBadInput;
}

int RunCpuid(const Args& args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) return UsageError(err, "cpuid takes one argument: FILE or --dump");
  const std::string& arg = args[0];

  if (arg == "--dump") {
    cpu::LiveCpuid live;
    if (!live.CPUIDAvailable()) {
      err << kProgram << ": cpuid: this processor has no identification instruction\n";
      return kDecodeFailed;
    }
    cpu::WriteCpuidDump(cpu::RecordCpuid(live), out);
    return out ? kDecodeOk : kDecodeFailed;
  }
  if (arg.starts_with("-")) return UsageError(err, "cpuid: unknown option " + arg);

  std::ifstream in;
  if (!OpenInput("cpuid", arg, in, err)) return kDecodeBadInput;
  cpu::CpuidDump dump;
  try {
    dump = cpu::ParseCpuidDump(in);
  } catch (const cpu::DumpFormatError& e) {
    err << kProgram << ": cpuid: " << arg << ": " << e.what() << "\n";
    return kDecodeBadInput;
  }
  out << CpuIdentityJson(cpu::IdentifyCpu(dump)).dump(2) << "\n";
  return out ? kDecodeOk : kDecodeFailed;
}

// A whole report file, read back; on failure the reason is printed.
std::optional<report::InventoryDocument> ReadReport(const std::string& path, std::ostream& err) {
  std::ifstream in;
  if (!OpenInput("diff", path, in, err)) return std::nullopt;
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    err << kProgram << ": diff: cannot read " << path << "\n";
    return std::nullopt;
  }
  auto result = report::ReadInventoryJson(bytes);
  if (auto* failure = std::get_if<report::InventoryReadError>(&result)) {
    err << kProgram << ": diff: " << path << ": " << failure->reason << "\n";
    return std::nullopt;
  }
  return std::get<report::InventoryDocument>(std::move(result));
}

int RunDiff(const Args& args, std::ostream& out, std::ostream& err) {
  bool json = false, all = false;
  std::vector<std::string> files;
  for (const auto& arg : args) {
    if (arg == "--json") {
      json = true;
    } else if (arg == "--all") {
      all = true;
    } else if (arg.starts_with("-")) {
      return UsageError(err, "diff: unknown option " + arg);
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2) return UsageError(err, "diff takes two report files: OLD.json NEW.json");
  const auto old_doc = ReadReport(files[0], err);
  if (!old_doc) return kDecodeBadInput;
  const auto new_doc = ReadReport(files[1], err);
  if (!new_doc) return kDecodeBadInput;
  const report::InventoryDiff diff = report::DiffInventories(*old_doc, *new_doc, all);
  out << (json ? report::DiffJson(diff) : report::DiffText(diff));
  out.flush();
  if (!out) return kDecodeBadInput;
  return diff.empty() ? kDecodeOk : kDecodeChanged;
}

}  // namespace

int RunDecode(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty()) return UsageError(err, "no subcommand given");
  if (args[0] == "-h" || args[0] == "--help" || args[0] == "help") {
    PrintUsage(out);
    return kDecodeOk;
  }
  for (const Subcommand& s : kSubcommands) {
    if (args[0] == s.name) return s.run(Args(args.begin() + 1, args.end()), out, err);
  }
  return UsageError(err, "unknown subcommand " + args[0]);
}

}  // namespace corvane::app
