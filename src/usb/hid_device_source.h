// The system side of the HID device controller, reduced to what it asks of
// the system: list the HID interfaces present now, open one, and query an
// open device and its parsed report descriptor. The Win32 implementation
// (hid_source_win.h) uses SetupAPI and the HID driver library; tests script
// their own.
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "usb/hid_pnp_info.h"
#include "usb/hid_types.h"

namespace corvane::usb {

// A device's parsed report descriptor (the library's preparsed data); the
// object's end releases it. Calls return the library's status code.
class HidPreparsedData {
 public:
  virtual ~HidPreparsedData() = default;
  virtual std::uint32_t GetCaps(HidCaps& caps) = 0;
  // Fills up to nodes.size() nodes; count is set to the number the
  // descriptor has (the library's in-out length).
  virtual std::uint32_t GetLinkCollectionNodes(std::span<HidLinkNode> nodes, std::uint32_t& count) = 0;
  // Fills up to caps.size() entries matching the query; count is set to
  // the number written.
  virtual std::uint32_t GetSpecificButtonCaps(const HidCapsQuery& query, std::span<HidCapability> caps,
                                              std::uint16_t& count) = 0;
  virtual std::uint32_t GetSpecificValueCaps(const HidCapsQuery& query, std::span<HidCapability> caps,
                                             std::uint16_t& count) = 0;
  virtual std::uint32_t MaxDataListLength(HidReportType type) = 0;
  virtual std::uint32_t MaxUsageListLength(HidReportType type, std::uint16_t usage_page) = 0;
};

// An open device; the object's end closes it.
class HidOpenDevice {
 public:
  virtual ~HidOpenDevice() = default;
  virtual bool GetAttributes(HidAttributes& attributes) = 0;
  // The product string, up to its terminating NUL; false when the device
  // does not answer.
  virtual bool GetProductString(std::wstring& text) = 0;
  // nullptr when the device gives none.
  virtual std::unique_ptr<HidPreparsedData> GetPreparsedData() = 0;
  virtual bool GetNumInputBuffers(std::uint32_t& count) = 0;
  virtual bool SetNumInputBuffers(std::uint32_t count) = 0;
};

class HidDeviceSource {
 public:
  virtual ~HidDeviceSource() = default;
  // One entry per HID interface present, in the system's order, with its
  // plug-and-play properties read. An interface whose path cannot be read
  // is left out.
  virtual std::vector<TJvHidPnPInfo> FindInterfaces() = 0;
  // Opens the device for reading and writing, or for queries only; nullptr
  // when the system refuses.
  virtual std::unique_ptr<HidOpenDevice> Open(const std::string& device_path, bool read_write) = 0;
};

}  // namespace corvane::usb
