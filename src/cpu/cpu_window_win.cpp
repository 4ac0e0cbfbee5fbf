#include "cpu/cpu_window_win.h"

#include <algorithm>
#include <exception>

#include "cpu/cpu_window_ids.h"

#include "platform/locale_win.h"
#include "ui/product.h"
#include "cpu/cpuid_live.h"
#include "cpu/digit_glyphs.h"
#include "cpu/meters_window_win.h"
#include "cpu/system_times_win.h"
#include "platform/failure_text_win.h"
#include "platform/wmi_win.h"
#include "cpu/clock_sample_win.h"
#include "cpu/clock_rate.h"

namespace corvane::cpu {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerInterval = 1000;
using namespace cpu_ids;

// Page layout, in client pixels of the unscrolled page.
constexpr int kMargin = 4;
constexpr ui::SheetGeometry kSheetGeometry{4, 150, 158, 300, 19, 20, 16};
constexpr int kSheetWidth = 462;
constexpr int kUsageX = 472, kUsageY = 16, kUsageWidth = 130, kUsageHeight = 232;
constexpr int kHeadingHeight = 16;
constexpr int kSpeedHeadingY = 404, kSpeedY = 422;
constexpr int kCounterHeadingY = 452, kCounterY = 470;
constexpr int kPanelHeight = 22;
constexpr int kButtonY = 502;
constexpr int kFeaturesHeadingY = 536, kFeaturesY = 554;
constexpr int kFeatureRows = 9;  // 25 items in three columns
constexpr int kFeatureItemHeight = 17;
constexpr int kFeaturesWidth = 598;
constexpr int kFeaturesHeight = kFeatureRows * kFeatureItemHeight + 4;
constexpr int kWebY = kFeaturesY + kFeaturesHeight + 8;
constexpr int kContentHeight = kWebY + 16 + kMargin;
constexpr int kClientWidth = kUsageX + kUsageWidth + kMargin;
constexpr int kClientHeight = 520;

constexpr ui::MenuItem kFileItems[] = {{L"Print", kCmdPrint}, ui::kSeparator, {L"Exit", kCmdExit, ui::Fn(12)}};
constexpr ui::MenuItem kViewItems[] = {{L"Refresh", kCmdRefresh}, {L"CPU Speed", kCmdSpeed}};
constexpr ui::Menu kMenus[] = {{L"&File", kFileItems}, {L"&View", kViewItems}};

constexpr ui::Command<CpuWindow> kCommands[] = {
    {kCmdPrint, &CpuWindow::Print1Click},
    {kCmdExit, &CpuWindow::Exit1Click},
    {kCmdRefresh, &CpuWindow::Refresh1Click},
    {kCmdSpeed, &CpuWindow::CPUSpeed1Click},
    {kIdShowMeter, &CpuWindow::BitBtn1Click, BN_CLICKED},
};

// The window is made afresh for each showing, but the usage sampler's
// previous reading lives for the whole process: the first tick after a
// reopening measures over the whole time since the last tick before.
UsageSampler& ProcessUsageSampler() {
  static UsageSampler sampler;
  return sampler;
}

// A property the object does not have, or one that answers an error value,
// empties its row: providers leave out what they cannot tell.
std::wstring LateValueText(const platform::WmiLateObject& object, std::wstring_view property) {
  try {
    const platform::Variant value = object.Get(property);
    if (V_VT(&value.get()) == VT_ERROR) return {};
    return platform::WmiPlainText(value.get());
  } catch (const platform::WmiError&) {
    return {};
  }
}

}  // namespace

HBRUSH CpuSheet::OnControlColour(HDC dc, HWND control) {
  const int id = GetDlgCtrlID(control);
  if (id >= CpuValueId(0) && id < CpuValueId(kCpuRowCount)) {
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    SetBkColor(dc, GetSysColor(COLOR_INFOBK));
    return GetSysColorBrush(COLOR_INFOBK);
  }
  return ui::DetailSheet::OnControlColour(dc, control);
}

LRESULT CpuSheet::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_MOUSEWHEEL) return SendMessageW(GetParent(hwnd()), msg, wp, lp);
  return ui::DetailSheet::OnMessage(msg, wp, lp);
}

CpuWindow::CpuWindow(const ui::Theme& theme, HWND owner, MetersWindow* meters)
    : ui::Window(theme),
      owner_(owner),
      meters_(meters),
      sheet_(theme),
      usage_panel_(theme),
      speed_panel_(theme),
      counter_panel_(theme) {}

CpuWindow::~CpuWindow() { SetTimerEnabled(false); }

bool CpuWindow::Build() {
  ui::CreateParams p{L"TfrmCPU", kCpuCaption};
  p.style = WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_CLIPCHILDREN;
  p.client_width = kClientWidth + Logical(GetSystemMetrics(SM_CXVSCROLL));
  p.client_height = kClientHeight;
  p.parent = owner_;
  p.menus = kMenus;
  p.background = theme().white_brush();
  if (!ui::Window::Create(p)) return false;
  BindCommands(kCommands);
  scroller_.Attach(hwnd(), kSheetGeometry.row_pitch, 0);
  decimal_ = platform::ReadDecimalSeparator();
  LiveCpuid cpu;
  has_counter_ = GetCPUFeatures(cpu).TSC;  // RDTSC would fault without it

  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<CpuRowTexts>(kCpuRows), kSheetGeometry)) return false;
  ui::Place(sheet_.hwnd(), {0, 0, kSheetWidth, sheet_.ContentHeight()}, false);
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  AdoptControls(sheet_);

  // The usage gauge: heading, two bars, percentage.
  usage_panel_.Create(hwnd(), kIdUsagePanel, {kUsageX, kUsageY, kUsageX + kUsageWidth, kUsageY + kUsageHeight},
                      {30, 76, 30, 24, 170, kIdUsageBar1, kIdUsageBar2});
  FileControl(L"Panel1", kIdUsagePanel, usage_panel_.hwnd());
  usage_panel_.AddLabel(L"lblUsage", kIdUsageHeading, kUsageCaption, SS_CENTER, 0, 6, kUsageWidth, 16, theme().bold());
  usage_panel_.AddLabel(L"lblPercent", kIdUsageLabel, displays_.usage_label, SS_CENTER, 0, 208, kUsageWidth, 18,
                        theme().bold());
  AdoptControls(usage_panel_);

  auto heading = [&](const wchar_t* name, int id, const wchar_t* text, int y) {
    AddControl(name, id, L"STATIC", text, WS_VISIBLE, kMargin, y, 300, kHeadingHeight, 0, theme().bold());
  };
  heading(L"lblSpeed", kIdSpeedHeading, kSpeedCaption, kSpeedHeadingY);
  const int speed_width = DigitX(kSpeedDigitCount) + 48;
  speed_panel_.Create(hwnd(), kIdSpeedPanel, {kMargin, kSpeedY, kMargin + speed_width, kSpeedY + kPanelHeight},
                      [this](HDC dc) { digits_.Draw(dc, displays_.speed_digits, speed_panel_.dpi()); });
  FileControl(L"SpeedPanel", kIdSpeedPanel, speed_panel_.hwnd());
  speed_panel_.AddLabel(L"lblMHz", kIdMhzLabel, L"MHz", 0, DigitX(kSpeedDigitCount) + 4, 4, 40, 16);

  heading(L"lblCycles", kIdCounterHeading, kCounterCaption, kCounterHeadingY);
  const int counter_width = DigitX(kCounterDigitCount) + 96;
  counter_panel_.Create(hwnd(), kIdCounterPanel,
                        {kMargin, kCounterY, kMargin + counter_width, kCounterY + kPanelHeight},
                        [this](HDC dc) { digits_.Draw(dc, displays_.counter_digits, counter_panel_.dpi()); });
  FileControl(L"CounterPanel", kIdCounterPanel, counter_panel_.hwnd());
  counter_panel_.AddLabel(L"lblClockCycles", kIdCyclesLabel, L" Clock cycles", 0, DigitX(kCounterDigitCount) + 4, 4,
                          90, 16);

  AddControl(L"BitBtn1", kIdShowMeter, L"BUTTON", L"Show CPU Meter", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
             kMargin, kButtonY, 140, 26);
  heading(L"lblFeatures", kIdFeaturesHeading, kFeaturesCaption, kFeaturesHeadingY);
  // Read-only for the user: no selection, and the marks are drawn, not clicked.
  HWND list = AddControl(L"CheckListBox1", kIdFeatures, L"LISTBOX", L"",
                         WS_VISIBLE | WS_BORDER | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_MULTICOLUMN | LBS_NOSEL |
                             LBS_NOINTEGRALHEIGHT,
                         kMargin, kFeaturesY, kFeaturesWidth, kFeaturesHeight);
  SendMessageW(list, LB_SETCOLUMNWIDTH, (kFeaturesWidth - 4) / 3, 0);
  AddWebLink(L"StaticText1", kIdWebAddress, kMargin, kWebY, LinkKind::kPlainText);

  // The first WM_SIZE came while the window was being made, before the
  // scroller knew it: the range is set here, at the top of the page.
  const RECT client = LogicalClientRect();
  scroller_.SetExtent(client.bottom, kContentHeight);
  SetTimerEnabled(true);
  return true;
}

void CpuWindow::SetTimerEnabled(bool on) {
  if (!hwnd()) return;
  if (on && !timer_on_) timer_on_ = SetTimer(hwnd(), kTimerId, kTimerInterval, nullptr) != 0;
  if (!on && timer_on_) {
    KillTimer(hwnd(), kTimerId);
    timer_on_ = false;
  }
}

void CpuWindow::OnModalShown() {
  RunCommand(kCmdRefresh);
  SendMessageW(hwnd(), WM_VSCROLL, SB_PAGEUP, 0);
}

void CpuWindow::OnClose() {
  // FormClose: the timer stops with the showing.
  SetTimerEnabled(false);
  ShowWindow(hwnd(), SW_HIDE);
}

void CpuWindow::Refresh1Click() {
  const ui::BusyCursor busy;
  ReadIdentification();
  ShowFeatures();
  try {
    SecondWmiPass();
  } catch (const platform::WmiError& e) {
    // The rows filled so far stay.
    ShowRows();
    ui::ShowErrorBox(hwnd(), e.message());
    return;
  }
  ShowRows();
}

std::optional<ui::ReportSection> CpuWindow::RefreshForReport() {
  ReadIdentification();
  SecondWmiPass();  // a failure goes to the caller: no box to show it in
  decimal_ = platform::ReadDecimalSeparator();
  LiveCpuid cpu;
  has_counter_ = GetCPUFeatures(cpu).TSC;
  if (shared_clock_) {
    ReadSpeed(shared_clock_());
  } else {
    // The usage over the clock measurement's half second, as two timer ticks would give it.
    ProcessUsageSampler().Take(ReadSystemTimes());
    ReadSpeed(SampleCpuClock());
  }
  ApplyUsage(displays_, ProcessUsageSampler().Take(ReadSystemTimes()), decimal_);
  displays_.counter_digits =
      CounterDigits(has_counter_ ? std::optional<std::uint64_t>(cpu::ReadCycleCounter()) : std::nullopt);
  return CpuSection(rows_, features_, displays_);
}

void CpuWindow::ReadIdentification() {
  SYSTEM_INFO info{};
  GetSystemInfo(&info);
  LiveCpuid cpu;
  const CpuIdentity identity = IdentifyCpu(cpu);
  ApplyIdentification(rows_, static_cast<int>(info.dwNumberOfProcessors), identity);

  int instances = 0;
  platform::T2DimStrArray grid;
  const int properties =
      platform::WmiQueryTable(L".", L"root\\CIMV2", L"", L"", L"SELECT * FROM Win32_Processor", instances, grid);
  ApplyWmiRecord(rows_, CpuInfoFromWmiTable(instances, properties, grid));

  features_ = FeatureItems(FeatureLines(identity.features, HasFDIVBug()));
}

void CpuWindow::SecondWmiPass() {
  // The in-process locator reaches the same namespace with the same identity
  // as the "winmgmts:" moniker, without a helper process that outlives us.
  const auto wmi = platform::WmiLateBound::ConnectLocator(L".", L"root\\cimv2");
  wmi.ExecQuery(L"Select * from Win32_Processor", [this](const platform::WmiLateObject& object) {
    for (const auto& p : kSecondPassProperties) rows_[p.row] = LateValueText(object, p.property);
  });
}

void CpuWindow::ShowRows() {
  sheet_.ShowFields<CpuRowTexts>(kCpuRows, rows_);
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void CpuWindow::ShowFeatures() {
  HWND list = Control(L"CheckListBox1");
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const auto& item : features_) {
    const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
    if (index >= 0) SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), item.checked ? 1 : 0);
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

void CpuWindow::DrawFeature(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  RECT r = item.rcItem;
  FillRect(item.hDC, &r, GetSysColorBrush(COLOR_WINDOW));
  const int box = std::min<int>(Scale(13), r.bottom - r.top - 2);
  RECT check{r.left + Scale(2), r.top + (r.bottom - r.top - box) / 2, 0, 0};
  check.right = check.left + box;
  check.bottom = check.top + box;
  DrawFrameControl(item.hDC, &check, DFC_BUTTON, DFCS_BUTTONCHECK | (item.itemData ? DFCS_CHECKED : 0));
  const LRESULT length = SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0);
  if (length <= 0) return;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(COLOR_WINDOWTEXT));
  RECT t{check.right + Scale(4), r.top, r.right, r.bottom};
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &t,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CpuWindow::Timer1Timer() {
  // Usage: an error stops the timer and is reported once.
  try {
    ApplyUsage(displays_, ProcessUsageSampler().Take(ReadSystemTimes()), decimal_);
    ShowUsage();
  } catch (const std::exception& e) {
    SetTimerEnabled(false);
    ui::ShowErrorBox(hwnd(), UsageErrorText(platform::FailureText(e), ui::kWebPage));
  }
  // Clock: a failed measurement leaves the display as it was.
  try {
    MeasureSpeed();
  } catch (...) {
  }
  // Counter: zeros when the processor has none.
  displays_.counter_digits =
      CounterDigits(has_counter_ ? std::optional<std::uint64_t>(cpu::ReadCycleCounter()) : std::nullopt);
  ShowDigits(counter_panel_, displays_.counter_digits);
}

void CpuWindow::ShareClockSample(ClockSource clock) {
  shared_clock_ = std::move(clock);
  ProcessUsageSampler().Take(ReadSystemTimes());
}

bool CpuWindow::ReadSpeed(const std::optional<ClockSample>& sample) {
  if (!sample) return false;
  displays_.speed_digits = SpeedDigits(ClockMhz(sample->tsc_ticks, sample->timer_ticks, sample->timer_frequency));
  return true;
}

void CpuWindow::MeasureSpeed() {
  if (!ReadSpeed(SampleCpuClock())) return;
  // Drawn at once: the counter follows within microseconds, so there is
  // nothing to gain from running the message loop in between, and a nested
  // loop would let a second tick or a close run inside this one.
  ShowDigits(speed_panel_, displays_.speed_digits);
}

void CpuWindow::CPUSpeed1Click() { MeasureSpeed(); }

void CpuWindow::ShowUsage() {
  SetWindowTextW(Control(L"lblPercent"), displays_.usage_label.c_str());
  usage_panel_.SetPosition(displays_.usage_bar);
}

void CpuWindow::ShowDigits(ui::BlackPanel& panel, const std::wstring& digits) {
  // The window text carries the digits for anyone who cannot see the images.
  SetWindowTextW(panel.hwnd(), digits.c_str());
  RECT area{0, 0, panel.Scale(DigitX(digits.size())), panel.Scale(kDigitHeight)};
  InvalidateRect(panel.hwnd(), &area, TRUE);
  UpdateWindow(panel.hwnd());
}

void CpuWindow::BitBtn1Click() {
  if (!meters_) return;
  meters_->StartSampling();
  meters_->Show();
}

void CpuWindow::Print1Click() { PrintImage(kCpuCaption); }

void CpuWindow::Exit1Click() { Close(); }

void CpuWindow::OnResize(int, int height) { scroller_.SetExtent(height, kContentHeight); }

HBRUSH CpuWindow::OnControlColour(HDC dc, HWND control) {
  SetBkColor(dc, ui::kWhite);
  const int id = GetDlgCtrlID(control);
  // The web address is plain text here, in the window's text colour.
  SetTextColor(dc, id == kIdWebAddress ? GetSysColor(COLOR_WINDOWTEXT) : ui::kLabelText);
  return theme().white_brush();
}

LRESULT CpuWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_TIMER:
      if (wp == kTimerId && timer_on_) Timer1Timer();
      return 0;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
      scroller_.Handle(msg, wp);
      return 0;
    case WM_MEASUREITEM: {
      auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      if (m->CtlID == static_cast<UINT>(kIdFeatures)) {
        m->itemHeight = static_cast<UINT>(Scale(kFeatureItemHeight));
        return TRUE;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
      if (d->CtlID == static_cast<UINT>(kIdFeatures)) {
        DrawFeature(*d);
        return TRUE;
      }
      break;
    }
  }
  return ui::Window::OnMessage(msg, wp, lp);
}

}  // namespace corvane::cpu
