#include "storage/mmc_cli.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <string_view>

#include "storage/disc_lib.h"
#include "storage/mmc.h"
#include "storage/mmc_transport.h"

namespace corvane::storage {
namespace {

constexpr std::string_view kUsage =
    "usage: mmc --config FILE --modesense FILE\n"
    "       mmc --profile HEX";
constexpr int kNothingToPrint = 1;
constexpr int kUsageError = 2;

using Reply = std::vector<std::byte>;

// A drive that is ready at once and answers from recorded replies.
class ReplayDevice final : public MmcDevice {
 public:
  ReplayDevice(Reply configuration, Reply mode_sense)
      : configuration_(std::move(configuration)), mode_sense_(std::move(mode_sense)) {}

  MmcReply Send(const MmcCommand& command, std::span<std::byte> data) override {
    const Reply* reply = nullptr;
    if (command.cdb[0] == kTestUnitReady.cdb[0]) return {true, 0};
    if (command.cdb[0] == kGetConfiguration.cdb[0]) reply = &configuration_;
    if (command.cdb[0] == kModeSenseCapabilities.cdb[0]) reply = &mode_sense_;
    if (!reply) return {};
    const std::size_t n = std::min(reply->size(), data.size());
    std::copy_n(reply->begin(), n, data.begin());
    return {true, n};
  }

 private:
  Reply configuration_;
  Reply mode_sense_;
};

// Only the device is ever used; no drive is opened and no time passes.
class ReplayTransport final : public MmcTransport {
 public:
  bool IsCdDrive(wchar_t) override { return false; }
  std::unique_ptr<MmcDevice> OpenDrive(wchar_t) override { return nullptr; }
  void Pause(std::chrono::milliseconds) override {}
};

// The report is ASCII; anything else would be a fault worth seeing.
std::string Narrow(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (const wchar_t c : text) out.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
  return out;
}

// The whole of `path` when it holds at most `limit` bytes; nullopt after
// telling `err` why not.
std::optional<Reply> ReadReply(const std::string& option, const std::string& path,
                               std::size_t limit, std::ostream& err) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    err << "mmc: " << option << " " << path << ": is a directory\n";
    return std::nullopt;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    err << "mmc: " << option << " " << path << ": cannot open the file\n";
    return std::nullopt;
  }
  // One byte past the limit tells a longer file apart without reading it all.
  Reply bytes(limit + 1);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (file.bad()) {
    err << "mmc: " << option << " " << path << ": cannot read the file\n";
    return std::nullopt;
  }
  const auto got = static_cast<std::size_t>(file.gcount());
  if (got > limit) {
    err << "mmc: " << option << " " << path << ": longer than the " << limit
        << "-byte buffer of its command\n";
    return std::nullopt;
  }
  bytes.resize(got);
  return bytes;
}

// "0x1A", "1a", "001A": one to four hex digits.
std::optional<std::uint16_t> ParseProfile(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text.remove_prefix(2);
  if (text.empty() || text.size() > 4) return std::nullopt;
  unsigned value = 0;
  for (const char c : text) {
    unsigned digit = 0;
    if (c >= '0' && c <= '9')
      digit = static_cast<unsigned>(c - '0');
    else if (c >= 'a' && c <= 'f')
      digit = static_cast<unsigned>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      digit = static_cast<unsigned>(c - 'A' + 10);
    else
      return std::nullopt;
    value = value * 16 + digit;
  }
  return static_cast<std::uint16_t>(value);
}

int UsageError(std::ostream& err, std::string_view why) {
  err << "mmc: " << why << "\n" << kUsage << "\n";
  return kUsageError;
}

int PrintProfile(const std::string& hex, std::ostream& out, std::ostream& err) {
  const auto profile = ParseProfile(hex);
  if (!profile)
    return UsageError(err, "--profile wants one to four hex digits, got \"" + hex + "\"");
  const auto index = ProfileIndex(*profile);
  if (!index) {
    err << "mmc: profile " << hex << " has no name\n";
    return kNothingToPrint;
  }
  out << Narrow(ProfileName[static_cast<std::size_t>(*index)].name) << "\n";
  return 0;
}

int PrintReport(const std::string& config_path, const std::string& mode_sense_path,
                std::ostream& out, std::ostream& err) {
  auto configuration = ReadReply("--config", config_path, kConfigurationDataLength, err);
  if (!configuration) return kUsageError;
  auto mode_sense = ReadReply("--modesense", mode_sense_path, kModeSenseDataLength, err);
  if (!mode_sense) return kUsageError;

  ReplayTransport transport;
  ReplayDevice device(std::move(*configuration), std::move(*mode_sense));
  TISODiscLib lib(transport, true);
  const std::wstring report = lib.GetDriveCapabilities(&device);
  if (report.empty()) {
    err << "mmc: no report: the current profile has no name, or the reply holds no page 2A\n";
    return kNothingToPrint;
  }
  // One list item per line, as the window splits the report.
  std::wstring_view rest = report;
  for (;;) {
    const std::size_t end = rest.find(L"\r\n");
    out << Narrow(rest.substr(0, end)) << "\n";
    if (end == std::wstring_view::npos) break;
    rest.remove_prefix(end + 2);
  }
  return 0;
}

}  // namespace

int RunMmcCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::size_t first = 0;
  if (!args.empty() && args[0] == "mmc") first = 1;

  std::map<std::string, std::string, std::less<>> options;
  for (std::size_t i = first; i < args.size(); i += 2) {
    const std::string& name = args[i];
    if (name != "--config" && name != "--modesense" && name != "--profile")
      return UsageError(err, "unknown argument \"" + name + "\"");
    if (i + 1 >= args.size()) return UsageError(err, name + " needs a value");
    if (!options.emplace(name, args[i + 1]).second) return UsageError(err, name + " given twice");
  }

  const bool profile = options.contains("--profile");
  const bool config = options.contains("--config");
  const bool mode_sense = options.contains("--modesense");
  if (profile && !config && !mode_sense) return PrintProfile(options["--profile"], out, err);
  if (!profile && config && mode_sense)
    return PrintReport(options["--config"], options["--modesense"], out, err);
  return UsageError(err, "give --config and --modesense together, or --profile alone");
}

}  // namespace corvane::storage
