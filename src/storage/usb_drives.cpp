#include "storage/usb_drives.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>
#include <variant>

#include "platform/list_text.h"

namespace corvane::storage {
namespace {

struct CapabilityName {
  std::int64_t code;
  std::wstring_view text;
};
constexpr CapabilityName kCapabilityNames[] = {
    {2, L"Sequential Access."},
    {3, L"Random Access."},
    {4, L"Writing."},
    {5, L"Encryption."},
    {6, L"Compression."},
    {7, L"Removable Media."},
    {10, L"SMART Notification."},
    {12, L"Ejection Not Required Prior to Drive Dismount."},
};
static_assert(std::ranges::is_sorted(kCapabilityNames, {}, &CapabilityName::code));

// Only the first entries of the capability list are looked at.
constexpr std::size_t kCapabilityEntriesShown = 3;

bool AllDigits(std::wstring_view text) {
  return !text.empty() &&
         std::ranges::all_of(text, [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

std::wstring GroupUnsigned(std::uint64_t n, std::wstring_view separator) {
  return GroupDigits(std::to_wstring(n), separator);
}

std::wstring GroupSigned(std::int64_t n, std::wstring_view separator) {
  if (n >= 0) return GroupUnsigned(static_cast<std::uint64_t>(n), separator);
  // The magnitude of the most negative value does not fit the signed type.
  const auto magnitude = static_cast<std::uint64_t>(-(n + 1)) + 1;
  return L"-" + GroupUnsigned(magnitude, separator);
}

std::wstring GroupReal(double x, std::wstring_view separator) {
  if (!std::isfinite(x)) return {};
  const double r = std::round(x);  // halves away from zero
  if (r >= 0 && r < 18446744073709551616.0) return GroupUnsigned(static_cast<std::uint64_t>(r), separator);
  if (r < 0 && r >= -9223372036854775808.0) return GroupSigned(static_cast<std::int64_t>(r), separator);
  return platform::WmiPlainText(platform::WmiValue{x});
}

std::wstring GroupText(std::wstring_view text, std::wstring_view separator) {
  const bool negative = !text.empty() && text.front() == L'-';
  std::wstring_view digits = negative ? text.substr(1) : text;
  if (!AllDigits(digits)) return std::wstring(text);
  const std::size_t first = std::min(digits.find_first_not_of(L'0'), digits.size() - 1);
  digits.remove_prefix(first);
  std::wstring grouped = GroupDigits(digits, separator);
  if (negative && digits != L"0") grouped.insert(0, 1, L'-');
  return grouped;
}

}  // namespace

bool IsUsbDisk(const DiskDriveProperties& disk) {
  const auto* text = std::get_if<std::wstring>(&disk.InterfaceType);
  return text && *text == L"USB";
}

std::wstring GroupedNumber(const platform::WmiValue& value, std::wstring_view separator) {
  return std::visit(
      [&](const auto& v) -> std::wstring {
        using T = std::decay_t<decltype(v)>;
        if constexpr (std::is_same_v<T, std::int64_t>) {
          return GroupSigned(v, separator);
        } else if constexpr (std::is_same_v<T, std::uint64_t>) {
          return GroupUnsigned(v, separator);
        } else if constexpr (std::is_same_v<T, float> || std::is_same_v<T, double>) {
          return GroupReal(static_cast<double>(v), separator);
        } else if constexpr (std::is_same_v<T, std::wstring>) {
          return GroupText(v, separator);
        } else {
          return platform::WmiPlainText(value);
        }
      },
      value);
}

std::wstring_view CapabilityText(std::int64_t code) {
  const auto it = std::ranges::lower_bound(kCapabilityNames, code, {}, &CapabilityName::code);
  return it != std::end(kCapabilityNames) && it->code == code ? it->text : std::wstring_view{};
}

std::wstring CapabilityTexts(const platform::WmiValue& capabilities) {
  const auto* entries = std::get_if<platform::WmiArray>(&capabilities);
  if (!entries) return {};
  std::wstring cell;
  const std::size_t shown = std::min(entries->size(), kCapabilityEntriesShown);
  for (std::size_t i = 0; i < shown; ++i) {
    std::int64_t code = -1;
    if (const auto* s = std::get_if<std::int64_t>(&(*entries)[i])) {
      code = *s;
    } else if (const auto* u = std::get_if<std::uint64_t>(&(*entries)[i])) {
      if (*u <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        code = static_cast<std::int64_t>(*u);
    }
    const std::wstring_view text = CapabilityText(code);
    if (text.empty()) continue;
    cell += text;
    cell += L'\r';
  }
  return cell;
}

UsbDrivesView BuildUsbDrivesView(std::span<const DiskDriveProperties> disks,
                                 std::wstring_view thousands_separator, bool complete) {
  UsbDrivesView view;
  for (std::size_t i = 0; i < disks.size(); ++i) {
    const DiskDriveProperties& disk = disks[i];
    if (!IsUsbDisk(disk)) continue;
    view.rows.push_back({
        std::to_wstring(i + 1),
        platform::WmiPlainText(disk.InterfaceType),
        platform::WmiPlainText(disk.Description),
        platform::WmiPlainText(disk.MediaType),
        platform::WmiPlainText(disk.Model),
        CapabilityTexts(disk.Capabilities),
        platform::WmiPlainText(disk.BytesPerSector),
        GroupedNumber(disk.TotalSectors, thousands_separator),
        GroupedNumber(disk.Size, thousands_separator),
        platform::WmiPlainText(disk.Status),
        platform::WmiPlainText(disk.PNPDeviceID),
    });
  }
  if (!complete) return view;
  view.usb_count = std::to_wstring(view.rows.size());
  view.total_count = std::to_wstring(disks.size());
  return view;
}

ui::ReportSection UsbDrivesSection(const UsbDrivesView& view) {
  ui::ReportSection section{L"TfrmUSBDrives", std::wstring(kUsbDrivesCaption), {}, {}, {}};
  section.rows = {{std::wstring(kUsbCountLabel), view.usb_count, false},
                  {std::wstring(kTotalCountLabel), view.total_count, false}};
  ui::SectionList grid{std::wstring(kUsbDrivesCaption), {kUsbDriveColumns.begin(), kUsbDriveColumns.end()}, {}, false};
  for (const UsbDriveRow& row : view.rows) {
    std::vector<std::wstring> cells(row.begin(), row.end());
    std::wstring& capabilities = cells[kCapabilitiesColumn];
    std::wstring joined;
    for (const wchar_t c : capabilities) {
      if (c == L'\r') {
        joined += platform::kListSeparator;
      } else {
        joined += c;
      }
    }
    capabilities = platform::TidyList(joined);
    grid.rows.push_back(std::move(cells));
  }
  section.lists.push_back(std::move(grid));
  return section;
}

}  // namespace corvane::storage
