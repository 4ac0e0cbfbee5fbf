// The tool menus' dispatcher with a scripted launcher and mixer: every item
// starts exactly what its row says (no tool is started and no system setting
// changed here), the hourglass is up where the row asks for it, the check
// marks follow their items, and the microphone routine tells only its two
// messages.
#include "shortcuts/tool_actions_win.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/com_win.h"
#include "platform/failure_text_win.h"
#include "platform/unique_handle.h"
#include "ui/menu_win.h"
#include "ui/window_win.h"

namespace corvane::shortcuts {
namespace {

constexpr unsigned kFirst = 600;

using Text = std::optional<std::wstring>;
Text Passed(const wchar_t* text) { return text ? Text(text) : std::nullopt; }

// One call the dispatcher made, with whether the hourglass was up during it.
struct Call {
  std::wstring what{};  // "line", "execute", "method", "beep", "door"
  std::wstring target{};
  Text verb{}, parameters{}, directory{};
  HWND owner = nullptr;
  int show = 0;
  bool busy = false;
  bool operator==(const Call&) const = default;
};

void PrintTo(const Call& c, std::ostream* os) {
  *os << testing::PrintToString(c.what) << " " << testing::PrintToString(c.target) << " verb "
      << testing::PrintToString(c.verb) << " params " << testing::PrintToString(c.parameters) << " dir "
      << testing::PrintToString(c.directory) << " owner " << c.owner << " show " << c.show << " busy " << c.busy;
}

class ScriptedLauncher final : public Launcher {
 public:
  void RunCommandLine(std::wstring_view line, int show) override {
    calls.push_back({L"line", std::wstring(line), {}, {}, {}, nullptr, show, ui::IsBusy()});
  }
  void ExecuteFile(HWND owner, const wchar_t* verb, std::wstring_view file, const wchar_t* parameters,
                    const wchar_t* directory, int show) override {
    calls.push_back({L"execute", std::wstring(file), Passed(verb), Passed(parameters), Passed(directory), owner, show,
                     ui::IsBusy()});
  }
  void InvokeShellMethod(std::wstring_view name) override {
    calls.push_back({L"method", std::wstring(name), {}, {}, {}, nullptr, 0, ui::IsBusy()});
    if (fail_methods) throw std::runtime_error("no shell");
  }
  void SetWarningBeep(bool on) override { calls.push_back({L"beep", on ? L"on" : L"off"}); }
  void SetCdDoor(HWND callback, bool open) override {
    calls.push_back({L"door", open ? L"open" : L"closed", {}, {}, {}, callback});
  }
  std::vector<Call> calls;
  bool fail_methods = false;
};

// A sound mixer as the test describes it; records what the routine asked.
class ScriptedMixer final : public Mixer {
 public:
  UINT devices = 1;
  MMRESULT open = MMSYSERR_NOERROR, line_info = MMSYSERR_NOERROR, line_controls = MMSYSERR_NOERROR,
           set = MMSYSERR_NOERROR;
  DWORD line_id = 7, control_id = 42;

  std::vector<std::wstring> steps;
  std::optional<LONG> value_set;
  DWORD line_component = 0, line_size = 0, controls_type = 0, controls_line = 0, controls_count = 0,
        details_control = 0, details_channels = 0, details_size = 0;

  UINT GetNumDevs() override {
    steps.push_back(L"count");
    return devices;
  }
  MMRESULT Open(HMIXER* mixer, UINT device) override {
    steps.push_back(L"open " + std::to_wstring(device));
    if (open == MMSYSERR_NOERROR) *mixer = kHandle;
    return open;
  }
  MMRESULT GetLineInfo(HMIXER mixer, MIXERLINEW* line, DWORD flags) override {
    steps.push_back(Step(L"line", mixer, flags, MIXER_GETLINEINFOF_COMPONENTTYPE));
    line_component = line->dwComponentType;
    line_size = line->cbStruct;
    line->dwLineID = line_id;
    return line_info;
  }
  MMRESULT GetLineControls(HMIXER mixer, MIXERLINECONTROLSW* controls, DWORD flags) override {
    steps.push_back(Step(L"controls", mixer, flags, MIXER_GETLINECONTROLSF_ONEBYTYPE));
    controls_type = controls->dwControlType;
    controls_line = controls->dwLineID;
    controls_count = controls->cControls;
    if (controls->cbmxctrl == sizeof(MIXERCONTROLW) && controls->pamxctrl) controls->pamxctrl->dwControlID = control_id;
    return line_controls;
  }
  MMRESULT SetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) override {
    steps.push_back(Step(L"set", mixer, flags, MIXER_SETCONTROLDETAILSF_VALUE));
    details_control = details->dwControlID;
    details_channels = details->cChannels;
    details_size = details->cbDetails;
    if (details->cbDetails == sizeof(LONG) && details->paDetails) value_set = *static_cast<LONG*>(details->paDetails);
    return set;
  }
  MMRESULT Close(HMIXER mixer) override {
    steps.push_back(mixer == kHandle ? L"close" : L"close ?");
    return MMSYSERR_NOERROR;
  }

 private:
  static inline const HMIXER kHandle = reinterpret_cast<HMIXER>(static_cast<INT_PTR>(0x1234));
  static std::wstring Step(const wchar_t* name, HMIXER mixer, DWORD flags, DWORD expected) {
    std::wstring step = name;
    if (mixer != kHandle) step += L" (other mixer)";
    if (flags != (MIXER_OBJECTF_HMIXER | expected)) step += L" (flags " + std::to_wstring(flags) + L")";
    return step;
  }
};

// The window standing in for the main window: the tool menus as its menu bar;
// it keeps the monitor-power requests it receives.
std::vector<LPARAM>* g_monitor_requests = nullptr;
LRESULT CALLBACK HostProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SYSCOMMAND && (wp & 0xFFF0) == SC_MONITORPOWER) {
    if (g_monitor_requests) g_monitor_requests->push_back(lp);
    return 0;  // not passed on: the test machine's monitor stays as it is
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

HWND MakeWindow(const wchar_t* class_name, HMENU menu) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &HostProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = class_name;
  RegisterClassExW(&wc);  // already registered by an earlier test: fine
  return CreateWindowExW(0, class_name, L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, menu, wc.hInstance,
                         nullptr);
}

constexpr auto kSystem = MenuItemsOf<0>(kFirst);
constexpr auto kControl = MenuItemsOf<1>(kFirst);
constexpr auto kPrograms = MenuItemsOf<2>(kFirst);
constexpr auto kHardware = MenuItemsOf<3>(kFirst);
const ui::Menu kBar[] = {{L"&System", kSystem}, {L"&Control Panel", kControl}, {L"Programs", kPrograms},
                         {L"Hardware", kHardware}};

unsigned IdOf(std::wstring_view caption) {
  unsigned id = kFirst;
  for (const ToolMenu& menu : kToolMenus) {
    for (const ToolItem& item : menu.items) {
      if (item.caption == caption) return id;
      ++id;
    }
  }
  ADD_FAILURE() << "no item " << testing::PrintToString(std::wstring(caption));
  return 0;
}

class ToolActionsTest : public testing::Test {
 protected:
  void SetUp() override {
    g_monitor_requests = &monitor_requests_;
    HMENU bar = ui::BuildMenuBar(kBar);
    host_.reset(MakeWindow(L"CorvaneToolHost", bar));
    ASSERT_TRUE(host_);
    tools_.emplace(host_.get(), kFirst, launcher_, mixer_, [this](std::wstring_view m) { told_.emplace_back(m); });
  }
  void TearDown() override { g_monitor_requests = nullptr; }

  bool Checked(unsigned id) const { return (GetMenuState(GetMenu(host_.get()), id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

  platform::UniqueWindow host_;
  ScriptedLauncher launcher_;
  ScriptedMixer mixer_;
  std::vector<std::wstring> told_;
  std::vector<LPARAM> monitor_requests_;
  std::optional<ToolActions> tools_;
};

TEST_F(ToolActionsTest, EveryLaunchingItemStartsWhatItsRowSaysWithTheHourglassWhereAsked) {
  wchar_t windows[MAX_PATH] = {};
  ASSERT_GT(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  unsigned id = kFirst;
  int launching = 0;
  for (const ToolMenu& menu : kToolMenus) {
    for (const ToolItem& item : menu.items) {
      const unsigned this_id = id++;
      const ToolAction& a = item.action;
      if (a.kind == ActionKind::kBuiltIn) continue;
      SCOPED_TRACE(testing::PrintToString(std::wstring(item.caption)));
      ++launching;
      launcher_.calls.clear();
      ASSERT_TRUE(tools_->Handles(this_id));
      tools_->Run(this_id);
      Call want;
      want.target = std::wstring(a.target);
      want.busy = item.hourglass;
      switch (a.kind) {
        case ActionKind::kCommandLine:
          want.what = L"line";
          want.show = item.show;
          break;
        case ActionKind::kShellExecute:
          want.what = L"execute";
          want.verb = Passed(a.verb);
          want.parameters = Passed(a.parameters);
          want.directory = a.directory_is_windows ? Text(windows) : Passed(a.directory);
          want.owner = a.owner_is_main_window ? host_.get() : nullptr;
          want.show = item.show;
          break;
        default:
          want.what = L"method";
          break;
      }
      ASSERT_EQ(launcher_.calls.size(), 1u);
      EXPECT_EQ(launcher_.calls[0], want);
      EXPECT_FALSE(ui::IsBusy()) << "the hourglass outlives the call";
    }
  }
  EXPECT_EQ(launching, 15 - 1 + 20 + 7);  // all but Hide Taskbar in System, and the other two menus whole
  EXPECT_TRUE(told_.empty());
  EXPECT_FALSE(tools_->Handles(kFirst - 1));
  EXPECT_FALSE(tools_->Handles(kFirst + static_cast<unsigned>(kToolItemCount)));
}

TEST_F(ToolActionsTest, AShellObjectFailureReachesTheCommandRunnerAndTheHourglassEnds) {
  launcher_.fail_methods = true;
  EXPECT_THROW(tools_->Run(IdOf(L"Run")), std::runtime_error);
  EXPECT_FALSE(ui::IsBusy());
}

TEST_F(ToolActionsTest, HideTaskbarHidesThenShowsTheTrayAndTheMarkFollows) {
  // A tray window of our own, found first as the newest of its class.
  platform::UniqueWindow tray(MakeWindow(L"Shell_TrayWnd", nullptr));
  ASSERT_TRUE(tray);
  ShowWindow(tray.get(), SW_SHOWNA);
  ASSERT_EQ(FindWindowW(L"Shell_TrayWnd", nullptr), tray.get()) << "another tray window comes first";
  const unsigned id = IdOf(L"Hide Taskbar");
  EXPECT_FALSE(Checked(id));

  tools_->Run(id);
  EXPECT_TRUE(Checked(id));
  EXPECT_TRUE(tools_->Marked(BuiltIn::kHideTaskbar));
  EXPECT_FALSE(IsWindowVisible(tray.get()));

  tools_->Run(id);
  EXPECT_FALSE(Checked(id));
  EXPECT_FALSE(tools_->Marked(BuiltIn::kHideTaskbar));
  EXPECT_TRUE(IsWindowVisible(tray.get()));
  EXPECT_TRUE(launcher_.calls.empty());
}

TEST_F(ToolActionsTest, HardwareItemsAddressTheMainWindowAndMuteSpeakersSwitchesTheBeep) {
  tools_->Run(IdOf(L"Standby Monitor"));
  tools_->Run(IdOf(L"Switch Off Monitor"));
  EXPECT_EQ(monitor_requests_, (std::vector<LPARAM>{2, 0}));

  tools_->Run(IdOf(L"Eject CD"));
  tools_->Run(IdOf(L"Load CD"));
  const unsigned speakers = IdOf(L"Mute Speakers");
  EXPECT_FALSE(Checked(speakers));
  tools_->Run(speakers);
  EXPECT_TRUE(Checked(speakers));
  tools_->Run(speakers);
  EXPECT_FALSE(Checked(speakers));
  const std::vector<Call> want = {
      {L"door", L"open", {}, {}, {}, host_.get()},
      {L"door", L"closed", {}, {}, {}, host_.get()},
      {L"beep", L"off"},  // the mark set: the warning beep off
      {L"beep", L"on"},
  };
  EXPECT_EQ(launcher_.calls, want);
}

TEST_F(ToolActionsTest, MuteMicrophoneMarksItsItemAndTellsOnlyTheTwoFailures) {
  struct Case {
    const char* name;
    UINT devices;
    MMRESULT open, line_info, line_controls, set;
    std::vector<std::wstring> steps;
    std::vector<std::wstring> told;
    bool sets_value;
  };
  const std::vector<std::wstring> kAll = {L"count", L"open 0", L"line", L"controls", L"set", L"close"};
  const Case kCases[] = {
      {"no mixer", 0, 0, 0, 0, 0, {L"count"}, {}, false},
      {"mixer will not open", 1, MMSYSERR_ALLOCATED, 0, 0, 0, {L"count", L"open 0"}, {}, false},
      {"no microphone line", 1, 0, MIXERR_INVALLINE, 0, 0, {L"count", L"open 0", L"line", L"close"}, {}, false},
      {"no mute control", 1, 0, 0, MIXERR_INVALCONTROL, 0,
       {L"count", L"open 0", L"line", L"controls", L"close"}, {L"GetLineInfo Error"}, false},
      {"setting refused", 1, 0, 0, 0, MMSYSERR_INVALPARAM, kAll, {L"SetControlDetails Error"}, true},
      {"set", 1, 0, 0, 0, 0, kAll, {}, true},
  };
  const unsigned id = IdOf(L"Mute Microphone");
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    for (bool mute : {true, false}) {
      mixer_ = ScriptedMixer{};
      mixer_.devices = c.devices;
      mixer_.open = c.open;
      mixer_.line_info = c.line_info;
      mixer_.line_controls = c.line_controls;
      mixer_.set = c.set;
      told_.clear();
      tools_->Run(id);
      EXPECT_EQ(Checked(id), mute) << "the mark follows the item whatever the mixer does";
      EXPECT_EQ(mixer_.steps, c.steps);
      EXPECT_EQ(told_, c.told);
      if (c.steps.size() >= 3) {
        EXPECT_EQ(mixer_.line_component, static_cast<DWORD>(MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE));
        EXPECT_EQ(mixer_.line_size, sizeof(MIXERLINEW));
      }
      if (c.steps.size() >= 5) {
        EXPECT_EQ(mixer_.controls_type, static_cast<DWORD>(MIXERCONTROL_CONTROLTYPE_MUTE));
        EXPECT_EQ(mixer_.controls_line, mixer_.line_id);
        EXPECT_EQ(mixer_.controls_count, 1u);
      }
      if (c.sets_value) {
        EXPECT_EQ(mixer_.details_control, mixer_.control_id);
        EXPECT_EQ(mixer_.details_channels, 1u);
        EXPECT_EQ(mixer_.details_size, 4u);
        EXPECT_EQ(mixer_.value_set, std::optional<LONG>(mute ? 1 : 0));
      } else {
        EXPECT_FALSE(mixer_.value_set);
      }
    }
  }
  EXPECT_TRUE(launcher_.calls.empty());
}

TEST(SystemLauncher, AMethodTheShellObjectLacksFailsWithTheSystemsWords) {
  platform::ComApartment com;
  SystemLauncher launcher;
  try {
    launcher.InvokeShellMethod(L"NoSuchMethodOfTheShell");
    ADD_FAILURE() << "no failure";
  } catch (const platform::SystemError& e) {
    EXPECT_TRUE(FAILED(static_cast<HRESULT>(e.code())));
    EXPECT_NE(e.message().find(L"System Error.  Code: "), std::wstring::npos) << testing::PrintToString(e.message());
  }
}

}  // namespace
}  // namespace corvane::shortcuts
