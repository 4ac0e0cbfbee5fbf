#include "usb/usb_view.h"

#include "ui/report_section_build.h"

#include <array>
#include <vector>

#include "usb/hid_usage.h"

namespace corvane::usb {
namespace {

// At least `digits` upper-case hexadecimal digits, as "%.4x" writes them.
std::wstring Hex(unsigned value, int digits) {
  static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
  std::wstring text;
  do {
    text.insert(text.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  if (static_cast<int>(text.size()) < digits) text.insert(0, digits - text.size(), L'0');
  return text;
}

constexpr const wchar_t* kCollectionTypes[] = {
    L"Physical", L"Application", L"Logical", L"Report", L"Named Array", L"Usage Switch", L"Usage Modifier",
};

constexpr const wchar_t* kReportTypeNames[] = {L"Input", L"Output", L"Feature"};
constexpr HidReportType kReportTypes[] = {HidReportType::kInput, HidReportType::kOutput, HidReportType::kFeature};

// Room the capability queries give the library, per report type.
constexpr std::size_t kCapsRoom = 255;

// A walk of one device's collections. Each node is visited once: the
// library's nodes never loop, but a device's descriptor is its maker's
// word, and a loop would hang the window. For the same reason the nesting is
// bounded: real devices nest a handful of levels, while a descriptor of
// thousands of nested collections would take the walk, the tree control and
// every writer of the tree (all recursive) through the stack. Collections
// below the bound are left out.
constexpr unsigned kMaxCollectionDepth = 64;

class CollectionWalk {
 public:
  explicit CollectionWalk(TJvHidDevice& device) : device_(device) {}

  bool Visited(std::uint16_t index) const { return index < visited_.size() && visited_[index]; }

  bool FirstVisit(std::uint16_t index) {
    if (index >= visited_.size()) visited_.resize(index + 1u, false);
    if (visited_[index]) return false;
    visited_[index] = true;
    return true;
  }

  void Nodes(ui::TreeNode& parent, std::uint16_t first, std::uint16_t count, unsigned depth = 1) {
    std::uint16_t index = first;
    for (unsigned n = 0; n < count; ++n) {
      if (!FirstVisit(index)) return;
      const HidLinkNode node = device_.LinkNodes(index);
      ui::TreeNode& added = parent.Add(CollectionLine(node));
      EnumerateCaps(device_, added, index);
      if (node.FirstChild != 0 && depth < kMaxCollectionDepth) {
        Nodes(added, node.FirstChild, node.NumberOfChildren, depth + 1);
      }
      if (node.NextSibling == 0) return;
      index = node.NextSibling;
    }
  }

 private:
  TJvHidDevice& device_;
  std::vector<bool> visited_;
};

}  // namespace

int CountUntilGap(const std::function<bool(int number)>& opens, int limit) {
  int count = 0;
  while (count < limit && opens(count)) ++count;
  return count;
}

std::wstring HostControllerText(int count) {
  return count > 0 ? std::to_wstring(count) + L" host controllers." : L"Not Detected";
}

std::wstring StorageDevicesText(std::optional<std::uint32_t> count) {
  return count ? std::to_wstring(*count) + L" devices" : std::wstring();
}

std::wstring HidDeviceText(std::wstring_view product, std::uint16_t vendor_id, std::uint16_t product_id) {
  std::wstring ids = L"VID=$" + Hex(vendor_id, 4) + L" PID=$" + Hex(product_id, 4);
  if (product.empty()) return ids;
  return L"\"" + std::wstring(product) + L"\"  " + ids;
}

std::wstring CollectionTypeText(std::uint8_t type) {
  if (type < std::size(kCollectionTypes)) return kCollectionTypes[type];
  return (type >= 0x80 ? L"Vendor-defined $" : L"Reserved $") + Hex(type, 2);
}

std::wstring CollectionLine(const HidLinkNode& node) {
  const HidUsageNames names = GetHidUsageNames(node.LinkUsagePage, node.LinkUsage);
  std::wstring line = L"UsagePage=" + names.page + L" ($" + Hex(node.LinkUsagePage, 4) + L")  Usage=" +
                      names.usage + L" ($" + Hex(node.LinkUsage, 4) + L")  CollectionType=" +
                      CollectionTypeText(node.CollectionType) + L" ($" + Hex(node.CollectionType, 2) + L")";
  if (node.IsAlias) line += L"  IsAlias";
  return line;
}

std::wstring CapabilityLine(CapabilityKind kind, HidReportType type, const HidCapability& cap) {
  const HidUsageNames names = GetHidUsageNames(cap.UsagePage, cap.UsageMin);
  std::wstring line = kind == CapabilityKind::kButton ? L"Button " : L"Value ";
  line += kReportTypeNames[static_cast<unsigned>(type)];
  if (cap.IsRange) {
    return line + L" Range: UsagePage=" + names.page + L" ($" + Hex(cap.UsagePage, 4) + L") " +
           std::to_wstring(cap.UsageMin) + L".." + std::to_wstring(cap.UsageMax);
  }
  return line + L": UsagePage=" + names.page + L" ($" + Hex(cap.UsagePage, 4) + L") Usage=" + names.usage + L" ($" +
         Hex(cap.UsageMin, 4) + L")";
}

void EnumerateNodes(TJvHidDevice& device, ui::TreeNode& parent, std::uint16_t first, std::uint16_t count) {
  CollectionWalk(device).Nodes(parent, first, count);
}

void EnumerateCaps(TJvHidDevice& device, ui::TreeNode& node, std::uint16_t index) {
  device.SetQueryUsagePage(0);
  device.SetQueryUsage(0);
  device.SetQueryLinkCollection(0);
  std::vector<HidCapability> caps(kCapsRoom);
  for (const CapabilityKind kind : {CapabilityKind::kButton, CapabilityKind::kValue}) {
    for (const HidReportType type : kReportTypes) {
      device.SetQueryReportType(type);
      std::uint16_t count = kCapsRoom;
      const std::uint32_t status =
          kind == CapabilityKind::kButton ? device.GetButtonCaps(caps, count) : device.GetValueCaps(caps, count);
      if (status != kHidpStatusSuccess) continue;
      for (std::size_t i = 0; i < count && i < caps.size(); ++i) {
        if (caps[i].LinkCollection == index) node.Add(CapabilityLine(kind, type, caps[i]));
      }
    }
  }
}

void AddHidDevice(TJvHidDevice& device, ui::TreeNode& root) {
  ui::TreeNode& device_node = root.Add(HidDeviceText(device.ProductString(), device.VendorID(), device.ProductID()));
  CollectionWalk walk(device);
  std::uint16_t index = 0;
  do {
    walk.Nodes(device_node, index, 1);
    index = device.LinkNodes(index).NextSibling;
  } while (index != 0 && !walk.Visited(index));
}

ui::ReportSection UsbSection(const UsbWindowModel& model) {
  ui::ReportSection section{L"TfrmUSB", kUsbCaption, {}, {}, {}};
  ui::AddSheet<UsbWindowModel>(section, kUsbFields, model);
  if (model.tree) section.trees.push_back({kDevicesCaption, {*model.tree}});
  return section;
}

}  // namespace corvane::usb
