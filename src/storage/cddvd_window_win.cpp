#include "storage/cddvd_window_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <exception>
#include <vector>

#include "ui/product.h"
#include "platform/wmi_win.h"
#include "storage/cd_drive_win.h"
#include "storage/disc_lib_win.h"
#include "storage/window_support_win.h"
#include "ui/sheet_win.h"

namespace corvane::storage {

namespace {

constexpr ui::MenuItem kFileMenu[] = {{L"Exit", kCdExitCommand, ui::Fn(12)}};
constexpr ui::MenuItem kViewMenu[] = {{L"Refresh", kCdRefreshCommand, ui::Fn(5)}};
constexpr ui::Menu kMenus[] = {{L"&File", kFileMenu}, {L"&View", kViewMenu}};

// Rows are a little taller than the summary's so the drop-down fits its row.
constexpr ui::SheetGeometry kGeometry{4, 196, 212, 440, 22, 24, 16};
constexpr int kMargin = 8;
constexpr int kListHeight = 110;
constexpr int kButtonHeight = 26;
constexpr int kButtonWidth = 150;
constexpr int kLinkHeight = 16;
constexpr int kBottomArea = kMargin + kListHeight + kMargin + kButtonHeight + kMargin + kLinkHeight + kMargin;

struct ButtonSpec {
  const wchar_t* name;
  int id;
  const wchar_t* text;
};
constexpr ButtonSpec kButtons[] = {
    {L"BitBtn1", kCdEjectId, L"Eject CD/DVD"},
    {L"Button1", kCdLoadId, L"Load CD/DVD"},
    {L"Button2", kCdEjectDefaultId, L"Eject Default"},
    {L"Button3", kCdAnalyseId, L"Analyse Inserted Media"},
};

std::wstring ValueName(std::size_t row) { return L"edRow" + std::to_wstring(row); }

// A turn of the mouse wheel over the focused drive list would step to the
// next drive and start a slow read; it does nothing instead.
LRESULT CALLBACK IgnoreWheel(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  if (msg == WM_MOUSEWHEEL) return 0;
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(wnd, &IgnoreWheel, id);
  return DefSubclassProc(wnd, msg, wp, lp);
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

// The sheet of this window: its first row holds the drive list, and the
// notifications of its controls go on to the window.
class CdDvdSheet final : public ui::DetailSheet {
 public:
  using ui::DetailSheet::DetailSheet;

  HWND AddDriveList() {
    const auto& g = kGeometry;
    return AddControl(L"cbDrive", kCdDriveListId, WC_COMBOBOXW, L"",
                      WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, g.value_x,
                      g.heading_height, g.value_width, 200);
  }

 protected:
  void OnCommand(int id, int code, HWND control) override {
    SendMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
  }
};

CdDvdWindow::CdDvdWindow(const ui::Theme& theme)
    : ui::Window(theme), sheet_(std::make_unique<CdDvdSheet>(theme)) {}

CdDvdWindow::~CdDvdWindow() = default;

bool CdDvdWindow::Create() {
  ui::CreateParams p{L"TfrmCDDVD", std::wstring(kCdDvdCaption)};
  p.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  p.width = 700;
  p.height = 620;
  p.background = theme().white_brush();
  p.icon = LoadIconW(nullptr, IDI_APPLICATION);
  p.menus = kMenus;
  if (!ui::Window::Create(p)) return false;
  min_width_ = 520;
  min_height_ = 420;

  std::vector<ui::SheetRow> rows;
  for (std::size_t i = 0; i < kCdDvdSheetRows.size(); ++i) {
    const int n = static_cast<int>(i);
    rows.push_back({std::wstring(kCdDvdSheetRows[i].label), L"lblRow" + std::to_wstring(i), kCdLabelIdBase + n,
                    ValueName(i), kCdValueIdBase + n});
  }
  if (!sheet_->Create(hwnd(), kCdSheetId, std::move(rows), kGeometry)) return false;
  FileControl(L"ScrollBox1", kCdSheetId, sheet_->hwnd());
  // The drive list takes the place of the first row's value cell.
  ShowWindow(sheet_->Control(ValueName(0)), SW_HIDE);
  drives_ = sheet_->AddDriveList();
  SetWindowSubclass(drives_, &IgnoreWheel, 1, 0);
  AdoptControls(*sheet_);

  capability_label_ = AddControl(L"lblCapabilities", kCdCapabilityLabelId, L"EDIT", L"Drive Capabilities",
                                 WS_VISIBLE | WS_BORDER | ES_READONLY, 0, 0, kGeometry.label_width,
                                 kGeometry.row_height, 0, theme().bold());
  capabilities_ = AddControl(L"lbCapabilities", kCdCapabilityListId, L"LISTBOX", L"",
                             WS_VISIBLE | WS_BORDER | WS_HSCROLL | LBS_MULTICOLUMN | LBS_NOINTEGRALHEIGHT, 0, 0,
                             kGeometry.value_width, kListHeight);
  for (const auto& b : kButtons) {
    AddControl(b.name, b.id, L"BUTTON", b.text, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, kButtonWidth,
               kButtonHeight);
  }
  link_ = AddControl(L"StaticText1", kCdLinkId, L"STATIC", ui::kWebAddressText, WS_VISIBLE | SS_NOTIFY, 0, 0, 300,
                     kLinkHeight, 0, theme().link());

  RECT client{};
  GetClientRect(hwnd(), &client);
  OnResize(client.right, client.bottom);
  return true;
}

void CdDvdWindow::OnResize(int width, int height) {
  if (!sheet_->hwnd()) return;
  const auto& g = kGeometry;
  const int value_width = std::max(120, width - g.value_x - kMargin);
  MoveWindow(sheet_->hwnd(), 0, 0, width, std::max(0, height - kBottomArea), TRUE);
  sheet_->SetValueWidth(value_width);
  // The list scrolls with the sheet: only its width follows the window.
  SetWindowPos(drives_, nullptr, 0, 0, value_width, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  int y = height - kBottomArea + kMargin;
  MoveWindow(capability_label_, g.label_x, y, g.label_width, g.row_height, TRUE);
  MoveWindow(capabilities_, g.value_x, y, value_width, kListHeight, TRUE);
  SendMessageW(capabilities_, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(std::max(1, (value_width - 4) / 2)), 0);
  y += kListHeight + kMargin;
  int x = g.label_x;
  for (const auto& b : kButtons) {
    MoveWindow(Control(b.name), x, y, kButtonWidth, kButtonHeight, TRUE);
    x += kButtonWidth + kMargin;
  }
  y += kButtonHeight + kMargin;
  MoveWindow(link_, g.label_x, y, 300, kLinkHeight, TRUE);
}

HBRUSH CdDvdWindow::OnControlColour(HDC dc, HWND control) {
  if (control == capability_label_) {
    SetTextColor(dc, ui::kLabelText);
    SetBkColor(dc, ui::kLabelBack);
    return theme().label_brush();
  }
  SetBkColor(dc, ui::kWhite);
  SetTextColor(dc, control == link_ ? ui::kLinkText : ui::kLabelText);
  return theme().white_brush();
}

LRESULT CdDvdWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SHOWWINDOW:
      // Shown by a ShowWindow call (not restored with an owner): fill it
      // before it first paints.
      if (wp && lp == 0) Run(&CdDvdWindow::Refresh1Click, kCdRefreshCommand, 0, nullptr);
      break;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wp) == link_) {
        ui::SetHandCursor();
        return TRUE;
      }
      break;
  }
  return ui::Window::OnMessage(msg, wp, lp);
}

void CdDvdWindow::OnCommand(int id, int code, HWND control) {
  switch (id) {
    case kCdExitCommand:
      SendMessageW(hwnd(), WM_CLOSE, 0, 0);
      return;
    case kCdRefreshCommand:
      Run(&CdDvdWindow::Refresh1Click, id, code, control);
      return;
    case kCdDriveListId:
      if (code == CBN_EDITCHANGE) {
        typed_ = true;
      } else if (code == CBN_SELCHANGE) {
        // The edit part still shows the previous entry while this is sent.
        const LRESULT index = SendMessageW(drives_, CB_GETCURSEL, 0, 0);
        if (index == CB_ERR) return;
        std::wstring item(static_cast<std::size_t>(std::max<LRESULT>(0, SendMessageW(drives_, CB_GETLBTEXTLEN, index, 0))) + 1,
                          L'\0');
        item.resize(static_cast<std::size_t>(
            std::max<LRESULT>(0, SendMessageW(drives_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(item.data())))));
        SetWindowTextW(drives_, item.c_str());
        Run(&CdDvdWindow::cbDriveChange, id, code, control);
      } else if (code == CBN_KILLFOCUS && typed_) {
        Run(&CdDvdWindow::cbDriveChange, id, code, control);
      }
      return;
    case kCdLinkId:
      if (code == STN_CLICKED) OpenWebPage();
      return;
  }
  if (code != BN_CLICKED) return;
  switch (id) {
    case kCdEjectId: Run(&CdDvdWindow::BitBtn1Click, id, code, control); break;
    case kCdLoadId: Run(&CdDvdWindow::Button1Click, id, code, control); break;
    case kCdEjectDefaultId: Run(&CdDvdWindow::Button2Click, id, code, control); break;
    case kCdAnalyseId: Run(&CdDvdWindow::Button3Click, id, code, control); break;
  }
}

void CdDvdWindow::Run(Handler handler, int id, int code, HWND control) {
  if (busy_) {
    pending_ = Pending{id, code, control};
    return;
  }
  busy_ = true;
  try {
    (this->*handler)();
  } catch (const std::exception& e) {
    ui::ShowErrorBox(hwnd(), FailureText(e));
  }
  busy_ = false;
  if (pending_) {
    const Pending p = *pending_;
    pending_.reset();
    PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(p.id, p.code), reinterpret_cast<LPARAM>(p.control));
  }
}

std::wstring CdDvdWindow::DriveEntry() const { return TextOf(drives_); }

void CdDvdWindow::Refresh1Click() {
  const Hourglass hourglass;
  SendMessageW(drives_, CB_RESETCONTENT, 0, 0);
  for (const auto& drive : ListCdDrives()) {
    SendMessageW(drives_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(CdDriveListItem(drive).c_str()));
  }
  if (SendMessageW(drives_, CB_GETCOUNT, 0, 0) > 0) {
    SendMessageW(drives_, CB_SETCURSEL, 0, 0);
  } else {
    SetWindowTextW(drives_, L"");
  }
  cbDriveChange();
}

void CdDvdWindow::cbDriveChange() {
  const Hourglass hourglass;
  typed_ = false;
  std::wstring inquiry, report;
  platform::T2DimStrArray table;
  if (const auto letter = LetterOfEntry(DriveEntry())) {
    Win32DiscLib disc;
    inquiry = disc.lib().ReadInquiryText(*letter);
    int instances = 0;
    platform::WmiQueryTable(L".", L"root\\CIMV2", L"", L"", CdromDriveQuery(std::wstring(1, *letter) + L":"),
                            instances, table);
    // The readiness wait lets messages run; Run keeps other commands out.
    if (const auto drive = disc.lib().OpenCdDrive(*letter)) report = disc.lib().GetDriveCapabilities(drive.get());
  }
  ShowView(BuildCdDvdDriveView(inquiry, table, report));
}

void CdDvdWindow::ShowView(const CdDvdDriveView& view) {
  for (std::size_t i = 0; i < kCdDvdSheetRows.size(); ++i) {
    if (kCdDvdSheetRows[i].value) sheet_->SetValue(i, kCdDvdSheetRows[i].value(view), false);
  }
  SendMessageW(capabilities_, WM_SETREDRAW, FALSE, 0);
  SendMessageW(capabilities_, LB_RESETCONTENT, 0, 0);
  for (const auto& line : view.capabilities) {
    SendMessageW(capabilities_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  SendMessageW(capabilities_, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(capabilities_, nullptr, TRUE);
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
    const Hourglass hourglass;
    outcome = EjectMedia(LetterOfEntry(DriveEntry()));
  }
  if (const auto message = DoorMessage(outcome)) Tell(*message);
}

void CdDvdWindow::Button1Click() {
  DoorOutcome outcome;
  {
    const Hourglass hourglass;
    outcome = CloseTray(LetterOfEntry(DriveEntry()));
  }
  if (const auto message = DoorMessage(outcome)) Tell(*message);
}

void CdDvdWindow::Button2Click() {
  DoorOutcome outcome;
  {
    const Hourglass hourglass;
    outcome = OpenDefaultTray(hwnd());
  }
  if (const auto message = DoorMessage(outcome)) Tell(*message);
}

void CdDvdWindow::Button3Click() {
  std::optional<DriveMessage> message;
  {
    const Hourglass hourglass;
    Win32MmcTransport transport;
    message = AnalyseInsertedMedia(transport, LetterOfEntry(DriveEntry()));
  }
  Tell(*message);
}

void CdDvdWindow::OpenWebPage() { ShellExecuteW(hwnd(), L"open", ui::kWebPage, nullptr, nullptr, SW_SHOWNORMAL); }

}  // namespace corvane::storage
