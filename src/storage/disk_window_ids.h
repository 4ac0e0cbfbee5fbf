// Command and control identifiers of the drive window. The end-to-end tests
// include this header: they find the controls and send the commands by these
// numbers, as menus cannot be read across processes under Wine.
#pragma once

namespace corvane::storage::disk_ids {

// Menu commands.
enum : unsigned short {
  cmdPrint = 101,
  cmdExit,
  cmdRefresh = 201,
};

// Controls.
enum : int {
  kDriveList = 2001,  // cbDrive
  kShowCdDvd,         // BitBtn1
  kDriveIcon,         // Image1
  kUsedBarLeft,
  kUsedBarRight,
  kUsedText,
  kAttributeList,
  kLinkLabel,  // Label3
  kVolumeSheet,
  kSmartSheet,
  kUsedCaption,
  kFlagCaption,
};

// The rows of the volume sheet, top to bottom; the first row's value is the
// drive list itself.
enum VolumeRow : int {
  kRowDrive,
  kRowDriveType,
  kRowUnc,
  kRowSerial,
  kRowCapacity,
  kRowFree,
  kRowBytesPerSector,
  kRowSectorsPerCluster,
  kRowTotalClusters,
  kRowFreeClusters,
  kVolumeRowCount,
};

enum SmartRow : int {
  kRowSmartEnabled,
  kRowTemperature,
  kRowModel,
  kRowSmartSerial,
  kRowFirmware,
  kRowSize,
  kSmartRowCount,
};

// Value boxes are numbered by row; label boxes sit 50 above them.
constexpr int kVolumeValueBase = 2100;
constexpr int kSmartValueBase = 2200;
constexpr int kLabelOffset = 50;
constexpr int VolumeValueId(VolumeRow row) { return kVolumeValueBase + row; }
constexpr int SmartValueId(SmartRow row) { return kSmartValueBase + row; }

// The file-system flag check boxes, one per item in list order.
constexpr int kFlagBase = 2300;
constexpr int FlagId(int item) { return kFlagBase + item; }

}  // namespace corvane::storage::disk_ids
