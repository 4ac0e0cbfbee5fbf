#include "app/refresh_pipeline.h"

#include <exception>
#include <string>

#include "app/collectors/os_identity.h"
#include "platform/list_text.h"

namespace corvane::app {
namespace {

class BusyScope {
 public:
  explicit BusyScope(RefreshView& view) : view_(view) { view_.SetBusy(true); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
  ~BusyScope() { view_.SetBusy(false); }

 private:
  RefreshView& view_;
};

// Runs a step; a failure inside it is swallowed and reported as false.
template <class Step>
bool Guarded(Step&& step) {
  try {
    step();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace

void RunRefresh(SummaryCollectors& c, report::SummaryModel& sheet, RefreshView& view, bool no_com) {
  auto set = [&](int row, std::wstring text, bool repaint = true) {
    sheet.Value(row) = std::move(text);
    view.RowChanged(row, repaint);
  };

  // The clock sample waits half a second: rows 1 to 4 run meanwhile, and
  // row 5 takes its result.
  c.StartClockSample();

  const std::wstring word_size = WordSizeSuffix(c.ProgramIs64Bit(), c.IsWow64());

  BusyScope busy(view);

  // Row 1: the fixed parts stay even when the system cannot tell its version.
  std::wstring row1;
  Guarded([&] {
    const WindowsIdentity os = c.IdentifyWindows();
    row1 = os.name + L", Version " + os.version + L", " + os.service_pack + L", " + word_size;
  });
  set(1, row1);

  std::wstring browser;
  Guarded([&] { browser = c.BrowserVersion(); });
  set(2, browser);

  set(3, c.Memory());
  set(4, c.CpuBrand());
  if (sheet.Value(4).empty()) set(4, c.CpuIdentifier());
  set(5, c.CpuSpeed());
  const auto wave = c.FirstWaveOutDevice();
  set(6, wave ? *wave : L"Not detected");
  set(7, platform::TidyList(c.DisplayAdapters()));
  set(8, std::to_wstring(c.MonitorCount()) + L"x; " + c.MonitorNames());
  set(9, c.Resolution() + L" - " + c.ColourDepth());
  set(10, c.NetworkPresence());
  // A failing adapter or drive query keeps the row's previous text.
  Guarded([&] { set(11, platform::TidyList(c.NetworkAdapters())); });
  sheet.optical_short_list.clear();
  Guarded([&] {
    OpticalDriveReading drives = c.OpticalDrives();
    sheet.optical_short_list = std::move(drives.short_list);
    set(12, platform::TidyList(drives.list));
  });

  if (no_com) {
    sheet.Value(13).clear();
  } else {
    if (!Guarded([&] { sheet.Value(13) = platform::TidyList(c.SerialPorts()) + L" "; })) sheet.Value(13).clear();
    Guarded([&] {
      std::wstring parallel = platform::TidyList(c.ProbedParallelPorts());
      if (parallel.empty()) parallel = c.RegistryParallelPorts();
      sheet.Value(13) += parallel;
    });
  }
  view.RowChanged(13, true);

  set(14, c.Mouse());
  set(15, platform::TidyList(c.DriveSizes()));
  set(16, platform::TidyList(c.DriveFreeSpace()));
  set(17, c.UsbControllers());
  set(18, c.FirewireControllers());
  Guarded([&] {
    set(19, c.BiosManufacturer());
    set(20, c.ProductName());
  });
  set(21, c.AcPower());
  set(22, platform::TidyList(platform::TidyList(c.BiosText())));
  set(23, c.TimeZone());
  set(24, c.Battery());
  set(25, platform::Trim(c.Motherboard()));
  // The last three rows show when the window next paints.
  set(26, c.IpAddresses(), false);
  set(27, c.MacAddress(), false);
  set(28, c.HostName(), false);
}

}  // namespace corvane::app
