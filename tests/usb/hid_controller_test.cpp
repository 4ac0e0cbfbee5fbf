#include "usb/hid_controller.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "scripted_hid_source.h"

namespace corvane::usb {
namespace {

using scripted::MouseLikeDevice;
using scripted::ScriptedDevice;
using scripted::ScriptedHidSource;

ScriptedDevice Plain(std::uint32_t instance) {
  ScriptedDevice d;
  d.instance = instance;
  d.path = "dev" + std::to_string(instance);
  return d;
}

// A controller over a scripted source that records its events as text.
struct Rig {
  ScriptedHidSource* source;
  TJvHidDeviceController controller;
  std::vector<std::string> events;

  Rig() : Rig(std::make_unique<ScriptedHidSource>()) {}
  explicit Rig(std::unique_ptr<ScriptedHidSource> s) : source(s.get()), controller(std::move(s)) {
    controller.OnArrival = [this](TJvHidDevice& d) { events.push_back("arrive " + d.PnPInfo().DevicePath); };
    controller.OnRemoval = [this](TJvHidDevice& d) {
      events.push_back("remove " + d.PnPInfo().DevicePath + (d.PluggedIn() ? " plugged" : ""));
    };
    controller.SetOnDeviceChange([this] { events.push_back("change"); });
    controller.Loaded();
  }
  std::vector<std::string> Paths() {
    std::vector<std::string> paths;
    for (std::size_t i = 0; i < controller.Count(); ++i) paths.push_back(controller.Device(i).PnPInfo().DevicePath);
    return paths;
  }
  std::vector<std::string> TakeEvents() { return std::exchange(events, {}); }
};

using Events = std::vector<std::string>;

TEST(HidController, NoDevicesGivesOneChangeAndAnEmptyWalk) {
  Rig rig;
  rig.controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
  EXPECT_EQ(rig.TakeEvents(), Events{"change"});
  EXPECT_EQ(rig.controller.EnumerateDevices(), 0);
  // A later broadcast that changes nothing is not reported.
  rig.controller.DevicesChanged(0);
  EXPECT_TRUE(rig.events.empty());
}

TEST(HidController, WithoutTheLibrariesTheListStaysEmpty) {
  TJvHidDeviceController controller(nullptr);
  int changes = 0;
  controller.SetOnDeviceChange([&] { ++changes; });
  controller.Loaded();
  controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
  EXPECT_FALSE(controller.HasLibraries());
  EXPECT_EQ(controller.Count(), 0u);
  EXPECT_EQ(controller.EnumerateDevices(), 0);
  EXPECT_EQ(controller.Version(), L"1.0.34");
}

TEST(HidController, DevicesThatCannotBeMadeAreSkippedTheRestListed) {
  Rig rig;
  ScriptedDevice closed = Plain(1);
  closed.opens_read_write = closed.opens_for_query = false;
  ScriptedDevice query_only = Plain(2);
  query_only.opens_read_write = false;
  ScriptedDevice anonymous = Plain(3);
  anonymous.attributes.reset();
  rig.source->devices = {closed, query_only, anonymous, Plain(4)};

  rig.controller.DevicesChanged(TJvHidDeviceController::kFirstChange);

  ASSERT_EQ(rig.Paths(), (std::vector<std::string>{"dev2", "dev4"}));
  EXPECT_FALSE(rig.controller.Device(0).ReadWriteAccess());
  EXPECT_TRUE(rig.controller.Device(1).ReadWriteAccess());
  EXPECT_EQ(rig.controller.Device(1).VendorID(), 0x1234);
  EXPECT_EQ(rig.controller.Device(1).ProductID(), 0xABCD);
  EXPECT_EQ(rig.source->open_handles, 0) << "making a device closes it again";
}

TEST(HidController, ArrivalAppendsAndKeepsTheDevicesPresent) {
  Rig rig;
  rig.source->devices = {Plain(1), Plain(2)};
  rig.controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
  rig.TakeEvents();
  TJvHidDevice* first = &rig.controller.Device(0);
  TJvHidDevice* second = &rig.controller.Device(1);

  // The new device comes first in the system's order, yet goes to the end.
  rig.source->devices = {Plain(3), Plain(1), Plain(2)};
  rig.controller.DevicesChanged(0);

  EXPECT_EQ(rig.TakeEvents(), (Events{"arrive dev3", "change"}));
  ASSERT_EQ(rig.Paths(), (std::vector<std::string>{"dev1", "dev2", "dev3"}));
  EXPECT_EQ(&rig.controller.Device(0), first);
  EXPECT_EQ(&rig.controller.Device(1), second);
  EXPECT_EQ(rig.controller.Device(2).Owner(), &rig.controller);
  EXPECT_EQ(rig.source->open_handles, 0);
}

TEST(HidController, RemovalDropsTheDeviceAndReportsTheChange) {
  Rig rig;
  rig.source->devices = {Plain(1), Plain(2), Plain(3)};
  rig.controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
  rig.TakeEvents();

  rig.source->devices = {Plain(1), Plain(3)};
  rig.controller.DevicesChanged(0);

  EXPECT_EQ(rig.TakeEvents(), (Events{"remove dev2", "change"})) << "unplugged before it is reported";
  EXPECT_EQ(rig.Paths(), (std::vector<std::string>{"dev1", "dev3"}));
}

TEST(HidController, WalkStopsAfterTheHandlerSaysSo) {
  Rig rig;
  rig.source->devices = {Plain(1), Plain(2), Plain(3)};
  rig.controller.DevicesChanged(TJvHidDeviceController::kFirstChange);

  std::vector<int> indexes;
  rig.controller.OnEnumerate = [&](TJvHidDevice& d, int index) {
    EXPECT_TRUE(d.Enumerating());
    indexes.push_back(index);
    return index != 1;
  };
  EXPECT_EQ(rig.controller.EnumerateDevices(), 2);
  EXPECT_EQ(indexes, (std::vector<int>{0, 1}));
  EXPECT_FALSE(rig.controller.Device(0).Enumerating());

  // Without a handler every device says stop: the first is still counted.
  rig.controller.OnEnumerate = nullptr;
  EXPECT_EQ(rig.controller.EnumerateDevices(), 1);
}

TEST(HidController, WaitSlicesOutsideTheRangeAreIgnored) {
  Rig rig;
  rig.source->devices = {Plain(1), Plain(2)};
  rig.controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
  TJvHidDevice& device = rig.controller.Device(0);

  struct Case {
    int set;
    int expected;
  };
  for (const Case c : {Case{5, 100}, Case{20000, 100}, Case{10, 10}, Case{10000, 10000}, Case{9, 10000}}) {
    device.SetThreadSleepTime(c.set);
    EXPECT_EQ(device.ThreadSleepTime(), c.expected) << "set " << c.set;
  }

  // The controller's slice goes to the devices that still have the old one.
  rig.controller.SetDevThreadSleepTime(250);
  EXPECT_EQ(rig.controller.Device(0).ThreadSleepTime(), 10000);
  EXPECT_EQ(rig.controller.Device(1).ThreadSleepTime(), 250);
}

TEST(HidController, DevicesAnswerOnlyWhileHandedOut) {
  Rig rig;
  ScriptedDevice d = Plain(1);
  d.product = L"Pad\0junk";
  rig.source->devices = {d};
  rig.controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
  TJvHidDevice& device = rig.controller.Device(0);

  HidCapability caps[4];
  std::uint16_t count = 4;
  EXPECT_EQ(device.ProductString(), L"");
  EXPECT_EQ(device.GetButtonCaps(caps, count), kHidpStatusNull);
  EXPECT_FALSE(device.OpenFile());

  rig.controller.OnEnumerate = [&](TJvHidDevice& dev, int) {
    EXPECT_EQ(dev.ProductString(), L"Pad");
    EXPECT_EQ(dev.ProductString(), L"Pad");
    EXPECT_TRUE(dev.OpenFile()) << "left open on purpose: the walk closes it";
    return true;
  };
  rig.controller.EnumerateDevices();
  EXPECT_EQ(std::ranges::count(rig.source->log, std::string("product dev1")), 1) << "cached after the first answer";
  EXPECT_EQ(rig.source->open_handles, 0);
}

TEST(HidController, AnEmptyProductStringIsAskedAgain) {
  Rig rig;
  ScriptedDevice d = Plain(1);
  d.product.reset();
  rig.source->devices = {d};
  rig.controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
  rig.controller.OnEnumerate = [](TJvHidDevice& dev, int) { return dev.ProductString().empty(); };
  rig.controller.EnumerateDevices();
  rig.controller.EnumerateDevices();
  EXPECT_EQ(std::ranges::count(rig.source->log, std::string("product dev1")), 2);
}

TEST(HidController, InputBufferCountIsWrittenBackOnEachOpening) {
  Rig rig;
  rig.source->devices = {Plain(1)};
  rig.controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
  rig.controller.OnEnumerate = [](TJvHidDevice& dev, int) {
    EXPECT_EQ(dev.NumInputBuffers(), 32u);
    dev.SetNumInputBuffers(64);
    dev.OpenFile();
    return true;
  };
  rig.controller.EnumerateDevices();
  EXPECT_EQ(std::ranges::count(rig.source->log, std::string("set buffers 64")), 2);
}

TEST(HidController, ChangeMessagesDuringARefreshAreIgnored) {
  auto source = std::make_unique<ScriptedHidSource>();
  ScriptedHidSource& s = *source;
  s.devices = {Plain(1)};
  TJvHidDeviceController controller(std::move(source));
  int changes = 0;
  controller.SetOnDeviceChange([&] {
    ++changes;
    controller.DevicesChanged(0);  // as a message box in the handler would let one through
  });
  controller.Loaded();
  controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(std::ranges::count(s.log, std::string("find")), 1);
}

TEST(HidController, AHandlerSetAfterLoadingRefreshesAtOnce) {
  Rig rig;
  rig.source->devices = {Plain(1)};
  rig.controller.SetOnDeviceChange([] {});
  EXPECT_EQ(rig.Paths(), std::vector<std::string>{"dev1"});
}

TEST(HidController, AHandlerSetWhileLoadingDoesNotRefresh) {
  auto source = std::make_unique<ScriptedHidSource>();
  ScriptedHidSource& s = *source;
  TJvHidDeviceController controller(std::move(source));
  controller.SetOnDeviceChange([] {});
  EXPECT_TRUE(s.log.empty());
}

// The descriptor is asked for once and outlives the walk; the controller's
// end releases it with the device (the sanitizers see a leak or a late release).
TEST(HidController, TheParsedDescriptorIsKeptForTheDevicesLife) {
  auto source = std::make_unique<ScriptedHidSource>();
  ScriptedHidSource& s = *source;
  s.devices = {MouseLikeDevice(1, L"Mouse")};
  {
    TJvHidDeviceController controller(std::move(source));
    controller.Loaded();
    controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
    controller.OnEnumerate = [&](TJvHidDevice& d, int) {
      d.Caps();
      EXPECT_EQ(s.preparsed_alive, 1);
      return true;
    };
    controller.EnumerateDevices();
    controller.EnumerateDevices();
    EXPECT_EQ(s.preparsed_alive, 1);
    EXPECT_EQ(s.open_handles, 0);
  }
}

}  // namespace
}  // namespace corvane::usb
