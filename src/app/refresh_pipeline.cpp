#include "app/refresh_pipeline.h"

#include <array>
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

  // The clock sample waits half a second on its own thread: every other row
  // is read meanwhile, and row 5 takes its result last. The rows are still
  // written in order, so rows 6 to 28 wait for row 5 before they are shown.
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

  // Rows 6 to 28, read before they are written: a guarded step that fails
  // keeps the row's previous text.
  std::array<std::wstring, report::kRowCount + 1> read;
  for (int row = 6; row <= report::kRowCount; ++row) read[static_cast<std::size_t>(row)] = sheet.Value(row);
  auto at = [&read](int row) -> std::wstring& { return read[static_cast<std::size_t>(row)]; };

  const auto wave = c.FirstWaveOutDevice();
  at(6) = wave ? *wave : L"Not detected";
  at(7) = platform::TidyList(c.DisplayAdapters());
  at(8) = std::to_wstring(c.MonitorCount()) + L"x; " + c.MonitorNames();
  at(9) = c.Resolution() + L" - " + c.ColourDepth();
  at(10) = c.NetworkPresence();
  Guarded([&] { at(11) = platform::TidyList(c.NetworkAdapters()); });
  sheet.optical_short_list.clear();
  Guarded([&] {
    OpticalDriveReading drives = c.OpticalDrives();
    sheet.optical_short_list = std::move(drives.short_list);
    at(12) = platform::TidyList(drives.list);
  });

  if (no_com) {
    at(13).clear();
  } else {
    if (!Guarded([&] { at(13) = platform::TidyList(c.SerialPorts()) + L" "; })) at(13).clear();
    Guarded([&] {
      std::wstring parallel = platform::TidyList(c.ProbedParallelPorts());
      if (parallel.empty()) parallel = c.RegistryParallelPorts();
      at(13) += parallel;
    });
  }

  at(14) = c.Mouse();
  at(15) = platform::TidyList(c.DriveSizes());
  at(16) = platform::TidyList(c.DriveFreeSpace());
  at(17) = c.UsbControllers();
  at(18) = c.FirewireControllers();
  // Row 20 is read only when row 19 was.
  Guarded([&] {
    at(19) = c.BiosManufacturer();
    at(20) = c.ProductName();
  });
  at(21) = c.AcPower();
  at(22) = platform::TidyList(platform::TidyList(c.BiosText()));
  at(23) = c.TimeZone();
  at(24) = c.Battery();
  at(25) = platform::Trim(c.Motherboard());
  at(26) = c.IpAddresses();
  at(27) = c.MacAddress();
  at(28) = c.HostName();

  set(5, c.CpuSpeed());
  // The last three rows show when the window next paints.
  for (int row = 6; row <= report::kRowCount; ++row) set(row, std::move(at(row)), row <= 25);
}

}  // namespace corvane::app
