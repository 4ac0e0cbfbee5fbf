// The printers window's model: the installed printers as the drop-down list
// names them, and for the chosen one its status, port, device capabilities,
// PostScript support and paper bins, plus the machine's printer-driver
// folder. Every text is worded here from raw numbers and buffers.
#pragma once
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "inventory/printers_window_ids.h"
#include "ui/sheet_table.h"
#include "ui/report_section.h"

namespace corvane::inventory {

inline constexpr wchar_t kPrintersCaption[] = L"Printers";

// The window's one message of its own: the driver counts its bins and its
// bin names differently, so the names cannot be paired with their numbers.
inline constexpr char kBinCountMismatchText[] = "DeviceCapabilities reports different number of bins and bin names!";

class PrintersError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct PrintersModel {
  std::vector<std::wstring> entries;  // the drop-down list, as the printer object names the printers
  int selected = -1;                  // the chosen entry; -1 with none
  std::wstring driver_directory;
  std::wstring status;
  std::wstring technology;
  std::wstring orientation;
  std::wstring page_height;
  std::wstring page_width;
  std::wstring physical_width;
  std::wstring physical_height;
  std::wstring postscript;
  std::wstring horizontal_dpi;
  std::wstring vertical_dpi;
  std::wstring bits_per_pixel;
  std::wstring driver_version;
  std::wstring brushes;
  std::wstring pens;
  std::wstring fonts;
  std::wstring colors;
  std::vector<std::wstring> bins;           // shown, one per line
  std::vector<std::uint16_t> bin_numbers;   // kept with their names, not shown
  std::wstring port;
  friend bool operator==(const PrintersModel&, const PrintersModel&) = default;
};

// The list's row height in sheet rows: room for a few bins before it scrolls.
inline constexpr int kPaperBinLines = 4;

// The window's rows, under the headings "Item" and "Details", in screen
// order; the first one's value is the drop-down list.
inline constexpr ui::SheetField<PrintersModel> kPrintersFields[] = {
    {L"Printers", L"Printers", printers_ids::kIdPrinters, nullptr},
    {L"Printer Driver Directory", L"DriverDirectory", printers_ids::kIdDriverDirectory,
     [](const PrintersModel& m) { return m.driver_directory; }},
    {L"Current Status", L"Status", printers_ids::kIdStatus, [](const PrintersModel& m) { return m.status; }},
    {L"Technology", L"Technology", printers_ids::kIdTechnology, [](const PrintersModel& m) { return m.technology; }},
    {L"Current Orientation", L"Orientation", printers_ids::kIdOrientation,
     [](const PrintersModel& m) { return m.orientation; }},
    {L"Page Height", L"PageHeight", printers_ids::kIdPageHeight, [](const PrintersModel& m) { return m.page_height; }},
    {L"Page Width", L"PageWidth", printers_ids::kIdPageWidth, [](const PrintersModel& m) { return m.page_width; }},
    {L"Physical Width", L"PhysicalWidth", printers_ids::kIdPhysicalWidth,
     [](const PrintersModel& m) { return m.physical_width; }},
    {L"Physical Height", L"PhysicalHeight", printers_ids::kIdPhysicalHeight,
     [](const PrintersModel& m) { return m.physical_height; }},
    {L"Postscript", L"Postscript", printers_ids::kIdPostscript, [](const PrintersModel& m) { return m.postscript; }},
    {L"Horizontal DPI", L"HorizontalDpi", printers_ids::kIdHorizontalDpi,
     [](const PrintersModel& m) { return m.horizontal_dpi; }},
    {L"Vertical DPI", L"VerticalDpi", printers_ids::kIdVerticalDpi,
     [](const PrintersModel& m) { return m.vertical_dpi; }},
    {L"Bits Per Inch", L"BitsPerPixel", printers_ids::kIdBitsPerPixel,
     [](const PrintersModel& m) { return m.bits_per_pixel; }},
    {L"Driver Version", L"DriverVersion", printers_ids::kIdDriverVersion,
     [](const PrintersModel& m) { return m.driver_version; }},
    {L"Number of Brushes", L"Brushes", printers_ids::kIdBrushes, [](const PrintersModel& m) { return m.brushes; }},
    {L"Number of Pens", L"Pens", printers_ids::kIdPens, [](const PrintersModel& m) { return m.pens; }},
    {L"Number of Fonts", L"Fonts", printers_ids::kIdFonts, [](const PrintersModel& m) { return m.fonts; }},
    {L"Number of Colors", L"Colors", printers_ids::kIdColors, [](const PrintersModel& m) { return m.colors; }},
    {L"Paper Bins", L"PaperBins", printers_ids::kIdPaperBins,
     [](const PrintersModel& m) { return ui::JoinLines(m.bins); }, ui::SheetCell::kList, kPaperBinLines},
    {L"Port", L"Port", printers_ids::kIdPort, [](const PrintersModel& m) { return m.port; }},
};

// The device technology words by GetDeviceCaps TECHNOLOGY value.
struct TechnologyWord {
  int value;
  std::wstring_view word;
};
inline constexpr TechnologyWord kTechnologyWords[] = {
    {0, L"Vector Plotter"}, {1, L"Raster Display"}, {2, L"Raster Printer"}, {3, L"Raster Camera"},
    {4, L"Character Stream"}, {5, L"Metafile"}, {6, L"Display file"},
};
inline constexpr std::wstring_view kUnknownTechnology = L"#ERROR# is Unknwon";

// The row text: the value's word in upper case ("RASTER PRINTER"); any value
// outside the table gives the unknown word, also in capitals.
std::wstring TechnologyText(int value);

// "IDLE", or "PRINTING <page> <copies> Copies" while this program prints.
std::wstring StatusText(bool printing, int page_number, int copies);

// "PORTRAIT" or "LANDSCAPE".
std::wstring OrientationText(bool landscape);

// "Printer <entry> does support Postscript", with " not" after "does" when
// unsupported.
std::wstring PostscriptText(std::wstring_view entry, bool supported);

// The device capabilities the rows show, as GetDeviceCaps gives them.
struct PrinterCapabilities {
  int driver_version = 0;   // DRIVERVERSION
  int technology = 0;       // TECHNOLOGY
  int horz_size = 0;        // HORZSIZE, mm
  int vert_size = 0;        // VERTSIZE, mm
  int horz_res = 0;         // HORZRES, pixels
  int vert_res = 0;         // VERTRES, pixels
  int bits_pixel = 0;       // BITSPIXEL
  int num_brushes = 0;      // NUMBRUSHES
  int num_pens = 0;         // NUMPENS
  int num_fonts = 0;        // NUMFONTS
  int num_colors = 0;       // NUMCOLORS
  int logpixels_x = 0;      // LOGPIXELSX
  int logpixels_y = 0;      // LOGPIXELSY
  int physical_width = 0;   // PHYSICALWIDTH, device units
  int physical_height = 0;  // PHYSICALHEIGHT, device units
};

// Fills the capability rows: Driver Version, Technology, the page sizes
// ("%d mm  /  %d pixels"), the physical sizes ("%d " with a trailing space),
// the resolutions ("%d DPI"), Bits Per Inch (the bits per pixel) and the
// numbers of brushes, pens, fonts and colours.
void ShowCapabilities(const PrinterCapabilities& caps, PrintersModel& model);

// A bin name's width in characters in the driver's buffer of names.
inline constexpr std::size_t kBinNameWidth = 24;

// The driver's bin names: `count` names of kBinNameWidth characters each,
// each cut at its first zero (a name that fills its width has none). A
// buffer shorter than the count gives only the names it holds.
std::vector<std::wstring> BinNames(std::span<const wchar_t> buffer, int count);

// Throws PrintersError kBinCountMismatchText when the driver counts its bin
// names and its bins differently.
void CheckBinCounts(int names, int bins);

// The window's part of the inventory report: its rows as shown, the
// drop-down list's row holding the chosen printer, and every installed
// printer in a list of its own (the drop-down list's entries).
inline constexpr wchar_t kPrinterListTitle[] = L"Installed printers";
ui::ReportSection PrintersSection(const PrintersModel& model);

}  // namespace corvane::inventory
