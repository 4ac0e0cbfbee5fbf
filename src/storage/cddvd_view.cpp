#include "storage/cddvd_view.h"

#include "storage/cddvd_window_ids.h"
#include "storage/disc_lib.h"
#include "storage/mmc.h"
#include "platform/list_text.h"
#include "platform/wql_text.h"
#include "ui/report_section_build.h"

namespace corvane::storage {
namespace {

bool IsAsciiLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// Characters first..first+count-1 (0-based), as far as the text reaches.
std::wstring_view Cut(std::wstring_view text, std::size_t first, std::size_t count) {
  if (first >= text.size()) return {};
  return text.substr(first, count);
}

template <std::wstring InquiryFields::*Field>
std::wstring InquiryValue(const CdDvdDriveView& v) {
  return v.inquiry.*Field;
}
template <std::wstring TCDinfo::*Field>
std::wstring WmiField(const CdDvdDriveView& v) {
  return v.wmi.*Field;
}

constexpr int ValueId(int row) { return cddvd_ids::kIdFirstValue + row; }

}  // namespace

std::wstring CdDriveListItem(const CdDriveEntry& drive) {
  std::wstring item(1, drive.letter);
  item += L": [";
  item += drive.label;
  item += L']';
  return item;
}

std::wstring DriveOfEntry(std::wstring_view entry) { return std::wstring(entry.substr(0, 2)); }

std::optional<wchar_t> LetterOfEntry(std::wstring_view entry) {
  if (entry.empty() || !IsAsciiLetter(entry.front())) return std::nullopt;
  const wchar_t c = entry.front();
  return c >= L'a' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

std::wstring TrimBlanks(std::wstring_view text) {
  std::size_t first = 0, last = text.size();
  while (first < last && text[first] <= L' ') ++first;
  while (last > first && text[last - 1] <= L' ') --last;
  return std::wstring(text.substr(first, last - first));
}

std::wstring CleanRevision(std::wstring_view field) {
  std::wstring revision = TrimBlanks(field);
  for (wchar_t& c : revision) {
    if ((c >= 1 && c <= 31) || c >= 128) c = L' ';
  }
  return revision;
}

InquiryFields SplitInquiry(std::wstring_view text) {
  return {std::wstring(Cut(text, 0, 8)), std::wstring(Cut(text, 8, 16)),
          CleanRevision(Cut(text, 24, 4)), TrimBlanks(Cut(text, 28, 20))};
}

std::wstring CdromDriveQuery(std::wstring_view drive) {
  return L"SELECT * FROM Win32_CDROMDrive where drive = " + platform::WqlQuoted(drive);
}

TCDinfo CdInfoFromTable(const platform::T2DimStrArray& table) {
  return platform::RecordFromTable(table, kCdInfoProperties);
}

std::vector<std::wstring> SplitCrLf(std::wstring_view text) {
  std::vector<std::wstring> lines;
  if (text.empty()) return lines;
  for (;;) {
    const std::size_t end = text.find(L"\r\n");
    lines.emplace_back(text.substr(0, end));
    if (end == std::wstring_view::npos) break;
    text.remove_prefix(end + 2);
  }
  return lines;
}

CdDvdDriveView BuildCdDvdDriveView(std::wstring_view inquiry_text,
                                   const platform::T2DimStrArray& wmi_table,
                                   std::wstring_view capability_report) {
  return {SplitInquiry(inquiry_text), CdInfoFromTable(wmi_table), SplitCrLf(capability_report)};
}

const std::array<ui::SheetField<CdDvdDriveView>, 14> kCdDvdSheetRows{{
    {L"Drive", L"Row0", ValueId(0)},
    {L"Vendor", L"Row1", ValueId(1), &InquiryValue<&InquiryFields::vendor>},
    {L"Product Id", L"Row2", ValueId(2), &InquiryValue<&InquiryFields::product_id>},
    {L"Revision", L"Row3", ValueId(3), &InquiryValue<&InquiryFields::revision>},
    {L"Vendor Spec", L"Row4", ValueId(4), &InquiryValue<&InquiryFields::vendor_spec>},
    {L"Caption", L"Row5", ValueId(5), &WmiField<&TCDinfo::Caption>},
    {L"Description", L"Row6", ValueId(6), &WmiField<&TCDinfo::Description>},
    {L"Id", L"Row7", ValueId(7), &WmiField<&TCDinfo::Id>},
    {L"Manufacturer driver", L"Row8", ValueId(8), &WmiField<&TCDinfo::Manufacturer>},
    {L"Media type", L"Row9", ValueId(9), &WmiField<&TCDinfo::MediaType>},
    {L"Name", L"Row10", ValueId(10), &WmiField<&TCDinfo::Name>},
    {L"Status", L"Row11", ValueId(11), &WmiField<&TCDinfo::Status>},
    {L"PNP Device ID", L"Row12", ValueId(12), &WmiField<&TCDinfo::PNPDeviceID>},
    {L"Drive Letter", L"Row13", ValueId(13), &WmiField<&TCDinfo::Drive>},
}};

bool TakesDoorCommands(unsigned drive_type) {
  return drive_type == kDriveCdRom || drive_type == kDriveRemovable;
}

std::optional<DriveMessage> DoorMessage(DoorOutcome outcome) {
  switch (outcome) {
    case DoorOutcome::Done:
      return std::nullopt;
    case DoorOutcome::NotCdDrive:
      return DriveMessage{MessageStyle::Error, std::wstring(kNotCdDriveMessage)};
    case DoorOutcome::Failed:
      return DriveMessage{MessageStyle::Plain, std::wstring(kDoorFailedMessage)};
  }
  return std::nullopt;
}

DriveMessage AnalyseMessage(std::optional<int> profile_index) {
  if (!profile_index || *profile_index < 0 ||
      *profile_index >= static_cast<int>(ProfileName.size()))
    return {MessageStyle::Error, std::wstring(kDiscReadFailedMessage)};
  return {MessageStyle::Information,
          std::wstring(kInsertedMediaPrefix) + std::wstring(ProfileName[*profile_index].name)};
}

DriveMessage AnalyseInsertedMedia(MmcTransport& transport, std::optional<wchar_t> letter) {
  try {
    if (!letter) return AnalyseMessage(std::nullopt);
    const auto drive = transport.OpenDrive(*letter);
    if (!drive) return AnalyseMessage(std::nullopt);
    // The profile is asked whatever the pass-through test says: a drive
    // that refuses the command is reported like any other failed read.
    TISODiscLib lib(transport, /*pass_through_usable=*/true);
    return AnalyseMessage(lib.GetCurrentProfile(drive.get()));
  } catch (...) {
    return AnalyseMessage(std::nullopt);
  }
}

ui::ReportSection CdDvdSection(std::span<const CdDriveReport> drives) {
  ui::ReportSection section{L"TfrmCDDVD", std::wstring(kCdDvdCaption), {}, {}, {}};
  const std::span<const ui::SheetField<CdDvdDriveView>> fields(kCdDvdSheetRows);
  ui::SectionList list = ui::SheetEntries(
      L"Drives", std::wstring(kCdDvdSheetRows[0].label), fields, drives,
      [](const CdDriveReport& d) -> const std::wstring& { return d.item; },
      [](const CdDriveReport& d) -> const CdDvdDriveView& { return d.view; });
  list.columns.emplace_back(kCapabilitiesCaption);
  for (std::size_t i = 0; i < drives.size(); ++i) {
    std::wstring capabilities;
    for (const auto& line : drives[i].view.capabilities) {
      if (!capabilities.empty()) capabilities += platform::kListSeparator;
      capabilities += line;
    }
    list.rows[i].push_back(std::move(capabilities));
  }
  section.lists.push_back(std::move(list));
  return section;
}

}  // namespace corvane::storage
