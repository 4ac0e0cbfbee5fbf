#include "ui/window_print_win.h"

#include <winspool.h>

#include <vector>

#include "platform/unique_handle.h"
#include "ui/print_layout.h"

namespace corvane::ui {
namespace {

platform::UniqueDc DefaultPrinterDc() {
  DWORD size = 0;
  GetDefaultPrinterW(nullptr, &size);
  if (size == 0) return {};
  std::vector<wchar_t> name(size);
  if (!GetDefaultPrinterW(name.data(), &size)) return {};
  return platform::UniqueDc(CreateDCW(L"WINSPOOL", name.data(), nullptr, nullptr));
}

}  // namespace

DWORD PrintWindowImage(HWND window, const wchar_t* job_title) {
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right, height = client.bottom;

  // Capture what the window shows now.
  platform::WindowDc screen(window);
  platform::UniqueDc memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  platform::UniqueBitmap image(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !image) return GetLastError();
  {
    platform::SelectGuard keep(memory.get(), image.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
  }
  GdiFlush();

  platform::UniqueDc printer = DefaultPrinterDc();
  if (!printer) return ERROR_INVALID_PRINTER_NAME;
  const auto size = ScaleToPrinter(width, height, GetDeviceCaps(screen.get(), LOGPIXELSX),
                                   GetDeviceCaps(screen.get(), LOGPIXELSY), GetDeviceCaps(printer.get(), LOGPIXELSX),
                                   GetDeviceCaps(printer.get(), LOGPIXELSY));
  DOCINFOW doc{sizeof doc, job_title, nullptr, nullptr, 0};
  if (StartDocW(printer.get(), &doc) <= 0) return GetLastError();
  DWORD error = ERROR_SUCCESS;
  if (StartPage(printer.get()) <= 0 ||
      StretchDIBits(printer.get(), 0, 0, size.width, size.height, 0, 0, width, height, bits, &info, DIB_RGB_COLORS,
                    SRCCOPY) == 0 ||
      EndPage(printer.get()) <= 0) {
    error = GetLastError();
    AbortDoc(printer.get());
    return error ? error : ERROR_PRINTER_NOT_FOUND;
  }
  EndDoc(printer.get());
  return ERROR_SUCCESS;
}

}  // namespace corvane::ui
