#include "storage/disc_lib.h"

#include <algorithm>
#include <array>
#include <vector>

namespace corvane::storage {
namespace {

bool IsDriveLetter(wchar_t letter) {
  return (letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z');
}

// Sends one command into a zeroed buffer. A driver that claims more bytes
// than the buffer holds is held to the buffer; on failure nothing counts as
// transferred.
MmcReply Send(MmcDevice& drive, const MmcCommand& command, std::span<std::byte> data) {
  std::ranges::fill(data, std::byte{0});
  MmcReply reply = drive.Send(command, data);
  if (!reply.ok) return {};
  reply.transferred = std::min(reply.transferred, data.size());
  return reply;
}

}  // namespace

bool PassThroughAllowed(std::uint32_t platform_id, std::uint32_t major_version,
                        bool administrator) {
  return platform_id == kVersionPlatformNt && major_version >= 4 && administrator;
}

TISODiscLib::TISODiscLib(MmcTransport& transport, bool pass_through_usable)
    : transport_(transport), usable_(pass_through_usable) {}

std::unique_ptr<MmcDevice> TISODiscLib::OpenCdDrive(wchar_t letter) const {
  if (!usable_ || !IsDriveLetter(letter) || !transport_.IsCdDrive(letter)) return nullptr;
  return transport_.OpenDrive(letter);
}

bool TISODiscLib::TestUnitReady(MmcDevice* drive) {
  if (!drive) return false;
  for (int attempt = 0; attempt < kReadinessAttempts; ++attempt) {
    transport_.Pause(kReadinessPause);
    if (Send(*drive, kTestUnitReady, {}).ok) return true;
  }
  return false;
}

int TISODiscLib::GetCurrentProfile(MmcDevice* drive) {
  if (!drive) return -1;
  std::array<std::byte, kConfigurationDataLength> data;
  const MmcReply reply = Send(*drive, kGetConfiguration, data);
  if (!reply.ok) return -1;
  const auto profile = CurrentProfile(std::span(data).first(reply.transferred));
  if (!profile) return -1;
  return ProfileIndex(*profile).value_or(-1);
}

bool TISODiscLib::ReadCapabilitiesPage(MmcDevice* drive,
                                       std::span<std::byte, kModeSenseDataLength> buffer) {
  std::ranges::fill(buffer, std::byte{0});
  if (!drive) return false;
  const MmcReply reply = Send(*drive, kModeSenseCapabilities, buffer);
  // Whatever a driver left past the transferred bytes is not reply data.
  std::ranges::fill(buffer.subspan(reply.transferred), std::byte{0});
  return reply.ok;
}

std::wstring TISODiscLib::GetDriveCapabilities(MmcDevice* drive) {
  if (!drive) return {};
  if (!TestUnitReady(drive)) return {};
  // A drive without GET CONFIGURATION, or with a profile this program has no
  // name for, gets no report.
  if (GetCurrentProfile(drive) < 0) return {};
  std::vector<std::byte> page(kModeSenseDataLength);
  if (!ReadCapabilitiesPage(drive, std::span<std::byte, kModeSenseDataLength>(page))) return {};
  const auto caps = DecodeCapabilitiesPage(page);
  if (!caps) return {};
  return JoinCrLf(CapabilityLines(*caps));
}

std::wstring TISODiscLib::ReadInquiryText(wchar_t letter) {
  try {
    if (!IsDriveLetter(letter)) return {};
    const auto drive = transport_.OpenDrive(letter);
    if (!drive) return {};
    std::array<std::byte, kInquiryDataLength> data;
    const MmcReply reply = Send(*drive, kInquiry, data);
    if (!reply.ok) return {};
    return InquiryText(std::span(data).first(reply.transferred));
  } catch (...) {
    // A failure here only costs the identity rows; the window carries on.
    return {};
  }
}

}  // namespace corvane::storage
