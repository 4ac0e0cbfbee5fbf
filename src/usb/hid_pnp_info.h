// The plug-and-play data of one HID interface, filled once when the device
// is found: its identity across refreshes, the path to open it, and the
// device's registry properties. A property the device lacks reads as an
// empty text, 0 or an empty list.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace corvane::usb {

struct TJvHidPnPInfo {
  // The device instance handle: the same device keeps it across refreshes.
  std::uint32_t DeviceID = 0;
  // The interface path, as the system spells it, handed back to open it.
  std::string DevicePath;

  std::uint32_t Capabilities = 0;
  std::uint32_t ConfigFlags = 0;
  std::uint32_t BusNumber = 0;
  std::uint32_t DevType = 0;
  std::uint32_t Exclusive = 0;
  std::uint32_t LegacyBusType = 0;
  std::uint32_t UINumber = 0;

  std::wstring ClassDescr;
  std::wstring ClassGUID;
  std::wstring DeviceDescr;
  std::wstring Driver;
  std::wstring FriendlyName;
  std::wstring Mfg;
  std::wstring Service;
  std::wstring Address;
  std::wstring BusType;
  std::wstring Characteristics;
  std::wstring EnumeratorName;
  std::wstring LocationInfo;
  std::wstring PhysDevObjName;
  std::wstring Security;
  std::wstring UINumberFormat;

  std::vector<std::wstring> CompatibleIDs;
  std::vector<std::wstring> HardwareID;
  std::vector<std::wstring> LowerFilters;
  std::vector<std::wstring> UpperFilters;
};

// The registry properties and where each goes, by the SPDRP_ code the
// system reads it with.
template <class T>
struct PnPProperty {
  std::uint32_t code;
  T TJvHidPnPInfo::*field;
};

inline constexpr PnPProperty<std::uint32_t> kPnPNumberProperties[] = {
    {15, &TJvHidPnPInfo::Capabilities},  // SPDRP_CAPABILITIES
    {10, &TJvHidPnPInfo::ConfigFlags},   // SPDRP_CONFIGFLAGS
    {21, &TJvHidPnPInfo::BusNumber},     // SPDRP_BUSNUMBER
    {25, &TJvHidPnPInfo::DevType},       // SPDRP_DEVTYPE
    {26, &TJvHidPnPInfo::Exclusive},     // SPDRP_EXCLUSIVE
    {20, &TJvHidPnPInfo::LegacyBusType}, // SPDRP_LEGACYBUSTYPE
    {16, &TJvHidPnPInfo::UINumber},      // SPDRP_UI_NUMBER
};

inline constexpr PnPProperty<std::wstring> kPnPTextProperties[] = {
    {7, &TJvHidPnPInfo::ClassDescr},        // SPDRP_CLASS
    {8, &TJvHidPnPInfo::ClassGUID},         // SPDRP_CLASSGUID
    {0, &TJvHidPnPInfo::DeviceDescr},       // SPDRP_DEVICEDESC
    {9, &TJvHidPnPInfo::Driver},            // SPDRP_DRIVER
    {12, &TJvHidPnPInfo::FriendlyName},     // SPDRP_FRIENDLYNAME
    {11, &TJvHidPnPInfo::Mfg},              // SPDRP_MFG
    {4, &TJvHidPnPInfo::Service},           // SPDRP_SERVICE
    {28, &TJvHidPnPInfo::Address},          // SPDRP_ADDRESS
    {19, &TJvHidPnPInfo::BusType},          // SPDRP_BUSTYPEGUID
    {27, &TJvHidPnPInfo::Characteristics},  // SPDRP_CHARACTERISTICS
    {22, &TJvHidPnPInfo::EnumeratorName},   // SPDRP_ENUMERATOR_NAME
    {13, &TJvHidPnPInfo::LocationInfo},     // SPDRP_LOCATION_INFORMATION
    {14, &TJvHidPnPInfo::PhysDevObjName},   // SPDRP_PHYSICAL_DEVICE_OBJECT_NAME
    {24, &TJvHidPnPInfo::Security},         // SPDRP_SECURITY_SDS
    {30, &TJvHidPnPInfo::UINumberFormat},   // SPDRP_UI_NUMBER_DESC_FORMAT
};

inline constexpr PnPProperty<std::vector<std::wstring>> kPnPListProperties[] = {
    {2, &TJvHidPnPInfo::CompatibleIDs},  // SPDRP_COMPATIBLEIDS
    {1, &TJvHidPnPInfo::HardwareID},     // SPDRP_HARDWAREID
    {18, &TJvHidPnPInfo::LowerFilters},  // SPDRP_LOWERFILTERS
    {17, &TJvHidPnPInfo::UpperFilters},  // SPDRP_UPPERFILTERS
};

// A multi-string value (texts each ended by a NUL, the list by an empty
// one) as a list; a last text without its NUL is kept.
std::vector<std::wstring> SplitMultiString(std::wstring_view block);

}  // namespace corvane::usb
