#include "app/collectors/collector_text.h"

#include "platform/list_text.h"
#include "platform/number_text.h"
#include "storage/mmc.h"

namespace corvane::app {
namespace {

// printf's "%<width>.1f" with the user's decimal separator.
std::wstring OneDecimal(double value, std::wstring_view decimal, std::size_t width) {
  return platform::OneDecimal(value, decimal, width).value_or(std::wstring());
}

}  // namespace

std::wstring ListText(const std::vector<std::wstring>& items) {
  std::wstring out;
  for (const auto& item : items) {
    out += item;
    out += kListSeparator;
  }
  return out;
}

std::wstring MemoryText(std::uint64_t total_bytes) { return std::to_wstring((total_bytes >> 20) + 1) + L" MB"; }

std::wstring ClockText(double mhz, std::wstring_view decimal) { return OneDecimal(mhz, decimal, 4) + L" MHz"; }

std::wstring MonitorNamesText(const std::vector<std::optional<std::wstring>>& first_monitors) {
  std::wstring out;
  for (const auto& monitor : first_monitors) {
    if (!monitor || platform::Trim(*monitor).empty()) continue;
    out += *monitor;
    out += kListSeparator;
  }
  return out;
}

std::wstring InquiryIdentification(std::span<const std::byte> inquiry_reply) {
  return storage::InquiryText(inquiry_reply).substr(0, kInquiryIdentificationLength);
}

std::optional<OpticalDriveReading> OpticalDriveTexts(const std::vector<OpticalDriveIdentity>& drives) {
  if (drives.empty()) return std::nullopt;
  OpticalDriveReading reading;
  for (const auto& drive : drives) {
    const std::wstring_view id = drive.identification;
    reading.short_list += id.substr(0, 14);
    reading.short_list += L'+';
    reading.list += drive.letter;
    reading.list += L": ";
    reading.list += id.substr(0, kInquiryIdentificationLength);
    reading.list += kListSeparator;
  }
  reading.short_list.back() = L' ';
  return reading;
}

std::wstring SerialPortsText(const std::vector<std::wstring>& port_names) {
  std::wstring text = ListText(port_names);
  return text.empty() ? std::wstring(kNotPresent) : text;
}

std::vector<std::wstring> ParallelProbeNames(bool nt_family) {
  const int count = nt_family ? 256 : 9;
  std::vector<std::wstring> names;
  names.reserve(static_cast<std::size_t>(count));
  for (int n = 1; n <= count; ++n) {
    names.push_back((n < 10 ? L"LPT" : L"\\\\.\\LPT") + std::to_wstring(n));
  }
  return names;
}

std::wstring RegistryParallelPortsText(const std::vector<std::wstring>& device_strings) {
  std::wstring text;
  for (const auto& s : device_strings) {
    const auto cut = s.find_last_of(L"\\:");
    text += cut == std::wstring::npos ? s : s.substr(cut + 1);
  }
  return text.empty() ? std::wstring(kNotPresent) : text;
}

std::wstring MouseText(bool present, bool wheel, int buttons) {
  if (!present) return {};
  std::wstring text = L"Mouse Present";
  if (wheel) text.insert(0, L"Wheel ");
  if (buttons != 0) text.insert(0, std::to_wstring(buttons) + L" Button ");
  return text;
}

std::wstring DriveSizeText(std::int64_t bytes, std::wstring_view decimal) {
  constexpr std::int64_t kGibibyte = std::int64_t{1} << 30;
  const double b = static_cast<double>(bytes);
  if (bytes > kGibibyte) return OneDecimal(b / 1024 / 1024 / 1024, decimal, 3) + L"GB";
  return OneDecimal(b / 1024 / 1024, decimal, 3) + L"MB";
}

std::wstring DriveListText(const std::vector<DriveBytes>& drives, std::wstring_view decimal) {
  std::wstring out;
  for (const auto& d : drives) {
    out += d.letter;
    out += L":  ";
    out += DriveSizeText(d.bytes, decimal);
    out += kListSeparator;
  }
  return out;
}

std::wstring DriveSizesReportText(const std::vector<DriveBytes>& drives, std::wstring_view decimal) {
  std::wstring out;
  for (const auto& d : drives) out += DriveSizeText(d.bytes, decimal) + L"  ";
  return out;
}

std::wstring AcPowerText(std::optional<std::uint8_t> ac_line_status) {
  if (ac_line_status == 0) return L"OffLine";
  if (ac_line_status == 1) return L"OnLine";
  return L"Unknown";
}

std::wstring BatteryText(std::optional<std::uint8_t> battery_flag) {
  if (!battery_flag) return L"Unknown";
  switch (*battery_flag) {
    case 0:
    case 1:
      return L"High";
    case 2:
      return L"Low";
    case 4:
      return L"Critical";
    case 8:
      return L"Charging";
    case 128:
      return L"No Battery";
    default:
      return L"Unknown";
  }
}

std::wstring BiosRowText(std::wstring_view identifier, std::wstring_view date, std::wstring_view version) {
  std::wstring out;
  for (std::wstring_view part : {identifier, date, version, std::wstring_view()}) {
    out += part;
    out += kListSeparator;
  }
  return out;
}

std::wstring FirstRegistryString(std::span<const std::byte> utf16_data) {
  std::wstring out;
  for (std::size_t i = 0; i + 1 < utf16_data.size(); i += 2) {
    const auto unit = static_cast<wchar_t>(std::to_integer<unsigned>(utf16_data[i]) |
                                           (std::to_integer<unsigned>(utf16_data[i + 1]) << 8));
    if (unit == 0) break;
    out += unit;
  }
  return out;
}

std::wstring MotherboardText(int property_count, int instance_count, const platform::T2DimStrArray& grid) {
  if (instance_count != 1 || property_count <= 1) return {};
  return platform::WmiTableValue(grid, L"Manufacturer") + L" " + platform::WmiTableValue(grid, L"Product");
}

}  // namespace corvane::app
