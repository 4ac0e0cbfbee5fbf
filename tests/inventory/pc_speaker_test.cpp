// The PC speaker test: three tones then off, through the system's beep on
// the NT family and by port programming on the 9x family, where a frequency
// below 19 Hz starts no sound but still takes its time.
#include "inventory/pc_speaker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "fake_sound_system.h"

namespace corvane::inventory {
namespace {

// The ports of a machine whose system control port reads `control`; every
// input, output and wait is written down in order.
class RecordedPorts : public SpeakerPorts {
 public:
  explicit RecordedPorts(std::uint8_t control) : control_(control) {}
  std::uint8_t In(std::uint16_t port) override {
    log.push_back("in " + Hex(port));
    return port == kSystemControlPort ? control_ : 0;
  }
  void Out(std::uint16_t port, std::uint8_t value) override {
    log.push_back("out " + Hex(port) + " " + Hex(value));
    if (port == kSystemControlPort) control_ = value;
  }
  void Wait(std::uint32_t duration_ms) override { log.push_back("wait " + std::to_string(duration_ms)); }

  std::vector<std::string> log;

 private:
  static std::string Hex(unsigned value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return std::string{kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
  }
  std::uint8_t control_;
};

TEST(PcSpeaker, DivisorOfTheTimerClockDownTo19Hertz) {
  const struct {
    std::uint32_t frequency;
    std::optional<std::uint16_t> divisor;
  } cases[] = {
      {500, 2386}, {700, 1704}, {900, 1325}, {1193181, 1},
      {19, 62799},          // the lowest that fits in 16 bits
      {18, std::nullopt},   // 66287 would not
      {0, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(SpeakerDivisor(c.frequency), c.divisor) << c.frequency;
}

TEST(PcSpeaker, PortsAreProgrammedOnThe9xFamilyOnly) {
  platform::VersionRecord record;
  record.platform = platform::kPlatformWindows;
  EXPECT_TRUE(ProgramsSpeakerPorts(record));
  record.platform = platform::kPlatformNt;
  EXPECT_FALSE(ProgramsSpeakerPorts(record));
  record.platform = platform::kPlatformWin32s;
  EXPECT_FALSE(ProgramsSpeakerPorts(record));
}

TEST(PcSpeaker, OnTheNtFamilyTheTestIsThreeBeeps) {
  FakeSoundSystem system;
  BeepSpeaker speaker(system);
  TestPcSpeaker(speaker);
  using Tone = std::pair<std::uint32_t, std::uint32_t>;
  EXPECT_EQ(system.tones, (std::vector<Tone>{{500, 1000}, {700, 1000}, {900, 1000}}));
}

TEST(PcSpeaker, OnThe9xFamilyTheSpeakerIsEnabledOnceAndThePitchChanges) {
  RecordedPorts ports(0x30);  // speaker bits clear
  PortSpeaker speaker(ports);
  TestPcSpeaker(speaker);
  const std::vector<std::string> expected = {
      "in 61", "out 61 33", "out 43 B6", "out 42 52", "out 42 09", "wait 1000",  // 500 Hz: 2386 = 0x0952
      "in 61", "out 42 A8", "out 42 06", "wait 1000",                            // 700 Hz: 1704 = 0x06A8
      "in 61", "out 42 2D", "out 42 05", "wait 1000",                            // 900 Hz: 1325 = 0x052D
      "in 61", "out 61 30",                                                      // off
  };
  EXPECT_EQ(ports.log, expected);
}

TEST(PcSpeaker, ASpeakerAlreadyOnKeepsItsModeAndTakesTheNewPitch) {
  RecordedPorts ports(0x31);  // one of the two bits set
  PortSpeaker speaker(ports);
  speaker.Tone(500, 20);
  EXPECT_EQ(ports.log, (std::vector<std::string>{"in 61", "out 42 52", "out 42 09", "wait 20"}));
}

TEST(PcSpeaker, A18HertzToneStartsNothingButTakesItsTime) {
  RecordedPorts ports(0x30);
  PortSpeaker speaker(ports);
  speaker.Tone(18, 1000);
  EXPECT_EQ(ports.log, std::vector<std::string>{"wait 1000"});
}

}  // namespace
}  // namespace corvane::inventory
