#include "app/collectors/os_identity.h"

#include <algorithm>
#include <iterator>
#include <string_view>

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
    // 5.2 on a workstation is only ever XP's x64 edition, whatever suites it lists.
    {5, 2, 1, 0, L"Windows XP Professional x64 Edition"},
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

// Windows 8 and later: tried top to bottom; servers (product type 2 or 3)
// are named only at the long-term builds, the others read "Windows Server"
// with the build in the version text.
constexpr std::uint32_t kAnyBuild = 0xFFFFFFFF;
struct ModernRelease {
  std::uint32_t major, minor;
  std::uint32_t first_build, last_build;
  bool server;
  const wchar_t* name;
};

constexpr ModernRelease kModernReleases[] = {
    {6, 2, 0, kAnyBuild, false, L"Windows 8"},
    {6, 2, 0, kAnyBuild, true, L"Windows Server 2012"},
    {6, 3, 0, kAnyBuild, false, L"Windows 8.1"},
    {6, 3, 0, kAnyBuild, true, L"Windows Server 2012 R2"},
    {10, 0, 22000, kAnyBuild, false, L"Windows 11"},
    {10, 0, 0, 21999, false, L"Windows 10"},
    {10, 0, 14393, 14393, true, L"Windows Server 2016"},
    {10, 0, 17763, 17763, true, L"Windows Server 2019"},
    {10, 0, 20348, 20348, true, L"Windows Server 2022"},
    {10, 0, 0, kAnyBuild, true, L"Windows Server"},
};

// EditionID as people know the edition; Windows 8 and 8.1 name their home
// editions without a word of their own. An EditionID not listed is shown
// as the registry gives it.
struct EditionWords {
  const wchar_t* edition_id;
  const wchar_t* words;
  const wchar_t* words_on_8;  // nullptr: the same as words
};

constexpr EditionWords kEditionWords[] = {
    {L"Core", L"Home", L""},
    {L"CoreN", L"Home N", L"N"},
    {L"CoreSingleLanguage", L"Home Single Language", L"Single Language"},
    {L"CoreCountrySpecific", L"Home China", L"China"},
    {L"Professional", L"Pro", nullptr},
    {L"ProfessionalN", L"Pro N", nullptr},
    {L"ProfessionalWMC", L"Pro with Media Center", nullptr},
    {L"ProfessionalEducation", L"Pro Education", nullptr},
    {L"ProfessionalEducationN", L"Pro Education N", nullptr},
    {L"ProfessionalWorkstation", L"Pro for Workstations", nullptr},
    {L"ProfessionalWorkstationN", L"Pro N for Workstations", nullptr},
    {L"Enterprise", L"Enterprise", nullptr},
    {L"EnterpriseN", L"Enterprise N", nullptr},
    {L"EnterpriseS", L"Enterprise LTSC", nullptr},
    {L"EnterpriseSN", L"Enterprise N LTSC", nullptr},
    {L"Education", L"Education", nullptr},
    {L"EducationN", L"Education N", nullptr},
    {L"IoTEnterprise", L"IoT Enterprise", nullptr},
    {L"IoTEnterpriseS", L"IoT Enterprise LTSC", nullptr},
    {L"ServerStandard", L"Standard", nullptr},
    {L"ServerDatacenter", L"Datacenter", nullptr},
    {L"ServerEssentials", L"Essentials", nullptr},
    {L"ServerSolution", L"Essentials", nullptr},
    {L"ServerFoundation", L"Foundation", nullptr},
};

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
  // A plain record has no product type to go by, whatever the field holds.
  const std::uint8_t type = r.extended ? r.product_type : 0;
  for (const auto& e : kNtEditions) {
    const bool version_matches = e.major == kAnyMajorBelow5 ? r.major < 5 : (r.major == e.major && r.minor == e.minor);
    if (!version_matches) continue;
    if (e.product_type != kAnyProduct && e.product_type != type) continue;
    if (e.suite_bit && !(r.suite_mask & e.suite_bit)) continue;
    return e.name;
  }
  return kUnknown;
}

bool IsModern(const VersionRecord& r) { return r.major > 6 || (r.major == 6 && r.minor >= 2); }

const ModernRelease* FindModernRelease(const VersionRecord& r) {
  const bool server = r.product_type == 2 || r.product_type == 3;
  const std::uint32_t build = r.build & 0xFFFF;
  for (const auto& m : kModernReleases) {
    if (m.major == r.major && m.minor == r.minor && m.server == server && build >= m.first_build &&
        build <= m.last_build) {
      return &m;
    }
  }
  return nullptr;
}

std::wstring_view TrimFront(std::wstring_view text) {
  return text.substr(std::min(text.find_first_not_of(L' '), text.size()));
}

// Drops the word `word` and the blanks after it from the front of `text`;
// false when `text` does not start with that whole word.
bool DropWord(std::wstring_view& text, std::wstring_view word) {
  if (text.substr(0, word.size()) != word) return false;
  const std::wstring_view rest = text.substr(word.size());
  if (!rest.empty() && rest.front() != L' ') return false;
  text = TrimFront(rest);
  return true;
}

// The edition as ProductName names it after the release ("Windows 10 Pro",
// "Windows Server 2019 Standard", "Windows Server 2012 R2 Datacenter").
std::wstring EditionFromProductName(std::wstring_view name) {
  name = TrimFront(name);
  DropWord(name, L"Microsoft");
  if (!DropWord(name, L"Windows")) return {};
  const bool server = DropWord(name, L"Server");
  name = TrimFront(name.substr(std::min(name.find(L' '), name.size())));  // the release number
  if (server) DropWord(name, L"R2");
  return std::wstring(name);
}

std::wstring EditionText(const ReleaseFacts& facts, bool windows8) {
  if (facts.edition_id.empty()) return EditionFromProductName(facts.product_name);
  for (const auto& e : kEditionWords) {
    if (facts.edition_id == e.edition_id) return windows8 && e.words_on_8 ? e.words_on_8 : e.words;
  }
  return facts.edition_id;
}

void NameModern(const VersionRecord& r, const ReleaseFactsReader& release, WindowsIdentity& id) {
  const ModernRelease* known = FindModernRelease(r);
  if (!known) return;  // a major version still to come stays unknown
  const ReleaseFacts facts = release ? release() : ReleaseFacts{};
  id.name = known->name;
  const std::wstring edition = EditionText(facts, r.major == 6);
  if (!edition.empty()) id.name += L" " + edition;
  const std::wstring& feature = facts.display_version.empty() ? facts.release_id : facts.display_version;
  if (!feature.empty()) id.service_pack = feature;
}

}  // namespace

WindowsIdentity IdentifyWindows(const VersionRecord& r, const ProductTypeReader& product_type,
                                const ReleaseFactsReader& release) {
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
      if (IsModern(r)) NameModern(r, release, id);
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
      case 2: return r.extended && r.product_type == 1 ? L"Windows XP" : L"Windows Server 2003";
      default: return L"Unknown";
    }
  }
  return L"";
}

std::wstring WordSizeSuffix(bool program_is_64_bit, std::optional<bool> wow64) {
  if (program_is_64_bit) return L"64 Bit.";
  if (!wow64) return L"";
  return *wow64 ? L"64 Bit." : L"32 Bit.";
}

}  // namespace corvane::app
