// The Windows side of the CD/DVD and USB drives windows under Wine: door
// commands on a drive that is no CD drive and on a CD-ROM drive defined in
// the prefix, the drive list, the media analysis over the real transport,
// and the disk drives read through the scripting objects.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/com_win.h"
#include "platform/wmi_win.h"
#include "storage/cd_drive_win.h"
#include "storage/cddvd_view.h"
#include "storage/disk_drives_win.h"
#include "storage/mmc_transport_win.h"
#include "storage/usb_drives.h"
#include "storage/wine_cd_drive.h"

namespace corvane::storage {
namespace {

using testing_support::WineCdDrive;

TEST(CdDriveWin, DoorCommandsRefuseWhatIsNoCdDrive) {
  ASSERT_EQ(DriveTypeOf(L'C'), static_cast<unsigned>(DRIVE_FIXED));
  for (const std::optional<wchar_t> letter : {std::optional<wchar_t>(L'C'), std::optional<wchar_t>(L'Z'),
                                              std::optional<wchar_t>(), std::optional<wchar_t>(L'Q')}) {
    EXPECT_EQ(EjectMedia(letter), DoorOutcome::NotCdDrive);
    EXPECT_EQ(CloseTray(letter), DoorOutcome::NotCdDrive);
  }
  Win32MmcTransport transport;
  EXPECT_EQ(AnalyseInsertedMedia(transport, L'C').text, kDiscReadFailedMessage);
}

TEST(CdDriveWin, DefinedCdDriveIsListedOnceWithItsLabel) {
  const auto before = ListCdDrives();
  WineCdDrive cd(L"CORVANE CD");
  if (!cd.ok()) GTEST_SKIP() << cd.why_not();
  ASSERT_EQ(DriveTypeOf(cd.letter()), static_cast<unsigned>(DRIVE_CDROM));

  const auto drives = ListCdDrives();
  ASSERT_EQ(drives.size(), before.size() + 1);
  int seen = 0;
  for (const auto& d : drives) {
    if (d.letter != cd.letter()) continue;
    ++seen;
    EXPECT_EQ(d.label, L"CORVANE CD");
    EXPECT_EQ(CdDriveListItem(d), std::wstring(1, cd.letter()) + L": [CORVANE CD]");
  }
  EXPECT_EQ(seen, 1);

  // Wine's multimedia CD device takes door commands for a CD-type drive.
  EXPECT_EQ(CloseTray(cd.letter()), DoorOutcome::Done);
  EXPECT_NE(EjectMedia(cd.letter()), DoorOutcome::NotCdDrive);
  // Wine refuses SCSI pass-through: the profile cannot be read.
  Win32MmcTransport transport;
  EXPECT_EQ(AnalyseInsertedMedia(transport, cd.letter()),
            (DriveMessage{MessageStyle::Error, std::wstring(kDiscReadFailedMessage)}));

  // WMI finds it by the quoted drive.
  platform::ComApartment com;
  platform::T2DimStrArray table;
  int instances = 0;
  platform::WmiQueryTable(L".", L"root\\CIMV2", L"", L"", CdromDriveQuery(std::wstring(1, cd.letter()) + L":"),
                          instances, table);
  EXPECT_EQ(instances, 1);
  EXPECT_EQ(CdInfoFromTable(table).Drive, std::wstring(1, cd.letter()) + L":");
}

TEST(DiskDrivesWin, EveryDiskIsReadAndNoneIsUsbUnderWine) {
  platform::ComApartment com;
  platform::T2DimStrArray table;
  int instances = 0;
  ASSERT_GE(platform::WmiQueryTable(L".", L"root\\cimv2", L"", L"", L"SELECT * FROM Win32_DiskDrive", instances, table),
            0);
  ASSERT_GT(instances, 0);

  const DiskDriveReading reading = ReadDiskDrives();
  ASSERT_FALSE(reading.error) << testing::PrintToString(*reading.error);
  ASSERT_EQ(reading.disks.size(), static_cast<std::size_t>(instances));
  // The same disks in the same order as the native route sees them; the
  // properties Wine lacks (Capabilities, Status...) read as null instead of
  // ending the walk.
  for (std::size_t i = 0; i < reading.disks.size(); ++i) {
    const platform::T2DimStrArray one = {table[0], table[i + 1]};
    EXPECT_EQ(platform::WmiPlainText(reading.disks[i].Model), platform::WmiTableValue(one, L"Model"));
    EXPECT_EQ(platform::WmiPlainText(reading.disks[i].InterfaceType), platform::WmiTableValue(one, L"InterfaceType"));
  }
  const UsbDrivesView view = BuildUsbDrivesView(reading.disks, L",");
  EXPECT_TRUE(view.rows.empty());
  EXPECT_EQ(view.usb_count, L"0");
  EXPECT_EQ(view.total_count, std::to_wstring(instances));
}

}  // namespace
}  // namespace corvane::storage
