#include "storage/smart_transport_win.h"

#include <gtest/gtest.h>

#include "storage/smart_probe.h"

namespace corvane::storage {
namespace {

bool StartsWith(const std::wstring& text, std::wstring_view prefix) {
  return text.size() > prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

TEST(Win32SmartTransport, AMissingDriveFailsToOpenWithTheSystemMessage) {
  Win32SmartTransport transport;
  std::wstring error, model, serial;
  std::int64_t size = 1;
  EXPECT_FALSE(ReadDriveIdentity(transport, 99, error, model, size, serial));
  EXPECT_TRUE(StartsWith(error, L"Unable to open physical drive: ")) << error.c_str();
  EXPECT_EQ(size, 0);
}

// Wine opens \\.\PhysicalDrive0 but answers no SMART request: the probe stops
// at the version query and says so, without touching any device.
TEST(Win32SmartTransport, ADriveWithoutSmartStopsAtTheVersionQuery) {
  Win32SmartTransport transport;
  TSmartResult result;
  std::wstring error;
  EXPECT_FALSE(ReadSmartData(transport, 0, result, error));
  EXPECT_TRUE(StartsWith(error, L"DFP_GET_VERSION failed: ")) << error.c_str();
  EXPECT_EQ(result.DriveNum, -1);
  EXPECT_EQ(result.AttributeCount, 0);
}

}  // namespace
}  // namespace corvane::storage
