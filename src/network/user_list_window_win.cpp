#include "network/user_list_window_win.h"

#include <algorithm>

#include "network/network_readers_win.h"
#include "network/user_list_window_ids.h"
#include "ui/list_box_win.h"

namespace corvane::network {
namespace {

using namespace user_list_ids;

constexpr ui::MenuItem kFileMenu[] = {
    {L"Print", kCmdPrint},
    ui::kSeparator,
    {L"Exit", kCmdExit},
};
constexpr ui::MenuItem kViewMenu[] = {{L"Refresh", kCmdRefresh}};
constexpr ui::Menu kMenus[] = {{L"&File", kFileMenu}, {L"&View", kViewMenu}};

constexpr ui::Command<UserListWindow> kCommands[] = {
    {kCmdRefresh, &UserListWindow::Refresh1Click},
    {kCmdPrint, &UserListWindow::Print1Click},
    {kCmdExit, &UserListWindow::Exit1Click},
};

constexpr int kMargin = 8;
constexpr int kLinkHeight = 16;

}  // namespace

UserListWindow::UserListWindow(const ui::Theme& theme) : ui::Window(theme), sheet_(theme) {}

bool UserListWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmUserList", std::wstring(kUserListCaption), kMenus);
  p.client_width = 500;
  p.client_height = 380;
  if (!ui::Window::Create(p)) return false;
  min_width_ = 360;
  min_height_ = 200;
  BindCommands(kCommands);

  ui::SheetGeometry geometry;
  geometry.value_width = 280;
  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<UserListModel>(kUserListFields), geometry)) return false;
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  AdoptControls(sheet_);
  accounts_ = AddControl(L"ListBox1", kIdAccounts, L"LISTBOX", L"",
                         WS_VISIBLE | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT, 0, 0, 100, 100);
  link_ = AddWebLink(L"StaticText1", kIdLinkLabel, 0, 0, LinkKind::kPlainText);
  ShowModel();

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
  return true;
}

void UserListWindow::OnResize(int width, int height) {
  if (!sheet_.hwnd()) return;
  const ui::SheetPage page = ui::LayOutSheetPage(width, height, sheet_.ContentHeight(), 0);
  sheet_.SetValueWidth(std::max(120, width - sheet_.geometry().value_x - kMargin));
  ui::Place(sheet_.hwnd(), page.sheet);
  // No caption over the list: it starts where the caption would.
  ui::Place(accounts_, {page.body.x, page.caption.y, page.body.width, page.body.y + page.body.height - page.caption.y});
  ui::Place(link_, page.link);
}

LRESULT UserListWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SHOWWINDOW && wp && lp == 0) RunCommand(kCmdRefresh);
  if (msg == ui::kBackgroundJobEnded) {
    std::optional<UserListModel> read;
    try {
      read = job_.Take(wp);
    } catch (...) {
      busy_.reset();
      throw;
    }
    if (!job_.running()) busy_.reset();
    if (read) {
      model_ = std::move(*read);
      ShowModel();
    }
    return 0;
  }
  return ui::Window::OnMessage(msg, wp, lp);
}

void UserListWindow::OnClose() {
  busy_.reset();
  ui::Window::OnClose();
}

void UserListWindow::Refresh1Click() {
  if (job_.running()) return;  // the reading under way is as fresh
  if (job_.Start(hwnd(), ui::kBackgroundJobEnded, &Read)) busy_.emplace();
}

UserListModel UserListWindow::Read(std::stop_token stop) {
  UserListModel read;
  read.group = ReadLanGroup().value_or(std::wstring());
  read.accounts = ListGroupAccounts(&ReadAccountPage, read.group, [&] { return stop.stop_requested(); });
  return read;
}

std::optional<ui::ReportSection> UserListWindow::RefreshForReport() {
  if (!job_.running()) job_.Start(hwnd(), ui::kBackgroundJobEnded, &Read);
  std::optional<UserListModel> read = job_.Wait(ui::kReportJobWait, ui::kReportJobStopWait);
  busy_.reset();
  // A reading that would not even stop leaves nothing: an old list would pass for today's.
  model_ = read ? std::move(*read) : UserListModel{};
  if (built()) ShowModel();
  return UserListSection(model_);
}

void UserListWindow::ShowModel() {
  sheet_.ShowFields<UserListModel>(kUserListFields, model_);
  ui::ShowLines(accounts_, model_.accounts);
}

void UserListWindow::Print1Click() { PrintImage(kUserListCaption); }

void UserListWindow::Exit1Click() { Close(); }

}  // namespace corvane::network
