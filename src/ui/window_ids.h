// The command and control IDs of every window, by range: each window's IDs
// lie in its own range, so an ID seen in a test, a trace or a message names
// its window. A window's header (one per window) numbers its commands
// kCmd... and its controls kId... from the first ID of its range and checks
// them against the range. A new window takes the next free range, after the
// last one below.
#pragma once

namespace corvane::ui {

struct IdRange {
  int first, last;
  constexpr bool Holds(int id) const { return id >= first && id <= last; }
};

inline constexpr IdRange kMainWindowIds{100, 1999};       // TForm1
inline constexpr IdRange kHelpWindowIds{2000, 2099};      // TfrmHelp
inline constexpr IdRange kAboutBoxIds{2100, 2199};        // TAboutBox
inline constexpr IdRange kDiskWindowIds{3000, 3499};      // TfrmDisk
inline constexpr IdRange kCdDvdWindowIds{3500, 3999};     // TfrmCDDVD
inline constexpr IdRange kUsbDrivesWindowIds{4000, 4499};  // TfrmUSBDrives
inline constexpr IdRange kCpuWindowIds{5000, 5499};       // TfrmCPU
inline constexpr IdRange kMetersWindowIds{5500, 5999};    // TfrmMeters
inline constexpr IdRange kPersonalWindowIds{6000, 6499};         // TfrmPersonal
inline constexpr IdRange kMemoryWindowIds{6500, 6999};           // TfrmMemory
inline constexpr IdRange kDisplayWindowIds{7000, 7499};          // TfrmDisplay
inline constexpr IdRange kDevicesWindowIds{7500, 7999};          // TfrmDevices
inline constexpr IdRange kUninstallWindowIds{8000, 8499};        // TfrmUnistall
inline constexpr IdRange kStartupWindowIds{8500, 8999};          // TfrmStartup
inline constexpr IdRange kNetworkWindowIds{9000, 9499};          // TfrmNetwork
inline constexpr IdRange kUserListWindowIds{9500, 9999};         // TfrmUserList
inline constexpr IdRange kNetworkAdaptersWindowIds{10000, 10499};  // TfrmNetworkAdapters
inline constexpr IdRange kComputersWindowIds{10500, 10999};      // TfrmComputers
inline constexpr IdRange kInternetWindowIds{11000, 11499};       // TfrmInternet
inline constexpr IdRange kPrintersWindowIds{11500, 11999};       // TfrmPrinters
inline constexpr IdRange kServicesWindowIds{12000, 12499};       // TfrmServices
inline constexpr IdRange kBiosInfoWindowIds{12500, 12999};       // TfrmBiosInfo
inline constexpr IdRange kUsbWindowIds{13000, 13499};            // TfrmUSB
inline constexpr IdRange kDateTimeWindowIds{13500, 13999};       // TfrmDateTime
inline constexpr IdRange kSoundWindowIds{14000, 14499};          // TfrmSound
inline constexpr IdRange kPrintPreviewIds{14500, 14999};         // TfrmPrintPreview

// A window's IDs, checked against its range at compile time.
template <int N>
constexpr bool AllIn(IdRange range, const int (&ids)[N]) {
  for (int id : ids) {
    if (!range.Holds(id)) return false;
  }
  return true;
}

}  // namespace corvane::ui
