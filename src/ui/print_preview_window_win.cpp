#include "ui/print_preview_window_win.h"

#include <commctrl.h>

#include <utility>

#include "platform/unique_handle.h"
#include "ui/print_dialog_win.h"
#include "ui/print_painter_win.h"
#include "ui/print_preview.h"
#include "ui/print_preview_ids.h"

namespace corvane::ui {
namespace {

using namespace preview_ids;

constexpr ToolButton kToolbar[] = {
    {kCmdZoomFit, L"Zoom to fit", L"[]", 0x00806040, L"Fit"},
    {kCmdZoomIn, L"Zoom in", L"+", 0x00806040, L"Zoom In"},
    {kCmdZoomOut, L"Zoom out", L"-", 0x00806040, L"Zoom Out"},
    kToolSeparator,
    {kCmdFirstPage, L"First page", L"|<", 0x00406080, L"First"},
    {kCmdPreviousPage, L"Previous page", L"<", 0x00406080, L"Previous"},
    {kCmdNextPage, L"Next page", L">", 0x00406080, L"Next"},
    {kCmdLastPage, L"Last page", L">|", 0x00406080, L"Last"},
    kToolSeparator,
    {kCmdPrinterSetup, L"Printer setup", L"S", 0x00408040, L"Setup"},
    {kCmdPrint, L"Print", L"P", 0x00408040, L"Print"},
    kToolSeparator,
    {kCmdClose, L"Close", L"X", 0x00505050, L"Close"},
};

constexpr Command<PrintPreviewWindow> kCommands[] = {
    {kCmdZoomFit, &PrintPreviewWindow::ZoomFit1Click},
    {kCmdZoomIn, &PrintPreviewWindow::ZoomIn1Click},
    {kCmdZoomOut, &PrintPreviewWindow::ZoomOut1Click},
    {kCmdFirstPage, &PrintPreviewWindow::FirstPage1Click},
    {kCmdPreviousPage, &PrintPreviewWindow::PreviousPage1Click},
    {kCmdNextPage, &PrintPreviewWindow::NextPage1Click},
    {kCmdLastPage, &PrintPreviewWindow::LastPage1Click},
    {kCmdPrinterSetup, &PrintPreviewWindow::PrinterSetup1Click},
    {kCmdPrint, &PrintPreviewWindow::Print1Click},
    {kCmdClose, &PrintPreviewWindow::Close1Click},
};

PrintMeasure MeasureOn(PrintPainter& painter) {
  return {[&painter](const PrintFont& font, std::wstring_view text) { return painter.TextWidth(font, text); },
          [&painter](const PrintFont& font) { return painter.TextHeight(font, L"Xg"); }};
}

}  // namespace

void MapToPaper(HDC dc, int percent, POINT origin) {
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 96 * 100, 96 * 100, nullptr);
  SetViewportExtEx(dc, GetDeviceCaps(dc, LOGPIXELSX) * percent, GetDeviceCaps(dc, LOGPIXELSY) * percent, nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
}

std::vector<std::vector<PrintOp>> RenderPages(HDC mapped_dc, const PrintDocument& document) {
  if (!document.render) return {};
  PrintPainter painter(mapped_dc, 96);
  auto pages = SplitPages(document.render(MeasureOn(painter)));
  if (pages.empty()) pages.emplace_back();  // a document is at least one page
  return pages;
}

void PaintPage(HDC dc, const std::vector<std::vector<PrintOp>>& pages, std::size_t index,
               const PrintDocument& document, int percent, POINT origin) {
  const int saved = SaveDC(dc);
  MapToPaper(dc, percent, origin);
  RECT paper{0, 0, document.paper_width, document.paper_height};
  FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  IntersectClipRect(dc, paper.left, paper.top, paper.right, paper.bottom);
  if (index < pages.size()) {
    PrintPainter painter(dc, 96);
    painter.Play(pages[index]);
  }
  RestoreDC(dc, saved);
}

void PrintDocumentOn(platform::Printer& printer, const PrintDocument& document, const std::wstring& output) {
  const platform::KeepPrinterSettings keep(printer);
  printer.title = document.title;
  printer.SetOrientation(document.landscape ? platform::PrintOrientation::kLandscape
                                            : platform::PrintOrientation::kPortrait);
  printer.SetPaperSize(document.paper_size);
  printer.BeginDoc(output);
  try {
    HDC dc = printer.canvas();
    // The paper's corner lies outside the printable area by the offsets.
    const POINT corner{-GetDeviceCaps(dc, PHYSICALOFFSETX), -GetDeviceCaps(dc, PHYSICALOFFSETY)};
    MapToPaper(dc, 100, corner);
    const auto pages = RenderPages(dc, document);
    for (std::size_t p = 0; p < pages.size(); ++p) {
      if (p > 0) {
        printer.NewPage();
        MapToPaper(dc, 100, corner);  // a new page may start from the device's defaults
      }
      PrintPainter painter(dc, 96);
      painter.Play(pages[p]);
    }
    printer.EndDoc();
  } catch (...) {
    printer.Abort();
    throw;
  }
}

// The pages' view: grey around the paper, scroll bars when the paper is
// larger than the view, drawn through a bitmap so zooming does not flicker.
class PrintPreviewWindow::PageView : public Window {
 public:
  PageView(const Theme& theme, PrintPreviewWindow& owner) : Window(theme), owner_(owner) {}

  bool Create(HWND parent) {
    CreateParams p{L"TPreviewPage", L""};
    p.style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL;
    p.ex_style = WS_EX_CLIENTEDGE;
    p.x = p.y = p.width = p.height = 0;
    p.parent = parent;
    p.menu_or_id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdPage));
    p.background = GetSysColorBrush(COLOR_APPWORKSPACE);
    return Window::Create(p);
  }

  // The page at the zoom now chosen: scroll bars set, painted again.
  void Update() {
    const PreviewSize page = Page();
    RECT client{};
    GetClientRect(hwnd(), &client);
    const PreviewPlace place = PlacePage(page, client.right, client.bottom, 0, 0);
    SetRange(SB_HORZ, place.range_x, client.right);
    SetRange(SB_VERT, place.range_y, client.bottom);
    InvalidateRect(hwnd(), nullptr, FALSE);
  }

 protected:
  bool Build() override { return hwnd() != nullptr; }
  void OnResize(int, int) override { Update(); }

  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    switch (msg) {
      case WM_ERASEBKGND:
        return 1;  // the paint covers everything
      case WM_PAINT:
        Paint();
        return 0;
      case WM_HSCROLL:
        Scroll(SB_HORZ, LOWORD(wp));
        return 0;
      case WM_VSCROLL:
        Scroll(SB_VERT, LOWORD(wp));
        return 0;
      case WM_MOUSEWHEEL:
        Scroll(SB_VERT, GET_WHEEL_DELTA_WPARAM(wp) > 0 ? SB_LINEUP : SB_LINEDOWN);
        return 0;
      default:
        return Window::OnMessage(msg, wp, lp);
    }
  }

 private:
  PreviewSize Page() const {
    platform::WindowDc screen(hwnd());
    return PageOnScreen(owner_.document_.paper_width, owner_.document_.paper_height, owner_.zoom_,
                        GetDeviceCaps(screen.get(), LOGPIXELSY));
  }

  int Position(int bar) const {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    GetScrollInfo(hwnd(), bar, &info);
    return info.nPos;
  }

  void SetRange(int bar, int range, int page) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = range > page ? range - 1 : 0;
    info.nPage = range > page ? static_cast<UINT>(page) : 0;
    SetScrollInfo(hwnd(), bar, &info, TRUE);
  }

  void Scroll(int bar, int request) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(hwnd(), bar, &info);
    int pos = info.nPos;
    const int line = 40;
    switch (request) {
      case SB_LINEUP: pos -= line; break;
      case SB_LINEDOWN: pos += line; break;
      case SB_PAGEUP: pos -= static_cast<int>(info.nPage); break;
      case SB_PAGEDOWN: pos += static_cast<int>(info.nPage); break;
      case SB_THUMBTRACK:
      case SB_THUMBPOSITION: pos = info.nTrackPos; break;
      case SB_TOP: pos = info.nMin; break;
      case SB_BOTTOM: pos = info.nMax; break;
      default: return;
    }
    info.fMask = SIF_POS;
    info.nPos = pos;
    SetScrollInfo(hwnd(), bar, &info, TRUE);
    InvalidateRect(hwnd(), nullptr, FALSE);
  }

  void Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    RECT client{};
    GetClientRect(hwnd(), &client);
    platform::UniqueDc memory(CreateCompatibleDC(dc));
    platform::UniqueBitmap bitmap(CreateCompatibleBitmap(dc, std::max<LONG>(client.right, 1),
                                                         std::max<LONG>(client.bottom, 1)));
    if (memory && bitmap) {
      platform::SelectGuard keep(memory.get(), bitmap.get());
      FillRect(memory.get(), &client, GetSysColorBrush(COLOR_APPWORKSPACE));
      const PreviewSize page = Page();
      const PreviewPlace place =
          PlacePage(page, client.right, client.bottom, Position(SB_HORZ), Position(SB_VERT));
      // A shadow, then the paper.
      RECT shadow{place.left + 4, place.top + 4, place.left + page.width + 4, place.top + page.height + 4};
      FillRect(memory.get(), &shadow, static_cast<HBRUSH>(GetStockObject(DKGRAY_BRUSH)));
      PaintPage(memory.get(), owner_.pages_, static_cast<std::size_t>(owner_.page_), owner_.document_, owner_.zoom_,
                {place.left, place.top});
      BitBlt(dc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd(), &ps);
  }

  PrintPreviewWindow& owner_;
};

PrintPreviewWindow::PrintPreviewWindow(const Theme& theme, PrintDocument document)
    : Window(theme), document_(std::move(document)) {}

PrintPreviewWindow::~PrintPreviewWindow() = default;

bool PrintPreviewWindow::Build() {
  CreateParams p{L"TfrmPrintPreview", kPrintPreviewCaption};
  p.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_MAXIMIZE;
  p.width = 800;
  p.height = 700;
  if (!Create(p)) return false;
  BindCommands(kCommands);
  if (!toolbar_.Create(hwnd(), kIdToolbar, kToolbar)) return false;
  FileControl(L"ToolBar1", kIdToolbar, toolbar_.hwnd());
  view_ = std::make_unique<PageView>(theme(), *this);
  if (!view_->Create(hwnd())) return false;
  FileControl(L"Page", kIdPage, view_->hwnd());
  status_bar_ = AddControl(L"StatusBar1", kIdStatus, STATUSCLASSNAMEW, L"", WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0);
  if (!status_bar_) return false;

  // Measured as the screen shows them; printing measures again on the printer.
  platform::WindowDc screen(hwnd());
  platform::UniqueDc measuring(CreateCompatibleDC(screen.get()));
  MapToPaper(measuring.get(), 100, {0, 0});
  pages_ = RenderPages(measuring.get(), document_);

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
  ShowPage();
  return true;
}

void PrintPreviewWindow::OnResize(int width, int height) {
  if (!status_bar_ || !view_) return;
  SendMessageW(toolbar_.hwnd(), TB_AUTOSIZE, 0, 0);
  const int top = toolbar_.Height();
  SendMessageW(status_bar_, WM_SIZE, 0, 0);
  RECT bar{};
  GetWindowRect(status_bar_, &bar);
  const int bottom = height - Logical(bar.bottom - bar.top);
  PlaceControl(view_->hwnd(), {0, top, width, std::max(0, bottom - top)});
  if (fit_) {
    // The page is drawn in the screen's own pixels (its paper measure).
    RECT view{};
    GetClientRect(view_->hwnd(), &view);
    platform::WindowDc screen(hwnd());
    zoom_ = FitZoom(document_.paper_width, document_.paper_height, view.right, view.bottom,
                    GetDeviceCaps(screen.get(), LOGPIXELSY));
  }
  ShowPage();
}

LRESULT PrintPreviewWindow::OnNotify(NMHDR* hdr) {
  if (toolbar_.HandleTooltip(hdr)) return 0;
  return 0;
}

void PrintPreviewWindow::ShowPage() {
  status_ = PageStatusText(page_, pages()) + L"    " + ZoomStatusText(zoom_);
  if (status_bar_) SendMessageW(status_bar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(status_.c_str()));
  const int last = pages() - 1;
  toolbar_.Enable(kCmdFirstPage, page_ > 0);
  toolbar_.Enable(kCmdPreviousPage, page_ > 0);
  toolbar_.Enable(kCmdNextPage, page_ < last);
  toolbar_.Enable(kCmdLastPage, page_ < last);
  if (view_) view_->Update();
}

void PrintPreviewWindow::ZoomFit1Click() {
  fit_ = true;
  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
}

void PrintPreviewWindow::ZoomIn1Click() {
  fit_ = false;
  zoom_ = ZoomIn(zoom_);
  ShowPage();
}

void PrintPreviewWindow::ZoomOut1Click() {
  fit_ = false;
  zoom_ = ZoomOut(zoom_);
  ShowPage();
}

void PrintPreviewWindow::FirstPage1Click() {
  page_ = 0;
  ShowPage();
}

void PrintPreviewWindow::PreviousPage1Click() {
  page_ = StepPage(page_, -1, pages());
  ShowPage();
}

void PrintPreviewWindow::NextPage1Click() {
  page_ = StepPage(page_, 1, pages());
  ShowPage();
}

void PrintPreviewWindow::LastPage1Click() {
  page_ = StepPage(page_, pages(), pages());
  ShowPage();
}

void PrintPreviewWindow::PrinterSetup1Click() { RunPrintDialog(hwnd(), platform::ThePrinter()); }

void PrintPreviewWindow::Print1Click() {
  const BusyCursor busy;
  PrintDocumentOn(platform::ThePrinter(), document_);
  Close();
}

void PrintPreviewWindow::Close1Click() { Close(); }

}  // namespace corvane::ui
