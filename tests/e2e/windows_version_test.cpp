// Row 1 end to end on the Windows versions Wine can report to a 32-bit
// program: the per-program version setting makes GetVersionExA answer as
// that system would, and the unattended run writes the composed row.
#include <gtest/gtest.h>

#include <string>

#include "e2e/harness.h"

namespace corvane::e2e {
namespace {

constexpr wchar_t kAppDefaults[] = L"Software\\Wine\\AppDefaults\\corvane.exe";

// Makes Wine report `version` to corvane.exe for the life of the object.
class ReportedVersion {
 public:
  // nullptr: the prefix's own default.
  explicit ReportedVersion(const wchar_t* version) {
    if (!version) return;
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) ==
        ERROR_SUCCESS) {
      platform::UniqueKey owner(key);
      RegSetValueExW(key, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                     static_cast<DWORD>((wcslen(version) + 1) * sizeof(wchar_t)));
    }
  }
  ~ReportedVersion() { RegDeleteKeyW(HKEY_CURRENT_USER, kAppDefaults); }
  ReportedVersion(const ReportedVersion&) = delete;
  ReportedVersion& operator=(const ReportedVersion&) = delete;
};

struct VersionCase {
  const wchar_t* wine_version;
  const char* row1;
};
void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.row1; }


class WindowsVersion : public testing::TestWithParam<VersionCase> {};

TEST_P(WindowsVersion, ComposesRowOne) {
  ReportedVersion reported(GetParam().wine_version);
  TempFolder dir;
  const std::wstring file = dir / L"summary.txt";
  CorvaneProcess app({L"/AUTO", file});
  ASSERT_TRUE(app.started());
  const auto report = app.WatchUntilExit(kRefreshTimeout);
  ASSERT_EQ(report.exit_code, 0u);
  const auto bytes = ReadFileBytes(file);
  ASSERT_TRUE(bytes);
  EXPECT_EQ(bytes->substr(0, bytes->find("\r\n")), GetParam().row1);
}

INSTANTIATE_TEST_SUITE_P(
    Wine, WindowsVersion,
    testing::Values(VersionCase{L"win2k", "Windows: Windows 2000 Professional, Version 5.0.2195, Service Pack 4, 32 Bit."},
                    VersionCase{L"winxp", "Windows: Windows XP Professional, Version 5.1.2600, Service Pack 3, 32 Bit."},
                    VersionCase{L"vista", "Windows: Windows VISTA, Version 6.0.6002, Service Pack 2, 32 Bit."},
                    // The default record is a Windows 7 workstation (Wine's own "win7"
                    // setting answers with a server product type).
                    VersionCase{nullptr, "Windows: Windows 7 Professional, Version 6.1.7601, Service Pack 1, 32 Bit."},
                    VersionCase{L"win8", "Windows: Windows unknown, Version 6.2.9200, , 32 Bit."},
                    VersionCase{L"win98", "Windows: Windows 98 SE, Version 4.10.2222A, , 32 Bit."}));

}  // namespace
}  // namespace corvane::e2e
