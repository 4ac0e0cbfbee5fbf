#include "storage/disk_window_win.h"

// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <winioctl.h>  // the lean build leaves it out of windows.h
// clang-format on

#include <algorithm>
#include <exception>
#include <optional>
#include <string>

#include "platform/locale_win.h"
#include "ui/product.h"
#include "platform/text_file_win.h"
#include "storage/disk_window_ids.h"
#include "storage/smart_probe.h"
#include "storage/smart_transport_win.h"
#include "storage/window_support_win.h"
#include "ui/menu_table.h"
#include "ui/report_list_win.h"
#include "ui/window_print_win.h"

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
constexpr int kFlagRows = 6;
constexpr int kFlagPitch = 18;
constexpr int kFlagHeight = 16;
constexpr int kFlagInset = 6;
constexpr int kSmartSheetTop = 366;
constexpr int kAttributeListTop = 506;
constexpr int kFooterHeight = 22;
constexpr RECT kIconRect{470, 24, 510, 64};
constexpr RECT kGaugePanel{600, 22, 670, 182};
constexpr int kBarWidth = 24;
constexpr int kBarInset = 8;
constexpr COLORREF kBarColour = 0xFFFF00;  // cyan as the bar message takes it
constexpr COLORREF kPanelColour = RGB(0, 0, 0);
constexpr int kButtonLeft = 470, kButtonWidth = 150, kButtonHeight = 26;

// ---- menus --------------------------------------------------------------------------

constexpr ui::MenuItem kFileItems[] = {
    {L"Print", cmdPrint},
    ui::kSeparator,
    {L"Exit", cmdExit, ui::Fn(10)},
};
constexpr ui::MenuItem kViewItems[] = {
    {L"Refresh", cmdRefresh},
};
constexpr ui::Menu kMenus[] = {
    {L"&File", kFileItems},
    {L"&View", kViewItems},
};

// ---- sheet rows -----------------------------------------------------------------------

struct RowSpec {
  const wchar_t* label;
  const wchar_t* name;  // the value box; the label box is "lbl" + name
};
constexpr RowSpec kVolumeRows[kVolumeRowCount] = {
    {L"Drive", L"Drive"},
    {L"Drive Type", L"DriveType"},
    {L"UNC", L"UNC"},
    {L"Volume Serial No.", L"Serial"},
    {L"Capacity", L"Capacity"},
    {L"Free", L"Free"},
    {L"Bytes Per Sector", L"BytesPerSector"},
    {L"Sectors Per Cluster", L"SectorsPerCluster"},
    {L"Total Clusters", L"TotalClusters"},
    {L"Free Clusters", L"FreeClusters"},
};
constexpr RowSpec kSmartRows[kSmartRowCount] = {
    {L"SMART Enabled", L"SmartEnabled"},
    {L"Temperature", L"Temperature"},
    {L"Modal Number", L"Model"},
    {L"Serial Number", L"SmartSerial"},
    {L"Firmware Revision", L"Firmware"},
    {L"Size", L"Size"},
};

template <std::size_t N>
std::vector<ui::SheetRow> SheetRows(const RowSpec (&rows)[N], int value_base) {
  std::vector<ui::SheetRow> specs;
  for (std::size_t i = 0; i < N; ++i) {
    const int value_id = value_base + static_cast<int>(i);
    specs.push_back({rows[i].label, std::wstring(L"lbl") + rows[i].name, value_id + kLabelOffset,
                     std::wstring(L"ed") + rows[i].name, value_id});
  }
  return specs;
}

// ---- readings ---------------------------------------------------------------------------

// Critical-error boxes ("There is no disk in the drive") stay away while a
// drive is asked; the previous mode comes back afterwards.
class CriticalErrorsOff {
 public:
  CriticalErrorsOff() : old_(::SetErrorMode(SEM_FAILCRITICALERRORS)) { ::SetErrorMode(old_ | SEM_FAILCRITICALERRORS); }
  ~CriticalErrorsOff() { ::SetErrorMode(old_); }
  CriticalErrorsOff(const CriticalErrorsOff&) = delete;
  CriticalErrorsOff& operator=(const CriticalErrorsOff&) = delete;

 private:
  UINT old_;
};

std::wstring RootOf(wchar_t letter) { return {letter, L':', L'\\'}; }

// Label, file system and the rest; nullopt when the call fails.
std::optional<VolumeInformation> ReadVolumeInformation(const std::wstring& root) {
  wchar_t label[MAX_PATH + 1] = {};
  wchar_t file_system[MAX_PATH + 1] = {};
  DWORD serial = 0, max_component = 0, flags = 0;
  if (!::GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, &serial, &max_component, &flags, file_system,
                               MAX_PATH + 1))
    return std::nullopt;
  return VolumeInformation{label, file_system, serial, flags, max_component};
}

// The fixed drives in the system's order, each with its volume label.
std::vector<FixedVolume> ReadFixedVolumes() {
  // "A:\<NUL>B:\<NUL>...<NUL>"; the length returned leaves out the last NUL.
  std::vector<wchar_t> roots(MAX_PATH + 1, L'\0');
  DWORD n = ::GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
  if (n >= roots.size()) {
    roots.assign(n + 1, L'\0');
    n = ::GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
  }
  if (n >= roots.size()) n = 0;

  CriticalErrorsOff quiet;
  std::vector<FixedVolume> volumes;
  for (const wchar_t* root = roots.data(); root < roots.data() + n && *root; root += wcslen(root) + 1) {
    const wchar_t letter = root[0];
    if (!((letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z'))) continue;
    if (::GetDriveTypeW(RootOf(letter).c_str()) != DRIVE_FIXED) continue;
    const auto volume = ReadVolumeInformation(RootOf(letter));
    volumes.push_back({letter, volume ? volume->label : std::wstring()});
  }
  return volumes;
}

using GetDiskFreeSpaceExFn = BOOL(WINAPI*)(LPCWSTR, PULARGE_INTEGER, PULARGE_INTEGER, PULARGE_INTEGER);

// The 64-bit totals, from a function the first 9x releases lack.
std::optional<ByteTotals> ReadByteTotals(const std::wstring& root) {
  auto get = reinterpret_cast<GetDiskFreeSpaceExFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "GetDiskFreeSpaceExW")));
  if (!get) return std::nullopt;
  ULARGE_INTEGER to_caller{}, total{}, free{};
  if (!get(root.c_str(), &to_caller, &total, &free)) return std::nullopt;
  return ByteTotals{total.QuadPart, to_caller.QuadPart};
}

using WNetGetConnectionFn = DWORD(WINAPI*)(LPCWSTR, LPWSTR, LPDWORD);

// The remote name a drive letter is connected to; nullopt for a local drive.
std::optional<std::wstring> ReadRemoteName(wchar_t letter) {
  platform::UniqueModule mpr(::LoadLibraryW(L"mpr.dll"));
  if (!mpr) return std::nullopt;
  auto get = reinterpret_cast<WNetGetConnectionFn>(
      reinterpret_cast<void*>(::GetProcAddress(mpr.get(), "WNetGetConnectionW")));
  if (!get) return std::nullopt;
  const wchar_t local[] = {letter, L':', L'\0'};
  std::wstring remote(MAX_PATH, L'\0');
  DWORD length = MAX_PATH;
  DWORD result = get(local, remote.data(), &length);
  if (result == ERROR_MORE_DATA) {
    remote.assign(length, L'\0');
    result = get(local, remote.data(), &length);
  }
  if (result != NO_ERROR) return std::nullopt;
  remote.resize(wcsnlen(remote.c_str(), remote.size()));
  return remote;
}

// The current directory of the drive, in its universal form.
std::wstring ReadUniversalName(wchar_t letter) {
  const wchar_t drive[] = {letter, L':', L'\0'};
  std::wstring full(MAX_PATH, L'\0');
  DWORD n = ::GetFullPathNameW(drive, static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (n >= full.size()) {
    full.assign(n, L'\0');
    n = ::GetFullPathNameW(drive, static_cast<DWORD>(full.size()), full.data(), nullptr);
  }
  if (n == 0 || n >= full.size()) return drive;
  full.resize(n);
  return UniversalName(full, ReadRemoteName(letter));
}

// The physical disk a volume lies on, where the system can say (NT family).
std::optional<std::uint32_t> ReadDiskNumber(wchar_t letter) {
  const std::wstring path = std::wstring(L"\\\\.\\") + letter + L":";
  // No access is needed to ask where a volume lives.
  platform::UniqueFile volume(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, 0, nullptr));
  if (!volume) return std::nullopt;
  STORAGE_DEVICE_NUMBER number{};
  DWORD returned = 0;
  if (!::DeviceIoControl(volume.get(), IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof number,
                         &returned, nullptr) ||
      number.DeviceType != FILE_DEVICE_DISK)
    return std::nullopt;
  return number.DeviceNumber;
}

SmartReading ReadSmart(int drive) {
  Win32SmartTransport transport;
  SmartReading r;
  std::wstring error;  // the window does not show the SMART messages
  r.identity_ok = ReadDriveIdentity(transport, drive, error, r.model, r.size, r.serial);
  if (r.identity_ok) r.smart_ok = ReadSmartData(transport, drive, r.smart, error);
  return r;
}

UniqueIcon ReadShellIcon(const std::wstring& root) {
  SHFILEINFOW info{};
  if (!::SHGetFileInfoW(root.c_str(), 0, &info, sizeof info, SHGFI_ICON)) return {};
  return UniqueIcon(info.hIcon);
}

// Everything the window shows of one drive, read in one go.
struct DriveReading {
  VolumeFacts facts;
  std::wstring unc;
  UniqueIcon icon;
  SmartReading smart;
};

DriveReading ReadDrive(wchar_t letter, int list_position) {
  DriveReading r;
  const std::wstring root = RootOf(letter);
  {
    CriticalErrorsOff quiet;
    DWORD sectors_per_cluster = 0, bytes_per_sector = 0, free_clusters = 0, total_clusters = 0;
    const bool ready = ::GetDiskFreeSpaceW(root.c_str(), &sectors_per_cluster, &bytes_per_sector, &free_clusters,
                                           &total_clusters) != FALSE;
    r.facts.type = ::GetDriveTypeW(root.c_str());
    if (ready) {
      r.facts.clusters = ClusterFigures{sectors_per_cluster, bytes_per_sector, free_clusters, total_clusters};
      r.facts.bytes = ReadByteTotals(root);
      r.facts.volume = ReadVolumeInformation(root);
      r.icon = ReadShellIcon(root);
    }
    r.unc = ReadUniversalName(letter);
  }
  r.smart = ReadSmart(SmartDriveNumber(ReadDiskNumber(letter), list_position));
  return r;
}

NumberSeparators ReadSeparators() { return {platform::ReadDecimalSeparator(), platform::ReadThousandsSeparator()}; }

// ---- controls -------------------------------------------------------------------------------

// A wheel turn over the closed drive list would switch drives: it is taken
// and dropped. With the list open it scrolls the list as usual.
LRESULT CALLBACK DriveListWheel(HWND combo, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR) {
  if (msg == WM_MOUSEWHEEL && !SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0)) return 0;
  if (msg == WM_NCDESTROY) RemoveWindowSubclass(combo, &DriveListWheel, id);
  return DefSubclassProc(combo, msg, wp, lp);
}

using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);

// Themed progress bars ignore the bar colour; the classic look keeps it.
void UseClassicLook(HWND control) {
  platform::UniqueModule uxtheme(::LoadLibraryW(L"uxtheme.dll"));
  if (!uxtheme) return;
  if (auto set = reinterpret_cast<SetWindowThemeFn>(
          reinterpret_cast<void*>(::GetProcAddress(uxtheme.get(), "SetWindowTheme"))))
    set(control, L" ", L" ");  // names no theme class
}

}  // namespace

void ForwardingSheet::OnCommand(int id, int code, HWND control) {
  SendMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
}

DiskWindow::DiskWindow(const ui::Theme& theme, FindWindowFn find_window)
    : ui::Window(theme), find_window_(std::move(find_window)), volume_sheet_(theme), smart_sheet_(theme) {}

bool DiskWindow::Create() {
  ui::CreateParams p{L"TfrmDisk", L"Drive Information"};
  p.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  p.background = theme().white_brush();
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, p.style, TRUE, 0);
  p.width = frame.right - frame.left;
  p.height = frame.bottom - frame.top;
  p.menus = kMenus;
  if (!ui::Window::Create(p)) return false;
  min_width_ = p.width;
  min_height_ = p.height;

  // The volume sheet, with the drive list in place of its first value box.
  volume_sheet_.Create(hwnd(), kVolumeSheet, SheetRows(kVolumeRows, kVolumeValueBase), kSheetGeometry);
  MoveWindow(volume_sheet_.hwnd(), 0, kVolumeSheetTop, kSheetWidth, volume_sheet_.ContentHeight(), FALSE);
  ShowWindow(volume_sheet_.Control(L"edDrive"), SW_HIDE);
  const auto& g = kSheetGeometry;
  HWND combo = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST,
                               g.value_x, g.heading_height, g.value_width, 200, volume_sheet_.hwnd(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDriveList)), GetModuleHandleW(nullptr),
                               nullptr);
  SendMessageW(combo, WM_SETFONT, reinterpret_cast<WPARAM>(theme().normal()), FALSE);
  SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), g.row_height - 6);
  SetWindowSubclass(combo, &DriveListWheel, 1, 0);
  FileControl(L"cbDrive", kDriveList, combo);

  // The SMART sheet carries the section's two headings in place of its own.
  smart_sheet_.Create(hwnd(), kSmartSheet, SheetRows(kSmartRows, kSmartValueBase), kSheetGeometry);
  MoveWindow(smart_sheet_.hwnd(), 0, kSmartSheetTop, kSheetWidth, smart_sheet_.ContentHeight(), FALSE);
  SetWindowTextW(smart_sheet_.Control(L"lblItem"), L"SMART Information ");
  SetWindowTextW(smart_sheet_.Control(L"lblDetails"), L"(for SMART enabled hard disks) ");
  AdoptControls(smart_sheet_);
  FileControl(L"lblSmartInformation", 0, smart_sheet_.Control(L"lblItem"));
  FileControl(L"lblSmartEnabledDisks", 0, smart_sheet_.Control(L"lblDetails"));
  AdoptControls(volume_sheet_);  // after the SMART sheet: "lblItem" is this sheet's

  AddControl(L"Image1", kDriveIcon, L"STATIC", L"", WS_VISIBLE | SS_ICON | SS_CENTERIMAGE, kIconRect.left,
             kIconRect.top, kIconRect.right - kIconRect.left, kIconRect.bottom - kIconRect.top);
  CreateGauge();
  AddControl(L"lblFlags", kFlagCaption, L"STATIC", L"File System Flags", WS_VISIBLE, kFlagBox.left, kFlagCaptionTop,
             200, 16, 0, theme().bold());
  CreateFlagList();
  AddControl(L"BitBtn1", kShowCdDvd, L"BUTTON", L"Show CD/DVD Info", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
             kButtonLeft, kFlagBox.top, kButtonWidth, kButtonHeight);
  CreateAttributeList();
  AddControl(L"Label3", kLinkLabel, L"STATIC", ui::kWebAddressText, WS_VISIBLE | SS_NOTIFY, 4,
             kClientHeight - kFooterHeight + 3, 300, 16, 0, theme().link());
  UpdateCdDvdButton();
  return true;
}

void DiskWindow::CreateGauge() {
  gauge_panel_ = kGaugePanel;
  const int panel_width = kGaugePanel.right - kGaugePanel.left;
  AddControl(L"lblUsed", kUsedCaption, L"STATIC", L"% Used", WS_VISIBLE | SS_CENTER, kGaugePanel.left - 10,
             kGaugePanel.top - 18, panel_width + 20, 16, 0, theme().bold());
  const int bar_height = kGaugePanel.bottom - kGaugePanel.top - 2 * kBarInset;
  const int gap = panel_width - 2 * kBarInset - 2 * kBarWidth;
  const struct {
    const wchar_t* name;
    int id;
    int x;
  } bars[] = {{L"ProgressBar1", kUsedBarLeft, kGaugePanel.left + kBarInset},
              {L"ProgressBar2", kUsedBarRight, kGaugePanel.left + kBarInset + kBarWidth + gap}};
  for (const auto& b : bars) {
    HWND bar = AddControl(b.name, b.id, PROGRESS_CLASSW, L"", WS_VISIBLE | PBS_VERTICAL | PBS_SMOOTH, b.x,
                          kGaugePanel.top + kBarInset, kBarWidth, bar_height);
    UseClassicLook(bar);
    SendMessageW(bar, PBM_SETRANGE32, 0, 100);
    SendMessageW(bar, PBM_SETBARCOLOR, 0, kBarColour);
    SendMessageW(bar, PBM_SETBKCOLOR, 0, kPanelColour);
  }
  AddControl(L"lblPercent", kUsedText, L"STATIC", std::wstring(kNoPercentText), WS_VISIBLE | SS_CENTER,
             kGaugePanel.left - 10, kGaugePanel.bottom + 4, panel_width + 20, 16);
}

void DiskWindow::CreateFlagList() {
  // Plain check boxes, not the automatic kind: a click does not change them,
  // they show what the volume has.
  const auto items = FileSystemFlagItems(0, 0);
  const int column_width = (kFlagBox.right - kFlagBox.left - 3 * kFlagInset) / 2;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const int row = static_cast<int>(i) % kFlagRows;
    const int column = static_cast<int>(i) / kFlagRows;
    AddControl(L"chkFlag" + std::to_wstring(i), FlagId(static_cast<int>(i)), L"BUTTON", items[i].text,
               WS_VISIBLE | BS_CHECKBOX, kFlagBox.left + kFlagInset + column * (column_width + kFlagInset),
               kFlagBox.top + kFlagInset / 2 + row * kFlagPitch, column_width, kFlagHeight);
  }
}

void DiskWindow::CreateAttributeList() {
  HWND list = AddControl(L"lvSmart", kAttributeList, WC_LISTVIEWW, L"",
                         WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 4,
                         kAttributeListTop, kClientWidth - 8, kClientHeight - kAttributeListTop - kFooterHeight);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  ui::ShowReportList(list, ui::ReportList{SmartAttributeColumns(), {}});
}

void DiskWindow::UpdateCdDvdButton() {
  EnableWindow(Control(L"BitBtn1"), find_window_ && find_window_(L"TfrmCDDVD") != nullptr);
}

template <class F>
void DiskWindow::Guarded(F&& command) {
  try {
    command();
  } catch (const std::exception& e) {
    ui::ShowErrorBox(hwnd(), FailureText(e));
  }
}

void DiskWindow::Refresh1Click() {
  const Hourglass hourglass;
  UpdateCdDvdButton();
  HWND combo = Control(L"cbDrive");
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);

  drives_ = ReadFixedVolumes();
  for (const FixedVolume& d : drives_) {
    const std::wstring text = DriveListItemText(d.letter, d.label);
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  if (drives_.empty()) {
    ShowDrive(DriveView{}, UniqueIcon());
    ShowSmart(BuildSmartView(SmartReading{}, L""));
    return;
  }
  SendMessageW(combo, CB_SETCURSEL, 0, 0);
  cbDriveChange();
}

void DiskWindow::cbDriveChange() {
  const auto position = static_cast<int>(SendMessageW(Control(L"cbDrive"), CB_GETCURSEL, 0, 0));
  if (position < 0 || static_cast<std::size_t>(position) >= drives_.size()) return;
  const Hourglass hourglass;
  // What a previous drive showed goes first, so nothing of it survives a failure below.
  ShowDrive(DriveView{}, UniqueIcon());
  ShowSmart(BuildSmartView(SmartReading{}, L""));

  DriveReading reading = ReadDrive(drives_[static_cast<std::size_t>(position)].letter, position);
  const NumberSeparators separators = ReadSeparators();
  ShowDrive(BuildDriveView(reading.facts, reading.unc, separators), std::move(reading.icon));
  ShowSmart(BuildSmartView(reading.smart, separators.thousands));
}

void DiskWindow::SetVolumeValue(int row, const std::wstring& text) {
  volume_sheet_.SetValue(static_cast<std::size_t>(row), text, false);
}

void DiskWindow::SetSmartValue(int row, const std::wstring& text) {
  smart_sheet_.SetValue(static_cast<std::size_t>(row), text, false);
}

void DiskWindow::ShowDrive(const DriveView& v, UniqueIcon icon) {
  SetVolumeValue(kRowDriveType, v.type);
  SetVolumeValue(kRowUnc, v.unc);
  SetVolumeValue(kRowSerial, v.serial);
  SetVolumeValue(kRowCapacity, v.capacity);
  SetVolumeValue(kRowFree, v.free);
  SetVolumeValue(kRowBytesPerSector, v.bytes_per_sector);
  SetVolumeValue(kRowSectorsPerCluster, v.sectors_per_cluster);
  SetVolumeValue(kRowTotalClusters, v.total_clusters);
  SetVolumeValue(kRowFreeClusters, v.free_clusters);
  for (const wchar_t* bar : {L"ProgressBar1", L"ProgressBar2"}) SendMessageW(Control(bar), PBM_SETPOS, v.bar, 0);
  SetWindowTextW(Control(L"lblPercent"), v.percent.c_str());
  ShowFlags(v.flags.empty() ? FileSystemFlagItems(0, 0) : v.flags);
  // The control lets go of the old icon before it is destroyed.
  SendMessageW(Control(L"Image1"), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
  icon_ = std::move(icon);
  InvalidateRect(Control(L"Image1"), nullptr, TRUE);
}

void DiskWindow::ShowFlags(const std::vector<FlagItem>& flags) {
  for (std::size_t i = 0; i < flags.size(); ++i) {
    SendMessageW(Control(L"chkFlag" + std::to_wstring(i)), BM_SETCHECK, flags[i].checked ? BST_CHECKED : BST_UNCHECKED,
                 0);
  }
}

void DiskWindow::ShowSmart(const SmartView& v) {
  SetSmartValue(kRowSmartEnabled, v.verdict);
  SetSmartValue(kRowTemperature, v.temperature);
  SetSmartValue(kRowModel, v.model);
  SetSmartValue(kRowSmartSerial, v.serial);
  SetSmartValue(kRowFirmware, v.firmware);
  SetSmartValue(kRowSize, v.size);
  ui::ShowReportList(Control(L"lvSmart"), v.attributes);
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
  SendMessageW(hwnd(), WM_CLOSE, 0, 0);
}

void DiskWindow::Print1Click() {
  const DWORD error = ui::PrintWindowImage(hwnd(), L"Drive Information");
  if (error != ERROR_SUCCESS) ui::ShowErrorBox(hwnd(), platform::SystemMessage(error));
}

void DiskWindow::Exit1Click() { SendMessageW(hwnd(), WM_CLOSE, 0, 0); }

void DiskWindow::Label3Click() { ShellExecuteW(hwnd(), L"open", ui::kWebPage, nullptr, nullptr, SW_SHOWNORMAL); }

void DiskWindow::OnCommand(int id, int code, HWND) {
  switch (id) {
    case cmdRefresh: return Guarded([&] { Refresh1Click(); });
    case cmdPrint: return Guarded([&] { Print1Click(); });
    case cmdExit: return Exit1Click();
    case kDriveList:
      if (code == CBN_SELCHANGE) return Guarded([&] { cbDriveChange(); });
      if (code == CBN_CLOSEUP) return cbDriveCloseUp();
      return;
    case kShowCdDvd:
      if (code == BN_CLICKED) return Guarded([&] { BitBtn1Click(); });
      return;
    case kLinkLabel:
      if (code == STN_CLICKED) return Label3Click();
      return;
  }
}

void DiskWindow::OnResize(int width, int height) {
  MoveWindow(Control(L"lvSmart"), 4, kAttributeListTop, std::max(0, width - 8),
             std::max(0, height - kAttributeListTop - kFooterHeight), TRUE);
  MoveWindow(Control(L"Label3"), 4, height - kFooterHeight + 3, 300, 16, TRUE);
}

HBRUSH DiskWindow::OnControlColour(HDC dc, HWND control) {
  SetBkColor(dc, ui::kWhite);
  SetTextColor(dc, control == Control(L"Label3") ? ui::kLinkText : ui::kLabelText);
  return theme().white_brush();
}

LRESULT DiskWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SHOWWINDOW:
      // Every showing reads the drives afresh, before the window appears.
      if (wp) Guarded([&] { Refresh1Click(); });
      break;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd(), &ps);
      FillRect(dc, &gauge_panel_, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      RECT flag_box = kFlagBox;
      DrawEdge(dc, &flag_box, EDGE_SUNKEN, BF_RECT);
      EndPaint(hwnd(), &ps);
      return 0;
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wp) == Control(L"Label3")) {
        ui::SetHandCursor();
        return TRUE;
      }
      break;
  }
  return ui::Window::OnMessage(msg, wp, lp);
}

}  // namespace corvane::storage
