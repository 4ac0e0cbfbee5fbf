// The raw readings behind the summary rows and the hardware report: each
// asks the system one question and returns what it answered, unworded. The
// wording is in collector_text.h; the network readings live with the network
// code (network/network_readers_win.h). Readers return nullopt or an empty
// list where the system gave no answer; only those named below throw.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/collectors/collector_text.h"

namespace corvane::app {

std::optional<std::uint64_t> ReadTotalPhysicalMemory();

// Nullopt without a wave-output device; an empty name when the first
// device does not describe itself.
std::optional<std::wstring> ReadFirstWaveOutName();

struct DisplayAdapterReading {
  std::wstring device_string;
  std::optional<std::wstring> first_monitor;  // nullopt: no monitor, or not asked
};
// The display adapters in system order, at most `limit` of them; with
// `monitors` also each adapter's first monitor.
std::vector<DisplayAdapterReading> ReadDisplayAdapters(bool monitors, std::size_t limit = SIZE_MAX);

// Every CD/DVD drive letter with its INQUIRY vendor and product (empty when
// the device cannot be opened or does not answer).
std::vector<OpticalDriveIdentity> ReadOpticalDrives();

// The string data of every value of an HKEY_LOCAL_MACHINE key, in the
// registry's order, opened for reading only; empty when the key does not
// open. Throws RegistryError when a value is not a string.
std::vector<std::wstring> ReadMachineValueStrings(std::wstring_view path);

// The parallel-port names (ParallelProbeNames) that open for reading and
// writing without sharing.
std::vector<std::wstring> ProbeParallelPorts();

struct MouseReading {
  bool present = false, wheel = false;
  int buttons = 0;
};
MouseReading ReadMouse();

enum class DriveQuantity { kTotal, kFreeToCaller };
// Fixed drives C to Z; kUnreadSize where the size cannot be read.
std::vector<DriveBytes> ReadFixedDrives(DriveQuantity quantity);

struct PowerReading {
  std::uint8_t ac_line_status = 255, battery_flag = 255;
};
std::optional<PowerReading> ReadPowerStatus();

struct BiosDescription {
  std::wstring identifier, date, version;
};
// HARDWARE\DESCRIPTION\System; parts that cannot be read stay empty.
BiosDescription ReadBiosDescription();

std::wstring ReadTimeZoneName();

}  // namespace corvane::app
