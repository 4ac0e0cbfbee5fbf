// The replies of an optical drive, of any length: INQUIRY, GET
// CONFIGURATION and MODE SENSE (10) of the capabilities page; straight into
// the decoders, and as the files corvane-decode replays through the disc
// library. Parts: inquiry, configuration, mode sense.
#include <sstream>

#include "app/collectors/collector_text.h"
#include "fuzz_input.h"
#include "storage/mmc.h"
#include "storage/mmc_cli.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [inquiry, configuration, mode_sense] = fuzz::SplitParts<3>(fuzz::AsBytes(data, size));

  // The text starts at byte 8 of the 100-byte buffer.
  if (storage::InquiryText(inquiry).size() > storage::kInquiryDataLength - 8) __builtin_trap();
  (void)app::InquiryIdentification(inquiry);
  if (const auto profile = storage::CurrentProfile(configuration)) (void)storage::ProfileIndex(*profile);
  if (const auto caps = storage::DecodeCapabilitiesPage(mode_sense)) {
    (void)storage::JoinCrLf(storage::CapabilityLines(*caps));
  }
  for (const storage::PassThroughLayout& layout : {storage::kPassThroughDirect32, storage::kPassThroughDirect64}) {
    storage::PassThroughBlock block(layout);
    std::copy_n(mode_sense.begin(), std::min(block.bytes().size(), mode_sense.size()), block.bytes().begin());
    (void)storage::PassThroughTransferred(block);
  }

  static fuzz::ScratchFile configuration_file("mmc_config"), mode_sense_file("mmc_modesense");
  std::ostringstream out, err;
  storage::RunMmcCommand({"--config", configuration_file.Write(configuration), "--modesense",
                          mode_sense_file.Write(mode_sense)},
                         out, err);
  return 0;
}
