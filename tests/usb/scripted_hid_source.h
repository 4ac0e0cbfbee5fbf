// A HID device source that answers from a script: the devices present now,
// how each opens and what it reports. Tests change `devices` between
// refreshes to plug and unplug, and read `log` and `open_handles` to see
// what the controller asked.
#pragma once
#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "usb/hid_device_source.h"

namespace corvane::usb::scripted {

struct ScriptedDevice {
  std::uint32_t instance = 0;
  std::string path;
  bool opens_read_write = true;
  bool opens_for_query = true;
  std::optional<HidAttributes> attributes = HidAttributes{0x1234, 0xABCD, 0x0100};
  std::optional<std::wstring> product;  // nullopt: the call fails
  bool has_preparsed = true;
  std::optional<std::vector<HidLinkNode>> nodes = std::vector<HidLinkNode>{HidLinkNode{}};  // nullopt: unreadable
  std::vector<HidCapability> buttons[3];  // per report type
  std::vector<HidCapability> values[3];
  std::uint32_t input_buffers = 32;
};

// A mouse-like device: Generic Desktop / Mouse application collection
// holding a Pointer physical collection with buttons 1..3 and X and Y.
inline ScriptedDevice MouseLikeDevice(std::uint32_t instance, std::wstring product) {
  ScriptedDevice d;
  d.instance = instance;
  d.path = "\\\\?\\hid#mouse#" + std::to_string(instance);
  d.opens_read_write = false;  // the system keeps mice to itself
  d.attributes = HidAttributes{0x045E, 0x0040, 0x0300};
  d.product = std::move(product);
  d.nodes = std::vector<HidLinkNode>{
      {0x02, 0x01, 0, 1, 0, 1, 1, false},  // Mouse, Application, first child 1
      {0x01, 0x01, 0, 0, 0, 0, 0, false},  // Pointer, Physical
  };
  HidCapability buttons{};
  buttons.UsagePage = 0x09;
  buttons.LinkCollection = 1;
  buttons.IsRange = true;
  buttons.UsageMin = 1;
  buttons.UsageMax = 3;
  d.buttons[0] = {buttons};
  HidCapability x{};
  x.UsagePage = 0x01;
  x.LinkCollection = 1;
  x.UsageMin = x.UsageMax = 0x30;
  HidCapability y = x;
  y.UsageMin = y.UsageMax = 0x31;
  d.values[0] = {x, y};
  return d;
}

class ScriptedHidSource final : public HidDeviceSource {
 public:
  std::vector<ScriptedDevice> devices;
  std::vector<std::string> log;
  int open_handles = 0;
  int preparsed_alive = 0;

  std::vector<TJvHidPnPInfo> FindInterfaces() override {
    log.push_back("find");
    std::vector<TJvHidPnPInfo> found;
    for (const auto& d : devices) {
      TJvHidPnPInfo pnp;
      pnp.DeviceID = d.instance;
      pnp.DevicePath = d.path;
      found.push_back(pnp);
    }
    return found;
  }

  std::unique_ptr<HidOpenDevice> Open(const std::string& path, bool read_write) override {
    log.push_back((read_write ? "open rw " : "open query ") + path);
    const ScriptedDevice* d = Find(path);
    if (!d || !(read_write ? d->opens_read_write : d->opens_for_query)) return nullptr;
    return std::make_unique<Handle>(*this, *d);
  }

 private:
  const ScriptedDevice* Find(const std::string& path) const {
    auto it = std::ranges::find(devices, path, &ScriptedDevice::path);
    return it == devices.end() ? nullptr : &*it;
  }

  class Preparsed final : public HidPreparsedData {
   public:
    Preparsed(ScriptedHidSource& source, ScriptedDevice device) : source_(source), d_(std::move(device)) {
      ++source_.preparsed_alive;
    }
    ~Preparsed() override { --source_.preparsed_alive; }
    std::uint32_t GetCaps(HidCaps& caps) override {
      caps = HidCaps{};
      caps.NumberLinkCollectionNodes = static_cast<std::uint16_t>(d_.nodes ? d_.nodes->size() : 1);
      return kHidpStatusSuccess;
    }
    std::uint32_t GetLinkCollectionNodes(std::span<HidLinkNode> nodes, std::uint32_t& count) override {
      if (!d_.nodes) return kHidpStatusInvalidPreparsedData;
      count = static_cast<std::uint32_t>(std::min(nodes.size(), d_.nodes->size()));
      std::copy_n(d_.nodes->begin(), count, nodes.begin());
      return kHidpStatusSuccess;
    }
    std::uint32_t GetSpecificButtonCaps(const HidCapsQuery& q, std::span<HidCapability> caps,
                                        std::uint16_t& count) override {
      return Copy(d_.buttons[static_cast<int>(q.report_type)], caps, count);
    }
    std::uint32_t GetSpecificValueCaps(const HidCapsQuery& q, std::span<HidCapability> caps,
                                       std::uint16_t& count) override {
      return Copy(d_.values[static_cast<int>(q.report_type)], caps, count);
    }
    std::uint32_t MaxDataListLength(HidReportType) override { return 0; }
    std::uint32_t MaxUsageListLength(HidReportType, std::uint16_t) override { return 0; }

   private:
    // As the library: no entry of that kind is an error status, not an empty list.
    static std::uint32_t Copy(const std::vector<HidCapability>& from, std::span<HidCapability> to,
                              std::uint16_t& count) {
      if (from.empty()) return 0xC0110008;  // HIDP_STATUS_USAGE_NOT_FOUND
      count = static_cast<std::uint16_t>(std::min(from.size(), to.size()));
      std::copy_n(from.begin(), count, to.begin());
      return kHidpStatusSuccess;
    }
    ScriptedHidSource& source_;
    ScriptedDevice d_;
  };

  class Handle final : public HidOpenDevice {
   public:
    Handle(ScriptedHidSource& source, const ScriptedDevice& device) : source_(source), d_(device) {
      ++source_.open_handles;
    }
    ~Handle() override { --source_.open_handles; }
    bool GetAttributes(HidAttributes& attributes) override {
      if (!d_.attributes) return false;
      attributes = *d_.attributes;
      return true;
    }
    bool GetProductString(std::wstring& text) override {
      source_.log.push_back("product " + d_.path);
      if (!d_.product) return false;
      text = *d_.product;
      return true;
    }
    std::unique_ptr<HidPreparsedData> GetPreparsedData() override {
      if (!d_.has_preparsed) return nullptr;
      return std::make_unique<Preparsed>(source_, d_);
    }
    bool GetNumInputBuffers(std::uint32_t& count) override {
      count = d_.input_buffers;
      return true;
    }
    bool SetNumInputBuffers(std::uint32_t count) override {
      source_.log.push_back("set buffers " + std::to_string(count));
      d_.input_buffers = count;
      return true;
    }

   private:
    ScriptedHidSource& source_;
    ScriptedDevice d_;
  };
};

}  // namespace corvane::usb::scripted
