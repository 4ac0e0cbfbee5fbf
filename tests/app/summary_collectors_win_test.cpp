// The system collectors against the Wine test prefix. Registry answers are
// seeded by the tests themselves and put back afterwards; the live answers
// (memory, clock, power, network) are checked for their form, since they
// depend on the machine.
#include "app/collectors/summary_collectors_win.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <regex>
#include <string>
#include <vector>

#include "app/collectors/report_collectors_win.h"
#include "app/refresh_pipeline.h"
#include "platform/com_win.h"
#include "platform/seeded_value_win.h"
#include "platform/unique_handle.h"

namespace corvane::app {
namespace {

using namespace std::string_view_literals;
using testing::EndsWith;
using testing::HasSubstr;
using testing::Not;
using testing::StartsWith;

using Bytes = std::vector<BYTE>;

// The whole text matches the ECMAScript pattern (GoogleTest's own regex
// matcher takes narrow text only, and is a simple subset on Windows).
MATCHER_P(FullyMatches, pattern, "fully matches " + testing::PrintToString(std::wstring(pattern))) {
  return std::regex_match(arg, std::wregex(pattern));
}

// UTF-16 bytes of `text` exactly as given (write the terminators yourself).
Bytes Utf16(std::wstring_view text) {
  const auto* p = reinterpret_cast<const BYTE*>(text.data());
  return Bytes(p, p + text.size() * sizeof(wchar_t));
}

using test_support::SeededValue;

constexpr wchar_t kSerial[] = L"HARDWARE\\DEVICEMAP\\SERIALCOMM";
constexpr wchar_t kParallel[] = L"HARDWARE\\DEVICEMAP\\PARALLEL PORTS";
constexpr wchar_t kSystem[] = L"HARDWARE\\DESCRIPTION\\System";
constexpr wchar_t kCpu0[] = L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";

// The user's decimal separator changed for one test and put back.
class DecimalSeparatorScope {
 public:
  explicit DecimalSeparatorScope(const wchar_t* separator) {
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, old_, static_cast<int>(std::size(old_)));
    EXPECT_TRUE(::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator));
  }
  DecimalSeparatorScope(const DecimalSeparatorScope&) = delete;
  DecimalSeparatorScope& operator=(const DecimalSeparatorScope&) = delete;
  ~DecimalSeparatorScope() { ::SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, old_); }

 private:
  wchar_t old_[8] = L".";
};

double LeadingNumber(std::wstring text, wchar_t decimal) {
  for (auto& ch : text) {
    if (ch == decimal) ch = L'.';
  }
  return std::wcstod(text.c_str(), nullptr);
}

TEST(SystemCollectors, PortsFromTheRegistry) {
  const auto c = MakeSystemCollectors();
  EXPECT_EQ(c->SerialPorts(), L"COM1 | ");  // the prefix's own port
  EXPECT_EQ(c->RegistryParallelPorts(), L"NOT Present");

  const SeededValue com3(kSerial, L"\\Device\\Serial2", REG_SZ, Utf16(L"COM3\0"sv));
  const SeededValue lpt1(kParallel, L"\\Device\\Parallel0", REG_SZ, Utf16(L"\\DosDevices\\LPT1\0"sv));
  const SeededValue lpt2(kParallel, L"\\Device\\Parallel1", REG_SZ, Utf16(L"\\DosDevices\\LPT2\0"sv));
  EXPECT_EQ(c->SerialPorts(), L"COM1 | COM3 | ");
  EXPECT_EQ(c->RegistryParallelPorts(), L"LPT1LPT2");
  EXPECT_EQ(c->ProbedParallelPorts(), L"");  // Wine has no LPT device
}

TEST(SystemCollectors, SerialValueOfAnotherTypeFailsForTheRefreshToCatch) {
  const auto c = MakeSystemCollectors();
  const SeededValue odd(kSerial, L"\\Device\\Odd", REG_DWORD, Bytes{1, 0, 0, 0});
  EXPECT_ANY_THROW(c->SerialPorts());
}

TEST(SystemCollectors, BiosTextFromTheDescriptionKey) {
  const auto c = MakeSystemCollectors();
  // A fresh prefix has the identifier only.
  EXPECT_EQ(c->BiosText(), L"AT compatible |  |  |  | ");

  const SeededValue id(kSystem, L"Identifier", REG_SZ, Utf16(L"AT/AT COMPATIBLE\0"sv));
  const SeededValue date(kSystem, L"SystemBiosDate", REG_SZ, Utf16(L"06/12/09\0"sv));
  const SeededValue version(kSystem, L"SystemBiosVersion", REG_MULTI_SZ,
                            Utf16(L"ACRSYS - 1\0BIOS Date: 06/12/09\0\0"sv));
  EXPECT_EQ(c->BiosText(), L"AT/AT COMPATIBLE | 06/12/09 | ACRSYS - 1 |  | ");
}

TEST(SystemCollectors, LongBiosVersionKeepsItsFirstString) {
  const auto c = MakeSystemCollectors();
  const std::wstring first(150, L'V');
  const std::wstring multi = first + L'\0' + std::wstring(150, L'W') + L'\0' + L'\0';  // 604 bytes
  const SeededValue version(kSystem, L"SystemBiosVersion", REG_MULTI_SZ, Utf16(multi));
  EXPECT_THAT(c->BiosText(), HasSubstr(L" | " + first + L" | "));
}

TEST(SystemCollectors, ProcessorIdentifierFromTheRegistry) {
  const auto c = MakeSystemCollectors();
  const SeededValue cpu(kCpu0, L"Identifier", REG_SZ, Utf16(L"x86 Family 15 Model 4 Stepping 1\0"sv));
  EXPECT_EQ(c->CpuIdentifier(), L"x86 Family 15 Model 4 Stepping 1");
}

TEST(SystemCollectors, ClockSampleLeavesThePrioritiesAsItFoundThem) {
  const auto c = MakeSystemCollectors();
  const DWORD process_class = ::GetPriorityClass(::GetCurrentProcess());
  const int thread_priority = ::GetThreadPriority(::GetCurrentThread());
  const DWORD start = ::GetTickCount();
  const std::wstring speed = c->CpuSpeed();
  EXPECT_GE(::GetTickCount() - start, 490u);
  EXPECT_EQ(::GetPriorityClass(::GetCurrentProcess()), process_class);
  EXPECT_EQ(::GetThreadPriority(::GetCurrentThread()), thread_priority);
  EXPECT_THAT(speed, EndsWith(L" MHz"));
  EXPECT_GT(LeadingNumber(speed, L'.'), 0.0) << testing::PrintToString(speed);
}

TEST(SystemCollectors, ClockSampleStartedEarlyRunsWhileTheCallerWorks) {
  const auto c = MakeSystemCollectors();
  c->StartClockSample();
  ::Sleep(1000);  // the caller's own work
  const DWORD start = ::GetTickCount();
  const std::wstring speed = c->CpuSpeed();
  EXPECT_LT(::GetTickCount() - start, 400u) << "the row waited for a sample of its own";
  EXPECT_THAT(speed, EndsWith(L" MHz"));
  EXPECT_GT(LeadingNumber(speed, L'.'), 0.0) << testing::PrintToString(speed);
}

TEST(SystemCollectors, NumbersFollowTheUserDecimalSeparator) {
  const auto c = MakeSystemCollectors();
  const DecimalSeparatorScope comma(L",");
  EXPECT_THAT(c->CpuSpeed(), FullyMatches(L" *[0-9]+,[0-9] MHz"));
  EXPECT_THAT(c->DriveSizes(), FullyMatches(L"C:  [0-9]+,[0-9][GM]B \\| .*"));
  EXPECT_THAT(HardDisksCollector(), FullyMatches(L"[0-9]+,[0-9][GM]B  .*"));
}

TEST(SystemCollectors, LiveAnswersHaveTheirForm) {
  const auto c = MakeSystemCollectors();
  EXPECT_THAT(c->Memory(), FullyMatches(L"[1-9][0-9]* MB"));
  const std::wstring brand = c->CpuBrand();
  EXPECT_FALSE(brand.empty());
  EXPECT_THAT(brand, Not(StartsWith(L" ")));
  EXPECT_THAT(brand, Not(EndsWith(L" ")));

  EXPECT_EQ(c->DisplayAdapters(), L"Wine Adapter | ");
  EXPECT_EQ(c->MonitorNames(), L"Generic Non-PnP Monitor | ");
  EXPECT_EQ(GraphicsCollector(), L"Wine Adapter");

  EXPECT_THAT(c->DriveSizes(), FullyMatches(L"C:  [0-9]+\\.[0-9][GM]B \\| .*"));
  EXPECT_THAT(c->DriveFreeSpace(), FullyMatches(L"C:  [0-9]+\\.[0-9][GM]B \\| .*"));
  EXPECT_THAT(HardDisksCollector(), FullyMatches(L"[0-9]+\\.[0-9][GM]B  .*"));

  EXPECT_EQ(c->UsbControllers(), L"Not Detected");
  EXPECT_EQ(c->FirewireControllers(), L"Not Detected");
  EXPECT_EQ(c->AcPower(), L"OnLine");
  EXPECT_EQ(c->Battery(), L"No Battery");

  EXPECT_THAT(c->IpAddresses(), FullyMatches(L"([0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+ \\| )+"));
  EXPECT_THAT(c->MacAddress(), FullyMatches(L"[0-9A-F]{2}(-[0-9A-F]{2}){5}"));
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  ASSERT_TRUE(::GetComputerNameW(name, &size));
  EXPECT_EQ(c->HostName(), std::wstring(name, size));
  EXPECT_FALSE(c->HostName().empty());
}

TEST(SystemCollectors, OpticalDrivesListEveryCdLetterOrFailWithoutOne) {
  const DWORD mask = ::GetLogicalDrives();
  bool any = false;
  for (wchar_t l = L'A'; l <= L'Z'; ++l) {
    const wchar_t root[] = {l, L':', L'\\', L'\0'};
    if (((mask >> (l - L'A')) & 1) && ::GetDriveTypeW(root) == DRIVE_CDROM) any = true;
  }
  const auto c = MakeSystemCollectors();
  if (!any) {
    EXPECT_ANY_THROW(c->OpticalDrives());
    return;
  }
  // Wine refuses SCSI pass-through, so every drive shows its letter alone.
  const OpticalDriveReading drives = c->OpticalDrives();
  EXPECT_THAT(drives.list, FullyMatches(L"([A-Z]:  \\| )+"));
  EXPECT_THAT(drives.short_list, FullyMatches(L"(\\+)* "));
}

class RecordingView : public RefreshView {
 public:
  void SetBusy(bool) override {}
  void RowChanged(int, bool) override {}
};

// The whole refresh over the real collectors: every row is shown so a run
// documents what this system answers.
TEST(SystemCollectors, WholeRefresh) {
  const platform::ComApartment com;
  const SeededValue com3(kSerial, L"\\Device\\Serial2", REG_SZ, Utf16(L"COM3\0"sv));
  const auto c = MakeSystemCollectors();
  report::SummaryModel sheet;
  RecordingView view;
  RunRefresh(*c, sheet, view, false);
  for (int row = 1; row <= report::kRowCount; ++row) {
    std::printf("row %2d %-20ls %ls\n", row, std::wstring(report::SummaryModel::Label(row)).c_str(), sheet.Value(row).c_str());
  }
  std::printf("optical short list [%ls]\n", sheet.optical_short_list.c_str());

  EXPECT_EQ(sheet.Value(13), L"COM1 | COM3 NOT Present");
  EXPECT_EQ(sheet.Value(17), L"Not Detected");
  EXPECT_EQ(sheet.Value(22), L"AT compatible |  |");
  EXPECT_THAT(sheet.Value(8), StartsWith(L"1x; "));
  for (int row : {3, 4, 5, 7, 9, 14, 15, 16, 19, 20, 21, 24, 26, 27, 28}) {
    EXPECT_FALSE(sheet.Value(row).empty()) << "row " << row;
  }
}

}  // namespace
}  // namespace corvane::app
