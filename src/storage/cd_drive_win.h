// The Windows side of the CD/DVD window's drive list and door commands.
#pragma once
#include <windows.h>

#include <optional>
#include <vector>

#include "storage/cddvd_view.h"
#include "storage/volumes_win.h"

namespace corvane::storage {

// The CD/DVD drives in drive-letter order with their volume labels (empty
// without a disc). The system's "no disk" prompt is suppressed while asking.
std::vector<CdDriveEntry> ListCdDrives();

// "Eject CD/DVD": IOCTL_STORAGE_EJECT_MEDIA on \\.\E:.
DoorOutcome EjectMedia(std::optional<wchar_t> letter);

// "Load CD/DVD": closes the tray through the multimedia interface (the drive
// opened as a "CDAudio" device, one door command, closed again).
DoorOutcome CloseTray(std::optional<wchar_t> letter);

// "Eject Default": opens the tray of the default CD audio device, whatever
// drive is selected. `notify` receives the multimedia notification.
DoorOutcome OpenDefaultTray(HWND notify);

}  // namespace corvane::storage
