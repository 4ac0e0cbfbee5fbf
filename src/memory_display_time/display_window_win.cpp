#include "memory_display_time/display_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <string>

#include "memory_display_time/display_readers_win.h"
#include "memory_display_time/display_window_ids.h"
#include "platform/failure_text_win.h"

namespace corvane::memory_display_time {
namespace {

using namespace display_ids;

constexpr ui::MenuItem kFileMenu[] = {
    {L"Print", kCmdPrint},
    ui::kSeparator,
    {L"Close", kCmdClose},
};
constexpr ui::MenuItem kViewMenu[] = {{L"Refresh", kCmdRefresh, ui::Fn(5)}};
constexpr ui::Menu kMenus[] = {{L"&File", kFileMenu}, {L"&View", kViewMenu}};

constexpr ui::Command<DisplayWindow> kCommands[] = {
    {kCmdRefresh, &DisplayWindow::Refresh1Click},
    {kCmdPrint, &DisplayWindow::Print1Click},
    {kCmdClose, &DisplayWindow::Close1Click},
    {kIdAdapterList, &DisplayWindow::cbDisplayChange, CBN_SELCHANGE},
};

constexpr int kClientWidth = 680;
constexpr int kClientHeight = 500;
constexpr ui::CheckListLayout kFlagLayout{1, 18, 16, 6};
constexpr int kFlagBoxWidth = 420;

}  // namespace

DisplayWindow::DisplayWindow(const ui::Theme& theme, ui::FindWindowFn find_window)
    : ui::Window(theme), find_window_(std::move(find_window)), sheet_(theme), flags_(theme) {}

bool DisplayWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmDisplay", kDisplayCaption, kMenus);
  p.client_width = kClientWidth;
  p.client_height = kClientHeight;
  p.minimum_is_initial = true;
  if (!ui::Window::Create(p)) return false;
  BindCommands(kCommands);

  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<DisplayWindowModel>(kDisplayFields, L""))) return false;
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  if (!sheet_.AddDropDown(0, L"cbDisplay", kIdAdapterList, /*editable=*/false)) return false;
  AdoptControls(sheet_);

  caption_ = AddControl(L"lblStateFlags", kIdStateFlagsCaption, L"STATIC", kStateFlagsCaption, WS_VISIBLE, 0, 0, 200,
                        ui::kPageCaptionHeight, 0, theme().bold());
  const RECT box{0, 0, kFlagBoxWidth, ui::CheckList::HeightFor(kStateFlagTexts.size(), kFlagLayout)};
  if (!flags_.Create(hwnd(), kIdStateFlags, box, kStateFlagTexts, L"chkStateFlag", StateFlagId(0), kFlagLayout)) {
    return false;
  }
  FileControl(L"CheckListBox1", kIdStateFlags, flags_.hwnd());
  AdoptControls(flags_);
  link_ = AddWebLink(L"Label1", kIdLinkLabel, 0, 0, LinkKind::kOpensPage);
  ShowModel();

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
  return true;
}

void DisplayWindow::OnResize(int width, int height) {
  if (!sheet_.hwnd() || !flags_.hwnd()) return;
  const ui::SheetPage page = ui::LayOutSheetPage(width, height, sheet_.ContentHeight(), 200);
  ui::Place(sheet_.hwnd(), page.sheet);
  ui::Place(caption_, page.caption);
  const ui::Box flags = ControlBox(flags_.hwnd());
  ui::Place(flags_.hwnd(), {page.body.x, page.body.y, flags.width, flags.height});
  ui::Place(link_, page.link);
}

LRESULT DisplayWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Shown by a ShowWindow call: read before it first paints.
  if (msg == WM_SHOWWINDOW && wp && lp == 0) FormShow();
  return ui::Window::OnMessage(msg, wp, lp);
}

void DisplayWindow::FormShow() {
  model_ = DisplayWindowModel{};
  ShowEntries();
  ShowModel();
  RunCommand(kCmdRefresh);
}

void DisplayWindow::Refresh1Click() {
  std::optional<std::wstring> failure;
  {
    const ui::BusyCursor busy;
    failure = ReadModel();
    ShowEntries();
    ShowModel();
  }
  // Nothing of the refresh waits for the box; in an unattended run it is a line on stderr.
  if (failure) ui::ShowErrorBox(hwnd(), *failure);
}

std::optional<std::wstring> DisplayWindow::ReadModel() {
  ui::Window* main = find_window_ ? find_window_(L"TForm1") : nullptr;
  DisplayRefreshReading reading = ReadDisplay(main && main->built() ? main->hwnd() : nullptr);
  model_ = BuildDisplayModel(std::move(reading.reading));
  return std::move(reading.adapter_failure);
}

std::optional<ui::ReportSection> DisplayWindow::RefreshForReport() {
  // The window shows what was read and then the box; the report has no box,
  // and a list of adapters cut short must not pass for the whole list.
  if (auto failure = ReadModel()) throw platform::WordedFailure(std::move(*failure));
  return DisplaySection(model_);
}

void DisplayWindow::cbDisplayChange() {
  const auto position = static_cast<int>(SendMessageW(Control(L"cbDisplay"), CB_GETCURSEL, 0, 0));
  SelectEntry(model_, position);
  ShowModel();
}

void DisplayWindow::ShowEntries() {
  HWND combo = Control(L"cbDisplay");
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const std::wstring& entry : model_.entries) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(model_.selected), 0);
}

void DisplayWindow::ShowModel() {
  sheet_.ShowFields<DisplayWindowModel>(kDisplayFields, model_);
  for (std::size_t i = 0; i < model_.state_flags.size(); ++i) flags_.SetChecked(i, model_.state_flags[i]);
}

void DisplayWindow::Print1Click() { PrintImage(kDisplayCaption); }

void DisplayWindow::Close1Click() { Close(); }

}  // namespace corvane::memory_display_time
