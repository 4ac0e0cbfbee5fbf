#include "usb/usb_window_win.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/tree_view_win.h"
#include "usb/hid_source_win.h"
#include "usb/usb_readers_win.h"
#include "usb/usb_window_ids.h"

namespace corvane::usb {
namespace {

using namespace usb_ids;

constexpr auto& kMenus = ui::QuickPrintMenus<kCmdQuickPrint, kCmdClose, kCmdRefresh>::kMenus;

constexpr ui::Command<UsbWindow> kCommands[] = {
    {kCmdRefresh, &UsbWindow::Refresh1Click},
    {kCmdQuickPrint, &UsbWindow::QuickPrint1Click},
    {kCmdClose, &UsbWindow::Close1Click},
    {kIdUsbDrives, &UsbWindow::Button1Click},
    {kIdLinkLabel, &UsbWindow::Button1Click},
};

constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 25;
constexpr int kTreeIndent = 19;

}  // namespace

UsbWindow::UsbWindow(const ui::Theme& theme, ui::FindWindowFn find_window)
    : ui::Window(theme), find_window_(std::move(find_window)), sheet_(theme) {}

bool UsbWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmUSB", kUsbCaption, kMenus);
  p.width = 640;
  p.height = 520;
  if (!ui::Window::Create(p)) return false;
  min_width_ = 400;
  min_height_ = 300;
  BindCommands(kCommands);

  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<UsbWindowModel>(kUsbFields))) return false;
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  AdoptControls(sheet_);
  caption_ = AddControl(L"Label1", kIdTreeCaption, L"STATIC", kDevicesCaption, WS_VISIBLE, 0, 0, 200, ui::kPageCaptionHeight, 0,
                        theme().bold());
  tree_ = AddControl(L"TreeView1", kIdTree, WC_TREEVIEWW, L"",
                     WS_VISIBLE | WS_TABSTOP | WS_BORDER | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT |
                         TVS_SHOWSELALWAYS,
                     0, 0, 100, 100);
  SendMessageW(tree_, TVM_SETINDENT, kTreeIndent, 0);
  button_ = AddControl(L"Button1", kIdUsbDrives, L"BUTTON", L"USB Drives", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0,
                       0, kButtonWidth, kButtonHeight);
  link_ = AddWebLink(L"StaticText1", kIdLinkLabel, 0, 0, LinkKind::kRunsCommand, theme().bold());
  sheet_.ShowFields<UsbWindowModel>(kUsbFields, model_);
  if (model_.tree) ui::ShowTree(tree_, *model_.tree);

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);

  // The controller lives with the window from here on; its first change
  // arrives through the message loop.
  HidCtl = std::make_unique<HidListener>();
  TJvHidDeviceController& controller = HidCtl->controller();
  controller.OnEnumerate = [this](TJvHidDevice& device, int index) { return HidCtlEnumerate(device, index); };
  controller.SetOnDeviceChange([this] { HidCtlDeviceChange(); });
  controller.Loaded();
  return true;
}

void UsbWindow::OnResize(int width, int height) {
  if (!sheet_.hwnd() || !tree_) return;
  const ui::SheetPage page = ui::LayOutSheetPage(width, height, sheet_.ContentHeight(), 200, kButtonHeight);
  ui::Place(sheet_.hwnd(), page.sheet);
  ui::Place(caption_, page.caption);
  ui::Place(tree_, page.body);
  ui::Place(button_, {std::max(page.buttons.x, page.buttons.x + page.buttons.width - kButtonWidth), page.buttons.y,
                      kButtonWidth, kButtonHeight});
  ui::Place(link_, page.link);
}

LRESULT UsbWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Shown by a ShowWindow call: the counts are read before it first paints.
  if (msg == WM_SHOWWINDOW && wp && lp == 0) RunCommand(kCmdRefresh);
  return ui::Window::OnMessage(msg, wp, lp);
}

void UsbWindow::Refresh1Click() {
  const ui::BusyCursor busy;
  ReadCounts();
  sheet_.ShowFields<UsbWindowModel>(kUsbFields, model_);
}

void UsbWindow::ReadCounts() {
  try {
    model_.host_controllers = HostControllerText(ReadHostControllerCount());
  } catch (const std::exception&) {
    model_.host_controllers.clear();
  }
  model_.storage_devices = StorageDevicesText(ReadUsbStorageCount());
}

std::optional<ui::ReportSection> UsbWindow::RefreshForReport() {
  ReadCounts();
  if (HidCtl) {
    // Its list follows every device change already.
    model_.tree = WalkDevices(HidCtl->controller());
    if (built()) ui::ShowTree(tree_, *model_.tree);
  } else if (TJvHidDeviceController controller(MakeSystemHidSource()); controller.HasLibraries()) {
    controller.OnEnumerate = [this](TJvHidDevice& device, int index) { return HidCtlEnumerate(device, index); };
    controller.DeviceChange();
    model_.tree = WalkDevices(controller);
  }
  return UsbSection(model_);
}

ui::TreeNode UsbWindow::WalkDevices(TJvHidDeviceController& controller) {
  ui::TreeNode root{kHidTreeRoot, {}};
  walking_ = &root;
  try {
    controller.EnumerateDevices();
  } catch (...) {
    walking_ = nullptr;
    throw;
  }
  walking_ = nullptr;
  return root;
}

void UsbWindow::Button1Click() {
  if (ui::Window* drives = find_window_ ? find_window_(L"TfrmUSBDrives") : nullptr) drives->Show();
}

void UsbWindow::QuickPrint1Click() { PrintImage(kUsbCaption); }

void UsbWindow::Close1Click() { Close(); }

void UsbWindow::HidCtlDeviceChange() {
  model_.tree = WalkDevices(HidCtl->controller());
  ui::ShowTree(tree_, *model_.tree);
}

bool UsbWindow::HidCtlEnumerate(TJvHidDevice& device, int /*index*/) {
  if (walking_) AddHidDevice(device, *walking_);
  return true;
}

}  // namespace corvane::usb
