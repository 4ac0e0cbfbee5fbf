#include "ui/window_print_win.h"

#include "platform/failure_text_win.h"
#include "platform/printer_win.h"
#include "platform/unique_handle.h"
#include "ui/print_layout.h"

namespace corvane::ui {

void PrintWindowImage(HWND window, std::wstring_view job_title) {
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
  if (!memory || !image) platform::RaiseLastSystemError();
  {
    platform::SelectGuard keep(memory.get(), image.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY);
  }
  GdiFlush();

  platform::Printer& printer = platform::ThePrinter();
  printer.title.assign(job_title);
  printer.BeginDoc();
  HDC page = printer.canvas();
  const auto size = ScaleToPrinter(width, height, GetDeviceCaps(screen.get(), LOGPIXELSX),
                                   GetDeviceCaps(screen.get(), LOGPIXELSY), GetDeviceCaps(page, LOGPIXELSX),
                                   GetDeviceCaps(page, LOGPIXELSY));
  if (StretchDIBits(page, 0, 0, size.width, size.height, 0, 0, width, height, bits, &info, DIB_RGB_COLORS,
                    SRCCOPY) == 0) {
    const DWORD error = GetLastError();
    printer.Abort();
    throw platform::SystemError(error ? error : ERROR_PRINTER_NOT_FOUND);
  }
  printer.EndDoc();
}

}  // namespace corvane::ui
