// Row 1 end to end on the Windows versions Wine can report to this build:
// the per-program version setting makes GetVersionExA answer as that system
// would, and the unattended run writes the composed row. A 64-bit test
// program runs in a 64-bit prefix, which emulates only the versions that had
// a 64-bit edition; older ones are covered by the version-record tables of
// the native tests.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "platform/seeded_value_win.h"
#include "ui/product.h"

namespace corvane::e2e {
namespace {

// Wine looks the setting up under the program file's own name.
const std::wstring kAppDefaults = L"Software\\Wine\\AppDefaults\\" + std::wstring(ui::kProgramFile);

// Makes Wine report `version` to the program under test for the life of the object.
class ReportedVersion {
 public:
  // nullptr: the prefix's own default.
  explicit ReportedVersion(const wchar_t* version) {
    if (!version) return;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kAppDefaults.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) == ERROR_SUCCESS) {
      platform::UniqueKey owner(key);
      RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                     static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
    }
  }
  ~ReportedVersion() { RegDeleteKeyW(HKEY_CURRENT_USER, kAppDefaults.c_str()); }
  ReportedVersion(const ReportedVersion&) = delete;
  ReportedVersion& operator=(const ReportedVersion&) = delete;
};

// A registry value seeded for one case. Wine's version settings stop at
// Windows 10; without one, Wine takes the version from the registry
// (CurrentVersion as "major.minor", the build, a server by ProductOptions),
// so the cases past Windows 10 seed that, and the edition and release Wine
// does not record.
struct Seed {
  const wchar_t* key;
  const wchar_t* name;
  const wchar_t* text;
};

constexpr wchar_t kCurrentVersion[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr wchar_t kProductOptions[] = L"SYSTEM\\CurrentControlSet\\Control\\ProductOptions";

std::vector<Seed> Windows10Build(const wchar_t* build) {
  return {{kCurrentVersion, L"CurrentVersion", L"10.0"},
          {kCurrentVersion, L"CurrentBuild", build},
          {kCurrentVersion, L"CurrentBuildNumber", build},
          {kCurrentVersion, L"CSDVersion", L""}};
}

std::vector<Seed> operator+(std::vector<Seed> a, const std::vector<Seed>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// The row without its word size, which the build decides: the 64-bit build
// runs on 64-bit Windows only, the 32-bit one here in a 32-bit prefix.
struct VersionCase {
  const wchar_t* wine_version;
  std::string row1_before_word_size;
  std::vector<Seed> seeds = {};
};
void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.row1_before_word_size; }

constexpr const char* kWordSize = ui::k64BitBuild ? "64 Bit." : "32 Bit.";

std::vector<VersionCase> CasesOfThisPrefix() {
  std::vector<VersionCase> cases;
  if (ui::k64BitBuild) {
    // 5.2 as a workstation and as a server, and Vista's server. ("win2008r2"
    // is left out: Wine gives it the workstation type it gives "win7" not.)
    cases.push_back({L"winxp64", "Windows: Windows XP Professional x64 Edition, Version 5.2.3790, Service Pack 2, "});
    cases.push_back({L"win2003", "Windows: Windows Server 2003 Standard Edition, Version 5.2.3790, Service Pack 2, "});
    cases.push_back({L"win2008", "Windows: Windows 2008 Server, Version 6.0.6002, Service Pack 2, "});
  } else {
    cases.push_back({L"win98", "Windows: Windows 98 SE, Version 4.10.2222A, , "});
    cases.push_back({L"win2k", "Windows: Windows 2000 Professional, Version 5.0.2195, Service Pack 4, "});
    cases.push_back({L"winxp", "Windows: Windows XP Professional, Version 5.1.2600, Service Pack 3, "});
  }
  cases.push_back({L"vista", "Windows: Windows VISTA, Version 6.0.6002, Service Pack 2, "});
  // The default record is a Windows 7 workstation (Wine's own "win7"
  // setting answers with a server product type).
  cases.push_back({nullptr, "Windows: Windows 7 Professional, Version 6.1.7601, Service Pack 1, "});
  cases.push_back({L"win8", "Windows: Windows 8, Version 6.2.9200, , "});
  cases.push_back({L"win81", "Windows: Windows 8.1, Version 6.3.9600, , "});
  cases.push_back({L"win10", "Windows: Windows 10, Version 10.0.18362, , "});
  cases.push_back({nullptr, "Windows: Windows 11 Pro, Version 10.0.22000, 21H2, ",
                   Windows10Build(L"22000") + std::vector<Seed>{{kCurrentVersion, L"EditionID", L"Professional"},
                                                                {kCurrentVersion, L"DisplayVersion", L"21H2"}}});
  cases.push_back({nullptr, "Windows: Windows Server 2022 Datacenter, Version 10.0.20348, , ",
                   Windows10Build(L"20348") +
                       std::vector<Seed>{{kCurrentVersion, L"EditionID", L"ServerDatacenter"},
                                         {kProductOptions, L"ProductType", L"ServerNT"}}});
  return cases;
}

class WindowsVersion : public testing::TestWithParam<VersionCase> {};

TEST_P(WindowsVersion, ComposesRowOne) {
  ReportedVersion reported(GetParam().wine_version);
  std::vector<std::unique_ptr<test_support::SeededValue>> seeded;
  for (const Seed& seed : GetParam().seeds) {
    const std::wstring text = seed.text;
    const auto* bytes = reinterpret_cast<const BYTE*>(text.c_str());
    seeded.push_back(std::make_unique<test_support::SeededValue>(
        seed.key, seed.name, REG_SZ,
        test_support::SeededValue::Bytes(bytes, bytes + (text.size() + 1) * sizeof(wchar_t))));
  }
  TempFolder dir;
  const std::wstring file = dir / L"summary.txt";
  CorvaneProcess app({L"/AUTO", file});
  ASSERT_TRUE(app.started());
  const auto report = app.WatchUntilExit(kRefreshTimeout);
  ASSERT_EQ(report.exit_code, 0u);
  const auto bytes = ReadFileBytes(file);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->substr(0, bytes->find("\r\n")), GetParam().row1_before_word_size + kWordSize);
}

INSTANTIATE_TEST_SUITE_P(Wine, WindowsVersion, testing::ValuesIn(CasesOfThisPrefix()));

}  // namespace
}  // namespace corvane::e2e
