#include "inventory/devices_view.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane::inventory {
namespace {

TEST(DeviceClassKeys, TheLiveControlSetComesFirstAndTheSavedOnesOnlyAfterIt) {
  ASSERT_EQ(std::size(kDeviceClassKeys), 3u);
  EXPECT_EQ(kDeviceClassKeys[0], L"SYSTEM\\CurrentControlSet\\Control\\Class");
  EXPECT_EQ(kDeviceClassKeys[1], L"SYSTEM\\ControlSet002\\Control\\Class");
  EXPECT_EQ(kDeviceClassKeys[2], L"SYSTEM\\ControlSet003\\Control\\Class");
}

TEST(DriverRows, OnlyTheFirstInstanceIsReadAndOnlyANamedDriverIsListed) {
  EXPECT_EQ(DriverKeyPath(kDeviceClassKeys[0], L"{4d36e968-e325-11ce-bfc1-08002be10318}"),
            L"SYSTEM\\CurrentControlSet\\Control\\Class\\{4d36e968-e325-11ce-bfc1-08002be10318}\\0000");
  EXPECT_FALSE(ListsDriver(L""));
  EXPECT_TRUE(ListsDriver(L" "));
}

}  // namespace
}  // namespace corvane::inventory
