#include "app/collectors/os_identity.h"

#include <gtest/gtest.h>

namespace corvane::app {
namespace {

VersionRecord Nt(std::uint32_t major, std::uint32_t minor, std::uint8_t type, std::uint16_t suite,
                 std::wstring csd = L"Service Pack 1") {
  return {major, minor, 0x1234, kPlatformNt, std::move(csd), suite, type, true};
}

VersionRecord Win9x(std::uint32_t minor, std::wstring csd, std::uint32_t build) {
  return {4, minor, build, kPlatformWindows, std::move(csd), 0, 0, false};
}

TEST(IdentifyWindows, NtEditions) {
  const struct {
    VersionRecord record;
    const wchar_t* name;
  } cases[] = {
      {Nt(4, 0, 1, 0), L"Windows NT Workstation 4.0"},
      {Nt(4, 0, 3, 0x0002), L"Windows NT Advanced Server 4.0"},
      {Nt(4, 0, 3, 0), L"Windows NT Server 4.0"},
      {Nt(3, 51, 1, 0), L"Windows NT Workstation 4.0"},  // any major below 5
      {Nt(4, 0, 2, 0), L"Windows unknown"},              // domain controller
      {Nt(5, 0, 1, 0), L"Windows 2000 Professional"},
      {Nt(5, 0, 3, 0x0082), L"Windows 2000 Datacenter Server"},  // datacenter is tried before enterprise
      {Nt(5, 0, 3, 0x0002), L"Windows 2000 Advanced Server"},
      {Nt(5, 0, 3, 0), L"Windows 2000 Server"},
      {Nt(5, 0, 2, 0), L"Windows unknown"},
      {Nt(5, 1, 1, 0x0200), L"Windows XP Home Edition"},
      {Nt(5, 1, 1, 0x0100), L"Windows XP Professional"},
      {Nt(5, 1, 2, 0), L"Windows XP Professional"},  // any product type
      {Nt(5, 2, 3, 0x0082), L"Windows Server 2003 Datacenter Edition"},
      {Nt(5, 2, 3, 0x0402), L"Windows Server 2003 Enterprise Edition"},
      {Nt(5, 2, 3, 0x0400), L"Windows Server 2003 Web Edition"},
      {Nt(5, 2, 3, 0), L"Windows Server 2003 Standard Edition"},
      {Nt(5, 2, 2, 0x0400), L"Windows Server 2003 Web Edition"},  // a domain controller keeps the server rows
      // A 5.2 workstation is XP x64, whatever suites the record lists.
      {Nt(5, 2, 1, 0), L"Windows XP Professional x64 Edition"},
      {Nt(5, 2, 1, 0x0082), L"Windows XP Professional x64 Edition"},
      {Nt(5, 2, 1, 0x0400), L"Windows XP Professional x64 Edition"},
      {Nt(5, 3, 1, 0), L"Windows unknown"},
      {Nt(6, 0, 1, 0), L"Windows VISTA"},
      {Nt(6, 0, 3, 0), L"Windows 2008 Server"},
      {Nt(6, 0, 2, 0), L"Windows unknown"},
      {Nt(6, 1, 1, 0x0200), L"Windows 7 Home Edition"},
      {Nt(6, 1, 1, 0x0100), L"Windows 7 Professional"},
      {Nt(6, 1, 3, 0x0200), L"Windows Server 2008 R2"},
      {Nt(6, 1, 2, 0), L"Windows unknown"},
      {Nt(6, 2, 1, 0), L"Windows 8"},
      {Nt(10, 0, 1, 0), L"Windows 10"},
      {Nt(11, 0, 1, 0), L"Windows unknown"},  // a version still to come
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.record.major << "." << c.record.minor << " type "
                                    << int(c.record.product_type) << " suite " << c.record.suite_mask);
    const auto id = IdentifyWindows(c.record, [] { return std::optional<std::wstring>(L"WINNT"); });
    EXPECT_EQ(id.name, c.name);
    EXPECT_EQ(id.service_pack, L"Service Pack 1");
  }
}

TEST(IdentifyWindows, ModernReleasesEditionsAndFeatureReleases) {
  const auto modern = [](std::uint32_t major, std::uint32_t minor, std::uint32_t build, std::uint8_t type) {
    return VersionRecord{major, minor, build, kPlatformNt, L"", 0x0100, type, true};
  };
  const struct {
    VersionRecord record;
    ReleaseFacts facts;
    const wchar_t* row;  // name, version and the release place, as row 1 joins them
  } cases[] = {
      {modern(6, 2, 9200, 1), {}, L"Windows 8, Version 6.2.9200, "},
      {modern(6, 2, 9200, 1), {L"Core", L"Windows 8", L"", L""}, L"Windows 8, Version 6.2.9200, "},
      {modern(6, 2, 9200, 1), {L"Professional", L"Windows 8 Pro", L"", L""}, L"Windows 8 Pro, Version 6.2.9200, "},
      {modern(6, 2, 9200, 3), {L"ServerStandard", L"", L"", L""},
       L"Windows Server 2012 Standard, Version 6.2.9200, "},
      {modern(6, 3, 9600, 1), {L"Core", L"", L"", L""}, L"Windows 8.1, Version 6.3.9600, "},
      {modern(6, 3, 9600, 2), {L"ServerDatacenter", L"", L"", L""},
       L"Windows Server 2012 R2 Datacenter, Version 6.3.9600, "},
      {modern(10, 0, 19045, 1), {L"Core", L"Windows 10 Home", L"22H2", L"2009"},
       L"Windows 10 Home, Version 10.0.19045, 22H2"},
      {modern(10, 0, 17134, 1), {L"Education", L"", L"", L"1803"}, L"Windows 10 Education, Version 10.0.17134, 1803"},
      {modern(10, 0, 21999, 1), {}, L"Windows 10, Version 10.0.21999, "},
      // Windows 11 still says "Windows 10" in ProductName: the build decides.
      {modern(10, 0, 22000, 1), {L"Professional", L"Windows 10 Pro", L"21H2", L""},
       L"Windows 11 Pro, Version 10.0.22000, 21H2"},
      {modern(10, 0, 22631, 1), {L"Professional", L"Windows 10 Pro", L"23H2", L"2009"},
       L"Windows 11 Pro, Version 10.0.22631, 23H2"},
      {modern(10, 0, 26100, 1), {L"EnterpriseS", L"", L"24H2", L""},
       L"Windows 11 Enterprise LTSC, Version 10.0.26100, 24H2"},
      // No EditionID: the edition is what ProductName says after the release.
      {modern(10, 0, 22631, 1), {L"", L"Windows 10 Pro for Workstations", L"", L""},
       L"Windows 11 Pro for Workstations, Version 10.0.22631, "},
      {modern(10, 0, 18362, 1), {L"", L"Microsoft Windows 10", L"", L""}, L"Windows 10, Version 10.0.18362, "},
      {modern(10, 0, 19041, 1), {L"SomethingNew", L"", L"", L""},
       L"Windows 10 SomethingNew, Version 10.0.19041, "},
      {modern(10, 0, 14393, 3), {L"ServerStandard", L"", L"", L"1607"},
       L"Windows Server 2016 Standard, Version 10.0.14393, 1607"},
      {modern(10, 0, 17763, 3), {L"", L"Windows Server 2019 Datacenter", L"", L"1809"},
       L"Windows Server 2019 Datacenter, Version 10.0.17763, 1809"},
      {modern(10, 0, 20348, 2), {L"ServerDatacenter", L"", L"21H2", L""},
       L"Windows Server 2022 Datacenter, Version 10.0.20348, 21H2"},
      {modern(10, 0, 20348, 3), {}, L"Windows Server 2022, Version 10.0.20348, "},
      // Semi-annual server builds are named only as "Windows Server".
      {modern(10, 0, 19042, 3), {L"ServerStandard", L"", L"20H2", L""},
       L"Windows Server Standard, Version 10.0.19042, 20H2"},
      {modern(10, 0, 26100, 3), {}, L"Windows Server, Version 10.0.26100, "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.record.major << "." << c.record.minor << "." << c.record.build << " type "
                                    << int(c.record.product_type));
    const auto id = IdentifyWindows(c.record, nullptr, [&] { return c.facts; });
    EXPECT_EQ(id.name + L", Version " + id.version + L", " + id.service_pack, c.row);
  }
}

TEST(IdentifyWindows, XpX64AsItReportsItself) {
  const auto id =
      IdentifyWindows({5, 2, 3790, kPlatformNt, L"Service Pack 2", 0x0100, 1, true}, nullptr);
  EXPECT_EQ(id.name + L", Version " + id.version + L", " + id.service_pack,
            L"Windows XP Professional x64 Edition, Version 5.2.3790, Service Pack 2");
  // Without the extended record nothing tells the workstation from the server.
  EXPECT_EQ(IdentifyWindows({5, 2, 3790, kPlatformNt, L"Service Pack 2", 0, 1, false}, nullptr).name,
            L"Windows Server 2003 Standard Edition");
}

TEST(IdentifyWindows, ReleaseFactsAreAskedOnlyFromWindows8On) {
  bool asked = false;
  const ReleaseFactsReader reader = [&] {
    asked = true;
    return ReleaseFacts{L"Professional", L"", L"", L""};
  };
  IdentifyWindows({6, 1, 7601, kPlatformNt, L"Service Pack 1", 0x0100, 1, true}, nullptr, reader);
  IdentifyWindows({4, 10, 0x040A08AE, kPlatformWindows, L" A ", 0, 0, false}, nullptr, reader);
  EXPECT_FALSE(asked);
  // A service pack the record names stays when there is no feature release.
  const auto id = IdentifyWindows({6, 2, 9200, kPlatformNt, L"Service Pack 1", 0x0100, 1, true}, nullptr, reader);
  EXPECT_TRUE(asked);
  EXPECT_EQ(id.name, L"Windows 8 Pro");
  EXPECT_EQ(id.service_pack, L"Service Pack 1");
}

TEST(IdentifyWindows, Nt4WithoutTheExtendedRecordAsksTheRegistry) {
  VersionRecord plain{4, 0, 1381, kPlatformNt, L"Service Pack 6", 0, 0, false};
  const struct {
    std::optional<std::wstring> product_type;
    const wchar_t* name;
  } cases[] = {
      {L"WINNT", L"Windows NT Workstation 4.0.1381"},
      {L"LANMANNT", L"Windows NT Server 4.0.1381"},
      {L"SERVERNT", L"Windows unknown"},
      {std::nullopt, L"Windows unknown"},  // the key cannot be opened
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IdentifyWindows(plain, [&] { return c.product_type; }).name, c.name);
  }
  // The registry is asked only in that case.
  bool asked = false;
  IdentifyWindows(Nt(5, 1, 1, 0), [&] {
    asked = true;
    return std::optional<std::wstring>();
  });
  EXPECT_FALSE(asked);
}

TEST(IdentifyWindows, Windows9xFamily) {
  const struct {
    VersionRecord record;
    const wchar_t* name;
    const wchar_t* version;
  } cases[] = {
      {Win9x(0, L" B", 0x040003B6), L"Windows 95 OSR2", L"4.0.950B"},
      {Win9x(0, L" C", 0x040003B6), L"Windows 95 OSR2", L"4.0.950C"},
      {Win9x(0, L"", 0x040003B6), L"Windows 95", L"4.0.950"},
      {Win9x(0, L" A", 0x040003B6), L"Windows 95", L"4.0.950"},
      {Win9x(10, L" A ", 0x040A08AE), L"Windows 98 SE", L"4.10.2222A"},
      {Win9x(10, L" ", 0x040A07CE), L"Windows  98", L"4.10.1998"},
      {Win9x(90, L" ", 0x045A0BB8), L"Windows Millennium Edition", L"4.90.3000"},
      {Win9x(50, L"", 0x04320000), L"Windows unknown", L"4.50.0"},
      {{3, 95, 0, kPlatformWindows, L"", 0, 0, false}, L"Windows unknown", L"3.95.0"},
  };
  for (const auto& c : cases) {
    const auto id = IdentifyWindows(c.record, nullptr);
    EXPECT_EQ(id.name, c.name);
    EXPECT_EQ(id.version, c.version);
    EXPECT_EQ(id.service_pack, L"") << "only the NT family has a service pack";
  }
}

TEST(IdentifyWindows, OtherPlatformsAndTheVersionText) {
  EXPECT_EQ(IdentifyWindows({3, 11, 0, kPlatformWin32s, L"", 0, 0, false}, nullptr).name, L"Win32s");
  EXPECT_EQ(IdentifyWindows({5, 0, 0, kPlatformCe, L"", 0, 0, false}, nullptr).name, L"Windows unknown CE");
  EXPECT_EQ(IdentifyWindows({5, 0, 0, 7, L"", 0, 0, false}, nullptr).name, L"Windows unknown");
  // The build keeps its low 16 bits only.
  EXPECT_EQ(IdentifyWindows(Nt(5, 1, 1, 0), nullptr).version, L"5.1.4660");
  const auto xp = IdentifyWindows({5, 1, 2600, kPlatformNt, L"Service Pack 3", 0x0100, 1, true}, nullptr);
  EXPECT_EQ(xp.name + L", Version " + xp.version + L", " + xp.service_pack,
            L"Windows XP Professional, Version 5.1.2600, Service Pack 3");
}

TEST(ShortWindowsName, EveryRow) {
  const struct {
    VersionRecord record;
    const wchar_t* name;
  } cases[] = {
      {Win9x(0, L"", 0), L"Windows 95"},
      {Win9x(10, L" A", 0), L"Windows 98SE"},
      {Win9x(10, L"", 0), L"Windows 98"},
      {Win9x(90, L"", 0), L"Windows ME"},
      {Win9x(3, L"", 0), L"Unknown"},
      {Nt(5, 0, 2, 0), L"Windows 2000 "},  // a domain controller too, trailing space kept
      {Nt(5, 1, 1, 0), L"Windows XP"},
      {Nt(5, 2, 3, 0), L"Windows Server 2003"},
      {Nt(5, 2, 2, 0), L"Windows Server 2003"},
      {Nt(5, 2, 1, 0), L"Windows XP"},  // XP x64
      // A plain record carries no product type to go by.
      {{5, 2, 3790, kPlatformNt, L"", 0, 1, false}, L"Windows Server 2003"},
      {Nt(5, 3, 1, 0), L"Unknown"},
      {Nt(4, 0, 1, 0), L"Windows NT"},
      {Nt(6, 2, 1, 0), L"Windows NT"},
      {{0, 0, 0, kPlatformWin32s, L"", 0, 0, false}, L""},
      {{5, 0, 0, kPlatformCe, L"", 0, 0, false}, L""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ShortWindowsName(c.record), c.name)
        << c.record.major << "." << c.record.minor << " type " << int(c.record.product_type);
  }
}

TEST(WordSizeSuffix, ByTheBuildAndTheWow64Test) {
  const struct {
    bool program_is_64_bit;
    std::optional<bool> wow64;
    const wchar_t* suffix;
  } cases[] = {
      {false, false, L"32 Bit."},
      {false, true, L"64 Bit."},
      {false, std::nullopt, L""},  // the test failed: no suffix
      // A 64-bit program is never a WOW64 process, yet always on 64-bit Windows.
      {true, false, L"64 Bit."},
      {true, std::nullopt, L"64 Bit."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(WordSizeSuffix(c.program_is_64_bit, c.wow64), c.suffix)
        << "64-bit program " << c.program_is_64_bit << ", wow64 "
        << (c.wow64 ? (*c.wow64 ? "yes" : "no") : "failed");
  }
}

}  // namespace
}  // namespace corvane::app
