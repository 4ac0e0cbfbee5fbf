#include "inventory/sound_window_win.h"

#include <algorithm>
#include <optional>
#include <string>

#include "inventory/pc_speaker.h"
#include "inventory/sound_readers_win.h"
#include "inventory/sound_window_ids.h"
#include "inventory/speaker_ports_win.h"
#include "platform/os_version_win.h"
#include "ui/file_dialog_win.h"
#include "ui/list_box_win.h"

namespace corvane::inventory {
namespace {

using namespace sound_ids;

constexpr ui::MenuItem kFileMenu[] = {{L"Exit", kCmdExit, ui::Fn(12)}};
constexpr ui::Menu kMenus[] = {{L"&File", kFileMenu}};

constexpr ui::Command<SoundWindow> kCommands[] = {
    {kCmdExit, &SoundWindow::Exit1Click},
    {kIdSoundTest, &SoundWindow::BitBtn1Click},
    {kIdPlayWav, &SoundWindow::BitBtn2Click},
    {kIdTestSpeaker, &SoundWindow::Button1Click},
    {kIdPlay, &SoundWindow::Button2Click},
    {kIdSettings, &SoundWindow::BitBtn3Click},
    {kIdMixerSettings, &SoundWindow::BitBtn4Click},
    {kIdToneTest, &SoundWindow::SpeedButton1Click},
};

// The page, in client pixels.
constexpr int kMargin = 8;
constexpr int kClientWidth = 440;
constexpr ui::SheetGeometry kSheetGeometry{4, 130, 140, 292, 19, 20, 16};
constexpr int kButtonHeight = 25;
constexpr int kGap = 8;
constexpr int kListWidth = 260;
constexpr int kListHeight = 120;
constexpr int kSideButtonWidth = 140;
constexpr int kToneHeight = 60;
constexpr int kLinkHeight = 16;

constexpr DWORD kButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

}  // namespace

SoundWindow::SoundWindow(const ui::Theme& theme, HWND owner, SoundSystem& system)
    : ui::Window(theme), owner_(owner), system_(system), sheet_(theme) {}

bool SoundWindow::Build() {
  // The sheet's height decides where everything under it goes.
  const int sheet_height = kSheetGeometry.heading_height + kSheetGeometry.row_pitch * static_cast<int>(std::size(kSoundFields)) + 4;
  const int buttons_y = sheet_height + kGap;
  const int list_y = buttons_y + kButtonHeight + kGap;
  const int tone_y = list_y + kListHeight + kGap;
  const int link_y = tone_y + kToneHeight + kGap;
  const int client_height = link_y + kLinkHeight + kGap;

  ui::CreateParams p{L"TfrmSound", kSoundCaption};
  // Not clipping its children: the window paints the inside of the group,
  // which the group box leaves to it.
  p.style = WS_CAPTION | WS_SYSMENU;
  p.ex_style = WS_EX_DLGMODALFRAME;
  p.client_width = kClientWidth;
  p.client_height = client_height;
  p.parent = owner_;
  p.menus = kMenus;
  p.background = theme().white_brush();
  if (!ui::Window::Create(p)) return false;
  // Centred over the window that opened it.
  RECT outer{}, over{};
  GetWindowRect(hwnd(), &outer);
  if (owner_ && GetWindowRect(owner_, &over)) {
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    SetWindowPos(hwnd(), nullptr, over.left + (over.right - over.left - width) / 2,
                 over.top + (over.bottom - over.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  BindCommands(kCommands);

  if (!sheet_.Create(hwnd(), kIdSheet, ui::SheetRows<SoundWindowModel>(kSoundFields), kSheetGeometry)) return false;
  ui::Place(sheet_.hwnd(), {0, 0, kClientWidth, sheet_height}, false);
  FileControl(L"ScrollBox1", kIdSheet, sheet_.hwnd());
  AdoptControls(sheet_);

  constexpr int kTopButtonWidth = 130;
  AddControl(L"BitBtn1", kIdSoundTest, L"BUTTON", L"Sound Test", kButtonStyle, kMargin, buttons_y, kTopButtonWidth,
             kButtonHeight);
  AddControl(L"BitBtn2", kIdPlayWav, L"BUTTON", L"Play WAV File", kButtonStyle, kMargin + kTopButtonWidth + kGap,
             buttons_y, kTopButtonWidth, kButtonHeight);
  AddControl(L"Button1", kIdTestSpeaker, L"BUTTON", L"Test PC Speaker", kButtonStyle,
             kMargin + 2 * (kTopButtonWidth + kGap), buttons_y, kTopButtonWidth, kButtonHeight);

  events_ = AddControl(L"ListBox1", kIdEventList, L"LISTBOX", L"",
                       WS_VISIBLE | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kMargin,
                       list_y, kListWidth, kListHeight);
  const int side_x = kMargin + kListWidth + 2 * kGap;
  AddControl(L"Button2", kIdPlay, L"BUTTON", L"Play", kButtonStyle, side_x, list_y, kSideButtonWidth, kButtonHeight);
  AddControl(L"BitBtn3", kIdSettings, L"BUTTON", L"Settings", kButtonStyle, side_x, list_y + kButtonHeight + kGap,
             kSideButtonWidth, kButtonHeight);
  AddControl(L"BitBtn4", kIdMixerSettings, L"BUTTON", L"Mixer settings", kButtonStyle, side_x,
             list_y + 2 * (kButtonHeight + kGap), kSideButtonWidth, kButtonHeight);

  // The group first: the fields made after it lie above it.
  AddControl(L"GroupBox1", kIdToneGroup, L"BUTTON", L"Tone", WS_VISIBLE | BS_GROUPBOX, kMargin, tone_y,
             kClientWidth - 2 * kMargin, kToneHeight);
  const int field_y = tone_y + 24;
  constexpr DWORD kFieldStyle = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
  AddControl(L"Label1", kIdFrequencyLabel, L"STATIC", L"Frequency", WS_VISIBLE, 2 * kMargin + 4, field_y + 3, 64, 16);
  AddControl(L"Edit1", kIdFrequency, L"EDIT", kDefaultToneText, kFieldStyle, 88, field_y, 64, 21);
  AddControl(L"Label2", kIdDurationLabel, L"STATIC", L"Duration", WS_VISIBLE, 168, field_y + 3, 56, 16);
  AddControl(L"Edit2", kIdDuration, L"EDIT", kDefaultToneText, kFieldStyle, 226, field_y, 64, 21);
  AddControl(L"SpeedButton1", kIdToneTest, L"BUTTON", L"Test", kButtonStyle, 306, field_y - 2, 100, kButtonHeight);

  AddWebLink(L"Label3", kIdLinkLabel, kMargin, link_y, LinkKind::kOpensPage);

  FormCreate();
  return true;
}

void SoundWindow::FormCreate() {
  model_ = BuildSoundModel(TakeSoundReadings(system_), ReadSoundEventNames());
  sheet_.ShowFields<SoundWindowModel>(kSoundFields, model_);
  // The list is replaced, never added to.
  ui::ShowLines(events_, model_.events);
}

std::optional<ui::ReportSection> SoundWindow::RefreshForReport() {
  model_ = BuildSoundModel(TakeSoundReadings(system_), ReadSoundEventNames());
  return SoundSection(model_);
}

void SoundWindow::BitBtn1Click() { system_.DefaultBeep(); }

void SoundWindow::BitBtn2Click() {
  if (const std::optional<std::wstring> file = ui::AskOpenFile(hwnd(), kWavFilter)) system_.PlayFile(*file);
}

void SoundWindow::Button2Click() {
  const LRESULT selected = SendMessageW(events_, LB_GETCURSEL, 0, 0);
  if (selected < 0 || static_cast<std::size_t>(selected) >= model_.events.size()) {
    MessageBoxW(hwnd(), kSelectAnItem, L"Corvane", MB_OK);
    return;
  }
  system_.PlayEvent(model_.events[static_cast<std::size_t>(selected)]);
}

std::wstring SoundWindow::FieldText(int id) const {
  HWND field = GetDlgItem(hwnd(), id);
  std::wstring text(static_cast<std::size_t>(std::max(0, GetWindowTextLengthW(field))) + 1, L'\0');
  text.resize(static_cast<std::size_t>(std::max(0, GetWindowTextW(field, text.data(), static_cast<int>(text.size())))));
  return text;
}

void SoundWindow::SpeedButton1Click() {
  const ToneChoice choice = ChooseTone(FieldText(kIdFrequency), FieldText(kIdDuration));
  if (!choice.message.empty()) {
    ui::ShowErrorBox(hwnd(), choice.message);
    return;
  }
  if (choice.tone) system_.Tone(choice.tone->frequency, choice.tone->duration);
}

void SoundWindow::Button1Click() {
  const std::optional<platform::VersionRecord> version = platform::ReadVersionRecord();
  if (version && ProgramsSpeakerPorts(*version)) {
    HardwareSpeakerPorts ports;
    PortSpeaker speaker(ports);
    TestPcSpeaker(speaker);
    return;
  }
  BeepSpeaker speaker(system_);
  TestPcSpeaker(speaker);
}

void SoundWindow::BitBtn3Click() { system_.Run(kSoundSettingsCommand); }

void SoundWindow::BitBtn4Click() { system_.Run(kMixerCommand); }

void SoundWindow::Exit1Click() { Close(); }

}  // namespace corvane::inventory
