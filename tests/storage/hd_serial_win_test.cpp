#include "storage/hd_serial_win.h"

#include <gtest/gtest.h>

namespace corvane::storage {
namespace {

// Wine has no \\.\Scsi0: and refuses the pass-through on \\.\C:, so every
// source fails and the answer is the fixed text, never an empty one.
TEST(Win32HdSerial, WithoutAnAnsweringDiskTheResultIsError) {
  EXPECT_EQ(GetHardDiskSerial(), L"Error!");
}

TEST(Win32HdSerial, TheVolumeOpensButPortZeroDoesNot) {
  Win32HdSerialTransport transport;
  EXPECT_EQ(transport.PlatformId(), kPlatformWin32Nt);
  EXPECT_EQ(transport.Open(kScsiPort0Path, HdSerialOpen::kReadWrite), nullptr);
  EXPECT_NE(transport.Open(kVolumeCPath, HdSerialOpen::kReadWrite), nullptr);
}

}  // namespace
}  // namespace corvane::storage
