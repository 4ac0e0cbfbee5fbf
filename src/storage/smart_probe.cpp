#include "storage/smart_probe.h"

#include <array>
#include <exception>

namespace corvane::storage {
namespace {

constexpr int kDeviceCount = 4;  // two channels, master and slave

using Reply = std::array<std::byte, kCmdOutBufferSize>;

// Sends one command to device `n` with a freshly zeroed reply buffer.
SmartCall Issue(SmartDevice& device, SmartCommand command, int n, Reply& reply) {
  const SmartCommandInfo& info = SmartCommandDetails(command);
  const SmartRequest request = BuildSmartRequest(command, n);
  reply.fill(std::byte{0});
  if (command == SmartCommand::kIdentify || command == SmartCommand::kIdentifyPacket) {
    // Some drivers read cBufferSize of the output block to size the transfer.
    reply[0] = std::byte{kSectorSize & 0xFF};
    reply[1] = std::byte{(kSectorSize >> 8) & 0xFF};
  }
  const std::span<const std::byte> in = std::span(request).first(kCmdInLength);
  const std::span<std::byte> out = std::span(reply).first(info.out_length);
  return info.ioctl == kDfpSendDriveCommand ? device.SendCommand(in, out)
                                            : device.ReceiveSector(in, out);
}

// Opens the device and walks the device map. For every device whose IDENTIFY
// answers, `identified(device, n, sector)` carries on and returns the success
// of its own last call; true ends the walk. Returns the success of the last
// call made (true for an empty device map).
template <class Identified>
bool Probe(SmartTransport& transport, int drive, std::wstring& error, Reply& identify,
           Identified&& identified) {
  SmartOpenResult opened = transport.Open(drive);
  if (!opened.device) {
    if (opened.kind == SmartDeviceKind::kSmartVsd)
      error = OpenSmartVsdFailedMessage(opened.system_message);
    else if (opened.kind == SmartDeviceKind::kPhysicalDrive)
      error = OpenPhysicalDriveFailedMessage(opened.system_message);
    return false;
  }
  SmartDevice& device = *opened.device;

  std::array<std::byte, kVersionOutSize> version{};
  SmartCall call = device.GetVersion(version);
  if (!call.ok) {
    error = GetVersionFailedMessage(call.system_message);
    return false;
  }
  const std::uint8_t map = DeviceMap(version);

  bool result = true;
  for (int n = 0; n < kDeviceCount; ++n) {
    if ((map & (1u << n)) == 0) continue;
    const bool atapi = (map & (1u << (n + 4))) != 0;
    if (!atapi) {
      // Drives with SMART switched off refuse this; IDENTIFY still works.
      call = Issue(device, SmartCommand::kEnable, n, identify);
      if (!call.ok) error = SmartEnableFailedMessage(n, call.system_message);
    }
    call = Issue(device, atapi ? SmartCommand::kIdentifyPacket : SmartCommand::kIdentify, n,
                 identify);
    result = call.ok;
    if (!call.ok) {
      error = IdentifyFailedMessage(ReadDriverStatus(identify), call.system_message);
      continue;
    }
    result = identified(device, n, ReplySector(identify));
    if (result) break;
  }
  return result;
}

}  // namespace

bool ReadDriveIdentity(SmartTransport& transport, int drive, std::wstring& error,
                       std::wstring& model, std::int64_t& size, std::wstring& serial) {
  error.clear();
  model.clear();
  size = 0;
  serial.clear();
  Reply identify{};
  return Probe(transport, drive, error, identify, [&](SmartDevice&, int, SectorView sector) {
    DriveIdentity id = ParseIdentify(sector);
    model = std::move(id.model);
    serial = std::move(id.serial);
    size = id.capacity;
    return true;
  });
}

bool ReadSmartData(SmartTransport& transport, int drive, TSmartResult& result,
                   std::wstring& error) {
  result = TSmartResult{};
  error.clear();
  try {
    Reply identify{};
    Reply attributes{};
    Reply thresholds{};
    return Probe(transport, drive, error, identify, [&](SmartDevice& device, int n,
                                                        SectorView sector) {
      DriveIdentity id = ParseIdentify(sector);
      result.DriveNum = n;
      result.Capacity = id.capacity;
      result.SerialNumber = std::move(id.serial);
      result.Firmware = std::move(id.firmware);
      result.Model = std::move(id.model);

      SmartCall call = Issue(device, SmartCommand::kReadAttributes, n, attributes);
      if (!call.ok) {
        error = ReadAttributesFailedMessage(n, ReadDriverStatus(attributes), call.system_message);
        return false;
      }
      call = Issue(device, SmartCommand::kReadThresholds, n, thresholds);
      if (!call.ok) {
        error = ReadThresholdsFailedMessage(n, ReadDriverStatus(thresholds), call.system_message);
        return false;
      }
      ParseSmartSectors(ReplySector(attributes), ReplySector(thresholds), result);
      return true;
    });
  } catch (const std::exception& e) {
    error = SmartExceptionMessage(e.what());
  } catch (...) {
    error = SmartExceptionMessage("unknown exception");
  }
  // Whatever was read before the exception, the reading is incomplete.
  return false;
}

}  // namespace corvane::storage
