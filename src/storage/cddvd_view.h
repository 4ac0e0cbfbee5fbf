// What the CD/DVD window shows, free of any Windows header: the drive list
// entries, the identity rows cut from the INQUIRY text, the WMI record of a
// drive and the query that finds it, the capability list, and the messages
// the four drive buttons end in. The window (cddvd_window_win.h) gathers
// the readings, builds a CdDvdDriveView and only displays it.
#pragma once
#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/wmi_grid.h"
#include "storage/mmc_transport.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::storage {

inline constexpr std::wstring_view kCdDvdCaption = L"CD / DVD Information";

// ---- drive list -------------------------------------------------------------

struct CdDriveEntry {
  wchar_t letter;
  std::wstring label;  // empty without a disc
};

// "E: [label]".
std::wstring CdDriveListItem(const CdDriveEntry& drive);

// The drive an entry names: its first two characters ("E:"), fewer when the
// text is shorter. The list is editable, so this may be anything typed.
std::wstring DriveOfEntry(std::wstring_view entry);

// The letter an entry names, upper-cased; nullopt when the text does not
// start with a letter A..Z (an empty list, a typed "1:").
std::optional<wchar_t> LetterOfEntry(std::wstring_view entry);

// ---- identity rows from INQUIRY --------------------------------------------

struct InquiryFields {
  std::wstring vendor;       // characters 1..8
  std::wstring product_id;   // characters 9..24
  std::wstring revision;     // characters 25..28, trimmed, control and high characters as spaces
  std::wstring vendor_spec;  // characters 29..48, trimmed
};

// Cuts the INQUIRY text (storage/mmc.h InquiryText) into the four rows;
// fields past the end of a short text are empty.
InquiryFields SplitInquiry(std::wstring_view inquiry_text);

// Without the characters up to and including the space at either end
// (control characters count as blanks there).
std::wstring TrimBlanks(std::wstring_view text);

// The revision field as shown: trimmed, then every character with a code
// from 1 to 31 or from 128 up replaced by a space.
std::wstring CleanRevision(std::wstring_view field);

// ---- WMI record -------------------------------------------------------------

// The WMI values of one drive (Win32_CDROMDrive), named after the properties.
struct TCDinfo {
  std::wstring Capabilities;
  std::wstring Caption;
  std::wstring Description;
  std::wstring DeviceID;  // read, not shown
  std::wstring Drive;
  std::wstring Id;
  std::wstring Manufacturer;
  std::wstring MediaType;
  std::wstring Name;
  std::wstring Status;
  std::wstring PNPDeviceID;
};

inline constexpr std::array<platform::WmiField<TCDinfo>, 11> kCdInfoProperties{{
    {L"Capabilities", &TCDinfo::Capabilities},
    {L"Caption", &TCDinfo::Caption},
    {L"Description", &TCDinfo::Description},
    {L"DeviceID", &TCDinfo::DeviceID},
    {L"Drive", &TCDinfo::Drive},
    {L"Id", &TCDinfo::Id},
    {L"Manufacturer", &TCDinfo::Manufacturer},
    {L"MediaType", &TCDinfo::MediaType},
    {L"Name", &TCDinfo::Name},
    {L"Status", &TCDinfo::Status},
    {L"PNPDeviceID", &TCDinfo::PNPDeviceID},
}};

// The WQL query for the drive `drive` ("E:"), its text quoted safely.
std::wstring CdromDriveQuery(std::wstring_view drive);

// The record from the first instance of a table query; missing properties
// and a result without instances give empty texts.
TCDinfo CdInfoFromTable(const platform::T2DimStrArray& table);

// ---- the whole view of one drive -------------------------------------------

struct CdDvdDriveView {
  InquiryFields inquiry;
  TCDinfo wmi;
  std::vector<std::wstring> capabilities;  // one list item per report line
};

// Lines of a CR LF joined report; an empty report gives no line.
std::vector<std::wstring> SplitCrLf(std::wstring_view text);

CdDvdDriveView BuildCdDvdDriveView(std::wstring_view inquiry_text,
                                   const platform::T2DimStrArray& wmi_table,
                                   std::wstring_view capability_report);

// The sheet rows in screen order. The first row ("Drive") holds the drive
// list and has no text value.
extern const std::array<ui::SheetField<CdDvdDriveView>, 14> kCdDvdSheetRows;

// ---- drive buttons ---------------------------------------------------------

// GetDriveType codes that accept door commands: a CD/DVD drive (5) and a
// removable drive (2), which the editable list lets a user name.
inline constexpr unsigned kDriveRemovable = 2;
inline constexpr unsigned kDriveCdRom = 5;
bool TakesDoorCommands(unsigned drive_type);

// How a door command ("Eject CD/DVD", "Load CD/DVD", "Eject Default") ended.
enum class DoorOutcome {
  Done,
  NotCdDrive,  // no letter, or a drive that is neither CD/DVD nor removable
  Failed,      // the drive or the multimedia device would not open, or refused the command
};

enum class MessageStyle {
  Plain,        // a message box with an OK button
  Information,  // the same with the information icon
  Error,        // the application's standard error box
};
struct DriveMessage {
  MessageStyle style;
  std::wstring text;
  friend bool operator==(const DriveMessage&, const DriveMessage&) = default;
};

inline constexpr std::wstring_view kNotCdDriveMessage = L"The selected drive is not a CD/DVD drive.";
inline constexpr std::wstring_view kDoorFailedMessage = L"Error";
inline constexpr std::wstring_view kDiscReadFailedMessage = L"Error reading disc!";
inline constexpr std::wstring_view kInsertedMediaPrefix = L"The Inserted media is ";

// The message a door command ends with; nothing when it was done.
std::optional<DriveMessage> DoorMessage(DoorOutcome outcome);

// "Analyse Inserted Media": the index into ProfileName of the current
// profile, or nullopt when the drive could not be opened or asked, or the
// profile has no name.
DriveMessage AnalyseMessage(std::optional<int> profile_index);

// "Analyse Inserted Media" on the drive `letter` (nullopt: no drive named):
// opens the drive itself, asks its current profile with GET CONFIGURATION
// and names it; any failure on the way gives "Error reading disc!".
DriveMessage AnalyseInsertedMedia(MmcTransport& transport, std::optional<wchar_t> letter);

// ---- the report ----------------------------------------------------------------

// One drive of the list as the window would show it when picked.
struct CdDriveReport {
  std::wstring item;  // its entry in the drive list, "E: [label]"
  CdDvdDriveView view;
};
inline constexpr std::wstring_view kCapabilitiesCaption = L"Drive Capabilities";

// The window's report section. The window shows one drive at a time; the
// report lists every drive, one row each keyed by its list entry, with the
// sheet's rows and its capabilities in one cell (" | " between them).
ui::ReportSection CdDvdSection(std::span<const CdDriveReport> drives);

}  // namespace corvane::storage
