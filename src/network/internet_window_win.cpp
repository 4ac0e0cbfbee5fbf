#include "network/internet_window_win.h"

#include <commctrl.h>

#include "network/internet_readers_win.h"
#include "ui/list_box_win.h"
#include "ui/report_list_win.h"

namespace corvane::network {
namespace {

using namespace internet_ids;

constexpr ui::MenuItem kFileMenu[] = {{L"Exit", kCmdExit}};
constexpr ui::MenuItem kViewMenu[] = {{L"Refresh", kCmdRefresh, ui::Fn(5)}};
constexpr ui::Menu kMenus[] = {{L"&File", kFileMenu}, {L"&View", kViewMenu}};

constexpr ui::Command<InternetWindow> kCommands[] = {
    {kCmdRefresh, &InternetWindow::Refresh1Click},
    {kCmdExit, &InternetWindow::Exit1Click},
};

// Page layout in client pixels. The sheet's rows fix its height; below it
// the browsers beside the typed addresses, then the favourites, the flags
// and the web address, each list under its heading.
constexpr int kMargin = 8;
constexpr int kClientWidth = 664;
constexpr int kHeadingHeight = 18;
constexpr int kGap = 6;
constexpr int kBrowsersWidth = 150 + 100 + 8;  // its two columns and the frame
constexpr int kUpperListsHeight = 112;
constexpr int kFavouritesHeight = 112;
constexpr ui::CheckListLayout kFlagLayout{3};  // 18 flags in three columns of six
constexpr int kWideWidth = kClientWidth - 2 * kMargin;

}  // namespace

InternetWindow::InternetWindow(const ui::Theme& theme) : ui::Window(theme), sheet_(theme), flags_(theme) {}

bool InternetWindow::Build() {
  ui::CreateParams p{L"TfrmInternet", kInternetCaption};
  // Fixed size: it can be minimised, not resized or maximised.
  p.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  p.client_width = kClientWidth;
  p.client_height = 600;  // fitted to the content below
  p.background = theme().white_brush();
  p.icon = LoadIconW(nullptr, IDI_APPLICATION);
  p.menus = kMenus;
  if (!ui::Window::Create(p)) return false;
  BindCommands(kCommands);

  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<InternetWindowModel>(kInternetFields))) return false;
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  AdoptControls(sheet_);
  const int sheet_height = sheet_.ContentHeight() + 4;
  ui::Place(sheet_.hwnd(), {0, 0, kClientWidth, sheet_height});

  const auto heading = [&](const wchar_t* name, int id, const wchar_t* text, int x, int y) {
    AddControl(name, id, L"STATIC", text, WS_VISIBLE, x, y, 240, kHeadingHeight, 0, theme().bold());
  };
  int y = sheet_height + kGap;
  const int typed_x = kMargin + kBrowsersWidth + kMargin;
  heading(L"lblBrowsers", kIdBrowsersCaption, kBrowsersCaption, kMargin, y);
  heading(L"lblTypedURLs", kIdTypedUrlsCaption, kTypedUrlsCaption, typed_x, y);
  y += kHeadingHeight + 2;
  browsers_ = AddControl(L"ListView1", kIdBrowsers, WC_LISTVIEWW, L"",
                         WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                         kMargin, y, kBrowsersWidth, kUpperListsHeight);
  SendMessageW(browsers_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
  constexpr DWORD kListBoxStyle = WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOINTEGRALHEIGHT;
  typed_urls_ = AddControl(L"lbTypedURLs", kIdTypedUrls, L"LISTBOX", L"", kListBoxStyle, typed_x, y,
                           kClientWidth - kMargin - typed_x, kUpperListsHeight);
  y += kUpperListsHeight + kGap;

  heading(L"lblFavourites", kIdFavouritesCaption, kFavouritesCaption, kMargin, y);
  y += kHeadingHeight + 2;
  favourites_ = AddControl(L"lbFavourites", kIdFavourites, L"LISTBOX", L"", kListBoxStyle, kMargin, y, kWideWidth,
                           kFavouritesHeight);
  // Long addresses scroll sideways.
  SendMessageW(favourites_, LB_SETHORIZONTALEXTENT, 2 * kWideWidth, 0);
  SendMessageW(typed_urls_, LB_SETHORIZONTALEXTENT, 2 * kWideWidth, 0);
  y += kFavouritesHeight + kGap;

  heading(L"lblFlags", kIdFlagsCaption, kIeFlagsCaption, kMargin, y);
  y += kHeadingHeight + 2;
  const int flags_height = ui::CheckList::HeightFor(kIeFlagNames.size(), kFlagLayout);
  if (!flags_.Create(hwnd(), kIdFlags, RECT{kMargin, y, kMargin + kWideWidth, y + flags_height}, kIeFlagNames,
                     L"chkFlag", kIdFirstFlag, kFlagLayout)) {
    return false;
  }
  FileControl(L"CheckListBox1", kIdFlags, flags_.hwnd());
  AdoptControls(flags_);
  y += flags_height + kGap;

  AddWebLink(L"StaticText1", kIdLinkLabel, kMargin, y, LinkKind::kLinkStyle);
  y += ui::kPageLinkHeight + kGap;

  // The outer size that gives the content its client area.
  SetClientSize(kClientWidth, y);
  ShowModel();
  return true;
}

LRESULT InternetWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Shown by a ShowWindow call: everything is read before it first paints.
  if (msg == WM_SHOWWINDOW && wp && lp == 0) RunCommand(kCmdRefresh);
  return ui::Window::OnMessage(msg, wp, lp);
}

void InternetWindow::Refresh1Click() {
  {
    const ui::BusyCursor busy;
    model_ = ReadInternetWindowModel(hwnd(), model_.favourites);
    ShowModel();
  }
  if (model_.message) MessageBoxW(hwnd(), model_.message->c_str(), L"Corvane", MB_OK);
}

std::optional<ui::ReportSection> InternetWindow::RefreshForReport() {
  // The flags key's message is no failure: the flags are then all unticked,
  // as the report shows them.
  model_ = ReadInternetWindowModel(hwnd(), model_.favourites);
  return InternetSection(model_);
}

void InternetWindow::ShowModel() {
  sheet_.ShowFields<InternetWindowModel>(kInternetFields, model_);
  ui::ShowReportList(browsers_, BrowserList(model_.browsers));
  ui::ShowLines(typed_urls_, model_.typed_urls);
  ui::ShowLines(favourites_, model_.favourites);
  for (std::size_t i = 0; i < model_.flags.size(); ++i) flags_.SetChecked(i, model_.flags[i]);
}

void InternetWindow::Exit1Click() { Close(); }

}  // namespace corvane::network
