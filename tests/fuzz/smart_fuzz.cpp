// SMART attribute and threshold sectors and the IDENTIFY sector, as a drive
// returns them: straight into the decoders, and as the files corvane-decode
// reads (of any length: only 512-byte ones are sectors).
// Parts: attributes, thresholds, identify.
#include <sstream>

#include "fuzz_input.h"
#include "storage/smart.h"
#include "storage/smart_cli.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [attributes, thresholds, identify] = fuzz::SplitParts<3>(fuzz::AsBytes(data, size));
  const auto attribute_sector = fuzz::Padded<storage::kSectorSize>(attributes);
  const auto threshold_sector = fuzz::Padded<storage::kSectorSize>(thresholds);
  const auto identify_sector = fuzz::Padded<storage::kSectorSize>(identify);

  storage::TSmartResult result;
  storage::ParseSmartSectors(attribute_sector, threshold_sector, result);
  if (result.AttributeCount < 0 || static_cast<std::size_t>(result.AttributeCount) > storage::kSmartEntryCount) {
    __builtin_trap();  // more attributes than a sector holds
  }
  (void)storage::SmartVerdict(result);
  const storage::DriveIdentity identity = storage::ParseIdentify(identify_sector);
  if (identity.capacity < 0) __builtin_trap();
  (void)storage::SwapIdString(identify);

  // The replies around a sector: the version record and the command output.
  (void)storage::DeviceMap(std::span<const std::byte, storage::kVersionOutSize>(
      fuzz::Padded<storage::kVersionOutSize>(attributes)));
  const auto reply = fuzz::Padded<storage::kCmdOutBufferSize>(attributes);
  (void)storage::ReadDriverStatus(reply);
  (void)storage::ReplySector(reply);

  static fuzz::ScratchFile attributes_file("smart_attrs"), thresholds_file("smart_thresh"),
      identify_file("smart_identify");
  std::ostringstream out, err;
  storage::RunSmartCommand({"--attrs", attributes_file.Write(attributes), "--thresh", thresholds_file.Write(thresholds),
                            "--identify", identify_file.Write(identify)},
                           out, err);
  return 0;
}
