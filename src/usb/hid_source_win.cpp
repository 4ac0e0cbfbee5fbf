#include "usb/hid_source_win.h"

#include <windows.h>
#include <setupapi.h>
#include <hidsdi.h>
#include <hidpi.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/system_function_win.h"
#include "platform/unique_handle.h"

namespace corvane::usb {
namespace {

// The fixed identifier of the HID interface class, for when the library
// cannot be asked.
constexpr GUID kHidInterfaceClass = {0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};

// Buffers of the property reads: texts, and multi-string lists.
constexpr DWORD kTextPropertyBytes = 1024;
constexpr DWORD kListPropertyBytes = 16384;
// Room for the product string: 254 wide characters.
constexpr ULONG kProductStringBytes = 508;

#define CORVANE_FN(name) decltype(&::name) name = nullptr

struct SetupApi {
  CORVANE_FN(SetupDiGetClassDevsA);
  CORVANE_FN(SetupDiEnumDeviceInterfaces);
  CORVANE_FN(SetupDiGetDeviceInterfaceDetailA);
  CORVANE_FN(SetupDiGetDeviceRegistryPropertyA);
  CORVANE_FN(SetupDiDestroyDeviceInfoList);
};

struct HidApi {
  CORVANE_FN(HidD_GetHidGuid);
  CORVANE_FN(HidD_GetAttributes);
  CORVANE_FN(HidD_GetProductString);
  CORVANE_FN(HidD_GetPreparsedData);
  CORVANE_FN(HidD_FreePreparsedData);
  CORVANE_FN(HidD_GetNumInputBuffers);
  CORVANE_FN(HidD_SetNumInputBuffers);
  CORVANE_FN(HidP_GetCaps);
  CORVANE_FN(HidP_GetLinkCollectionNodes);
  CORVANE_FN(HidP_GetSpecificButtonCaps);
  CORVANE_FN(HidP_GetSpecificValueCaps);
  CORVANE_FN(HidP_MaxDataListLength);
  CORVANE_FN(HidP_MaxUsageListLength);
};

#undef CORVANE_FN

// Looks every function up; false when one is missing.
template <class Fn>
bool Resolve(const platform::OptionalLibrary& library, Fn& fn, const char* name) {
  fn = library.Find<Fn>(name);
  return fn != nullptr;
}

bool ResolveSetupApi(const platform::OptionalLibrary& lib, SetupApi& f) {
  return Resolve(lib, f.SetupDiGetClassDevsA, "SetupDiGetClassDevsA") &
         Resolve(lib, f.SetupDiEnumDeviceInterfaces, "SetupDiEnumDeviceInterfaces") &
         Resolve(lib, f.SetupDiGetDeviceInterfaceDetailA, "SetupDiGetDeviceInterfaceDetailA") &
         Resolve(lib, f.SetupDiGetDeviceRegistryPropertyA, "SetupDiGetDeviceRegistryPropertyA") &
         Resolve(lib, f.SetupDiDestroyDeviceInfoList, "SetupDiDestroyDeviceInfoList");
}

bool ResolveHid(const platform::OptionalLibrary& lib, HidApi& f) {
  return Resolve(lib, f.HidD_GetHidGuid, "HidD_GetHidGuid") &
         Resolve(lib, f.HidD_GetAttributes, "HidD_GetAttributes") &
         Resolve(lib, f.HidD_GetProductString, "HidD_GetProductString") &
         Resolve(lib, f.HidD_GetPreparsedData, "HidD_GetPreparsedData") &
         Resolve(lib, f.HidD_FreePreparsedData, "HidD_FreePreparsedData") &
         Resolve(lib, f.HidD_GetNumInputBuffers, "HidD_GetNumInputBuffers") &
         Resolve(lib, f.HidD_SetNumInputBuffers, "HidD_SetNumInputBuffers") &
         Resolve(lib, f.HidP_GetCaps, "HidP_GetCaps") &
         Resolve(lib, f.HidP_GetLinkCollectionNodes, "HidP_GetLinkCollectionNodes") &
         Resolve(lib, f.HidP_GetSpecificButtonCaps, "HidP_GetSpecificButtonCaps") &
         Resolve(lib, f.HidP_GetSpecificValueCaps, "HidP_GetSpecificValueCaps") &
         Resolve(lib, f.HidP_MaxDataListLength, "HidP_MaxDataListLength") &
         Resolve(lib, f.HidP_MaxUsageListLength, "HidP_MaxUsageListLength");
}

std::wstring FromAnsi(const char* text, int length) {
  if (length <= 0) return {};
  const int wide = MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0);
  std::wstring out(static_cast<std::size_t>(std::max(wide, 0)), L'\0');
  if (wide > 0) MultiByteToWideChar(CP_ACP, 0, text, length, out.data(), wide);
  return out;
}

// Button and value records share the fields the tree reads.
template <class Record>
HidCapability FromCapsRecord(const Record& c) {
  HidCapability cap;
  cap.UsagePage = c.UsagePage;
  cap.ReportID = c.ReportID;
  cap.IsAlias = c.IsAlias;
  cap.LinkCollection = c.LinkCollection;
  cap.LinkUsage = c.LinkUsage;
  cap.LinkUsagePage = c.LinkUsagePage;
  cap.IsRange = c.IsRange;
  cap.IsAbsolute = c.IsAbsolute;
  cap.UsageMin = c.IsRange ? c.Range.UsageMin : c.NotRange.Usage;
  cap.UsageMax = c.IsRange ? c.Range.UsageMax : c.NotRange.Usage;
  return cap;
}

// One HidP_GetSpecific*Caps call into records of its kind, copied out.
template <class Record, class Fn>
std::uint32_t SpecificCaps(Fn fn, PHIDP_PREPARSED_DATA data, const HidCapsQuery& q, std::span<HidCapability> caps,
                           std::uint16_t& count) {
  std::vector<Record> raw(std::max<std::size_t>(caps.size(), 1));
  USHORT length = static_cast<USHORT>(caps.size());
  const NTSTATUS status =
      fn(static_cast<HIDP_REPORT_TYPE>(q.report_type), q.usage_page, q.link_collection, q.usage, raw.data(), &length, data);
  count = static_cast<std::uint16_t>(std::min<std::size_t>(length, caps.size()));
  for (std::size_t i = 0; i < count; ++i) caps[i] = FromCapsRecord(raw[i]);
  return static_cast<std::uint32_t>(status);
}

class SystemPreparsedData final : public HidPreparsedData {
 public:
  SystemPreparsedData(const HidApi& hid, PHIDP_PREPARSED_DATA data) : hid_(hid), data_(data) {}
  ~SystemPreparsedData() override { hid_.HidD_FreePreparsedData(data_); }
  SystemPreparsedData(const SystemPreparsedData&) = delete;
  SystemPreparsedData& operator=(const SystemPreparsedData&) = delete;

  std::uint32_t GetCaps(HidCaps& caps) override {
    HIDP_CAPS c{};
    const NTSTATUS status = hid_.HidP_GetCaps(data_, &c);
    caps.Usage = c.Usage;
    caps.UsagePage = c.UsagePage;
    caps.InputReportByteLength = c.InputReportByteLength;
    caps.OutputReportByteLength = c.OutputReportByteLength;
    caps.FeatureReportByteLength = c.FeatureReportByteLength;
    caps.NumberLinkCollectionNodes = c.NumberLinkCollectionNodes;
    caps.NumberInputButtonCaps = c.NumberInputButtonCaps;
    caps.NumberInputValueCaps = c.NumberInputValueCaps;
    caps.NumberInputDataIndices = c.NumberInputDataIndices;
    caps.NumberOutputButtonCaps = c.NumberOutputButtonCaps;
    caps.NumberOutputValueCaps = c.NumberOutputValueCaps;
    caps.NumberOutputDataIndices = c.NumberOutputDataIndices;
    caps.NumberFeatureButtonCaps = c.NumberFeatureButtonCaps;
    caps.NumberFeatureValueCaps = c.NumberFeatureValueCaps;
    caps.NumberFeatureDataIndices = c.NumberFeatureDataIndices;
    return static_cast<std::uint32_t>(status);
  }

  std::uint32_t GetLinkCollectionNodes(std::span<HidLinkNode> nodes, std::uint32_t& count) override {
    std::vector<HIDP_LINK_COLLECTION_NODE> raw(std::max<std::size_t>(nodes.size(), 1));
    ULONG length = static_cast<ULONG>(nodes.size());
    const NTSTATUS status = hid_.HidP_GetLinkCollectionNodes(raw.data(), &length, data_);
    count = length;
    for (std::size_t i = 0; i < nodes.size() && i < length; ++i) {
      const HIDP_LINK_COLLECTION_NODE& r = raw[i];
      nodes[i] = HidLinkNode{r.LinkUsage,   r.LinkUsagePage, r.Parent, r.NumberOfChildren, r.NextSibling,
                             r.FirstChild, static_cast<std::uint8_t>(r.CollectionType), r.IsAlias != 0};
    }
    return static_cast<std::uint32_t>(status);
  }

  std::uint32_t GetSpecificButtonCaps(const HidCapsQuery& q, std::span<HidCapability> caps,
                                      std::uint16_t& count) override {
    return SpecificCaps<HIDP_BUTTON_CAPS>(hid_.HidP_GetSpecificButtonCaps, data_, q, caps, count);
  }
  std::uint32_t GetSpecificValueCaps(const HidCapsQuery& q, std::span<HidCapability> caps,
                                     std::uint16_t& count) override {
    return SpecificCaps<HIDP_VALUE_CAPS>(hid_.HidP_GetSpecificValueCaps, data_, q, caps, count);
  }

  std::uint32_t MaxDataListLength(HidReportType type) override {
    return hid_.HidP_MaxDataListLength(static_cast<HIDP_REPORT_TYPE>(type), data_);
  }
  std::uint32_t MaxUsageListLength(HidReportType type, std::uint16_t usage_page) override {
    return hid_.HidP_MaxUsageListLength(static_cast<HIDP_REPORT_TYPE>(type), usage_page, data_);
  }

 private:
  const HidApi& hid_;
  PHIDP_PREPARSED_DATA data_;
};

class SystemOpenDevice final : public HidOpenDevice {
 public:
  SystemOpenDevice(const HidApi& hid, platform::UniqueHandle<platform::KernelHandleTraits> file)
      : hid_(hid), file_(std::move(file)) {}

  bool GetAttributes(HidAttributes& attributes) override {
    HIDD_ATTRIBUTES a{};
    a.Size = sizeof a;
    if (!hid_.HidD_GetAttributes(file_.get(), &a)) return false;
    attributes = HidAttributes{a.VendorID, a.ProductID, a.VersionNumber};
    return true;
  }
  bool GetProductString(std::wstring& text) override {
    std::array<wchar_t, kProductStringBytes / sizeof(wchar_t)> buffer{};
    if (!hid_.HidD_GetProductString(file_.get(), buffer.data(), kProductStringBytes)) return false;
    // A full buffer carries no terminating NUL: the text ends with the buffer.
    text.assign(buffer.data(), std::find(buffer.begin(), buffer.end(), L'\0'));
    return true;
  }
  std::unique_ptr<HidPreparsedData> GetPreparsedData() override {
    PHIDP_PREPARSED_DATA data = nullptr;
    if (!hid_.HidD_GetPreparsedData(file_.get(), &data) || !data) return nullptr;
    return std::make_unique<SystemPreparsedData>(hid_, data);
  }
  bool GetNumInputBuffers(std::uint32_t& count) override {
    ULONG n = 0;
    if (!hid_.HidD_GetNumInputBuffers(file_.get(), &n)) return false;
    count = n;
    return true;
  }
  bool SetNumInputBuffers(std::uint32_t count) override {
    return hid_.HidD_SetNumInputBuffers(file_.get(), count) != FALSE;
  }

 private:
  const HidApi& hid_;
  platform::UniqueHandle<platform::KernelHandleTraits> file_;
};

class SystemHidSource final : public HidDeviceSource {
 public:
  SystemHidSource(platform::OptionalLibrary setupapi, const SetupApi& setup, platform::OptionalLibrary hid_library,
                  const HidApi& hid)
      : setupapi_(std::move(setupapi)), setup_(setup), hid_library_(std::move(hid_library)), hid_(hid) {
    hid_.HidD_GetHidGuid(&class_guid_);
  }

  std::vector<TJvHidPnPInfo> FindInterfaces() override {
    std::vector<TJvHidPnPInfo> found;
    HDEVINFO list = setup_.SetupDiGetClassDevsA(&class_guid_, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (list == INVALID_HANDLE_VALUE) return found;
    struct ListOwner {
      const SetupApi& f;
      HDEVINFO list;
      ~ListOwner() { f.SetupDiDestroyDeviceInfoList(list); }
    } owner{setup_, list};

    for (DWORD i = 0;; ++i) {
      SP_DEVICE_INTERFACE_DATA iface{};
      iface.cbSize = sizeof iface;
      if (!setup_.SetupDiEnumDeviceInterfaces(list, nullptr, &class_guid_, i, &iface)) break;
      SP_DEVINFO_DATA info{};
      info.cbSize = sizeof info;
      DWORD needed = 0;
      if (setup_.SetupDiGetDeviceInterfaceDetailA(list, &iface, nullptr, 0, &needed, &info) ||
          GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) {
        continue;
      }
      std::vector<std::byte> storage(std::max<std::size_t>(needed, sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)));
      auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(storage.data());
      detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
      if (!setup_.SetupDiGetDeviceInterfaceDetailA(list, &iface, detail, needed, nullptr, &info)) continue;
      const std::size_t path_room = storage.size() - offsetof(SP_DEVICE_INTERFACE_DETAIL_DATA_A, DevicePath);
      TJvHidPnPInfo pnp;
      pnp.DevicePath.assign(detail->DevicePath, strnlen(detail->DevicePath, path_room));
      pnp.DeviceID = static_cast<std::uint32_t>(info.DevInst);
      ReadProperties(list, info, pnp);
      found.push_back(std::move(pnp));
    }
    return found;
  }

  std::unique_ptr<HidOpenDevice> Open(const std::string& device_path, bool read_write) override {
    platform::UniqueHandle<platform::KernelHandleTraits> file(
        CreateFileA(device_path.c_str(), read_write ? GENERIC_READ | GENERIC_WRITE : 0,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return nullptr;
    return std::make_unique<SystemOpenDevice>(hid_, std::move(file));
  }

 private:
  // One property into `buffer`; the bytes read and their registry type.
  // Nothing read (a property the device lacks) gives 0.
  DWORD ReadProperty(HDEVINFO list, SP_DEVINFO_DATA& info, std::uint32_t code, std::vector<BYTE>& buffer,
                     DWORD& type) const {
    std::fill(buffer.begin(), buffer.end(), BYTE{0});
    DWORD needed = 0;
    type = REG_NONE;
    if (!setup_.SetupDiGetDeviceRegistryPropertyA(list, &info, code, &type, buffer.data(),
                                                 static_cast<DWORD>(buffer.size()), &needed)) {
      return 0;
    }
    return std::min<DWORD>(needed, static_cast<DWORD>(buffer.size()));
  }

  void ReadProperties(HDEVINFO list, SP_DEVINFO_DATA& info, TJvHidPnPInfo& pnp) const {
    DWORD type = 0;
    std::vector<BYTE> number(sizeof(DWORD));
    for (const auto& p : kPnPNumberProperties) {
      if (ReadProperty(list, info, p.code, number, type) >= sizeof(DWORD)) {
        pnp.*p.field = *reinterpret_cast<const DWORD*>(number.data());
      }
    }
    std::vector<BYTE> text(kTextPropertyBytes);
    for (const auto& p : kPnPTextProperties) {
      const DWORD length = ReadProperty(list, info, p.code, text, type);
      if (length == 0) continue;
      if (type == REG_DWORD && length >= sizeof(DWORD)) {
        // A few of these (the address, the characteristics) are numbers on
        // some systems: their digits, not their bytes as characters.
        pnp.*p.field = std::to_wstring(*reinterpret_cast<const DWORD*>(text.data()));
        continue;
      }
      const auto* chars = reinterpret_cast<const char*>(text.data());
      pnp.*p.field = FromAnsi(chars, static_cast<int>(strnlen(chars, length)));
    }
    std::vector<BYTE> block(kListPropertyBytes);
    for (const auto& p : kPnPListProperties) {
      const DWORD length = ReadProperty(list, info, p.code, block, type);
      const std::wstring wide = FromAnsi(reinterpret_cast<const char*>(block.data()), static_cast<int>(length));
      pnp.*p.field = SplitMultiString(wide);
    }
  }

  platform::OptionalLibrary setupapi_;
  SetupApi setup_;
  platform::OptionalLibrary hid_library_;
  HidApi hid_;
  GUID class_guid_ = kHidInterfaceClass;
};

}  // namespace

std::unique_ptr<HidDeviceSource> MakeSystemHidSource() {
  // SetupAPI counts as there when the functions called here are; other
  // exports it may lack on some system are no reason to list no devices.
  platform::OptionalLibrary setupapi(L"SetupApi.dll");
  SetupApi setup;
  if (!setupapi || !ResolveSetupApi(setupapi, setup)) return nullptr;
  platform::OptionalLibrary hid_library(L"HID.dll");
  HidApi hid;
  if (!hid_library || !ResolveHid(hid_library, hid)) return nullptr;
  return std::make_unique<SystemHidSource>(std::move(setupapi), setup, std::move(hid_library), hid);
}

}  // namespace corvane::usb
