// What the HID driver library hands back, in platform-free form: the device
// identity, the capability summary, the link-collection nodes and the button
// and value capabilities. The Win32 device source copies the library's
// records into these; scripted sources fill them directly.
#pragma once
#include <cstdint>

namespace corvane::usb {

// Status codes of the HidP_ calls.
inline constexpr std::uint32_t kHidpStatusSuccess = 0x00110000;
inline constexpr std::uint32_t kHidpStatusNull = 0x80110001;  // also: the device is not accessible
inline constexpr std::uint32_t kHidpStatusInvalidPreparsedData = 0xC0110001;

// Report types, in the order the capability queries walk them.
enum class HidReportType : std::uint32_t { kInput = 0, kOutput = 1, kFeature = 2 };

struct HidAttributes {
  std::uint16_t VendorID = 0;
  std::uint16_t ProductID = 0;
  std::uint16_t VersionNumber = 0;
};

// HIDP_CAPS without its reserved words.
struct HidCaps {
  std::uint16_t Usage = 0;
  std::uint16_t UsagePage = 0;
  std::uint16_t InputReportByteLength = 0;
  std::uint16_t OutputReportByteLength = 0;
  std::uint16_t FeatureReportByteLength = 0;
  std::uint16_t NumberLinkCollectionNodes = 0;
  std::uint16_t NumberInputButtonCaps = 0;
  std::uint16_t NumberInputValueCaps = 0;
  std::uint16_t NumberInputDataIndices = 0;
  std::uint16_t NumberOutputButtonCaps = 0;
  std::uint16_t NumberOutputValueCaps = 0;
  std::uint16_t NumberOutputDataIndices = 0;
  std::uint16_t NumberFeatureButtonCaps = 0;
  std::uint16_t NumberFeatureValueCaps = 0;
  std::uint16_t NumberFeatureDataIndices = 0;
};

// HIDP_LINK_COLLECTION_NODE: one collection of the report descriptor. Index
// 0 is the top collection; 0 in NextSibling or FirstChild means none.
struct HidLinkNode {
  std::uint16_t LinkUsage = 0;
  std::uint16_t LinkUsagePage = 0;
  std::uint16_t Parent = 0;
  std::uint16_t NumberOfChildren = 0;
  std::uint16_t NextSibling = 0;
  std::uint16_t FirstChild = 0;
  std::uint8_t CollectionType = 0;
  bool IsAlias = false;
};

// What the tree needs of a HIDP_BUTTON_CAPS or HIDP_VALUE_CAPS record. For
// a single usage, UsageMin and UsageMax both hold it.
struct HidCapability {
  std::uint16_t UsagePage = 0;
  std::uint8_t ReportID = 0;
  bool IsAlias = false;
  std::uint16_t LinkCollection = 0;
  std::uint16_t LinkUsage = 0;
  std::uint16_t LinkUsagePage = 0;
  bool IsRange = false;
  bool IsAbsolute = false;
  std::uint16_t UsageMin = 0;
  std::uint16_t UsageMax = 0;
  std::uint16_t Usage() const { return UsageMin; }
};

// The capability filter of HidP_GetSpecific*Caps; 0 in a field means any.
struct HidCapsQuery {
  HidReportType report_type = HidReportType::kInput;
  std::uint16_t usage_page = 0;
  std::uint16_t link_collection = 0;
  std::uint16_t usage = 0;
};

}  // namespace corvane::usb
