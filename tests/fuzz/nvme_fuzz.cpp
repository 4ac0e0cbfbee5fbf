// The replies of an NVMe disk: the device descriptor that names the bus, the
// protocol-specific replies around the health log and the Identify
// Controller data, the decoders of both, and the files corvane-decode reads.
// Parts: device descriptor, health reply, identify reply.
#include <sstream>

#include "fuzz_input.h"
#include "storage/nvme.h"
#include "storage/nvme_cli.h"

using namespace corvane;

namespace {

void Decode(const storage::NvmeHealth& health) {
  (void)storage::NvmeVerdict(health.critical_warning);
  for (const storage::NvmeCounter& counter :
       {health.data_units_read, health.data_units_written, health.power_cycles, health.power_on_hours,
        health.unsafe_shutdowns, health.media_errors, health.error_log_entries}) {
    const std::string digits = storage::DecimalText(counter);
    if (digits.empty() || digits.size() > 39) __builtin_trap();  // 2^128 has 39 digits
    (void)storage::MultiplyDecimal(digits, storage::kNvmeDataUnitBytes);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [descriptor, health_reply, identify_reply] = fuzz::SplitParts<3>(fuzz::AsBytes(data, size));
  (void)storage::DeviceDescriptorBusType(descriptor);
  if (const auto page = storage::ProtocolReplyData(health_reply, storage::kNvmeHealthLogSize)) {
    if (page->size() != storage::kNvmeHealthLogSize) __builtin_trap();
    if (const auto health = storage::ParseNvmeHealthLog(*page)) Decode(*health);
  }
  if (const auto identify = storage::ProtocolReplyData(identify_reply, storage::kNvmeIdentifySize)) {
    (void)storage::ParseNvmeIdentifyController(*identify);
  }
  // The structures themselves, as a recording holds them.
  if (const auto health = storage::ParseNvmeHealthLog(fuzz::Padded<storage::kNvmeHealthLogSize>(health_reply))) {
    Decode(*health);
  }
  (void)storage::ParseNvmeIdentifyController(fuzz::Padded<storage::kNvmeIdentifySize>(identify_reply));
  static fuzz::ScratchFile health_file("nvme_smart"), identify_file("nvme_identify");
  std::ostringstream out, err;
  storage::RunNvmeCommand({"--smart", health_file.Write(health_reply), "--identify", identify_file.Write(identify_reply)},
                          out, err);
  return 0;
}
