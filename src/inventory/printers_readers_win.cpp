#include "inventory/printers_readers_win.h"

#include <windows.h>
#include <winspool.h>

#include <array>
#include <vector>

#include "platform/printer_win.h"

namespace corvane::inventory {
namespace {

// The escapes a PostScript driver answers to, asked in this order.
constexpr std::array<int, 3> kPostscriptEscapes = {POSTSCRIPT_DATA, POSTSCRIPT_IDENTIFY, POSTSCRIPT_PASSTHROUGH};

bool SupportsPostscript(HDC dc) {
  for (const int escape : kPostscriptEscapes) {
    if (ExtEscape(dc, QUERYESCSUPPORT, sizeof escape, reinterpret_cast<LPCSTR>(&escape), 0, nullptr) != 0) {
      return true;
    }
  }
  return false;
}

PrinterCapabilities ReadCapabilities(HDC dc) {
  PrinterCapabilities caps;
  caps.driver_version = GetDeviceCaps(dc, DRIVERVERSION);
  caps.technology = GetDeviceCaps(dc, TECHNOLOGY);
  caps.vert_size = GetDeviceCaps(dc, VERTSIZE);
  caps.vert_res = GetDeviceCaps(dc, VERTRES);
  caps.horz_size = GetDeviceCaps(dc, HORZSIZE);
  caps.horz_res = GetDeviceCaps(dc, HORZRES);
  caps.physical_width = GetDeviceCaps(dc, PHYSICALWIDTH);
  caps.physical_height = GetDeviceCaps(dc, PHYSICALHEIGHT);
  caps.logpixels_x = GetDeviceCaps(dc, LOGPIXELSX);
  caps.logpixels_y = GetDeviceCaps(dc, LOGPIXELSY);
  caps.bits_pixel = GetDeviceCaps(dc, BITSPIXEL);
  caps.num_brushes = GetDeviceCaps(dc, NUMBRUSHES);
  caps.num_pens = GetDeviceCaps(dc, NUMPENS);
  caps.num_fonts = GetDeviceCaps(dc, NUMFONTS);
  caps.num_colors = GetDeviceCaps(dc, NUMCOLORS);
  return caps;
}

void ReadCapabilityRows(platform::Printer& printer, PrintersModel& model) {
  HDC dc = printer.Handle();
  // The sizes are read in device units.
  if (GetMapMode(dc) != MM_TEXT) SetMapMode(dc, MM_TEXT);
  model.orientation = OrientationText(printer.orientation() == platform::PrintOrientation::kLandscape);
  ShowCapabilities(ReadCapabilities(dc), model);
}

void ReadBins(platform::Printer& printer, PrintersModel& model) {
  const platform::Printer::Names names = printer.GetNames();
  const wchar_t* device = names.device.c_str();
  const wchar_t* port = names.port.c_str();
  const int name_count = DeviceCapabilitiesW(device, port, DC_BINNAMES, nullptr, nullptr);
  const int bin_count = DeviceCapabilitiesW(device, port, DC_BINS, nullptr, nullptr);
  CheckBinCounts(name_count, bin_count);
  model.bins.clear();
  model.bin_numbers.clear();
  if (name_count <= 0) return;
  std::vector<wchar_t> name_buffer(static_cast<std::size_t>(name_count) * kBinNameWidth);
  std::vector<WORD> numbers(static_cast<std::size_t>(bin_count));
  const int names_got = DeviceCapabilitiesW(device, port, DC_BINNAMES, name_buffer.data(), nullptr);
  const int numbers_got = DeviceCapabilitiesW(device, port, DC_BINS, reinterpret_cast<wchar_t*>(numbers.data()), nullptr);
  model.bins = BinNames(name_buffer, names_got);
  for (int i = 0; i < numbers_got && i < bin_count; ++i) model.bin_numbers.push_back(numbers[static_cast<std::size_t>(i)]);
}

}  // namespace

void ReadPrinters(PrintersModel& model) {
  platform::Printer& printer = platform::ThePrinter();
  // A job in progress keeps its printer; otherwise printers added or removed
  // since the last reading show up.
  if (!printer.printing()) printer.Refresh();
  model = PrintersModel{};
  model.entries = printer.Printers();
  model.selected = model.entries.empty() ? -1 : 0;
  ReadSelectedPrinter(model);
  model.driver_directory = ReadDriverDirectory();
}

void ReadSelectedPrinter(PrintersModel& model) {
  platform::Printer& printer = platform::ThePrinter();
  printer.SetIndex(model.selected);
  model.status = StatusText(printer.printing(), printer.page_number(), printer.copies());
  model.port = printer.GetNames().port;
  const bool in_list = model.selected >= 0 && static_cast<std::size_t>(model.selected) < model.entries.size();
  model.postscript =
      PostscriptText(in_list ? model.entries[static_cast<std::size_t>(model.selected)] : L"", SupportsPostscript(printer.Handle()));
  if (printer.index() >= 0) {
    try {
      ReadCapabilityRows(printer, model);
    } catch (const std::runtime_error&) {
      printer.SetIndex(-1);
    }
  }
  ReadBins(printer, model);
}

std::wstring ReadDriverDirectory() {
  // Room for a path of 200 characters first; a longer one is read at its own length.
  std::vector<wchar_t> path(200);
  DWORD needed = 0;
  auto ask = [&] {
    return GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(path.data()),
                                      static_cast<DWORD>(path.size() * sizeof(wchar_t)), &needed) != FALSE;
  };
  bool ok = ask();
  if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER && needed > 0) {
    path.assign(needed / sizeof(wchar_t) + 1, L'\0');
    ok = ask();
  }
  if (!ok) return {};
  path.back() = L'\0';
  return path.data();
}

}  // namespace corvane::inventory
