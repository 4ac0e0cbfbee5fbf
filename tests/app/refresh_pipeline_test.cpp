#include "app/refresh_pipeline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <vector>

namespace corvane::app {
namespace {

// Answers every question with a fixed text; a question named in `failing`
// throws instead, and every question asked is recorded (also in `events`,
// when set, among the rows the view is told of).
class FakeCollectors : public SummaryCollectors {
 public:
  std::set<std::string> failing;
  std::vector<std::string> asked;
  std::vector<std::string>* events = nullptr;
  std::optional<bool> wow64 = false;
  bool program_64 = false;  // the 32-bit build unless a test says otherwise
  std::wstring cpu_brand = L"Brand CPU";
  std::optional<std::wstring> wave = L"Wave Device";
  std::wstring probed_parallel = L"LPT1 | ";

  std::optional<bool> IsWow64() override { return Ask("IsWow64"), wow64; }
  bool ProgramIs64Bit() override { return program_64; }
  WindowsIdentity IdentifyWindows() override { return Ask("IdentifyWindows"), WindowsIdentity{L"Windows XP", L"5.1.2600", L"Service Pack 3"}; }
  std::wstring BrowserVersion() override { return Ask("BrowserVersion"), L"8.0.6001"; }
  std::wstring Memory() override { return Ask("Memory"), L"1024 MB"; }
  std::wstring CpuBrand() override { return Ask("CpuBrand"), cpu_brand; }
  std::wstring CpuIdentifier() override { return Ask("CpuIdentifier"), L"x86 Family 6"; }
  void StartClockSample() override { Ask("StartClockSample"); }
  std::wstring CpuSpeed() override { return Ask("CpuSpeed"), L"2000.0 MHz"; }
  std::optional<cpu::ClockSample> LastClockSample() override {
    return Ask("LastClockSample"), cpu::ClockSample{1000000000, 500000, 1000000};
  }
  std::optional<std::wstring> FirstWaveOutDevice() override { return Ask("FirstWaveOutDevice"), wave; }
  std::wstring DisplayAdapters() override { return Ask("DisplayAdapters"), L"Adapter A | Adapter B | "; }
  int MonitorCount() override { return Ask("MonitorCount"), 1; }
  std::wstring MonitorNames() override { return Ask("MonitorNames"), L"Generic Monitor | "; }
  std::wstring Resolution() override { return Ask("Resolution"), L"1024 X 768"; }
  std::wstring ColourDepth() override { return Ask("ColourDepth"), L"24 bit"; }
  std::wstring NetworkPresence() override { return Ask("NetworkPresence"), L"Network Present"; }
  std::wstring NetworkAdapters() override { return Ask("NetworkAdapters"), L" NIC 1 | "; }
  OpticalDriveReading OpticalDrives() override { return Ask("OpticalDrives"), OpticalDriveReading{L"D: DRIVE | ", L"DRIVE+ "}; }
  std::wstring SerialPorts() override { return Ask("SerialPorts"), L"COM1 | COM2 | "; }
  std::wstring ProbedParallelPorts() override { return Ask("ProbedParallelPorts"), probed_parallel; }
  std::wstring RegistryParallelPorts() override { return Ask("RegistryParallelPorts"), L"NOT Present"; }
  std::wstring Mouse() override { return Ask("Mouse"), L"PS/2 Mouse"; }
  std::wstring DriveSizes() override { return Ask("DriveSizes"), L"C: 10.0GB | "; }
  std::wstring DriveFreeSpace() override { return Ask("DriveFreeSpace"), L"C: 5.0GB | "; }
  std::wstring UsbControllers() override { return Ask("UsbControllers"), L"2"; }
  std::wstring FirewireControllers() override { return Ask("FirewireControllers"), L"Not Detected"; }
  std::wstring BiosManufacturer() override { return Ask("BiosManufacturer"), L"BIOS Maker"; }
  std::wstring ProductName() override { return Ask("ProductName"), L"Product"; }
  std::wstring AcPower() override { return Ask("AcPower"), L"AC Power Online"; }
  std::wstring BiosText() override { return Ask("BiosText"), L" BIOS | 01/01/09 | | "; }
  std::wstring TimeZone() override { return Ask("TimeZone"), L"GMT Standard Time"; }
  std::wstring Battery() override { return Ask("Battery"), L"No System Battery"; }
  std::wstring Motherboard() override { return Ask("Motherboard"), L"  Board Maker Board  "; }
  std::wstring IpAddresses() override { return Ask("IpAddresses"), L"10.0.0.2 | "; }
  std::wstring MacAddress() override { return Ask("MacAddress"), L"00-11-22-33-44-55"; }
  std::wstring HostName() override { return Ask("HostName"), L"HOST"; }

 private:
  void Ask(const char* name) {
    asked.emplace_back(name);
    if (events) events->emplace_back(name);
    if (failing.count(name)) throw std::runtime_error(name);
  }
};

class RecordingView : public RefreshView {
 public:
  std::vector<int> repainted;
  std::vector<int> changed;
  std::vector<std::string>* events = nullptr;
  int busy_calls = 0;
  bool busy = false;
  void SetBusy(bool b) override {
    ++busy_calls;
    busy = b;
  }
  void RowChanged(int row, bool repaint) override {
    EXPECT_TRUE(busy) << "row " << row << " set outside the hourglass";
    changed.push_back(row);
    if (events) events->push_back("row " + std::to_string(row));
    if (repaint) repainted.push_back(row);
  }
};

struct Refresh {
  FakeCollectors collectors;
  report::SummaryModel sheet;
  RecordingView view;
  std::vector<std::string> events;  // questions and row changes, in order
  Refresh() {
    collectors.events = &events;
    view.events = &events;
  }
  void Run(bool no_com = false) { RunRefresh(collectors, sheet, view, no_com); }
};

TEST(RefreshPipeline, ComposesEveryRow) {
  Refresh r;
  r.Run();
  const wchar_t* expected[report::kRowCount] = {
      L"Windows XP, Version 5.1.2600, Service Pack 3, 32 Bit.",
      L"8.0.6001",
      L"1024 MB",
      L"Brand CPU",
      L"2000.0 MHz",
      L"Wave Device",
      L"Adapter A | Adapter B",
      L"1x; Generic Monitor | ",  // the monitor list keeps its separator
      L"1024 X 768 - 24 bit",
      L"Network Present",
      L"NIC 1",
      L"D: DRIVE",
      L"COM1 | COM2 LPT1",
      L"PS/2 Mouse",
      L"C: 10.0GB",
      L"C: 5.0GB",
      L"2",
      L"Not Detected",
      L"BIOS Maker",
      L"Product",
      L"AC Power Online",
      L"BIOS | 01/01/09",  // tidied twice
      L"GMT Standard Time",
      L"No System Battery",
      L"Board Maker Board",
      L"10.0.0.2 | ",
      L"00-11-22-33-44-55",
      L"HOST",
  };
  for (int row = 1; row <= report::kRowCount; ++row) EXPECT_EQ(r.sheet.Value(row), expected[row - 1]) << "row " << row;
}

TEST(RefreshPipeline, RepaintsRowsOneTo25InOrderAndRestoresTheCursor) {
  Refresh r;
  r.Run();
  std::vector<int> rows1to25;
  for (int row = 1; row <= 25; ++row) rows1to25.push_back(row);
  EXPECT_EQ(r.view.repainted, rows1to25);
  EXPECT_EQ(r.view.changed.back(), 28);
  EXPECT_EQ(r.view.busy_calls, 2);
  EXPECT_FALSE(r.view.busy);
}

TEST(RefreshPipeline, EveryRowIsReadDuringTheClockSampleAndWrittenInOrder) {
  Refresh r;
  for (const bool no_com : {false, true}) {  // every refresh starts its own sample
    r.events.clear();
    r.Run(no_com);
    const auto& e = r.events;
    auto at = [&](const std::string& event) { return std::find(e.begin(), e.end(), event) - e.begin(); };
    ASSERT_FALSE(e.empty());
    EXPECT_EQ(e.front(), "StartClockSample") << "the sample starts before anything else is asked";
    EXPECT_EQ(std::count(e.begin(), e.end(), "StartClockSample"), 1);
    EXPECT_EQ(std::count(e.begin(), e.end(), "CpuSpeed"), 1);
    // Every other question is asked while the sample runs; row 5 takes it last.
    for (std::size_t i = 0; i < e.size(); ++i) {
      if (e[i].starts_with("row ")) continue;
      EXPECT_LE(static_cast<std::ptrdiff_t>(i), at("CpuSpeed")) << e[i] << " is asked after the sample is taken";
    }
    ASSERT_LT(at("CpuSpeed") + 1, static_cast<std::ptrdiff_t>(e.size()));
    EXPECT_EQ(e[static_cast<std::size_t>(at("CpuSpeed") + 1)], "row 5");
    // The rows are written in order all the same.
    std::vector<int> written;
    for (const auto& event : e) {
      if (event.starts_with("row ")) written.push_back(std::stoi(event.substr(4)));
    }
    EXPECT_TRUE(std::is_sorted(written.begin(), written.end()));
    EXPECT_EQ(written.back(), report::kRowCount);
  }
}

TEST(RefreshPipeline, FallbacksOfTheComposedRows) {
  Refresh r;
  r.collectors.wow64 = true;
  r.collectors.cpu_brand.clear();
  r.collectors.wave.reset();
  r.collectors.probed_parallel = L"  ";
  r.Run();
  EXPECT_EQ(r.sheet.Value(1), L"Windows XP, Version 5.1.2600, Service Pack 3, 64 Bit.");
  EXPECT_EQ(r.sheet.Value(4), L"x86 Family 6");
  EXPECT_EQ(r.sheet.Value(6), L"Not detected");
  EXPECT_EQ(r.sheet.Value(13), L"COM1 | COM2 NOT Present");

  r.collectors.wow64.reset();  // the word-size test failed: no suffix
  r.Run();
  EXPECT_EQ(r.sheet.Value(1), L"Windows XP, Version 5.1.2600, Service Pack 3, ");

  // The 64-bit build is no WOW64 process, and runs on 64-bit Windows all the same.
  r.collectors.program_64 = true;
  for (const std::optional<bool> wow64 : {std::optional<bool>(false), std::optional<bool>()}) {
    r.collectors.wow64 = wow64;
    r.Run();
    EXPECT_EQ(r.sheet.Value(1), L"Windows XP, Version 5.1.2600, Service Pack 3, 64 Bit.");
  }
}

TEST(RefreshPipeline, GuardedStepsKeepWhatTheyHad) {
  Refresh r;
  r.collectors.failing = {"OpticalDrives"};
  r.Run();
  EXPECT_EQ(r.sheet.Value(12), L"") << "no optical drive on the first refresh";
  EXPECT_EQ(r.sheet.optical_short_list, L"");

  r.collectors.failing.clear();
  r.Run();
  r.collectors.failing = {"NetworkAdapters", "OpticalDrives", "BiosManufacturer", "IdentifyWindows", "BrowserVersion"};
  r.sheet.Value(20) = L"earlier product";
  r.Run();
  EXPECT_EQ(r.sheet.Value(11), L"NIC 1");
  EXPECT_EQ(r.sheet.Value(12), L"D: DRIVE");
  EXPECT_EQ(r.sheet.optical_short_list, L"") << "a failed drive query leaves no stale short list";
  EXPECT_EQ(r.sheet.Value(19), L"BIOS Maker");
  EXPECT_EQ(r.sheet.Value(20), L"earlier product") << "a failure in row 19 leaves row 20 alone";
  EXPECT_EQ(r.sheet.Value(1), L"");
  EXPECT_EQ(r.sheet.Value(2), L"");
  EXPECT_EQ(r.sheet.Value(28), L"HOST") << "the refresh runs to its end";
}

TEST(RefreshPipeline, PortFailures) {
  const struct {
    std::set<std::string> failing;
    const wchar_t* row13;
  } cases[] = {
      {{"SerialPorts"}, L"LPT1"},
      {{"ProbedParallelPorts"}, L"COM1 | COM2 "},
      {{"SerialPorts", "ProbedParallelPorts"}, L""},
  };
  for (const auto& c : cases) {
    Refresh r;
    r.sheet.Value(13) = L"stale";
    r.collectors.failing = c.failing;
    r.Run();
    EXPECT_EQ(r.sheet.Value(13), c.row13);
  }
}

TEST(RefreshPipeline, NoComClearsThePortsRowWithoutTouchingThePorts) {
  Refresh r;
  r.sheet.Value(13) = L"COM1";
  r.Run(/*no_com=*/true);
  EXPECT_EQ(r.sheet.Value(13), L"");
  for (const auto& name : r.collectors.asked) {
    EXPECT_NE(name, "SerialPorts");
    EXPECT_NE(name, "ProbedParallelPorts");
    EXPECT_NE(name, "RegistryParallelPorts");
  }
  EXPECT_EQ(r.sheet.Value(14), L"PS/2 Mouse");
}

}  // namespace
}  // namespace corvane::app
