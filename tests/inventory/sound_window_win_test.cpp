// The sound window under Wine: its rows from the system's answers (Wine's
// own, which have no sound device, and a test system's), the event list
// from the registry, replaced and never added to when read again, and what
// each button asks of the system.
#include "inventory/sound_window_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "fake_sound_system.h"
#include "inventory/sound_readers_win.h"
#include "inventory/sound_window_ids.h"
#include "inventory/event_labels_win.h"
#include "platform/seeded_value_win.h"

namespace corvane::inventory {
namespace {

using namespace std::string_view_literals;
using test_support::SeededValue;
using Tone = std::pair<std::uint32_t, std::uint32_t>;

using test_support::EventLabelsNow;
using test_support::kEventLabels;
using test_support::Utf16;

std::vector<std::wstring> ListLines(HWND list) {
  std::vector<std::wstring> lines;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring line(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    line.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line.data()))));
    lines.push_back(line);
  }
  return lines;
}

// The system's warning beeper switched for one test and put back.
class BeeperScope {
 public:
  explicit BeeperScope(bool on) {
    SystemParametersInfoW(SPI_GETBEEP, 0, &old_, 0);
    EXPECT_TRUE(SystemParametersInfoW(SPI_SETBEEP, on, nullptr, 0));
  }
  BeeperScope(const BeeperScope&) = delete;
  BeeperScope& operator=(const BeeperScope&) = delete;
  ~BeeperScope() { SystemParametersInfoW(SPI_SETBEEP, old_, nullptr, 0); }

 private:
  BOOL old_ = TRUE;
};

TEST(SoundReadersWin, WineWithoutADeviceAndWithTheBeeperOff) {
  const BeeperScope off(false);
  SystemSound system;
  const SoundWindowModel model = BuildSoundModel(TakeSoundReadings(system), {});
  EXPECT_EQ(model.sound_card, L"Not detected");
  EXPECT_EQ(model.mixer_devices, L"0");
  EXPECT_EQ(model.version, L"");
  EXPECT_EQ(model.speakers, L"NOT Present");

  const BeeperScope on(true);
  EXPECT_EQ(BuildSoundModel(TakeSoundReadings(system), {}).speakers, L"Present");
}

class SoundWindowWin : public testing::Test {
 protected:
  void SetUp() override {
    system_.devices = {WaveOutDevice{L"Corvane Test Card", 0x0501}};
    system_.mixers = 1;
    ASSERT_TRUE(window_.EnsureBuilt());
  }

  HWND Child(int id) const { return GetDlgItem(window_.hwnd(), id); }
  void Click(int id) {
    SendMessageW(window_.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Child(id)));
  }

  // Two events of the test's own, whatever the prefix has besides.
  SeededValue first_{HKEY_CURRENT_USER, std::wstring(kEventLabels) + L"\\CorvaneTestFirst", L"", REG_SZ,
                     Utf16(L"First test event\0"sv)};
  SeededValue second_{HKEY_CURRENT_USER, std::wstring(kEventLabels) + L"\\CorvaneTestSecond", L"", REG_SZ,
                      Utf16(L"Second test event\0"sv)};
  ui::Theme theme_;
  FakeSoundSystem system_;
  SoundWindow window_{theme_, nullptr, system_};
};

TEST_F(SoundWindowWin, OpensWithTheSystemsAnswersAndTheEventList) {
  EXPECT_EQ(window_.model().sound_card, L"Corvane Test Card");
  EXPECT_EQ(window_.model().mixer_devices, L"1");
  EXPECT_EQ(window_.model().version, L"5.1");
  EXPECT_EQ(window_.model().speakers, L"Present");
  wchar_t text[64] = {};
  GetWindowTextW(window_.Control(L"edSoundCard"), text, 64);
  EXPECT_STREQ(text, L"Corvane Test Card");

  const std::vector<std::wstring> events = EventLabelsNow();
  EXPECT_NE(std::ranges::find(events, L"CorvaneTestFirst"), events.end());
  EXPECT_NE(std::ranges::find(events, L"CorvaneTestSecond"), events.end());
  EXPECT_EQ(window_.model().events, events);
  EXPECT_EQ(ListLines(Child(sound_ids::kIdEventList)), events);
}

// The report reads the same rows and events without building the window.
TEST(SoundWindowReportWin, ReadsTheModelIntoTheSectionUnbuilt) {
  const SeededValue event{HKEY_CURRENT_USER, std::wstring(kEventLabels) + L"\\CorvaneTestReport", L"", REG_SZ,
                          Utf16(L"Report test event\0"sv)};
  const ui::Theme theme;
  FakeSoundSystem system;
  system.devices = {WaveOutDevice{L"Corvane Report Card", 0x0102}};
  SoundWindow window(theme, nullptr, system);
  const std::optional<ui::ReportSection> section = window.RefreshForReport();
  EXPECT_FALSE(window.built());
  ASSERT_TRUE(section);
  EXPECT_EQ(section->id, L"TfrmSound");
  EXPECT_EQ(section->title, L"Sound");
  ASSERT_FALSE(section->rows.empty());
  EXPECT_EQ(section->rows.front().label, L"Sound card");
  EXPECT_EQ(section->rows.front().value, L"Corvane Report Card");
  ASSERT_EQ(section->lists.size(), 1u);
  std::vector<std::wstring> events;
  for (const auto& row : section->lists[0].rows) events.push_back(row.at(0));
  EXPECT_EQ(events, EventLabelsNow());
  EXPECT_NE(std::ranges::find(events, L"CorvaneTestReport"), events.end());
}

TEST_F(SoundWindowWin, ReadingAgainReplacesTheEventList) {
  const std::vector<std::wstring> events = EventLabelsNow();
  window_.FormCreate();
  EXPECT_EQ(window_.model().events, events);
  EXPECT_EQ(ListLines(Child(sound_ids::kIdEventList)), events);
  EXPECT_EQ(system_.asked_devices, (std::vector<unsigned>{0, 0})) << "the devices are read again too";
}

TEST_F(SoundWindowWin, EachButtonAsksTheSystemForItsSound) {
  Click(sound_ids::kIdSoundTest);
  EXPECT_EQ(system_.default_beeps, 1);

  Click(sound_ids::kIdToneTest);  // the fields' defaults
  EXPECT_EQ(system_.tones, (std::vector<Tone>{{1000, 1000}}));
  SetWindowTextW(Child(sound_ids::kIdFrequency), L"440");
  SetWindowTextW(Child(sound_ids::kIdDuration), L"$FA");
  Click(sound_ids::kIdToneTest);
  EXPECT_EQ(system_.tones, (std::vector<Tone>{{1000, 1000}, {440, 250}}));

  // Wine reports the NT family: three beeps.
  system_.tones.clear();
  Click(sound_ids::kIdTestSpeaker);
  EXPECT_EQ(system_.tones, (std::vector<Tone>{{500, 1000}, {700, 1000}, {900, 1000}}));

  Click(sound_ids::kIdSettings);
  Click(sound_ids::kIdMixerSettings);
  EXPECT_EQ(system_.runs, (std::vector<std::string>{"rundll32.exe shell32.dll, Control_RunDLL Mmsys.cpl",
                                                    "sndvol32.exe"}));
}

TEST_F(SoundWindowWin, PlayPlaysTheSelectedEvent) {
  const auto& events = window_.model().events;
  const auto second = std::ranges::find(events, L"CorvaneTestSecond");
  ASSERT_NE(second, events.end());
  SendMessageW(Child(sound_ids::kIdEventList), LB_SETCURSEL, static_cast<WPARAM>(second - events.begin()), 0);
  Click(sound_ids::kIdPlay);
  EXPECT_EQ(system_.events, std::vector<std::wstring>{L"CorvaneTestSecond"});
}

TEST_F(SoundWindowWin, AToneThatIsNoIntegerIsToldAndNotPlayed) {
  // Told on the standard error stream, as in an unattended run, so no box waits for a click.
  HANDLE read_end = nullptr, write_end = nullptr;
  ASSERT_TRUE(CreatePipe(&read_end, &write_end, nullptr, 0));
  const HANDLE old_error = GetStdHandle(STD_ERROR_HANDLE);
  SetStdHandle(STD_ERROR_HANDLE, write_end);
  ui::SetUnattended(true);
  SetWindowTextW(Child(sound_ids::kIdFrequency), L"abc");
  Click(sound_ids::kIdToneTest);
  ui::SetUnattended(false);
  SetStdHandle(STD_ERROR_HANDLE, old_error);
  CloseHandle(write_end);
  std::string told;
  char buffer[256];
  DWORD got = 0;
  while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got > 0) told.append(buffer, got);
  CloseHandle(read_end);

  EXPECT_EQ(told, "'abc' is not a valid integer value\n");
  EXPECT_TRUE(system_.tones.empty());
}

}  // namespace
}  // namespace corvane::inventory
