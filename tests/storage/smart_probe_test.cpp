#include "storage/smart_probe.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "storage/smart_sectors.h"

namespace corvane::storage {
namespace {

using testing::AttributeSector;
using testing::AttrRow;
using testing::IdentifySector;
using testing::kPreFail;
using testing::Sector;
using testing::ThresholdSector;

// How one device answers. A missing sector makes that command fail with the
// given driver status; `throws` names a command that throws instead.
struct DeviceScript {
  bool enable_ok = true;
  std::optional<Sector> identify;
  std::optional<Sector> attributes;
  std::optional<Sector> thresholds;
  DriverStatus failure_status{1, 0x51};
  std::string throws;
};

// What the device saw of one call.
struct CallRecord {
  std::uint32_t ioctl;
  std::size_t in_length;
  std::size_t out_length;
  std::uint32_t preset_buffer_size;  // cBufferSize of the output block on entry
};

// A SMART device that answers from a script keyed by device number and logs
// every call as "<command> <device>".
class ScriptedTransport final : public SmartTransport {
 public:
  SmartDeviceKind kind = SmartDeviceKind::kPhysicalDrive;
  bool open_ok = true;
  bool version_ok = true;
  std::uint8_t device_map = 0;
  std::map<int, DeviceScript> devices;
  std::vector<std::string> log;
  std::vector<CallRecord> calls;

  SmartOpenResult Open(int drive) override {
    log.push_back("open " + std::to_string(drive));
    SmartOpenResult r;
    r.kind = kind;
    if (kind == SmartDeviceKind::kNone) return r;
    if (!open_ok) {
      r.system_message = L"Access is denied.";
      return r;
    }
    r.device = std::make_unique<Device>(*this);
    return r;
  }

 private:
  class Device final : public SmartDevice {
   public:
    explicit Device(ScriptedTransport& t) : t_(t) {}
    ~Device() override { t_.log.push_back("close"); }

    SmartCall GetVersion(std::span<std::byte, kVersionOutSize> out) override {
      t_.log.push_back("version");
      if (!t_.version_ok) return {false, L"The request is not supported."};
      out[3] = std::byte{t_.device_map};
      return {true, {}};
    }
    SmartCall SendCommand(std::span<const std::byte> in, std::span<std::byte> out) override {
      return Answer(kDfpSendDriveCommand, in, out);
    }
    SmartCall ReceiveSector(std::span<const std::byte> in, std::span<std::byte> out) override {
      return Answer(kDfpReceiveDriveData, in, out);
    }

   private:
    SmartCall Answer(std::uint32_t ioctl, std::span<const std::byte> in, std::span<std::byte> out) {
      t_.calls.push_back({ioctl, in.size(), out.size(),
                          std::to_integer<std::uint32_t>(out[0]) |
                              std::to_integer<std::uint32_t>(out[1]) << 8});
      const auto features = std::to_integer<int>(in[4]);
      const auto command = std::to_integer<int>(in[10]);
      const int n = std::to_integer<int>(in[12]);
      std::string name = command == 0xEC   ? "identify"
                         : command == 0xA1 ? "packet"
                         : features == 0xD8 ? "enable"
                         : features == 0xD0 ? "attrs"
                         : features == 0xD1 ? "thresh"
                                            : "?";
      t_.log.push_back(name + " " + std::to_string(n));
      const DeviceScript& d = t_.devices[n];
      if (d.throws == name) throw std::runtime_error("device vanished");
      const std::optional<Sector>* reply = nullptr;
      if (name == "enable") {
        if (d.enable_ok) return {true, {}};
        return {false, L"The parameter is incorrect."};
      }
      if (name == "identify" || name == "packet") reply = &d.identify;
      if (name == "attrs") reply = &d.attributes;
      if (name == "thresh") reply = &d.thresholds;
      if (!reply || !*reply) {
        out[4] = std::byte{d.failure_status.driver_error};
        out[5] = std::byte{d.failure_status.ide_error};
        return {false, L"The request could not be performed because of an I/O device error."};
      }
      std::copy((*reply)->begin(), (*reply)->end(), out.begin() + kCmdOutHeaderSize);
      return {true, {}};
    }

    ScriptedTransport& t_;
  };
};

using Log = std::vector<std::string>;
const std::wstring kIoError = L"The request could not be performed because of an I/O device error.";

Sector Identity(std::string_view model) {
  return IdentifySector({model, "SN-" , "FW1", 0x0FFFFFFF, 488397168});
}

DeviceScript IdentifyOnly(std::string_view model) {
  DeviceScript d;
  d.identify = Identity(model);
  return d;
}

DeviceScript Answering(std::string_view model) {
  const std::vector<AttrRow> rows = {{5, kPreFail, 100, 100, 0, 36}, {194, 0x22, 40, 40, 38, 0}};
  DeviceScript d = IdentifyOnly(model);
  d.attributes = AttributeSector(rows);
  d.thresholds = ThresholdSector(rows);
  return d;
}

// ---- ReadDriveIdentity -------------------------------------------------------

struct IdentityCase {
  const char* what;
  std::function<void(ScriptedTransport&)> setup;
  bool result;
  std::wstring model;
  std::wstring error;
  Log log;
};

TEST(ReadDriveIdentity, EveryBranchOfTheProbe) {
  const std::wstring kEnableFailed =
      L"SMART Enable Command Failed, Drive: 0 : The parameter is incorrect.";
  const IdentityCase cases[] = {
      {"open of the physical drive fails",
       [](ScriptedTransport& t) { t.open_ok = false; }, false, L"",
       L"Unable to open physical drive: Access is denied.", {"open 2"}},
      {"open of SMARTVSD fails",
       [](ScriptedTransport& t) {
         t.kind = SmartDeviceKind::kSmartVsd;
         t.open_ok = false;
       },
       false, L"", L"Unable to open SMARTVSD: Access is denied.", {"open 2"}},
      {"a platform without a SMART device: false, no message",
       [](ScriptedTransport& t) { t.kind = SmartDeviceKind::kNone; }, false, L"", L"", {"open 2"}},
      {"version fails", [](ScriptedTransport& t) { t.version_ok = false; }, false, L"",
       L"DFP_GET_VERSION failed: The request is not supported.", {"open 2", "version", "close"}},
      {"device map 0: true, nothing sent", [](ScriptedTransport&) {}, true, L"", L"",
       {"open 2", "version", "close"}},
      {"only an ATAPI bit without its presence bit: nothing sent",
       [](ScriptedTransport& t) { t.device_map = 0x10; }, true, L"", L"",
       {"open 2", "version", "close"}},
      {"device 0 answers",
       [](ScriptedTransport& t) {
         t.device_map = 0x03;
         t.devices[0] = IdentifyOnly("DISK ZERO");
         t.devices[1] = IdentifyOnly("DISK ONE");
       },
       true, L"DISK ZERO", L"", {"open 2", "version", "enable 0", "identify 0", "close"}},
      {"ATAPI device: no SMART ENABLE, IDENTIFY PACKET",
       [](ScriptedTransport& t) {
         t.device_map = 0x11;
         t.devices[0] = IdentifyOnly("CD DRIVE");
       },
       true, L"CD DRIVE", L"", {"open 2", "version", "packet 0", "close"}},
      {"SMART ENABLE fails: IDENTIFY is sent all the same, the message stays",
       [](ScriptedTransport& t) {
         t.device_map = 0x01;
         t.devices[0] = IdentifyOnly("DISK ZERO");
         t.devices[0].enable_ok = false;
       },
       true, L"DISK ZERO", kEnableFailed, {"open 2", "version", "enable 0", "identify 0", "close"}},
      {"IDENTIFY fails on device 0, device 1 answers",
       [](ScriptedTransport& t) {
         t.device_map = 0x03;
         t.devices[1] = IdentifyOnly("DISK ONE");
       },
       true, L"DISK ONE",
       L"Identify Command Failed on Drive: Error from IDE controller bIDEStatus=0051 : " + kIoError,
       {"open 2", "version", "enable 0", "identify 0", "enable 1", "identify 1", "close"}},
      {"only mapped devices are asked",
       [](ScriptedTransport& t) {
         t.device_map = 0x0A;
         t.devices[3] = IdentifyOnly("DISK THREE");
       },
       true, L"DISK THREE",
       L"Identify Command Failed on Drive: Error from IDE controller bIDEStatus=0051 : " + kIoError,
       {"open 2", "version", "enable 1", "identify 1", "enable 3", "identify 3", "close"}},
      {"every IDENTIFY fails: false with the last message",
       [](ScriptedTransport& t) {
         t.device_map = 0x0C;
         t.devices[2].failure_status = {1, 0x51};
         t.devices[3].failure_status = {11, 0xFF};
       },
       false, L"", L"Identify Command Failed on Drive:  bIDEStatus=00FF : " + kIoError,
       {"open 2", "version", "enable 2", "identify 2", "enable 3", "identify 3", "close"}},
  };
  for (const IdentityCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedTransport t;
    c.setup(t);
    std::wstring error = L"stale", model = L"stale", serial = L"stale";
    std::int64_t size = -5;
    EXPECT_EQ(ReadDriveIdentity(t, 2, error, model, size, serial), c.result);
    EXPECT_EQ(model, c.model);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(t.log, c.log);
    if (c.model.empty()) {
      EXPECT_EQ(size, 0);
      EXPECT_EQ(serial, L"");
    } else {
      EXPECT_EQ(size, 250059350016);
      EXPECT_EQ(serial, L"SN-");
    }
  }
}

// ---- ReadSmartData -----------------------------------------------------------

struct SmartCase {
  const char* what;
  std::function<void(ScriptedTransport&)> setup;
  bool result;
  int drive_num;
  std::wstring model;
  int attribute_count;
  std::wstring error;
  Log log;
};

TEST(ReadSmartData, EveryBranchOfTheProbe) {
  const SmartCase cases[] = {
      {"device map 0: true, reset record, no attributes", [](ScriptedTransport&) {}, true, -1, L"",
       0, L"", {"open 0", "version", "close"}},
      {"open fails", [](ScriptedTransport& t) { t.open_ok = false; }, false, -1, L"", 0,
       L"Unable to open physical drive: Access is denied.", {"open 0"}},
      {"device 0 answers everything",
       [](ScriptedTransport& t) {
         t.device_map = 0x03;
         t.devices[0] = Answering("DISK ZERO");
         t.devices[1] = Answering("DISK ONE");
       },
       true, 0, L"DISK ZERO", 2, L"",
       {"open 0", "version", "enable 0", "identify 0", "attrs 0", "thresh 0", "close"}},
      {"attributes fail on device 0, device 1 answers",
       [](ScriptedTransport& t) {
         t.device_map = 0x03;
         t.devices[0] = IdentifyOnly("DISK ZERO");
         t.devices[0].failure_status = {1, 0x04};
         t.devices[1] = Answering("DISK ONE");
       },
       true, 1, L"DISK ONE", 2,
       L"SMART Read Attr Command Failed, Drive: 0 : " + kIoError +
           L"; DriverStatus: Error from IDE controller; bIDEStatus=0004",
       {"open 0", "version", "enable 0", "identify 0", "attrs 0", "enable 1", "identify 1",
        "attrs 1", "thresh 1", "close"}},
      {"thresholds fail on the only device: false, identity kept",
       [](ScriptedTransport& t) {
         t.device_map = 0x01;
         t.devices[0] = Answering("DISK ZERO");
         t.devices[0].thresholds.reset();
         t.devices[0].failure_status = {0, 0x00};
       },
       false, 0, L"DISK ZERO", 0,
       L"SMART Read Threshold Command Failed, Drive: 0 : " + kIoError +
           L"; DriverStatus: No error; bIDEStatus=0000",
       {"open 0", "version", "enable 0", "identify 0", "attrs 0", "thresh 0", "close"}},
      {"ATAPI device 0 has no SMART, device 1 answers",
       [](ScriptedTransport& t) {
         t.device_map = 0x13;
         t.devices[0] = IdentifyOnly("CD DRIVE");
         t.devices[0].failure_status = {5, 0x00};
         t.devices[1] = Answering("DISK ONE");
       },
       true, 1, L"DISK ONE", 2,
       L"SMART Read Attr Command Failed, Drive: 0 : " + kIoError +
           L"; DriverStatus: Drive number not valid; bIDEStatus=0000",
       {"open 0", "version", "packet 0", "attrs 0", "enable 1", "identify 1", "attrs 1",
        "thresh 1", "close"}},
      {"every IDENTIFY fails", [](ScriptedTransport& t) { t.device_map = 0x01; }, false, -1, L"",
       0,
       L"Identify Command Failed on Drive: Error from IDE controller bIDEStatus=0051 : " + kIoError,
       {"open 0", "version", "enable 0", "identify 0", "close"}},
      {"an exception is a failure, and the device is still closed",
       [](ScriptedTransport& t) {
         t.device_map = 0x01;
         t.devices[0] = Answering("DISK ZERO");
         t.devices[0].throws = "attrs";
       },
       false, 0, L"DISK ZERO", 0, L"SMART Failed - device vanished",
       {"open 0", "version", "enable 0", "identify 0", "attrs 0", "close"}},
  };
  for (const SmartCase& c : cases) {
    SCOPED_TRACE(c.what);
    ScriptedTransport t;
    c.setup(t);
    TSmartResult r;
    r.DriveNum = 7;  // leftovers of an earlier reading must go
    r.AttributeCount = 9;
    r.Model = L"stale";
    r.Temperature = 99;
    std::wstring error = L"stale";
    EXPECT_EQ(ReadSmartData(t, 0, r, error), c.result);
    EXPECT_EQ(r.DriveNum, c.drive_num);
    EXPECT_EQ(r.Model, c.model);
    EXPECT_EQ(r.AttributeCount, c.attribute_count);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(t.log, c.log);
    EXPECT_EQ(r.Temperature, c.attribute_count ? 38 : 0);
  }
}

TEST(ReadSmartData, FillsTheRecordFromTheAnsweringDevice) {
  ScriptedTransport t;
  t.device_map = 0x01;
  const std::vector<AttrRow> rows = {{1, kPreFail, 35, 35, 7, 36},
                                     {194, 0x22, 41, 52, 0x0012'0029, 0}};
  t.devices[0].identify = IdentifySector({"MODEL X", "SERIAL 9", "FW 2", 0x0FFFFFFF, 976773168});
  t.devices[0].attributes = AttributeSector(rows);
  t.devices[0].thresholds = ThresholdSector(rows);
  TSmartResult r;
  std::wstring error;
  ASSERT_TRUE(ReadSmartData(t, 0, r, error));
  EXPECT_EQ(r.Capacity, 500107862016);
  EXPECT_EQ(r.SerialNumber, L"SERIAL 9");
  EXPECT_EQ(r.Firmware, L"FW 2");
  EXPECT_EQ(r.Temperature, 41);
  EXPECT_EQ(r.BadAttributes, 1);
  EXPECT_EQ(r.AttrState[0], L"Failing Now");
  EXPECT_EQ(r.AttrName[1], L"Temperature Celcius");
  EXPECT_EQ(SmartVerdict(r), L"SMART Test Failed, Bad Attributes 1");
}

TEST(SmartProbe, CallsUseTheDriverInterfaceLengths) {
  ScriptedTransport t;
  t.device_map = 0x21;  // device 0 ATA, device 1 ATAPI bit but not present
  t.devices[0] = Answering("DISK ZERO");
  TSmartResult r;
  std::wstring error;
  ASSERT_TRUE(ReadSmartData(t, 0, r, error));
  ASSERT_EQ(t.calls.size(), 4u);
  // SMART ENABLE carries no data; IDENTIFY presets the size it expects.
  const CallRecord expected[] = {
      {kDfpSendDriveCommand, 32, 528, 0},
      {kDfpReceiveDriveData, 32, 529, 512},
      {kDfpReceiveDriveData, 32, 528, 0},
      {kDfpReceiveDriveData, 32, 528, 0},
  };
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(t.calls[i].ioctl, expected[i].ioctl);
    EXPECT_EQ(t.calls[i].in_length, expected[i].in_length);
    EXPECT_EQ(t.calls[i].out_length, expected[i].out_length);
    EXPECT_EQ(t.calls[i].preset_buffer_size, expected[i].preset_buffer_size);
  }
}

TEST(SmartDevicePath, PlatformPicksTheDevice) {
  EXPECT_EQ(SmartDeviceForPlatform(kPlatformWin32Windows), SmartDeviceKind::kSmartVsd);
  EXPECT_EQ(SmartDeviceForPlatform(kPlatformWin32Nt), SmartDeviceKind::kPhysicalDrive);
  EXPECT_EQ(SmartDeviceForPlatform(0), SmartDeviceKind::kNone);
  EXPECT_EQ(SmartDevicePath(SmartDeviceKind::kPhysicalDrive, 2), L"\\\\.\\PhysicalDrive2");
  EXPECT_EQ(SmartDevicePath(SmartDeviceKind::kPhysicalDrive, 12), L"\\\\.\\PhysicalDrive12");
  EXPECT_EQ(SmartDevicePath(SmartDeviceKind::kSmartVsd, 2), L"\\\\.\\SMARTVSD");
  EXPECT_EQ(SmartDevicePath(SmartDeviceKind::kNone, 2), L"");
}

}  // namespace
}  // namespace corvane::storage
