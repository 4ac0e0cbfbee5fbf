#include "storage/disk_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/locale_win.h"
#include "storage/disk_window_ids.h"
#include "storage/volumes_win.h"
#include "ui/menu_table.h"
#include "ui/report_list_win.h"

namespace corvane::storage {
namespace {

using namespace disk_ids;

// ---- layout (client pixels) ------------------------------------------------------

constexpr int kClientWidth = 740;
constexpr int kClientHeight = 678;
constexpr ui::SheetGeometry kSheetGeometry{4, 140, 148, 270, 19, 20, 16};
constexpr int kSheetWidth = 430;
constexpr int kVolumeSheetTop = 0;
constexpr int kFlagCaptionTop = 222;
// The flag list: a sunken box holding twelve check boxes in two columns of six.
constexpr RECT kFlagBox{4, 240, 426, 358};
constexpr ui::CheckListLayout kFlagLayout{2, 18, 16, 6};
constexpr int kSmartSheetTop = 366;
constexpr int kAttributeListTop = 506;
constexpr int kFooterHeight = 22;
constexpr RECT kIconRect{470, 24, 510, 64};
constexpr RECT kGaugePanel{600, 22, 670, 182};
constexpr int kBarWidth = 24;
constexpr int kBarInset = 8;
constexpr int kButtonLeft = 470, kButtonWidth = 150, kButtonHeight = 26;

// ---- menus and commands ------------------------------------------------------------

constexpr ui::MenuItem kFileItems[] = {
    {L"Print", kCmdPrint},
    ui::kSeparator,
    {L"Exit", kCmdExit, ui::Fn(10)},
};
constexpr ui::MenuItem kViewItems[] = {
    {L"Refresh", kCmdRefresh},
};
constexpr ui::Menu kMenus[] = {
    {L"&File", kFileItems},
    {L"&View", kViewItems},
};

constexpr ui::Command<DiskWindow> kCommands[] = {
    {kCmdRefresh, &DiskWindow::Refresh1Click},
    {kCmdPrint, &DiskWindow::Print1Click},
    {kCmdExit, &DiskWindow::Exit1Click},
    {kIdDriveList, &DiskWindow::cbDriveChange, CBN_SELCHANGE},
    {kIdDriveList, &DiskWindow::cbDriveCloseUp, CBN_CLOSEUP},
    {kIdShowCdDvd, &DiskWindow::BitBtn1Click, BN_CLICKED},
};

NumberSeparators ReadSeparators() { return {platform::ReadDecimalSeparator(), platform::ReadThousandsSeparator()}; }

}  // namespace

DiskWindow::DiskWindow(const ui::Theme& theme, FindWindowFn find_window, std::unique_ptr<NvmeTransport> nvme)
    : ui::Window(theme),
      find_window_(std::move(find_window)),
      nvme_(std::move(nvme)),
      volume_sheet_(theme),
      smart_sheet_(theme),
      gauge_(theme),
      flags_(theme) {}

bool DiskWindow::Build() {
  ui::CreateParams p{L"TfrmDisk", L"Drive Information"};
  p.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  p.background = theme().white_brush();
  p.client_width = kClientWidth;
  p.client_height = kClientHeight;
  p.minimum_is_initial = true;
  p.menus = kMenus;
  if (!ui::Window::Create(p)) return false;
  BindCommands(kCommands);

  volume_sheet_.Create(hwnd(), kIdVolumeSheet, ui::SheetRows<DriveView>(kVolumeFields), kSheetGeometry);
  ui::Place(volume_sheet_.hwnd(), {0, kVolumeSheetTop, kSheetWidth, volume_sheet_.ContentHeight()}, false);
  volume_sheet_.AddDropDown(0, L"cbDrive", kIdDriveList, /*editable=*/false);

  // The SMART sheet carries the section's two headings in place of its own.
  smart_sheet_.Create(hwnd(), kIdSmartSheet, ui::SheetRows<SmartView>(kSmartFields), kSheetGeometry);
  ui::Place(smart_sheet_.hwnd(), {0, kSmartSheetTop, kSheetWidth, smart_sheet_.ContentHeight()}, false);
  SetWindowTextW(smart_sheet_.Control(L"lblItem"), L"SMART Information ");
  SetWindowTextW(smart_sheet_.Control(L"lblDetails"), L"(for SMART enabled hard disks) ");
  AdoptControls(smart_sheet_);
  FileControl(L"lblSmartInformation", 0, smart_sheet_.Control(L"lblItem"));
  FileControl(L"lblSmartEnabledDisks", 0, smart_sheet_.Control(L"lblDetails"));
  AdoptControls(volume_sheet_);  // after the SMART sheet: "lblItem" is this sheet's

  AddControl(L"Image1", kIdDriveIcon, L"STATIC", L"", WS_VISIBLE | SS_ICON | SS_CENTERIMAGE, kIconRect.left,
             kIconRect.top, kIconRect.right - kIconRect.left, kIconRect.bottom - kIconRect.top);

  const int panel_width = kGaugePanel.right - kGaugePanel.left;
  AddControl(L"lblUsed", kIdUsedCaption, L"STATIC", L"% Used", WS_VISIBLE | SS_CENTER, kGaugePanel.left - 10,
             kGaugePanel.top - 18, panel_width + 20, 16, 0, theme().bold());
  const int gap = panel_width - 2 * kBarInset - 2 * kBarWidth;
  gauge_.Create(hwnd(), kIdUsedGauge, kGaugePanel,
                {kBarInset, kBarInset + kBarWidth + gap, kBarInset, kBarWidth,
                 kGaugePanel.bottom - kGaugePanel.top - 2 * kBarInset, kIdUsedBarLeft, kIdUsedBarRight});
  AdoptControls(gauge_);
  AddControl(L"lblPercent", kIdUsedText, L"STATIC", std::wstring(kNoPercentText), WS_VISIBLE | SS_CENTER,
             kGaugePanel.left - 10, kGaugePanel.bottom + 4, panel_width + 20, 16);

  AddControl(L"lblFlags", kIdFlagCaption, L"STATIC", L"File System Flags", WS_VISIBLE, kFlagBox.left, kFlagCaptionTop,
             200, 16, 0, theme().bold());
  std::vector<std::wstring_view> flag_texts;
  for (const FlagItem& item : FileSystemFlagItems(0, 0)) flag_texts.push_back(item.text);
  flags_.Create(hwnd(), kIdFlagList, kFlagBox, flag_texts, L"chkFlag", FlagId(0), kFlagLayout);
  AdoptControls(flags_);
  AddControl(L"BitBtn1", kIdShowCdDvd, L"BUTTON", L"Show CD/DVD Info", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
             kButtonLeft, kFlagBox.top, kButtonWidth, kButtonHeight);
  EnableWindow(Control(L"BitBtn1"), find_window_ && find_window_(L"TfrmCDDVD") != nullptr);
  CreateAttributeList();
  AddWebLink(L"Label3", kIdLinkLabel, 4, kClientHeight - kFooterHeight + 3, LinkKind::kOpensPage);
  ShowModel({});
  return true;
}

void DiskWindow::CreateAttributeList() {
  HWND list = AddControl(L"lvSmart", kIdAttributeList, WC_LISTVIEWW, L"",
                         WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 4,
                         kAttributeListTop, kClientWidth - 8, kClientHeight - kAttributeListTop - kFooterHeight);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
}

void DiskWindow::Refresh1Click() {
  const ui::BusyCursor busy;
  model_ = DiskWindowModel{ReadFixedVolumes(), -1, DriveView{}, BuildSmartView(SmartReading{}, L"")};
  HWND combo = Control(L"cbDrive");
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  for (const FixedVolume& d : model_.drives) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DriveListItemText(d.letter, d.label).c_str()));
  }
  if (model_.drives.empty()) {
    ShowModel({});
    return;
  }
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  cbDriveChange();
}

void DiskWindow::cbDriveChange() {
  const auto position = static_cast<int>(SendMessageW(Control(L"cbDrive"), CB_GETCURSEL, 0, 0));
  if (position < 0 || static_cast<std::size_t>(position) >= model_.drives.size()) return;
  const ui::BusyCursor busy;
  // What a previous drive showed goes first, so nothing of it survives a failure below.
  model_.selected = position;
  model_.drive = DriveView{};
  model_.smart = BuildSmartView(SmartReading{}, L"");
  ShowModel({});

  DriveReading reading = ReadDrive(model_.drives[static_cast<std::size_t>(position)].letter, position, *nvme_);
  const NumberSeparators separators = ReadSeparators();
  model_.drive = BuildDriveView(reading.facts, reading.unc, separators);
  model_.smart = BuildSmartView(reading.smart, separators.thousands);
  ShowModel(std::move(reading.icon));
}

std::optional<ui::ReportSection> DiskWindow::RefreshForReport() {
  model_ = DiskWindowModel{ReadFixedVolumes(), -1, DriveView{}, BuildSmartView(SmartReading{}, L"")};
  const NumberSeparators separators = ReadSeparators();
  std::vector<DriveReport> drives;
  for (std::size_t i = 0; i < model_.drives.size(); ++i) {
    const FixedVolume& d = model_.drives[i];
    const DriveReading reading = ReadDrive(d.letter, static_cast<int>(i), *nvme_);
    drives.push_back({DriveListItemText(d.letter, d.label), BuildDriveView(reading.facts, reading.unc, separators),
                      BuildSmartView(reading.smart, separators.thousands)});
  }
  if (!drives.empty()) {
    model_.selected = 0;
    model_.drive = drives.front().drive;
    model_.smart = drives.front().smart;
  }
  return DiskSection(drives);
}

void DiskWindow::ShowModel(platform::UniqueIcon icon) {
  const DriveView& v = model_.drive;
  volume_sheet_.ShowFields<DriveView>(kVolumeFields, v);
  gauge_.SetPosition(v.bar);
  SetWindowTextW(Control(L"lblPercent"), v.percent.c_str());
  const auto flags = v.flags.empty() ? FileSystemFlagItems(0, 0) : v.flags;
  for (std::size_t i = 0; i < flags.size(); ++i) flags_.SetChecked(i, flags[i].checked);
  // The control lets go of the old icon before it is destroyed.
  SendMessageW(Control(L"Image1"), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
  icon_ = std::move(icon);
  InvalidateRect(Control(L"Image1"), nullptr, TRUE);

  smart_sheet_.ShowFields<SmartView>(kSmartFields, model_.smart);
  ui::ShowReportList(Control(L"lvSmart"),
                     model_.smart.attributes.columns.empty() ? ui::ReportList{SmartAttributeColumns(), {}}
                                                             : model_.smart.attributes);
}

void DiskWindow::cbDriveCloseUp() {
  HWND type = Control(L"edDriveType");
  SetFocus(type);
  SendMessageW(type, EM_SETSEL, 0, 0);
}

void DiskWindow::BitBtn1Click() {
  ui::Window* cd_dvd = find_window_ ? find_window_(L"TfrmCDDVD") : nullptr;
  if (!cd_dvd) return;
  cd_dvd->Show();
  Close();
}

void DiskWindow::Print1Click() { PrintImage(L"Drive Information"); }

void DiskWindow::Exit1Click() { Close(); }

void DiskWindow::OnResize(int width, int height) {
  ui::Place(Control(L"lvSmart"),
            {4, kAttributeListTop, std::max(0, width - 8), std::max(0, height - kAttributeListTop - kFooterHeight)});
  ui::Place(Control(L"Label3"), {4, height - kFooterHeight + 3, 300, 16});
}

LRESULT DiskWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Every showing reads the drives afresh, before the window appears.
  if (msg == WM_SHOWWINDOW && wp) RunCommand(kCmdRefresh);
  return ui::Window::OnMessage(msg, wp, lp);
}

}  // namespace corvane::storage
