// The three replies the hard-disk serial is read from: the miniport and the
// SMART IDENTIFY replies and the unit serial number page, each the input
// followed by zeros (as the zero-filled request buffer the driver answers in);
// the unit serial reply read in both pass-through layouts.
#include "fuzz_input.h"
#include "storage/hd_serial.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Bytes input = fuzz::AsBytes(data, size);
  (void)storage::MiniportIdentifySerial(fuzz::Padded<storage::kMiniportRequestSize>(input));
  (void)storage::SmartIdentifySerial(fuzz::Padded<storage::kSmartSerialReplySize>(input));
  const auto unit_serial = fuzz::Padded<storage::kUnitSerialRequestSize>(input);
  for (const storage::PassThroughLayout& layout : {storage::kPassThrough32, storage::kPassThrough64}) {
    const std::wstring serial = storage::UnitSerialFromReply(unit_serial, layout);
    // The text follows the page's 4-byte header inside the data area.
    if (serial.size() > storage::kUnitSerialDataLength - 4) __builtin_trap();
  }
  return 0;
}
