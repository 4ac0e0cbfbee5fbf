#include "storage/smart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/smart_sectors.h"

namespace corvane::storage {
namespace {

using testing::AttributeSector;
using testing::AttrRow;
using testing::IdentifySector;
using testing::kErrorRate;
using testing::kEvents;
using testing::kPreFail;
using testing::Sector;
using testing::ThresholdSector;

std::vector<std::byte> Bytes(std::initializer_list<int> values) {
  std::vector<std::byte> v;
  for (int b : values) v.push_back(static_cast<std::byte>(b));
  return v;
}

// ---- requests -----------------------------------------------------------------

struct RequestCase {
  SmartCommand command;
  int device;
  std::vector<std::byte> first16;  // the rest of the 33 bytes is always zero
};

TEST(BuildSmartRequest, RegistersOfEveryCommandAndDevice) {
  const RequestCase cases[] = {
      // size (LE32)         feat  cnt   num   cylL  cylH  d/h   cmd   res   drv
      {SmartCommand::kEnable, 0,
       Bytes({0, 0, 0, 0, 0xD8, 1, 1, 0x4F, 0xC2, 0xA0, 0xB0, 0, 0, 0, 0, 0})},
      {SmartCommand::kEnable, 1,
       Bytes({0, 0, 0, 0, 0xD8, 1, 1, 0x4F, 0xC2, 0xB0, 0xB0, 0, 1, 0, 0, 0})},
      {SmartCommand::kIdentify, 0,
       Bytes({0, 2, 0, 0, 0x00, 1, 1, 0x00, 0x00, 0xA0, 0xEC, 0, 0, 0, 0, 0})},
      {SmartCommand::kIdentify, 3,
       Bytes({0, 2, 0, 0, 0x00, 1, 1, 0x00, 0x00, 0xB0, 0xEC, 0, 3, 0, 0, 0})},
      {SmartCommand::kIdentifyPacket, 2,
       Bytes({0, 2, 0, 0, 0x00, 1, 1, 0x00, 0x00, 0xA0, 0xA1, 0, 2, 0, 0, 0})},
      {SmartCommand::kReadAttributes, 1,
       Bytes({0, 2, 0, 0, 0xD0, 1, 1, 0x4F, 0xC2, 0xB0, 0xB0, 0, 1, 0, 0, 0})},
      {SmartCommand::kReadAttributes, 2,
       Bytes({0, 2, 0, 0, 0xD0, 1, 1, 0x4F, 0xC2, 0xA0, 0xB0, 0, 2, 0, 0, 0})},
      {SmartCommand::kReadThresholds, 0,
       Bytes({0, 2, 0, 0, 0xD1, 1, 1, 0x4F, 0xC2, 0xA0, 0xB0, 0, 0, 0, 0, 0})},
      {SmartCommand::kReadThresholds, 3,
       Bytes({0, 2, 0, 0, 0xD1, 1, 1, 0x4F, 0xC2, 0xB0, 0xB0, 0, 3, 0, 0, 0})},
  };
  for (const RequestCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "command " << static_cast<int>(c.command) << " device "
                                    << c.device);
    const SmartRequest r = BuildSmartRequest(c.command, c.device);
    ASSERT_EQ(r.size(), 33u);
    EXPECT_EQ(std::vector<std::byte>(r.begin(), r.begin() + 16), c.first16);
    EXPECT_EQ(std::vector<std::byte>(r.begin() + 16, r.end()), std::vector<std::byte>(17));
  }
}

// ---- IDENTIFY -------------------------------------------------------------------

TEST(SwapIdString, SwapsPairsAndTrimsBlanksAndControls) {
  struct Case {
    const char* what;
    std::vector<std::byte> raw;
    std::wstring text;
  };
  const Case cases[] = {
      {"stored XEMALP E reads EXAMPLE", Bytes({'X', 'E', 'M', 'A', 'L', 'P', ' ', 'E'}),
       L"EXAMPLE"},
      {"NUL and control padding on both ends",
       Bytes({0, 0, 'A', '\t', 'C', 'B', 0, 0x7F}), L"ABC\x7F"},
      {"inner spaces stay", Bytes({' ', ' ', 'B', 'A', 'C', ' ', ' ', 'D'}), L"AB CD"},
      {"all blank", Bytes({' ', ' ', 0, 0, 0x1F, 0x20}), L""},
      {"odd last byte stays in place", Bytes({'B', 'A', 'C'}), L"ABC"},
      {"bytes above 127 keep their code", Bytes({0xE9, 'C', 'A', 'F'}), L"C\xE9" L"FA"},
      {"empty field", {}, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(SwapIdString(c.raw), c.text);
  }
}

TEST(IdentifyCapacity, PrefersTheLargerFortyEightBitCount) {
  struct Case {
    const char* what;
    std::uint32_t sectors28;
    std::uint64_t sectors48;
    std::int64_t bytes;
  };
  const Case cases[] = {
      {"small disk: both counts agree", 78165360, 78165360, 40020664320},
      {"old disk without 48-bit words", 78165360, 0, 40020664320},
      {"250 GB disk: 28-bit count saturated", 0x0FFFFFFF, 488397168, 250059350016},
      {"saturated 28-bit count without 48-bit words", 0x0FFFFFFF, 0, 137438952960},
      {"a smaller 48-bit count is not used", 78165360, 1000, 40020664320},
      {"largest 48-bit count", 0x0FFFFFFF, 0xFFFFFFFFFFFFull, 0xFFFFFFFFFFFFll * 512},
      {"word 103 set: not a 48-bit count", 0x0FFFFFFF, 0x0001000000000000ull, 137438952960},
      {"nothing", 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const Sector s = IdentifySector({"M", "S", "F", c.sectors28, c.sectors48});
    EXPECT_EQ(IdentifyCapacity(s), c.bytes);
  }
}

TEST(ParseIdentify, ReadsTheTextFieldsAtTheirOffsets) {
  const Sector s = IdentifySector(
      {"CORVANE TD-250 SATA", "  CV0123456789", "1.02A", 0x0FFFFFFF, 488397168});
  const DriveIdentity id = ParseIdentify(s);
  EXPECT_EQ(id.model, L"CORVANE TD-250 SATA");
  EXPECT_EQ(id.serial, L"CV0123456789");
  EXPECT_EQ(id.firmware, L"1.02A");
  EXPECT_EQ(id.capacity, 250059350016);

  // Fields filled to the last character run into their neighbours' offsets.
  const Sector full = IdentifySector({"0123456789012345678901234567890123456789",
                                      "ABCDEFGHIJKLMNOPQRST", "12345678", 1, 0});
  const DriveIdentity f = ParseIdentify(full);
  EXPECT_EQ(f.model, L"0123456789012345678901234567890123456789");
  EXPECT_EQ(f.serial, L"ABCDEFGHIJKLMNOPQRST");
  EXPECT_EQ(f.firmware, L"12345678");
}

// ---- attributes ---------------------------------------------------------------

struct AttrCase {
  const char* what;
  std::vector<AttrRow> rows;
  std::vector<std::wstring> states;  // one per expected slot
  int bad_attributes = 0;
  int temperature = 0;
};

constexpr std::uint16_t P = kPreFail;

TEST(ParseSmartSectors, StatesCountsAndTemperature) {
  const AttrCase cases[] = {
      {"warning band with ideal 100: limit 36 + 32 = 68",
       {{1, P, 68, 100, 0, 36}, {7, P, 67, 100, 0, 36}, {8, P, 36, 36, 0, 36}},
       {L"OK", L"Warning", L"Warning"}},
      {"spin-up 253 raises the ideal to 253 for itself and later entries only",
       {{7, P, 120, 120, 0, 36},
        {3, P, 253, 253, 0, 21},
        {8, P, 120, 120, 0, 36},
        {10, P, 145, 145, 0, 36}},
       {L"OK", L"OK", L"Warning", L"OK"}},
      {"start/stop above 230 raises the ideal too",
       {{4, 0, 231, 231, 0, 0}, {1, P, 120, 120, 0, 36}}, {L"-", L"Warning"}},
      {"230 is not above 230", {{4, 0, 230, 230, 0, 0}, {1, P, 120, 120, 0, 36}}, {L"-", L"OK"}},
      {"other ids at 253 leave the ideal", {{9, 0, 253, 253, 0, 0}, {1, P, 120, 120, 0, 36}},
       {L"-", L"OK"}},
      {"reallocated sectors: raw 500 fine, 501 a warning, only for id 5",
       {{5, P, 100, 100, 500, 36}, {5, P, 100, 100, 501, 36}, {6, P, 100, 100, 501, 36}},
       {L"OK", L"Warning", L"OK"}},
      {"without the pre-fail flag nothing is judged or counted",
       {{1, kEvents | kErrorRate, 10, 10, 0, 36}, {5, 0, 100, 100, 9999, 36}}, {L"-", L"-"}},
      {"threshold 0 is never judged", {{1, P, 0, 0, 0, 0}}, {L"-"}},
      {"failing now and failed in past both count",
       {{1, P, 35, 35, 0, 36}, {7, P, 100, 35, 0, 36}, {8, P, 36, 36, 0, 36}},
       {L"Failing Now", L"Failed In Past", L"Warning"}, 2},
      {"failing now wins over failed in past", {{1, P, 10, 5, 0, 36}}, {L"Failing Now"}, 1},
      {"a threshold above the ideal leaves no warning band",
       {{1, P, 110, 110, 0, 110}, {5, P, 120, 120, 501, 110}, {7, P, 110, 110, 0, 111}},
       {L"OK", L"Warning", L"Failing Now"}, 1},
      {"temperature is the low byte of attribute 194's raw value",
       {{194, 0x22, 41, 52, 0x0032'0014'1E29, 0}}, {L"-"}, 0, 41},
      {"no attribute 194: temperature 0", {{190, 0x22, 59, 45, 41, 0}}, {L"-"}, 0, 0},
      {"the walk ends at the first empty slot",
       {{1, P, 100, 100, 0, 6},
        {3, P, 100, 100, 0, 6},
        {4, 0, 100, 100, 0, 0},
        {5, P, 100, 100, 0, 36},
        {7, P, 100, 100, 0, 30},
        {0, 0, 0, 0, 0, 0},
        {194, 0x22, 40, 40, 40, 0},
        {1, P, 1, 1, 0, 50}},
       {L"OK", L"OK", L"-", L"OK", L"OK"}},
      {"an empty first slot: no attributes", {{0, 0, 0, 0, 0, 0}, {1, P, 1, 1, 0, 50}}, {}},
      {"thresholds pair by position, whatever id the threshold entry carries",
       {{1, P, 50, 50, 0, 60, 0}, {7, P, 60, 60, 0, 10, 9}}, {L"Failing Now", L"OK"}, 1},
  };
  for (const AttrCase& c : cases) {
    SCOPED_TRACE(c.what);
    TSmartResult r;
    ParseSmartSectors(AttributeSector(c.rows), ThresholdSector(c.rows), r);
    ASSERT_EQ(r.AttributeCount, static_cast<int>(c.states.size()));
    for (std::size_t s = 0; s < c.states.size(); ++s) EXPECT_EQ(r.AttrState[s], c.states[s]) << s;
    EXPECT_EQ(r.BadAttributes, c.bad_attributes);
    EXPECT_EQ(r.Temperature, c.temperature);
    // Slots past the count stay empty.
    EXPECT_EQ(r.AttrId[c.states.size()], 0);
    EXPECT_EQ(r.AttrState[c.states.size()], L"");
  }
}

TEST(ParseSmartSectors, DecodesEveryFieldOfAnEntry) {
  Sector attrs = AttributeSector({
      {1, kPreFail | kErrorRate | 0x0002, 117, 99, 0xFFFF'FFFF'FFFF, 6},
      {9, kEvents | 0x0020, 93, 92, 6512, 0},
  });
  attrs[2 + 11] = std::byte{0xFF};  // the reserved byte after the raw value is not part of it
  TSmartResult r;
  ParseSmartSectors(attrs, ThresholdSector({{1, 0, 0, 0, 0, 6}, {9, 0, 0, 0, 0, 0}}), r);
  ASSERT_EQ(r.AttributeCount, 2);
  EXPECT_EQ(r.AttrId[0], 1);
  EXPECT_EQ(r.AttrName[0], L"Raw Read Error Rate");
  EXPECT_TRUE(r.AttrPreFail[0]);
  EXPECT_TRUE(r.AttrErrorRate[0]);
  EXPECT_FALSE(r.AttrEvents[0]);
  EXPECT_EQ(r.AttrCurrent[0], 117);
  EXPECT_EQ(r.AttrWorst[0], 99);
  EXPECT_EQ(r.AttrThreshold[0], 6);
  EXPECT_EQ(r.AttrRaw[0], 0xFFFF'FFFF'FFFFll);
  EXPECT_EQ(r.AttrState[0], L"OK");

  EXPECT_EQ(r.AttrName[1], L"Power On Count");
  EXPECT_FALSE(r.AttrPreFail[1]);
  EXPECT_TRUE(r.AttrEvents[1]);
  EXPECT_FALSE(r.AttrErrorRate[1]);
  EXPECT_EQ(r.AttrRaw[1], 6512);
}

TEST(ParseSmartSectors, ThirtyEntriesFillThirtySlotsAndAReparseStartsClean) {
  Sector attrs{};
  Sector thresh{};
  for (std::size_t k = 0; k < kSmartEntryCount; ++k) {
    attrs[2 + k * kSmartEntrySize] = static_cast<std::byte>(k + 1);
    attrs[2 + k * kSmartEntrySize + 1] = std::byte{kPreFail};
    attrs[2 + k * kSmartEntrySize + 3] = std::byte{10};
    attrs[2 + k * kSmartEntrySize + 4] = std::byte{10};
    thresh[2 + k * kSmartEntrySize + 1] = std::byte{20};
  }
  TSmartResult r;
  ParseSmartSectors(attrs, thresh, r);
  EXPECT_EQ(r.AttributeCount, 30);
  EXPECT_EQ(r.BadAttributes, 30);
  EXPECT_EQ(r.AttrId[29], 30);

  ParseSmartSectors(AttributeSector({{194, 0, 30, 30, 30, 0}}), ThresholdSector({}), r);
  EXPECT_EQ(r.AttributeCount, 1);
  EXPECT_EQ(r.BadAttributes, 0);
  EXPECT_EQ(r.Temperature, 30);
  EXPECT_EQ(r.AttrId[1], 0);
}

TEST(SmartAttributeName, BothRangesAndTheIdsAroundThem) {
  const std::pair<int, std::wstring_view> cases[] = {
      {0, L"Unknown"},
      {1, L"Raw Read Error Rate"},
      {4, L"Start/Stop Count"},
      {12, L"Power Cycle Count"},
      {13, L"Unknown"},
      {100, L"Unknown"},
      {191, L"Unknown"},
      {192, L"Emergency Retract Cycle"},
      {194, L"Temperature Celcius"},
      {198, L"Off-line Uncorrectable"},
      {206, L"Unknown Attribute"},
      {209, L"Offline Seek Perf"},
      {210, L"Unknown"},
      {255, L"Unknown"},
      {-1, L"Unknown"},
  };
  for (const auto& [id, name] : cases) EXPECT_EQ(SmartAttributeName(id), name) << id;
  for (int id = 1; id <= 12; ++id) EXPECT_NE(SmartAttributeName(id), L"Unknown") << id;
  for (int id = 192; id <= 209; ++id) EXPECT_NE(SmartAttributeName(id), L"Unknown") << id;
}

TEST(DriverErrorText, EveryCodeAndBeyond) {
  EXPECT_EQ(DriverErrorText(0), L"No error");
  EXPECT_EQ(DriverErrorText(7), L"Could not lock user\"s buffer");
  EXPECT_EQ(DriverErrorText(10),
            L"Cmd issued to device not present although drive number is valid");
  for (int code = 0; code <= 10; ++code) EXPECT_FALSE(DriverErrorText(code).empty()) << code;
  EXPECT_EQ(DriverErrorText(11), L"");
  EXPECT_EQ(DriverErrorText(255), L"");
  EXPECT_EQ(DriverErrorText(-1), L"");
}

TEST(SmartVerdict, EmptyWithoutAttributesElsePassedOrFailed) {
  TSmartResult r;
  EXPECT_EQ(SmartVerdict(r), L"");
  r.AttributeCount = 3;
  EXPECT_EQ(SmartVerdict(r), L"SMART Test Passed");
  r.BadAttributes = 2;
  EXPECT_EQ(SmartVerdict(r), L"SMART Test Failed, Bad Attributes 2");
}

TEST(SmartMessages, ExactTexts) {
  const std::wstring m = L"Access is denied.";
  EXPECT_EQ(OpenSmartVsdFailedMessage(m), L"Unable to open SMARTVSD: Access is denied.");
  EXPECT_EQ(OpenPhysicalDriveFailedMessage(m), L"Unable to open physical drive: Access is denied.");
  EXPECT_EQ(GetVersionFailedMessage(m), L"DFP_GET_VERSION failed: Access is denied.");
  EXPECT_EQ(SmartEnableFailedMessage(2, m),
            L"SMART Enable Command Failed, Drive: 2 : Access is denied.");
  EXPECT_EQ(IdentifyFailedMessage({1, 0x51}, m),
            L"Identify Command Failed on Drive: Error from IDE controller bIDEStatus=0051 : "
            L"Access is denied.");
  EXPECT_EQ(IdentifyFailedMessage({42, 0xAB}, m),
            L"Identify Command Failed on Drive:  bIDEStatus=00AB : Access is denied.");
  EXPECT_EQ(ReadAttributesFailedMessage(1, {10, 0x04}, m),
            L"SMART Read Attr Command Failed, Drive: 1 : Access is denied.; DriverStatus: Cmd "
            L"issued to device not present although drive number is valid; bIDEStatus=0004");
  EXPECT_EQ(ReadThresholdsFailedMessage(3, {0, 0}, m),
            L"SMART Read Threshold Command Failed, Drive: 3 : Access is denied.; DriverStatus: No "
            L"error; bIDEStatus=0000");
  EXPECT_EQ(SmartExceptionMessage("bad allocation"), L"SMART Failed - bad allocation");
}

}  // namespace
}  // namespace corvane::storage
