// "Print Preview": a printed document's pages on the screen, as the printer
// will print them, with zoom, page navigation, the print dialog ("Printer
// Setup") and printing. Shown modally by whoever asks for a preview; it
// keeps its document and hands it to the application's printer.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/printer_win.h"
#include "ui/list_print.h"
#include "ui/print_document.h"
#include "ui/toolbar_win.h"
#include "ui/window_win.h"

namespace corvane::ui {

inline constexpr wchar_t kPrintPreviewCaption[] = L"Print Preview";

// Maps `dc` so one logical unit is 1/96 inch at `percent` of the device's
// real size, the paper's corner at `origin` (device pixels).
void MapToPaper(HDC dc, int percent, POINT origin);
// The document's pages as measured on `dc` once mapped by MapToPaper.
std::vector<std::vector<PrintOp>> RenderPages(HDC mapped_dc, const PrintDocument& document);
// Paints page `index` of `pages` onto `dc` (white paper, the operations) at
// `percent`, its corner at `origin` device pixels.
void PaintPage(HDC dc, const std::vector<std::vector<PrintOp>>& pages, std::size_t index, const PrintDocument& document,
               int percent, POINT origin);
// Prints every page on the printer as it is chosen now; `output` as for
// Printer::BeginDoc. Throws the printer's failures; the job is then dropped.
void PrintDocumentOn(platform::Printer& printer, const PrintDocument& document, const std::wstring& output = {});

class PrintPreviewWindow : public Window {
 public:
  PrintPreviewWindow(const Theme& theme, PrintDocument document);
  ~PrintPreviewWindow() override;

  void ZoomFit1Click();
  void ZoomIn1Click();
  void ZoomOut1Click();
  void FirstPage1Click();
  void PreviousPage1Click();
  void NextPage1Click();
  void LastPage1Click();
  // The print dialog: the printer, its settings and the copies for the print.
  void PrinterSetup1Click();
  // Prints the document on the application's printer, then closes.
  void Print1Click();
  void Close1Click();

  int page() const { return page_; }
  int pages() const { return static_cast<int>(pages_.size()); }
  int zoom() const { return zoom_; }
  const std::wstring& status() const { return status_; }

 protected:
  bool Build() override;
  void OnResize(int width, int height) override;
  LRESULT OnNotify(NMHDR* hdr) override;

 private:
  class PageView;
  void ShowPage();

  PrintDocument document_;
  std::vector<std::vector<PrintOp>> pages_;
  Toolbar toolbar_;
  std::unique_ptr<PageView> view_;
  HWND status_bar_ = nullptr;
  std::wstring status_;
  int page_ = 0;
  int zoom_ = 100;
  bool fit_ = true;  // the zoom follows the window's size until the user picks one
};

}  // namespace corvane::ui
