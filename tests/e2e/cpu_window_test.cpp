// The processor windows from the main window: the modal CPU window fills its
// rows, its timer keeps the live displays moving without an error box, it
// closes (close box and F12) and leaves the main window usable; the meters
// window opens modally from the View menu and without blocking from the CPU
// window, and its percentage follows the load.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "cpu/cpu_window_ids.h"
#include "cpu/cpu_window_text.h"
#include "e2e/harness.h"

namespace corvane::e2e {
namespace {

using cpu::CpuValueId;

bool IsDigits(const std::wstring& s, size_t count) {
  return s.size() == count && s.find_first_not_of(L"0123456789") == std::wstring::npos;
}

class CpuWindows : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app_.started()) << "CreateProcess error " << app_.start_error();
    main_ = app_.WaitForMainWindow();
    ASSERT_TRUE(main_) << "no visible TForm1";
  }
  void TearDown() override {
    EXPECT_EQ(app_.FindMessageBox(), nullptr) << DescribeWindow(app_.FindMessageBox());
  }

  // Opens the CPU window through View, CPU Info and waits for its rows.
  HWND OpenCpuWindow() {
    const OpenedWindow opened = OpenWindow(app_, {app::kCmdCpuInfo, L"TfrmCPU", /*modal=*/true}, [](HWND cpu) {
      return ChildText(cpu, CpuValueId(cpu::kRowFamily)).starts_with(L"Model ID: Family ");
    });
    EXPECT_TRUE(opened.window) << opened.failure;
    if (!opened.window) return nullptr;
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main_); }, kUiTimeout)) << "the CPU window is modal";
    return opened.window;
  }

  void ExpectClosedAndMainUsable(HWND cpu) {
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(cpu); }, kUiTimeout)) << "destroyed when closed";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }, kUiTimeout));
    EXPECT_TRUE(app_.SendCommand(app::kCmdUsingCorvane, kUiTimeout)) << "the main window answers commands again";
    if (HWND help = app_.WaitForWindow(L"TfrmHelp")) PostMessageW(help, WM_CLOSE, 0, 0);
  }

  CorvaneProcess app_{{L"/norefresh"}};
  HWND main_ = nullptr;
};

TEST_F(CpuWindows, CpuWindowFillsTicksAndCloses) {
  // Positive: 0 is a disabled button, -1 no answer.
  EXPECT_GT(Ask(app_.Control(app::kIdToolbar), TB_ISBUTTONENABLED, app::kCmdCpuInfo), 0) << "toolbar button 6";

  HWND cpu = OpenCpuWindow();
  ASSERT_TRUE(cpu) << "no visible TfrmCPU";
  EXPECT_EQ(WindowText(cpu), std::optional<std::wstring>(L"CPU Info"));
  EXPECT_FALSE(ChildText(cpu, CpuValueId(cpu::kRowBrand)).empty());
  EXPECT_FALSE(ChildText(cpu, CpuValueId(cpu::kRowVendor)).empty());
  EXPECT_NE(ChildText(cpu, CpuValueId(cpu::kRowChip)).find(L" x "), std::wstring::npos);
  EXPECT_EQ(ChildText(cpu, CpuValueId(cpu::kRowProcessorId)).empty(), false);

  // The timer: the clock display fills and the counter keeps running.
  std::wstring first;
  ASSERT_TRUE(WaitUntil([&] { return IsDigits(first = ChildText(cpu, cpu::cpu_ids::kIdCounterPanel), 16); }, kUiTimeout))
      << "counter display: '" << first << "'";
  EXPECT_TRUE(WaitUntil([&] {
    const std::wstring now = ChildText(cpu, cpu::cpu_ids::kIdCounterPanel);
    return IsDigits(now, 16) && now != first;
  }, kUiTimeout)) << "the counter display did not move";
  const std::wstring speed = ChildText(cpu, cpu::cpu_ids::kIdSpeedPanel);
  EXPECT_TRUE(IsDigits(speed, 5)) << "'" << speed << "'";
  EXPECT_EQ(app_.FindMessageBox(), nullptr) << DescribeWindow(app_.FindMessageBox());

  PostMessageW(cpu, WM_CLOSE, 0, 0);
  ExpectClosedAndMainUsable(cpu);

  // A second showing: F12 (File, Exit) closes it through its own shortcut.
  cpu = OpenCpuWindow();
  ASSERT_TRUE(cpu);
  PostMessageW(cpu, WM_KEYDOWN, VK_F12, 0);
  PostMessageW(cpu, WM_KEYUP, VK_F12, 0xC0000000);
  ExpectClosedAndMainUsable(cpu);
}

TEST_F(CpuWindows, MetersFromTheViewMenuFollowTheLoad) {
  // Built the first time it is shown: before, there is no such window, not even hidden.
  EXPECT_EQ(app_.FindWindowOfClass(L"TfrmMeters", /*visible_only=*/false), nullptr);

  const auto asked = std::chrono::steady_clock::now();
  const OpenedWindow opened = OpenWindow(app_, {app::kCmdCpuMeters, L"TfrmMeters", /*modal=*/true},
                                         ChildHasText(cpu::meters_ids::kIdPercent), kUiTimeout);
  ASSERT_TRUE(opened.window) << opened.failure;
  HWND meters = opened.window;
  // It starts cleared. Sampling starts with this showing, once a second, and
  // the first tick only takes a reading: nothing else can show before two
  // seconds have passed since the command was asked for.
  const std::wstring first_label = ChildText(meters, cpu::meters_ids::kIdPercent);
  if (std::chrono::steady_clock::now() - asked < 1500ms) {
    EXPECT_EQ(first_label, L"0.0%");
  }
  EXPECT_EQ(WindowText(meters), std::optional<std::wstring>(L"CPU Meters"));
  EXPECT_TRUE(GetWindowLongW(meters, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(GetWindowLongW(meters, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main_); }, kUiTimeout)) << "shown modally";
  // The first tick only takes a reading; the second shows a load.
  std::wstring label;
  EXPECT_TRUE(WaitUntil([&] { return (label = ChildText(meters, cpu::meters_ids::kIdPercent)).ends_with(L" %"); },
                        kUiTimeout))
      << "'" << label << "'";

  PostMessageW(meters, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(meters); }, kUiTimeout));
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }, kUiTimeout));
  EXPECT_TRUE(IsWindow(meters)) << "hidden, not destroyed";
}

TEST_F(CpuWindows, ShowCpuMeterOpensTheMetersWithoutBlocking) {
  HWND cpu = OpenCpuWindow();
  ASSERT_TRUE(cpu);
  HWND button = FindButton(cpu, L"Show CPU Meter");
  ASSERT_TRUE(button) << DescribeWindow(cpu);
  ASSERT_TRUE(ClickButton(button));
  HWND meters = app_.WaitForWindow(L"TfrmMeters");
  ASSERT_TRUE(meters);
  std::wstring label;
  EXPECT_TRUE(WaitUntil([&] { return (label = ChildText(meters, cpu::meters_ids::kIdPercent)).ends_with(L" %"); },
                        kUiTimeout))
      << "'" << label << "'";
  // The CPU window goes on: its counter still moves while the meters show.
  const std::wstring before = ChildText(cpu, cpu::cpu_ids::kIdCounterPanel);
  EXPECT_TRUE(WaitUntil([&] {
    const std::wstring now = ChildText(cpu, cpu::cpu_ids::kIdCounterPanel);
    return IsDigits(now, 16) && now != before;
  }, kUiTimeout));
  EXPECT_TRUE(IsWindowEnabled(cpu)) << "the meters window does not block the CPU window";

  PostMessageW(meters, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(meters); }, kUiTimeout));
  PostMessageW(cpu, WM_CLOSE, 0, 0);
  ExpectClosedAndMainUsable(cpu);
}

}  // namespace
}  // namespace corvane::e2e
