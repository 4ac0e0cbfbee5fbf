#include "storage/cddvd_window_win.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "platform/wmi_win.h"
#include "storage/cd_drive_win.h"
#include "storage/cddvd_window_ids.h"
#include "storage/disc_lib_win.h"
#include "ui/list_box_win.h"

namespace corvane::storage {

namespace {

using namespace cddvd_ids;

constexpr ui::MenuItem kFileMenu[] = {{L"Exit", kCmdExit, ui::Fn(12)}};
constexpr ui::MenuItem kViewMenu[] = {{L"Refresh", kCmdRefresh, ui::Fn(5)}};
constexpr ui::Menu kMenus[] = {{L"&File", kFileMenu}, {L"&View", kViewMenu}};

// Rows are a little taller than the summary's so the drop-down fits its row.
constexpr ui::SheetGeometry kGeometry{4, 196, 212, 440, 22, 24, 16};
constexpr int kMargin = 8;
constexpr int kListHeight = 110;
constexpr int kButtonHeight = 26;
constexpr int kButtonWidth = 150;
constexpr int kLinkHeight = 16;
constexpr int kBottomArea = kMargin + kListHeight + kMargin + kButtonHeight + kMargin + kLinkHeight + kMargin;

struct ButtonRow {
  const wchar_t* name;
  int id;
  const wchar_t* text;
};
constexpr ButtonRow kButtons[] = {
    {L"BitBtn1", kIdEject, L"Eject CD/DVD"},
    {L"Button1", kIdLoad, L"Load CD/DVD"},
    {L"Button2", kIdEjectDefault, L"Eject Default"},
    {L"Button3", kIdAnalyse, L"Analyse Inserted Media"},
};

constexpr ui::Command<CdDvdWindow> kCommands[] = {
    {kCmdExit, &CdDvdWindow::Exit1Click},
    {kCmdRefresh, &CdDvdWindow::Refresh1Click},
    {kIdDriveList, &CdDvdWindow::cbDriveSelect, CBN_SELCHANGE},
    {kIdDriveList, &CdDvdWindow::cbDriveLeave, CBN_KILLFOCUS},
    {kIdEject, &CdDvdWindow::BitBtn1Click, BN_CLICKED},
    {kIdLoad, &CdDvdWindow::Button1Click, BN_CLICKED},
    {kIdEjectDefault, &CdDvdWindow::Button2Click, BN_CLICKED},
    {kIdAnalyse, &CdDvdWindow::Button3Click, BN_CLICKED},
};

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The rows of the drive an entry of the list names (nothing for an entry
// that names no drive letter).
CdDvdDriveView ReadDriveView(std::wstring_view entry) {
  std::wstring inquiry, report;
  platform::T2DimStrArray table;
  if (const auto letter = LetterOfEntry(entry)) {
    Win32DiscLib disc;
    inquiry = disc.lib().ReadInquiryText(*letter);
    int instances = 0;
    platform::WmiQueryTable(L".", L"root\\CIMV2", L"", L"", CdromDriveQuery(std::wstring(1, *letter) + L":"),
                            instances, table);
    // The readiness wait lets messages run; other commands wait for this one.
    if (const auto drive = disc.lib().OpenCdDrive(*letter)) report = disc.lib().GetDriveCapabilities(drive.get());
  }
  return BuildCdDvdDriveView(inquiry, table, report);
}

}  // namespace

CdDvdWindow::CdDvdWindow(const ui::Theme& theme) : ui::Window(theme), sheet_(theme) {}

bool CdDvdWindow::Build() {
  ui::CreateParams p = DetailParams(L"TfrmCDDVD", std::wstring(kCdDvdCaption), kMenus);
  p.width = 700;
  p.height = 620;
  if (!ui::Window::Create(p)) return false;
  min_width_ = 520;
  min_height_ = 420;
  BindCommands(kCommands);

  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<CdDvdDriveView>(kCdDvdSheetRows), kGeometry)) return false;
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  drives_ = sheet_.AddDropDown(0, L"cbDrive", kIdDriveList, /*editable=*/true);
  AdoptControls(sheet_);

  capability_label_ = AddControl(L"lblCapabilities", kIdCapabilityLabel, L"EDIT", L"Drive Capabilities",
                                 WS_VISIBLE | WS_BORDER | ES_READONLY, 0, 0, kGeometry.label_width,
                                 kGeometry.row_height, 0, theme().bold());
  capabilities_ = AddControl(L"lbCapabilities", kIdCapabilityList, L"LISTBOX", L"",
                             WS_VISIBLE | WS_BORDER | WS_HSCROLL | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT, 0, 0,
                             kGeometry.value_width, kListHeight);
  for (const auto& b : kButtons) {
    AddControl(b.name, b.id, L"BUTTON", b.text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, kButtonWidth,
               kButtonHeight);
  }
  link_ = AddWebLink(L"StaticText1", kIdLinkLabel, 0, 0, LinkKind::kOpensPage);

  const RECT client = LogicalClientRect();
  OnResize(client.right, client.bottom);
  return true;
}

void CdDvdWindow::OnResize(int width, int height) {
  if (!sheet_.hwnd()) return;
  const auto& g = kGeometry;
  const int value_width = std::max(120, width - g.value_x - kMargin);
  ui::Place(sheet_.hwnd(), {0, 0, width, std::max(0, height - kBottomArea)});
  // The drop-down scrolls with the sheet: only its width follows the window.
  sheet_.SetValueWidth(value_width);

  int y = height - kBottomArea + kMargin;
  ui::Place(capability_label_, {g.label_x, y, g.label_width, g.row_height});
  ui::Place(capabilities_, {g.value_x, y, value_width, kListHeight});
  SendMessageW(capabilities_, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(Scale(std::max(1, (value_width - 4) / 2))), 0);
  y += kListHeight + kMargin;
  int x = g.label_x;
  for (const auto& b : kButtons) {
    ui::Place(Control(b.name), {x, y, kButtonWidth, kButtonHeight});
    x += kButtonWidth + kMargin;
  }
  y += kButtonHeight + kMargin;
  ui::Place(link_, {g.label_x, y, 300, kLinkHeight});
}

HBRUSH CdDvdWindow::OnControlColour(HDC dc, HWND control) {
  if (control == capability_label_) {
    SetTextColor(dc, ui::kLabelText);
    SetBkColor(dc, ui::kLabelBack);
    return theme().label_brush();
  }
  return ui::Window::OnControlColour(dc, control);
}

LRESULT CdDvdWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // Shown by a ShowWindow call (not restored with an owner): fill it
  // before it first paints.
  if (msg == WM_SHOWWINDOW && wp && lp == 0) RunCommand(kCmdRefresh);
  return ui::Window::OnMessage(msg, wp, lp);
}

void CdDvdWindow::OnCommand(int id, int code, HWND) {
  if (id == kIdDriveList && code == CBN_EDITCHANGE) typed_ = true;
}

void CdDvdWindow::cbDriveSelect() {
  // The edit part still shows the previous entry while this is sent.
  const LRESULT index = SendMessageW(drives_, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return;
  std::wstring item(static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageW(drives_, CB_GETLBTEXTLEN, index, 0))) + 1,
                    L'\0');
  item.resize(static_cast<std::size_t>(
      std::max<LRESULT>(0, SendMessageW(drives_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data())))));
  SetWindowTextW(drives_, item.c_str());
  cbDriveChange();
}

void CdDvdWindow::cbDriveLeave() {
  if (typed_) cbDriveChange();
}

void CdDvdWindow::Exit1Click() { Close(); }

std::wstring CdDvdWindow::DriveEntry() const { return TextOf(drives_); }

void CdDvdWindow::Refresh1Click() {
  const ui::BusyCursor busy;
  model_.drives = ListCdDrives();
  SendMessageW(drives_, CB_RESETCONTENT, 0, 0);
  for (const auto& drive : model_.drives) {
    SendMessageW(drives_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(CdDriveListItem(drive).c_str()));
  }
  if (!model_.drives.empty()) {
    SendMessageW(drives_, CB_SETCURSEL, 0, 0);
  } else {
    SetWindowTextW(drives_, L"");
  }
  cbDriveChange();
}

void CdDvdWindow::cbDriveChange() {
  const ui::BusyCursor busy;
  typed_ = false;
  model_.entry = DriveEntry();
  model_.view = ReadDriveView(model_.entry);
  ShowView();
}

std::optional<ui::ReportSection> CdDvdWindow::RefreshForReport() {
  model_.drives = ListCdDrives();
  model_.entry.clear();
  model_.view = BuildCdDvdDriveView(L"", {}, L"");
  std::vector<CdDriveReport> drives;
  for (const auto& drive : model_.drives) {
    const std::wstring item = CdDriveListItem(drive);
    drives.push_back({item, ReadDriveView(item)});
  }
  if (!drives.empty()) {
    model_.entry = drives.front().item;
    model_.view = drives.front().view;
  }
  return CdDvdSection(drives);
}

void CdDvdWindow::ShowView() {
  sheet_.ShowFields<CdDvdDriveView>(kCdDvdSheetRows, model_.view);
  ui::ShowLines(capabilities_, model_.view.capabilities);
}

void CdDvdWindow::Tell(const DriveMessage& message) {
  switch (message.style) {
    case MessageStyle::Error:
      ui::ShowErrorBox(hwnd(), message.text);
      break;
    case MessageStyle::Plain:
      MessageBoxW(hwnd(), message.text.c_str(), L"Corvane", MB_OK);
      break;
    case MessageStyle::Information:
      MessageBoxW(hwnd(), message.text.c_str(), L"Corvane", MB_OK | MB_ICONINFORMATION);
      break;
  }
}

void CdDvdWindow::BitBtn1Click() {
  DoorOutcome outcome;
  {
    const ui::BusyCursor busy;
    outcome = EjectMedia(LetterOfEntry(DriveEntry()));
  }
  if (const auto message = DoorMessage(outcome)) Tell(*message);
}

void CdDvdWindow::Button1Click() {
  DoorOutcome outcome;
  {
    const ui::BusyCursor busy;
    outcome = CloseTray(LetterOfEntry(DriveEntry()));
  }
  if (const auto message = DoorMessage(outcome)) Tell(*message);
}

void CdDvdWindow::Button2Click() {
  DoorOutcome outcome;
  {
    const ui::BusyCursor busy;
    outcome = OpenDefaultTray(hwnd());
  }
  if (const auto message = DoorMessage(outcome)) Tell(*message);
}

void CdDvdWindow::Button3Click() {
  std::optional<DriveMessage> message;
  {
    const ui::BusyCursor busy;
    Win32MmcTransport transport;
    message = AnalyseInsertedMedia(transport, LetterOfEntry(DriveEntry()));
  }
  Tell(*message);
}

}  // namespace corvane::storage
