#include "network/computers_window_win.h"

#include <commctrl.h>

#include <algorithm>

#include "network/computers_window_ids.h"
#include "network/network_browser_win.h"
#include "ui/tree_view_win.h"

namespace corvane::network {
namespace {

using namespace computers_ids;

constexpr ui::MenuItem kViewMenu[] = {{L"Refresh", kCmdRefresh}};
// An empty "File" menu and "View" with "Refresh".
constexpr ui::Menu kMenus[] = {{L"&File", {}}, {L"&View", kViewMenu}};

constexpr ui::Command<ComputersWindow> kCommands[] = {
    {kCmdRefresh, &ComputersWindow::Refresh1Click},
};

constexpr int kMargin = 8;
constexpr int kLinkHeight = 16;
constexpr int kTreeIndent = 19;

}  // namespace

ComputersWindow::ComputersWindow(const ui::Theme& theme) : ui::Window(theme) {}

bool ComputersWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmComputers", std::wstring(kComputersCaption), kMenus);
  p.client_width = 460;
  p.client_height = 440;
  if (!ui::Window::Create(p)) return false;
  min_width_ = 260;
  min_height_ = 200;
  BindCommands(kCommands);

  tree_ = AddControl(L"TreeView1", kIdTree, WC_TREEVIEWW, L"",
                     WS_VISIBLE | WS_TABSTOP | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                         TVS_SHOWSELALWAYS,
                     0, 0, 100, 100);
  SendMessageW(tree_, TVM_SETINDENT, kTreeIndent, 0);
  link_ = AddWebLink(L"StaticText1", kIdLinkLabel, 0, 0, LinkKind::kPlainText);
  if (tree_model_) ui::ShowTree(tree_, *tree_model_);

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
  return true;
}

void ComputersWindow::OnResize(int width, int height) {
  if (!tree_) return;
  const int link_y = height - kLinkHeight - kMargin;
  ui::Place(tree_, {kMargin, kMargin, std::max(0, width - 2 * kMargin), std::max(0, link_y - 2 * kMargin)});
  ui::Place(link_, {kMargin, link_y, 300, kLinkHeight});
}

LRESULT ComputersWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SHOWWINDOW && wp && lp == 0) RunCommand(kCmdRefresh);
  if (msg == ui::kBackgroundJobEnded) {
    std::optional<ui::TreeNode> walked;
    try {
      walked = walk_.Take(wp);
    } catch (...) {
      busy_.reset();
      throw;
    }
    if (!walk_.running()) busy_.reset();
    if (walked) {
      tree_model_ = std::move(*walked);
      ui::ShowTree(tree_, *tree_model_);
    }
    return 0;
  }
  return ui::Window::OnMessage(msg, wp, lp);
}

void ComputersWindow::OnClose() {
  // A walk that outlasts the window's showing goes on quietly; its tree is
  // there at the next showing (which walks again anyway).
  busy_.reset();
  ui::Window::OnClose();
}

void ComputersWindow::Refresh1Click() {
  if (walk_.running()) return;
  if (!walk_.Start(hwnd(), ui::kBackgroundJobEnded, &Walk)) return;
  busy_.emplace();
  ui::ClearTree(tree_);
}

ui::TreeNode ComputersWindow::Walk(std::stop_token stop) {
  Win32NetworkSource source;
  return BrowseNetwork(source, [&] { return stop.stop_requested(); });
}

std::optional<ui::ReportSection> ComputersWindow::RefreshForReport() {
  if (!walk_.running()) walk_.Start(hwnd(), ui::kBackgroundJobEnded, &Walk);
  std::optional<ui::TreeNode> walked = walk_.Wait(ui::kReportJobWait, ui::kReportJobStopWait);
  busy_.reset();
  // A walk that would not even stop leaves no tree: an old one would pass for today's.
  tree_model_ = std::move(walked);
  if (built() && tree_model_) ui::ShowTree(tree_, *tree_model_);
  if (built() && !tree_model_) ui::ClearTree(tree_);
  return ComputersSection(tree_model_);
}

}  // namespace corvane::network
