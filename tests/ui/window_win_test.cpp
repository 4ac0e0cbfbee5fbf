// The window base under Wine: a failure that escapes a command, a message
// handler or the building of a window is told (the standard error box, or in
// an unattended run a line on the standard error stream) and the window goes
// on working; a command that arrives while another runs waits for it; and
// the busy cursor stays up until its outermost owner ends.
#include "ui/window_win.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/unique_handle.h"
#include "ui/shown_boxes_win.h"

namespace corvane::ui {
namespace {

using namespace std::chrono_literals;

enum : int { kCmdBoom = 101, kCmdCount, kCmdOther, kCmdOuterEnds, kCmdOuterFails };
constexpr UINT kMsgBang = WM_APP + 1;  // a message whose handler fails

// A window made for these tests: commands that fail, count, or send the
// window two more commands while they run.
class Probe : public Window {
 public:
  explicit Probe(const Theme& theme) : Window(theme) {}

  void Boom() { throw std::runtime_error("boom"); }
  void Count() { ++counted; }
  void Other() { ++others; }
  void OuterEnds() {
    ++outer_runs;
    SendTwoCommands();
  }
  void OuterFails() {
    ++outer_runs;
    SendTwoCommands();
    throw std::runtime_error("outer failed");
  }

  bool fail_build = false;
  HWND built_then_failed = nullptr;
  int counted = 0, others = 0, outer_runs = 0;
  int ran_while_outer_ran = -1;

 protected:
  bool Build() override;
  LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    if (msg == kMsgBang) throw std::runtime_error("bang");
    return Window::OnMessage(msg, wp, lp);
  }

 private:
  // As a message box's loop or a wait that lets messages through would
  // deliver them: straight into the window procedure while the command runs.
  void SendTwoCommands() {
    SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(kCmdCount, 0), 0);
    SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(kCmdOther, 0), 0);
    ran_while_outer_ran = counted + others;
  }
};

constexpr Command<Probe> kProbeCommands[] = {
    {kCmdBoom, &Probe::Boom},           {kCmdCount, &Probe::Count},
    {kCmdOther, &Probe::Other},         {kCmdOuterEnds, &Probe::OuterEnds},
    {kCmdOuterFails, &Probe::OuterFails},
};

bool Probe::Build() {
  CreateParams p{L"CorvaneTestProbe", L"Probe"};
  if (!Create(p)) return false;
  BindCommands(kProbeCommands);
  if (fail_build) {
    built_then_failed = hwnd();
    throw std::runtime_error("no build");
  }
  return true;
}

void SendCommand(const Probe& probe, int id) { SendMessageW(probe.hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

// Delivers what is waiting in this thread's queue (held commands are posted).
void Pump() {
  MSG msg;
  for (int i = 0; i < 100 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

using test_support::BoxesShownDuring;
using test_support::ShownBox;

// What a run told the user.
struct Told {
  std::vector<ShownBox> boxes;
  std::string error_stream;  // unattended runs only
};

// Runs `action` on this thread in an attended or an unattended run. A message box
// stops this thread until someone clicks it, so a second thread meanwhile
// records every box of this process and closes it; in an unattended run the
// standard error stream goes to a pipe for the time of the action.
Told Watched(bool unattended, const std::function<void()>& action) {
  Told told;
  HANDLE read_end = nullptr, write_end = nullptr;
  const HANDLE old_error = GetStdHandle(STD_ERROR_HANDLE);
  if (unattended) {
    if (!CreatePipe(&read_end, &write_end, nullptr, 0)) {
      ADD_FAILURE() << "no pipe: " << GetLastError();
      return told;
    }
    SetStdHandle(STD_ERROR_HANDLE, write_end);
    SetUnattended(true);
  }

  told.boxes = BoxesShownDuring(action);

  if (unattended) {
    SetUnattended(false);
    SetStdHandle(STD_ERROR_HANDLE, old_error);
    CloseHandle(write_end);
    char buffer[256];
    DWORD got = 0;
    while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got > 0) told.error_stream.append(buffer, got);
    CloseHandle(read_end);
  }
  return told;
}

// The failure was told once, the way the run tells it.
void ExpectToldOnce(const Told& told, bool unattended, const std::string& message) {
  if (unattended) {
    EXPECT_TRUE(told.boxes.empty()) << "an unattended run shows no box";
    EXPECT_EQ(told.error_stream, message + "\n");
    return;
  }
  ASSERT_EQ(told.boxes.size(), 1u);
  EXPECT_EQ(told.boxes[0].caption, L"Corvane");
  EXPECT_NE(told.boxes[0].texts.find(std::wstring(message.begin(), message.end())), std::wstring::npos)
      << testing::PrintToString(told.boxes[0].texts);
}

void ExpectNothingTold(const Told& told) {
  EXPECT_TRUE(told.boxes.empty());
  EXPECT_EQ(told.error_stream, "");
}

// Each failure, told in an attended and in an unattended run.
class Failures : public testing::TestWithParam<bool> {
 protected:
  bool unattended() const { return GetParam(); }
  Theme theme_;
};

TEST_P(Failures, AFailingCommandIsToldAndTheWindowGoesOn) {
  Probe probe(theme_);
  ASSERT_TRUE(probe.EnsureBuilt());
  ExpectToldOnce(Watched(unattended(), [&] { SendCommand(probe, kCmdBoom); }), unattended(), "boom");
  // The next command runs at once: the failed one is over, nothing holds it.
  ExpectNothingTold(Watched(unattended(), [&] { SendCommand(probe, kCmdCount); }));
  EXPECT_EQ(probe.counted, 1);
}

TEST_P(Failures, AFailingMessageHandlerIsToldAndTheWindowGoesOn) {
  Probe probe(theme_);
  ASSERT_TRUE(probe.EnsureBuilt());
  LRESULT answer = -1;
  ExpectToldOnce(Watched(unattended(), [&] { answer = SendMessageW(probe.hwnd(), kMsgBang, 0, 0); }), unattended(),
                 "bang");
  EXPECT_EQ(answer, 0);
  ExpectNothingTold(Watched(unattended(), [&] { SendCommand(probe, kCmdCount); }));
  EXPECT_EQ(probe.counted, 1);
}

TEST_P(Failures, AFailingBuildIsToldAndLeavesNoWindow) {
  Probe probe(theme_);
  probe.fail_build = true;
  bool built = true;
  ExpectToldOnce(Watched(unattended(), [&] { built = probe.EnsureBuilt(); }), unattended(), "no build");
  EXPECT_FALSE(built);
  EXPECT_FALSE(probe.built());
  EXPECT_TRUE(probe.built_then_failed) << "the window was made before the failure";
  EXPECT_FALSE(IsWindow(probe.built_then_failed)) << "and is gone";
  // A later showing tries again.
  probe.fail_build = false;
  EXPECT_TRUE(probe.EnsureBuilt());
}

INSTANTIATE_TEST_SUITE_P(Runs, Failures, testing::Bool(),
                         [](const auto& info) { return info.param ? "Unattended" : "Attended"; });

// Two commands arrive while a third runs, which then ends or fails.
struct HeldCase {
  const char* name;
  int outer;
  bool outer_fails;
};
void PrintTo(const HeldCase& c, std::ostream* os) { *os << c.name; }

class HeldCommands : public testing::TestWithParam<HeldCase> {};

TEST_P(HeldCommands, WaitForTheRunningOneAndOnlyTheLastRunsOnce) {
  Theme theme;
  Probe probe(theme);
  ASSERT_TRUE(probe.EnsureBuilt());
  const Told told = Watched(false, [&] {
    SendCommand(probe, GetParam().outer);
    Pump();
    Pump();  // nothing more is waiting: each held command runs once
  });
  if (GetParam().outer_fails) {
    ASSERT_EQ(told.boxes.size(), 1u);
    EXPECT_NE(told.boxes[0].texts.find(L"outer failed"), std::wstring::npos);
  } else {
    EXPECT_TRUE(told.boxes.empty());
  }
  EXPECT_EQ(probe.outer_runs, 1);
  EXPECT_EQ(probe.ran_while_outer_ran, 0) << "neither ran inside the running command";
  EXPECT_EQ(probe.others, 1) << "the last one held runs afterwards, once";
  EXPECT_EQ(probe.counted, 0) << "an earlier held one is replaced by the last";
}

INSTANTIATE_TEST_SUITE_P(Outer, HeldCommands,
                         testing::Values(HeldCase{"Ends", kCmdOuterEnds, false},
                                         HeldCase{"Fails", kCmdOuterFails, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BusyCursor, NestedOwnersKeepItUpUntilTheOutermostEnds) {
  Theme theme;
  Probe probe(theme);
  ASSERT_TRUE(probe.EnsureBuilt());
  const HCURSOR wait = LoadCursorW(nullptr, IDC_WAIT);
  // The cursor the window puts up when the mouse moves over it.
  auto shown = [&] {
    SendMessageW(probe.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(probe.hwnd()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
  };

  ASSERT_FALSE(IsBusy());
  EXPECT_NE(shown(), wait);
  {
    const BusyCursor outer;
    EXPECT_TRUE(IsBusy());
    EXPECT_EQ(shown(), wait);
    {
      const BusyCursor inner;
      EXPECT_TRUE(IsBusy());
    }
    EXPECT_TRUE(IsBusy()) << "the outer owner still holds it";
    EXPECT_EQ(shown(), wait);
  }
  EXPECT_FALSE(IsBusy());
  EXPECT_NE(shown(), wait);

  // A window's background work may hold it past a command that started later.
  auto background = std::make_unique<BusyCursor>();
  auto command = std::make_unique<BusyCursor>();
  background.reset();
  EXPECT_TRUE(IsBusy()) << "the later owner still holds it";
  command.reset();
  EXPECT_FALSE(IsBusy());
  EXPECT_NE(shown(), wait);
}

}  // namespace
}  // namespace corvane::ui
