#include "app/collectors/os_identity.h"

#include <iterator>

namespace corvane::app {
namespace {

constexpr std::uint32_t kAnyMajorBelow5 = 0xFFFFFFFF;
constexpr std::uint8_t kAnyProduct = 0;

// NT family: rows are tried top to bottom within a version; the first whose
// product type and suite bit hold wins.
struct NtEdition {
  std::uint32_t major, minor;  // major kAnyMajorBelow5: any version below 5 (minor ignored)
  std::uint8_t product_type;   // kAnyProduct: any
  std::uint16_t suite_bit;     // 0: none needed
  const wchar_t* name;
};

constexpr std::uint16_t kEnterprise = 0x0002, kDatacenter = 0x0080, kPersonal = 0x0200, kBlade = 0x0400;

constexpr NtEdition kNtEditions[] = {
    {kAnyMajorBelow5, 0, 1, 0, L"Windows NT Workstation 4.0"},
    {kAnyMajorBelow5, 0, 3, kEnterprise, L"Windows NT Advanced Server 4.0"},
    {kAnyMajorBelow5, 0, 3, 0, L"Windows NT Server 4.0"},
    {5, 0, 1, 0, L"Windows 2000 Professional"},
    {5, 0, 3, kDatacenter, L"Windows 2000 Datacenter Server"},
    {5, 0, 3, kEnterprise, L"Windows 2000 Advanced Server"},
    {5, 0, 3, 0, L"Windows 2000 Server"},
    {5, 1, kAnyProduct, kPersonal, L"Windows XP Home Edition"},
    {5, 1, kAnyProduct, 0, L"Windows XP Professional"},
    {5, 2, kAnyProduct, kDatacenter, L"Windows Server 2003 Datacenter Edition"},
    {5, 2, kAnyProduct, kEnterprise, L"Windows Server 2003 Enterprise Edition"},
    {5, 2, kAnyProduct, kBlade, L"Windows Server 2003 Web Edition"},
    {5, 2, kAnyProduct, 0, L"Windows Server 2003 Standard Edition"},
    {6, 0, 1, 0, L"Windows VISTA"},
    {6, 0, 3, 0, L"Windows 2008 Server"},
    {6, 1, 1, kPersonal, L"Windows 7 Home Edition"},
    {6, 1, 1, 0, L"Windows 7 Professional"},
    {6, 1, 3, 0, L"Windows Server 2008 R2"},
};

// Windows 95 family (major 4): the test character is the second of szCSDVersion.
struct Win9xEdition {
  std::uint32_t minor;
  const wchar_t* test_chars;  // nullptr: any
  const wchar_t* name;
  bool version_takes_char;  // the version text gets the test character appended
};

constexpr Win9xEdition kWin9xEditions[] = {
    {0, L"BC", L"Windows 95 OSR2", true},
    {0, nullptr, L"Windows 95", false},
    {10, L"A", L"Windows 98 SE", true},
    {10, nullptr, L"Windows  98", false},
    {90, nullptr, L"Windows Millennium Edition", false},
};

constexpr const wchar_t* kUnknown = L"Windows unknown";

wchar_t TestChar(const VersionRecord& r) { return r.csd.size() > 1 ? r.csd[1] : L'\0'; }

bool Contains(const wchar_t* set, wchar_t c) {
  for (; c && *set; ++set) {
    if (*set == c) return true;
  }
  return false;
}

std::wstring NtName(const VersionRecord& r, const std::wstring& version, const ProductTypeReader& product_type) {
  if (r.major < 5 && !r.extended) {
    const auto type = product_type ? product_type() : std::nullopt;
    if (type == L"WINNT") return L"Windows NT Workstation " + version;
    if (type == L"LANMANNT") return L"Windows NT Server " + version;
    return kUnknown;
  }
  for (const auto& e : kNtEditions) {
    const bool version_matches = e.major == kAnyMajorBelow5 ? r.major < 5 : (r.major == e.major && r.minor == e.minor);
    if (!version_matches) continue;
    if (e.product_type != kAnyProduct && e.product_type != r.product_type) continue;
    if (e.suite_bit && !(r.suite_mask & e.suite_bit)) continue;
    return e.name;
  }
  return kUnknown;
}

}  // namespace

WindowsIdentity IdentifyWindows(const VersionRecord& r, const ProductTypeReader& product_type) {
  WindowsIdentity id;
  id.version = std::to_wstring(r.major) + L"." + std::to_wstring(r.minor) + L"." + std::to_wstring(r.build & 0xFFFF);
  id.name = kUnknown;
  switch (r.platform) {
    case kPlatformWin32s:
      id.name = L"Win32s";
      break;
    case kPlatformWindows:
      if (r.major != 4) break;
      for (const auto& e : kWin9xEditions) {
        if (e.minor != r.minor || (e.test_chars && !Contains(e.test_chars, TestChar(r)))) continue;
        id.name = e.name;
        if (e.version_takes_char) id.version += TestChar(r);
        break;
      }
      break;
    case kPlatformNt:
      id.service_pack = r.csd.substr(0, 128);
      id.name = NtName(r, id.version, product_type);
      break;
    case kPlatformCe:
      id.name = std::wstring(kUnknown) + L" CE";
      break;
  }
  return id;
}

std::wstring ShortWindowsName(const VersionRecord& r) {
  if (r.platform == kPlatformWindows) {
    if (r.major == 4 && r.minor == 0) return L"Windows 95";
    if (r.major == 4 && r.minor == 10) return TestChar(r) == L'A' ? L"Windows 98SE" : L"Windows 98";
    if (r.major == 4 && r.minor == 90) return L"Windows ME";
    return L"Unknown";
  }
  if (r.platform == kPlatformNt) {
    if (r.major != 5) return L"Windows NT";
    switch (r.minor) {
      case 0: return L"Windows 2000 ";
      case 1: return L"Windows XP";
      case 2: return L"Windows Server 2003";
      default: return L"Unknown";
    }
  }
  return L"";
}

}  // namespace corvane::app
