// A HID device as the driver library describes it: its link-collection
// nodes (links between them included, which a device's maker may get wrong)
// and its button and value capabilities, walked into the USB window's tree.
// Parts: nodes (14 bytes each), capabilities (16 bytes each), the product
// string (UTF-16).
#include <memory>

#include "fuzz_input.h"
#include "usb/scripted_hid_source.h"
#include "usb/usb_view.h"

using namespace corvane;

namespace {

class Reader {
 public:
  explicit Reader(fuzz::Bytes bytes) : bytes_(bytes) {}
  std::uint8_t U8() { return at_ < bytes_.size() ? std::to_integer<std::uint8_t>(bytes_[at_++]) : 0; }
  std::uint16_t U16() { return static_cast<std::uint16_t>(U8() | (U8() << 8)); }

 private:
  fuzz::Bytes bytes_;
  std::size_t at_ = 0;
};

constexpr std::size_t kNodeBytes = 14;
constexpr std::size_t kCapabilityBytes = 16;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [node_bytes, capability_bytes, product] = fuzz::SplitParts<3>(fuzz::AsBytes(data, size));

  usb::scripted::ScriptedDevice device;
  device.path = "\\\\?\\hid#fuzz";
  device.product = fuzz::Utf16Text(product);
  std::vector<usb::HidLinkNode> nodes;
  for (std::size_t i = 0; i + kNodeBytes <= node_bytes.size(); i += kNodeBytes) {
    Reader r(node_bytes.subspan(i, kNodeBytes));
    usb::HidLinkNode n;
    n.LinkUsage = r.U16();
    n.LinkUsagePage = r.U16();
    n.Parent = r.U16();
    n.NumberOfChildren = r.U16();
    n.NextSibling = r.U16();
    n.FirstChild = r.U16();
    n.CollectionType = r.U8();
    n.IsAlias = (r.U8() & 1) != 0;
    nodes.push_back(n);
  }
  device.nodes = nodes.empty() ? std::nullopt : std::optional(nodes);
  for (std::size_t i = 0; i + kCapabilityBytes <= capability_bytes.size(); i += kCapabilityBytes) {
    Reader r(capability_bytes.subspan(i, kCapabilityBytes));
    const std::uint8_t where = r.U8();  // bit 0: value, else button; bits 1-2: report type
    usb::HidCapability c;
    c.UsagePage = r.U16();
    c.ReportID = r.U8();
    c.LinkCollection = r.U16();
    c.LinkUsage = r.U16();
    c.LinkUsagePage = r.U16();
    const std::uint8_t flags = r.U8();
    c.IsAlias = (flags & 1) != 0;
    c.IsRange = (flags & 2) != 0;
    c.IsAbsolute = (flags & 4) != 0;
    c.UsageMin = r.U16();
    c.UsageMax = r.U16();
    const std::size_t type = ((where >> 1) & 3) % 3;
    ((where & 1) ? device.values : device.buttons)[type].push_back(c);
  }

  auto source = std::make_unique<usb::scripted::ScriptedHidSource>();
  source->devices = {device};
  usb::TJvHidDeviceController controller(std::move(source));
  controller.Loaded();
  controller.DevicesChanged(usb::TJvHidDeviceController::kFirstChange);
  ui::TreeNode root{usb::kHidTreeRoot, {}};
  controller.OnEnumerate = [&](usb::TJvHidDevice& hid, int) {
    usb::AddHidDevice(hid, root);
    return true;
  };
  controller.EnumerateDevices();
  return 0;
}
