// Cost of the main window's 56 summary cells on this machine, by what they
// are made of. Each round builds a hidden top-level window the size of the
// main window with a sheet of 28 rows inside it: the label cells with their
// texts and the value cells, each with its font; then writes 28 value texts;
// then shows the window and paints it (UpdateWindow paints the children too)
// and drains the queue; then destroys it. Kinds:
//  - the kit's sheet (ui::DetailSheet) with each of its LineCells;
//  - bare controls of the same size, style and font in a plain holder that
//    answers WM_CTLCOLORSTATIC as the sheet does: what the class costs
//    without the kit.
// Run it with the program's manifest beside it (bench/sheet_cells.sh puts it
// there), so that the controls are the common controls 6 ones the program
// makes and no activation context is pushed around each creation.
//
//   bench_sheet_cells.exe [N]       medians and bests of N rounds (default 20)
//                                   after one warm-up round of every kind,
//                                   the kinds alternating round by round; then
//                                   where each kind draws row 1's texts
//   bench_sheet_cells.exe 1 KIND    one round of kind KIND (0-based) in a
//                                   fresh process: what start-up pays for the
//                                   first sheet of a process
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "bench_timing_win.h"
#include "ui/sheet_win.h"
#include "ui/theme_win.h"

namespace {

using corvane::bench::NowUs;
namespace ui = corvane::ui;

constexpr int kRows = 28;
constexpr int kFirstValueId = 1000;
constexpr int kRowHeight = 19, kRowPitch = 20, kHeading = 16;
constexpr int kLabelX = 4, kLabelWidth = 196, kValueX = 212, kValueWidth = 440;

struct Kind {
  const char* name;
  std::optional<ui::LineCells> kit;  // the kit's sheet; else bare controls of
  const wchar_t* cls;                // this class and style
  DWORD style;
};

const Kind kKinds[] = {
    {"sheet, read-only boxes", ui::LineCells::kReadOnlyBoxes, nullptr, 0},
    {"sheet, texts", ui::LineCells::kTexts, nullptr, 0},
    {"bare EDIT, read-only", std::nullopt, L"EDIT", WS_BORDER | ES_READONLY | ES_AUTOHSCROLL},
    {"bare STATIC, no wrap", std::nullopt, L"STATIC", WS_BORDER | SS_LEFTNOWORDWRAP | SS_NOPREFIX},
};

// What a refreshed summary shows, near enough in length.
const wchar_t* const kValues[] = {
    L"Microsoft Windows 10 Pro, Version 10.0.19045, 64 Bit.", L"Service Pack 0", L"Administrator",
    L"Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz", L"1896 MHz", L"Not detected", L"Award Software",
    L"16,384 MB total, 9,210 MB free", L"1920 x 1080, 32 bit colour", L"C:\\Windows",
    L"C:\\Windows\\system32", L"NVIDIA GeForce GTX 1050", L"COM1 LPT1", L"Realtek High Definition Audio",
    L"English (United Kingdom)", L"GMT Standard Time", L"Yes", L"No", L"The Wine Project", L"Wine",
    L"12 days, 4 hours", L"3 drives", L"C: 476 GB", L"en-GB", L"192.168.1.20", L"Ethernet", L"WORKGROUP",
    L"DESKTOP-BENCH"};

std::wstring Label(int n) { return L"Row label " + std::to_wstring(n + 1); }

// The holder of bare controls: label and value colours as the sheet gives them.
struct Host {
  const ui::Theme* theme;
};

LRESULT CALLBACK HostProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* host = reinterpret_cast<Host*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
  if ((msg == WM_CTLCOLORSTATIC || msg == WM_CTLCOLOREDIT) && host) {
    const HDC dc = reinterpret_cast<HDC>(wp);
    const bool label = GetDlgCtrlID(reinterpret_cast<HWND>(lp)) >= kFirstValueId + 50;
    SetTextColor(dc, label ? ui::kLabelText : GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, label ? ui::kLabelBack : ui::kValueBack);
    return reinterpret_cast<LRESULT>(label ? host->theme->label_brush() : host->theme->value_brush());
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

// Where a cell's text lies (the box of the pixels inside its border that are
// not its back colour, from the cell's outer top-left corner), and its pixels.
struct Look {
  RECT text{};
  std::vector<COLORREF> pixels;
};

Look LookOf(HWND frame, HWND cell, COLORREF back) {
  RECT r{};
  GetWindowRect(cell, &r);
  POINT origin{r.left, r.top};
  ScreenToClient(frame, &origin);
  const int w = r.right - r.left, h = r.bottom - r.top;
  Look look;
  look.text = {w, h, -1, -1};
  HDC dc = GetDC(frame);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const COLORREF c = GetPixel(dc, origin.x + x, origin.y + y);
      look.pixels.push_back(c);
      if (x == 0 || y == 0 || x == w - 1 || y == h - 1 || c == back) continue;
      look.text.left = std::min<LONG>(look.text.left, x);
      look.text.top = std::min<LONG>(look.text.top, y);
      look.text.right = std::max<LONG>(look.text.right, x + 1);
      look.text.bottom = std::max<LONG>(look.text.bottom, y + 1);
    }
  }
  ReleaseDC(frame, dc);
  return look;
}

struct Phases {
  double create = 0, values = 0, paint = 0, destroy = 0;
  double whole() const { return create + values + paint + destroy; }
};

void Drain() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// The bare cells, created and given their fonts.
void AddBareCells(const Kind& kind, HWND holder, const ui::Theme& theme) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (int n = 0; n < kRows; ++n) {
    const int y = kHeading + n * kRowPitch;
    HWND label = CreateWindowExW(0, kind.cls, Label(n).c_str(), WS_CHILD | WS_VISIBLE | kind.style, kLabelX, y,
                                 kLabelWidth, kRowHeight, holder,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstValueId + 50 + n)), instance,
                                 nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(theme.bold()), FALSE);
    HWND value = CreateWindowExW(0, kind.cls, L"", WS_CHILD | WS_VISIBLE | kind.style, kValueX, y, kValueWidth,
                                 kRowHeight, holder, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstValueId + n)),
                                 instance, nullptr);
    SendMessageW(value, WM_SETFONT, reinterpret_cast<WPARAM>(theme.normal()), FALSE);
  }
}

std::vector<ui::SheetRow> SheetRows() {
  std::vector<ui::SheetRow> rows;
  for (int n = 0; n < kRows; ++n) {
    rows.push_back({Label(n), L"Desc" + std::to_wstring(n + 1), kFirstValueId + 50 + n,
                    L"Info" + std::to_wstring(n + 1), kFirstValueId + n});
  }
  return rows;
}

Phases Round(const Kind& kind, const ui::Theme& theme, std::vector<Look>* looks = nullptr) {
  Phases p;
  Host host{&theme};
  ui::DetailSheet sheet(theme);
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  double t = NowUs();
  HWND frame = CreateWindowExW(0, L"BenchSheetFrame", L"Sheet", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 690,
                               936, nullptr, nullptr, instance, nullptr);
  HWND holder = nullptr;
  if (kind.kit) {
    sheet.Create(frame, 1, SheetRows(), {}, *kind.kit);
    holder = sheet.hwnd();
    MoveWindow(holder, 0, 40, 680, 800, FALSE);
  } else {
    holder = CreateWindowExW(0, L"BenchSheetFrame", L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_CLIPCHILDREN, 0, 40,
                             680, 800, frame, nullptr, instance, nullptr);
    SetWindowLongPtrW(holder, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&host));
    AddBareCells(kind, holder, theme);
  }
  p.create = NowUs() - t;
  t = NowUs();
  for (int n = 0; n < kRows; ++n) {
    if (kind.kit) {
      sheet.SetValue(static_cast<size_t>(n), kValues[n], false);
    } else {
      SetWindowTextW(GetDlgItem(holder, kFirstValueId + n), kValues[n]);
    }
  }
  p.values = NowUs() - t;
  t = NowUs();
  ShowWindow(frame, SW_SHOWNOACTIVATE);
  UpdateWindow(frame);
  Drain();
  p.paint = NowUs() - t;
  if (looks) {
    looks->push_back(LookOf(frame, GetDlgItem(holder, kFirstValueId + 50), ui::kLabelBack));
    looks->push_back(LookOf(frame, GetDlgItem(holder, kFirstValueId), ui::kValueBack));
  }
  t = NowUs();
  DestroyWindow(frame);
  Drain();
  p.destroy = NowUs() - t;
  return p;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void PrintPhases(const char* name, const Phases& p) {
  std::printf("%-28s first sheet of the process: create %.2f, values %.2f, show+paint %.2f, destroy %.2f, "
              "whole %.2f ms\n",
              name, p.create / 1000, p.values / 1000, p.paint / 1000, p.destroy / 1000, p.whole() / 1000);
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSW wc{};
  wc.lpfnWndProc = HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  wc.lpszClassName = L"BenchSheetFrame";
  RegisterClassW(&wc);
  const ui::Theme theme;
  constexpr size_t kCount = std::size(kKinds);

  if (argc > 2) {
    const size_t k = std::min<size_t>(static_cast<size_t>(std::max(0, std::atoi(argv[2]))), kCount - 1);
    PrintPhases(kKinds[k].name, Round(kKinds[k], theme));
    return 0;
  }

  std::vector<std::vector<Phases>> seen(kCount);
  for (const Kind& kind : kKinds) Round(kind, theme);  // warm-up: classes, fonts, code paths
  for (int r = 0; r < rounds; ++r) {
    for (size_t k = 0; k < kCount; ++k) seen[k].push_back(Round(kKinds[k], theme));
  }
  std::printf("%d rounds, milliseconds, median (best)\n", rounds);
  std::printf("%-28s %15s %15s %15s %15s %15s\n", "56 cells as", "create+font", "28 values", "show+paint", "destroy",
              "whole");
  for (size_t k = 0; k < kCount; ++k) {
    std::printf("%-28s", kKinds[k].name);
    for (auto part : {&Phases::create, &Phases::values, &Phases::paint, &Phases::destroy}) {
      std::vector<double> v;
      for (const Phases& p : seen[k]) v.push_back(p.*part / 1000);
      std::printf(" %7.2f (%5.2f)", Median(v), *std::min_element(v.begin(), v.end()));
    }
    std::vector<double> whole;
    for (const Phases& p : seen[k]) whole.push_back(p.whole() / 1000);
    std::printf(" %7.2f (%5.2f)\n", Median(whole), *std::min_element(whole.begin(), whole.end()));
  }

  // Where each kind draws row 1, against the first kind's pixels.
  std::printf("\nrow 1: text inside the cell (left,top to right,bottom), pixels unlike the first kind's\n");
  std::vector<std::vector<Look>> looks(kCount);
  for (size_t k = 0; k < kCount; ++k) Round(kKinds[k], theme, &looks[k]);
  for (size_t k = 0; k < kCount; ++k) {
    std::printf("%-28s", kKinds[k].name);
    for (size_t c = 0; c < 2; ++c) {
      const Look& look = looks[k][c];
      const Look& first = looks[0][c];
      size_t unlike = look.pixels.size() == first.pixels.size() ? 0 : look.pixels.size();
      if (unlike == 0) {
        for (size_t i = 0; i < look.pixels.size(); ++i) unlike += look.pixels[i] != first.pixels[i];
      }
      std::printf("  %s (%ld,%ld to %ld,%ld) %zu", c == 0 ? "label" : "value", look.text.left, look.text.top,
                  look.text.right, look.text.bottom, unlike);
    }
    std::printf("\n");
  }
  return 0;
}
