// The sound window's rows from the system's readings, the readings asked in
// the window's order, and the checks of a typed tone.
#include "inventory/sound_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_sound_system.h"

namespace corvane::inventory {
namespace {

TEST(SoundView, RowsFromTheReadings) {
  const struct {
    const char* name;
    SoundReadings readings;
    SoundWindowModel rows;  // without events
  } cases[] = {
      {"no device", {0, std::nullopt, 0, true}, {L"Not detected", L"0", L"", L"Present", {}}},
      {"a device", {2, WaveOutDevice{L"Test Card", 0x050A}, 3, true}, {L"Test Card", L"3", L"5.10", L"Present", {}}},
      {"device 0 does not answer", {1, std::nullopt, 1, true}, {L"", L"1", L"", L"Present", {}}},
      {"beeper off", {0, std::nullopt, 0, false}, {L"Not detected", L"0", L"", L"NOT Present", {}}},
      // Only the low byte of the mixer count, and of the version only its low word.
      {"wide numbers", {1, WaveOutDevice{L"X", 0x12340102}, 0x103, false}, {L"X", L"3", L"1.2", L"NOT Present", {}}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BuildSoundModel(c.readings, {}), c.rows) << c.name;
  }
}

TEST(SoundView, TheEventsAreTheModelsAsRead) {
  const std::vector<std::wstring> events = {L"SystemAsterisk", L".Default", L"MailBeep"};
  EXPECT_EQ(BuildSoundModel({}, events).events, events);
}

TEST(SoundView, ReadingsAskForDeviceZeroOnlyWhenThereIsOne) {
  FakeSoundSystem none;
  const SoundReadings empty = TakeSoundReadings(none);
  EXPECT_EQ(empty.wave_out_count, 0u);
  EXPECT_FALSE(empty.first_device);
  EXPECT_TRUE(none.asked_devices.empty());

  FakeSoundSystem one;
  one.devices = {WaveOutDevice{L"Card", 0x0401}};
  one.mixers = 2;
  one.beeper = false;
  const SoundReadings read = TakeSoundReadings(one);
  EXPECT_EQ(read.wave_out_count, 1u);
  EXPECT_EQ(read.first_device, (WaveOutDevice{L"Card", 0x0401}));
  EXPECT_EQ(read.mixer_count, 2u);
  EXPECT_FALSE(read.beeper_on);
  EXPECT_EQ(one.asked_devices, std::vector<unsigned>{0});
}

TEST(SoundView, IntegersAsTheToolkitReadsThem) {
  const struct {
    const wchar_t* text;
    std::optional<std::int32_t> value;
  } cases[] = {
      {L"1000", 1000},        {L"  440", 440},      {L"+5", 5},
      {L"-3", -3},            {L"$1F", 31},         {L"$ff", 255},
      {L"2147483647", 2147483647},  {L"-2147483648", INT32_MIN},
      {L"2147483648", std::nullopt},  // beyond 32 bits
      {L"", std::nullopt},     {L" ", std::nullopt}, {L"-", std::nullopt},
      {L"$", std::nullopt},    {L"abc", std::nullopt}, {L"12a", std::nullopt},
      {L"1000 ", std::nullopt},  // nothing may follow
      {L"1.5", std::nullopt},  {L"1F", std::nullopt},  // hexadecimal only after "$"
      {L"99999999999999999999", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseInteger(c.text), c.value) << testing::PrintToString(std::wstring(c.text));
}

TEST(SoundView, ATypedToneIsPlayedOnlyWhenBothFieldsHoldIntegers) {
  const struct {
    const wchar_t* frequency;
    const wchar_t* duration;
    std::optional<ToneRequest> tone;
    const wchar_t* message;
  } cases[] = {
      {L"1000", L"1000", ToneRequest{1000, 1000}, L""},
      {L"440", L"250", ToneRequest{440, 250}, L""},
      {L"abc", L"1000", std::nullopt, L"'abc' is not a valid integer value"},
      {L"1000", L"1 s", std::nullopt, L"'1 s' is not a valid integer value"},
      // The frequency is read first: its text is the one named.
      {L"", L"x", std::nullopt, L"'' is not a valid integer value"},
      // A negative field plays nothing rather than a beep of some 49 days.
      {L"1000", L"-1", std::nullopt, L""},
      {L"-1000", L"1000", std::nullopt, L""},
  };
  for (const auto& c : cases) {
    const ToneChoice choice = ChooseTone(c.frequency, c.duration);
    EXPECT_EQ(choice.tone, c.tone) << testing::PrintToString(std::wstring(c.frequency));
    EXPECT_EQ(choice.message, c.message) << testing::PrintToString(std::wstring(c.frequency));
  }
}

}  // namespace
}  // namespace corvane::inventory
