// Records the system fills for us in a caller's buffer: the three records of
// the processor load reading and the level-50 share list of the 9x server
// library (its entry count is the system's word too).
// Parts: basic, time of day, performance, shares; then the share count.
#include "cpu/cpu_usage.h"
#include "fuzz_input.h"
#include "network/network_text.h"

using namespace corvane;

namespace {

std::span<const std::uint8_t> AsUint8(fuzz::Bytes bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [basic, time_of_day, performance, shares, count] = fuzz::SplitParts<5>(fuzz::AsBytes(data, size));

  const auto earlier = cpu::ParseSystemTimes(AsUint8(basic), AsUint8(time_of_day), AsUint8(performance));
  const auto later = cpu::ParseSystemTimes(AsUint8(basic), AsUint8(performance), AsUint8(time_of_day));
  if (earlier && later) (void)cpu::UsagePercent(*earlier, *later);

  unsigned entries = 0;
  for (std::size_t i = 0; i < count.size() && i < 4; ++i) entries |= std::to_integer<unsigned>(count[i]) << (8 * i);
  if (network::ShareNamesFromLevel50(shares, entries).size() > shares.size() / network::kShareInfo50Size) {
    __builtin_trap();  // a record read past the buffer
  }
  return 0;
}
