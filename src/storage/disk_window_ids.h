// Command and control IDs of the drive window (TfrmDisk). The end-to-end
// tests find the controls and send the commands by these numbers, as menus
// cannot be read across processes under Wine.
#pragma once

#include "ui/window_ids.h"

namespace corvane::storage::disk_ids {

inline constexpr int kFirst = ui::kDiskWindowIds.first;

enum : int {
  // Menu commands
  kCmdPrint = kFirst,
  kCmdExit,
  kCmdRefresh,
  // Controls
  kIdDriveList = kFirst + 10,  // cbDrive, in place of the "Drive" row's value
  kIdShowCdDvd,                // BitBtn1
  kIdDriveIcon,                // Image1
  kIdUsedGauge,
  kIdUsedBarLeft,
  kIdUsedBarRight,
  kIdUsedText,
  kIdUsedCaption,
  kIdFlagCaption,
  kIdAttributeList,
  kIdLinkLabel,  // Label3
  kIdVolumeSheet,
  kIdSmartSheet,
  kIdFlagList,  // the box holding the flag check boxes
  // Value cells of the volume sheet, top to bottom
  kIdDrive = kFirst + 100,
  kIdDriveType,
  kIdUnc,
  kIdSerial,
  kIdCapacity,
  kIdFree,
  kIdBytesPerSector,
  kIdSectorsPerCluster,
  kIdTotalClusters,
  kIdFreeClusters,
  // Value cells of the SMART sheet
  kIdSmartEnabled = kFirst + 200,
  kIdTemperature,
  kIdModel,
  kIdSmartSerial,
  kIdFirmware,
  kIdSize,
  // The file-system flag check boxes, one per item in list order
  kIdFirstFlag = kFirst + 300,
};

constexpr int FlagId(int item) { return kIdFirstFlag + item; }

static_assert(ui::AllIn(ui::kDiskWindowIds, {kCmdPrint, kIdSmartSheet, kIdFreeClusters, kIdSize, FlagId(31)}));

}  // namespace corvane::storage::disk_ids
