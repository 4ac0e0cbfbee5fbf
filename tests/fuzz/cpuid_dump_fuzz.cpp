// A processor dump file: parsed, decoded as the CPU window decodes it,
// written back (which must read back to the same leaves) and replayed by
// corvane-decode as JSON.
#include <sstream>
#include <string>

#include "app/decode_cli.h"
#include "cpu/cpuid_decode.h"
#include "cpu/cpuid_dump.h"
#include "fuzz_input.h"

using namespace corvane;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
  cpu::CpuidDump dump;
  try {
    dump = cpu::ParseCpuidDump(text);
  } catch (const cpu::DumpFormatError&) {
    return 0;
  }
  (void)cpu::IdentifyCpu(dump);
  (void)cpu::GetCPUSerial(dump);
  (void)cpu::GetCPUBrand(dump);
  (void)cpu::RecordCpuid(dump);

  std::stringstream written;
  cpu::WriteCpuidDump(dump, written);
  if (cpu::ParseCpuidDump(written).Leaves() != dump.Leaves()) __builtin_trap();  // the writer loses leaves

  static fuzz::ScratchFile file("cpuid_dump");
  std::ostringstream out, err;
  app::RunDecode({"cpuid", file.Write(fuzz::AsBytes(data, size))}, out, err);
  return 0;
}
