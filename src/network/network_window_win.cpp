#include "network/network_window_win.h"

#include <winnetwk.h>

#include <algorithm>

#include "network/network_readers_win.h"
#include "network/network_window_ids.h"
#include "platform/security_win.h"

namespace corvane::network {
namespace {

using namespace network_ids;

constexpr ui::MenuItem kFileMenu[] = {
    {L"Print", kCmdPrint},
    ui::kSeparator,
    {L"Exit", kCmdExit},
};
constexpr ui::MenuItem kViewMenu[] = {{L"Refresh", kCmdRefresh, ui::Fn(5)}};
constexpr ui::Menu kMenus[] = {{L"&File", kFileMenu}, {L"&View", kViewMenu}};

constexpr ui::Command<NetworkWindow> kCommands[] = {
    {kCmdRefresh, &NetworkWindow::Refresh1Click},
    {kCmdPrint, &NetworkWindow::Print1Click},
    {kCmdExit, &NetworkWindow::Exit1Click},
    {kIdNetworkAdapters, &NetworkWindow::Button1Click},
    {kIdConfigureAdapters, &NetworkWindow::Button2Click},
    {kIdUserList, &NetworkWindow::Button3Click},
    {kIdComputers, &NetworkWindow::Button4Click},
    {kIdMapDrive, &NetworkWindow::MapDriveClick},
};

struct ButtonRow {
  const wchar_t* name;
  int id;
  const wchar_t* text;
};
constexpr ButtonRow kButtons[] = {
    {L"Button1", kIdNetworkAdapters, L"Network Adapters"},
    {L"Button2", kIdConfigureAdapters, L"Configure Adapters"},
    {L"Button3", kIdUserList, L"User List"},
    {L"Button4", kIdComputers, L"Computers"},
};

constexpr int kMargin = 8;
constexpr int kButtonWidth = 130;
constexpr int kButtonHeight = 25;
constexpr int kLinkHeight = 16;
constexpr int kBottomArea = kMargin + kButtonHeight + kMargin + kLinkHeight + kMargin;

}  // namespace

NetworkWindow::NetworkWindow(const ui::Theme& theme, ui::FindWindowFn find_window)
    : ui::Window(theme), find_window_(std::move(find_window)), sheet_(theme) {}

bool NetworkWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmNetwork", std::wstring(kNetworkCaption), kMenus);
  // Tall enough for every row without scrolling.
  const ui::SheetGeometry geometry;
  int lines = 0;
  for (const auto& field : kNetworkFields) lines += field.lines;
  p.client_width = 680;
  p.client_height = geometry.heading_height + lines * geometry.row_pitch + 4 + kBottomArea;
  if (!ui::Window::Create(p)) return false;
  min_width_ = 560;
  min_height_ = 300;
  BindCommands(kCommands);

  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<NetworkWindowModel>(kNetworkFields))) return false;
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  sheet_.AddButtonUnderLabel(kDrivesRow, L"btnMapDrive", kIdMapDrive, L"Map Network Drive");
  AdoptControls(sheet_);
  for (const auto& b : kButtons) {
    AddControl(b.name, b.id, L"BUTTON", b.text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, kButtonWidth,
               kButtonHeight);
  }
  link_ = AddWebLink(L"StaticText1", kIdLinkLabel, 0, 0, LinkKind::kOpensPage);
  sheet_.ShowFields<NetworkWindowModel>(kNetworkFields, model_);

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
  return true;
}

void NetworkWindow::OnResize(int width, int height) {
  if (!sheet_.hwnd()) return;
  const int value_x = sheet_.geometry().value_x;
  sheet_.SetValueWidth(std::max(200, width - value_x - kMargin - Logical(GetSystemMetrics(SM_CXVSCROLL))));
  ui::Place(sheet_.hwnd(), {0, 0, width, std::max(0, height - kBottomArea)});
  int x = kMargin;
  const int y = height - kBottomArea + kMargin;
  for (const auto& b : kButtons) {
    ui::Place(Control(b.name), {x, y, kButtonWidth, kButtonHeight});
    x += kButtonWidth + kMargin;
  }
  ui::Place(link_, {kMargin, y + kButtonHeight + kMargin, 300, kLinkHeight});
}

LRESULT NetworkWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Shown by a ShowWindow call: filled before it first paints.
  if (msg == WM_SHOWWINDOW && wp && lp == 0) RunCommand(kCmdRefresh);
  if (msg == ui::kBackgroundJobEnded) {
    std::optional<AccountTexts> texts;
    try {
      texts = lookup_.Take(wp);
    } catch (...) {
      lookup_busy_.reset();
      throw;
    }
    if (!lookup_.running()) lookup_busy_.reset();
    if (texts) {
      model_.domain = std::move(texts->domain);
      model_.workgroup = std::move(texts->workgroup);
      model_.description = std::move(texts->description);
      ShowRow(kDomainRow, true);
      ShowRow(kWorkgroupRow, true);
      ShowRow(kDescriptionRow, true);
    }
    return 0;
  }
  return ui::Window::OnMessage(msg, wp, lp);
}

void NetworkWindow::OnClose() {
  // A look-up that outlasts the window's showing goes on quietly.
  lookup_busy_.reset();
  ui::Window::OnClose();
}

void NetworkWindow::ShowRow(NetworkRow row, bool repaint) {
  sheet_.SetValue(row, kNetworkFields[row].value(model_), repaint);
}

void NetworkWindow::Refresh1Click() {
  // The first rows appear one by one: each is painted as soon as it is set.
  const std::uint32_t adapters_code = ReadFirstRows([this](NetworkRow row) { ShowRow(row, true); });
  // Told to whoever refreshed; an unattended run has nobody to click OK.
  if (const auto message = AdaptersInfoMessage(adapters_code); message && !ui::IsUnattended()) {
    MessageBoxW(hwnd(), std::wstring(*message).c_str(), std::wstring(kNetworkCaption).c_str(),
                MB_OK | MB_ICONINFORMATION);
  }

  StartAccountLookUp();
  ReadLastRows([this](NetworkRow row) { ShowRow(row, false); });
}

std::uint32_t NetworkWindow::ReadFirstRows(const RowRead& read) {
  {
    const ui::BusyCursor busy;
    model_.computer_name = ReadComputerName();
    read(kComputerNameRow);
    model_.user_name = ReadUserName();
    read(kUserNameRow);
    model_.ip_addresses = IpAddressRowText(ReadHostAddresses());
    read(kIpAddressRow);
    model_.mac_address = ReadNetbiosMacText();
    read(kMacAddressRow);
    try {
      model_.administrator = AdministratorText(platform::CurrentUserIsAdministrator());
    } catch (const std::exception&) {
      model_.administrator.clear();
    }
    read(kAdministratorRow);
  }

  model_.connection = ConnectionText(GetSystemMetrics(SM_NETWORK));
  read(kConnectionRow);

  AdaptersInfoReading adapters = ReadAdaptersInfo();
  model_.adapters = adapters.code == 0 ? std::move(adapters.descriptions) : std::vector<std::wstring>{};
  read(kAdaptersRow);
  return adapters.code;
}

void NetworkWindow::ReadLastRows(const RowRead& read) {
  model_.shares = ReadShareNames();
  read(kSharesRow);
  model_.drives = ReadMappedDrives();
  read(kDrivesRow);
}

std::optional<ui::ReportSection> NetworkWindow::RefreshForReport() {
  const RowRead nothing_shown = [](NetworkRow) {};
  ReadFirstRows(nothing_shown);
  // Started as a showing starts it (or the one under way is taken), then
  // waited for instead of posted: the window may have no window to post to.
  if (!lookup_.running()) lookup_.Start(hwnd(), ui::kBackgroundJobEnded, &LookUpAccount);
  ReadLastRows(nothing_shown);
  if (std::optional<AccountTexts> texts = lookup_.Wait(ui::kReportJobWait, ui::kReportJobStopWait)) {
    model_.domain = std::move(texts->domain);
    model_.workgroup = std::move(texts->workgroup);
    model_.description = std::move(texts->description);
  }
  lookup_busy_.reset();
  return NetworkSection(model_);
}

NetworkWindow::AccountTexts NetworkWindow::LookUpAccount(std::stop_token) {
  AccountTexts texts;
  texts.domain = ReadAccountDomain();
  texts.workgroup = ReadLanGroup().value_or(std::wstring());
  texts.description = ReadServerComment().value_or(std::wstring());
  return texts;
}

void NetworkWindow::StartAccountLookUp() {
  // One running look-up is enough: it is as fresh as a new one would be.
  if (lookup_.running()) return;
  const bool started = lookup_.Start(hwnd(), ui::kBackgroundJobEnded, &LookUpAccount);
  if (started) lookup_busy_.emplace();
}

void NetworkWindow::ShowWindowOf(const wchar_t* class_name) {
  if (ui::Window* window = find_window_ ? find_window_(class_name) : nullptr) window->Show();
}

void NetworkWindow::Button1Click() { ShowWindowOf(L"TfrmNetworkAdapters"); }

void NetworkWindow::Button2Click() {
  // The result is not looked at: the panel opens or it does not.
  WinExec("rundll32.exe shell32.dll, Control_RunDLL NCPA.cpl", SW_SHOWNORMAL);
}

void NetworkWindow::Button3Click() { ShowWindowOf(L"TfrmUserList"); }

void NetworkWindow::Button4Click() { ShowWindowOf(L"TfrmComputers"); }

void NetworkWindow::MapDriveClick() {
  WNetConnectionDialog(hwnd(), RESOURCETYPE_DISK);
  model_.drives = ReadMappedDrives();
  ShowRow(kDrivesRow, true);
}

void NetworkWindow::Print1Click() { PrintImage(kNetworkCaption); }

void NetworkWindow::Exit1Click() { Close(); }

}  // namespace corvane::network
