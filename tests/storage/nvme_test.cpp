#include "storage/nvme.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "storage/nvme_probe.h"
#include "storage/scripted_nvme_transport.h"

namespace corvane::storage {
namespace {

using testing::Bytes;
using testing::Get32;
using testing::HealthPage;
using testing::IdentifyController;
using testing::ProtocolReply;
using testing::PutCounter;
using testing::kReplyLengthAt;
using testing::kReplyOffsetAt;
using testing::kReplySizeAt;
using testing::kReplyVersionAt;
using testing::Patched;
using testing::ScriptedNvmeTransport;

constexpr std::uint64_t kMax64 = std::numeric_limits<std::uint64_t>::max();

// ---- counters ---------------------------------------------------------------------

TEST(NvmeCounter, DecimalTextCoversTheWhole128Bits) {
  struct Case {
    NvmeCounter value;
    std::string text;
  };
  const Case cases[] = {
      {{0, 0}, "0"},
      {{0, 7}, "7"},
      {{0, 1000000000}, "1000000000"},  // a whole chunk of the long division
      {{0, kMax64}, "18446744073709551615"},
      {{1, 0}, "18446744073709551616"},
      {{1, 5}, "18446744073709551621"},
      {{kMax64, kMax64}, "340282366920938463463374607431768211455"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecimalText(c.value), c.text);
}

TEST(NvmeCounter, DataUnitsBecomeBytesWithoutOverflow) {
  struct Case {
    std::string units;
    std::string bytes;
  };
  const Case cases[] = {
      {"0", "0"},
      {"1", "512000"},
      {"1234567", "632098304000"},
      {"18446744073709551621", "9444732965739290429952000"},
      // Past what 128 bits can hold once multiplied.
      {"340282366920938463463374607431768211455", "174224571863520493293247799005065324264960000"},
  };
  for (const Case& c : cases) EXPECT_EQ(MultiplyDecimal(c.units, kNvmeDataUnitBytes), c.bytes) << c.units;
}

TEST(NvmeCounter, ReadsSixteenLittleEndianBytes) {
  Bytes raw(16, std::byte{0});
  PutCounter(raw, 0, {0x0102030405060708, 0x1112131415161718});
  EXPECT_EQ(raw[0], std::byte{0x18});
  EXPECT_EQ(raw[15], std::byte{0x01});
  EXPECT_EQ(ReadCounter(std::span<const std::byte, 16>(raw.data(), 16)),
            (NvmeCounter{0x0102030405060708, 0x1112131415161718}));
}

// ---- the health log -----------------------------------------------------------------

TEST(NvmeHealthLog, ReadsEveryFieldAtItsOffset) {
  Bytes page = HealthPage(0x00, 318, 97, 10, 3);
  PutCounter(page, 32, {1, 5});
  PutCounter(page, 48, {0, 1234567});
  PutCounter(page, 112, {0, 1021});
  PutCounter(page, 128, {0, 8760});
  PutCounter(page, 144, {0, 37});
  PutCounter(page, 160, {0, 2});
  PutCounter(page, 176, {0, 12});
  const auto h = ParseNvmeHealthLog(page);
  ASSERT_TRUE(h);
  EXPECT_EQ(h->critical_warning, 0);
  EXPECT_EQ(h->temperature_kelvin, 318);
  EXPECT_EQ(h->available_spare, 97);
  EXPECT_EQ(h->spare_threshold, 10);
  EXPECT_EQ(h->percentage_used, 3);
  EXPECT_EQ(h->data_units_read, (NvmeCounter{1, 5}));
  EXPECT_EQ(h->data_units_written, (NvmeCounter{0, 1234567}));
  EXPECT_EQ(h->power_cycles, (NvmeCounter{0, 1021}));
  EXPECT_EQ(h->power_on_hours, (NvmeCounter{0, 8760}));
  EXPECT_EQ(h->unsafe_shutdowns, (NvmeCounter{0, 37}));
  EXPECT_EQ(h->media_errors, (NvmeCounter{0, 2}));
  EXPECT_EQ(h->error_log_entries, (NvmeCounter{0, 12}));
}

TEST(NvmeHealthLog, TemperatureIsKelvinLess273) {
  struct Case {
    std::uint16_t kelvin;
    int celsius;
  };
  // The second byte matters: 0x0140 is 320 kelvin.
  const Case cases[] = {{273, 0}, {318, 45}, {0x0140, 47}, {250, -23}, {0, -273}, {0xFFFF, 65262}};
  for (const Case& c : cases) {
    const auto h = ParseNvmeHealthLog(HealthPage(0, c.kelvin, 100, 10, 0));
    ASSERT_TRUE(h);
    EXPECT_EQ(h->TemperatureCelsius(), c.celsius) << c.kelvin;
  }
}

TEST(NvmeHealthLog, APageOfAnyOtherSizeIsRefused) {
  for (const std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{192}, std::size_t{511}, std::size_t{513},
                                 std::size_t{4096}}) {
    EXPECT_FALSE(ParseNvmeHealthLog(Bytes(size, std::byte{0}))) << size;
  }
  EXPECT_FALSE(ParseNvmeIdentifyController(Bytes(4095, std::byte{0})));
  EXPECT_FALSE(ParseNvmeIdentifyController(Bytes(512, std::byte{0})));
}

TEST(NvmeHealthLog, EachCriticalWarningBitHasItsWords) {
  struct Case {
    std::uint8_t bits;
    std::wstring verdict;
  };
  const Case cases[] = {
      {0x00, L"OK"},
      {0x01, L"Available spare below threshold"},
      {0x02, L"Temperature above or below threshold"},
      {0x04, L"Reliability degraded"},
      {0x08, L"Media placed in read-only mode"},
      {0x10, L"Volatile memory backup failed"},
      {0x20, L"Persistent memory region read-only or unreliable"},
      {0x40, L"Reserved warning bit 6"},
      {0x80, L"Reserved warning bit 7"},
      {0x05, L"Available spare below threshold; Reliability degraded"},
  };
  for (const Case& c : cases) EXPECT_EQ(NvmeVerdict(c.bits), c.verdict) << int{c.bits};
  EXPECT_TRUE(CriticalWarningWords(0).empty());
  EXPECT_EQ(CriticalWarningWords(0xFF).size(), 8u);
}

TEST(NvmeIdentify, TextsAreTrimmedOfTheirPadding) {
  Bytes data = IdentifyController("CORVANE NV-1000", "  S4EW123", "2B2QEXM7");
  data[24 + 15] = std::byte{0};  // a drive that pads with NULs
  const auto id = ParseNvmeIdentifyController(data);
  ASSERT_TRUE(id);
  EXPECT_EQ(id->model, L"CORVANE NV-1000");
  EXPECT_EQ(id->serial, L"S4EW123");
  EXPECT_EQ(id->firmware, L"2B2QEXM7");  // all eight characters, none left over
  EXPECT_EQ(ParseNvmeIdentifyController(Bytes(kNvmeIdentifySize, std::byte{' '}))->model, L"");
}

// ---- the queries and their replies ----------------------------------------------------------

TEST(NvmeQueries, TheProtocolQueryNamesWhatItAsksFor) {
  struct Case {
    NvmeQuery query;
    std::uint32_t property, data_type, value, length;
  };
  const Case cases[] = {
      {kHealthLogQuery, 50, 2, 2, 512},
      {kIdentifyControllerQuery, 49, 1, 1, 4096},
  };
  for (const Case& c : cases) {
    const Bytes b = BuildProtocolQuery(c.query);
    ASSERT_EQ(b.size(), 48u + c.length);
    EXPECT_EQ(Get32(b, 0), c.property);
    EXPECT_EQ(Get32(b, 4), 0u) << "standard query";
    EXPECT_EQ(Get32(b, 8), 3u) << "NVMe";
    EXPECT_EQ(Get32(b, 12), c.data_type);
    EXPECT_EQ(Get32(b, 16), c.value);
    EXPECT_EQ(Get32(b, 20), 0u);
    EXPECT_EQ(Get32(b, 24), 40u) << "data offset";
    EXPECT_EQ(Get32(b, 28), c.length);
    for (std::size_t i = 32; i < b.size(); ++i) ASSERT_EQ(b[i], std::byte{0}) << i;
  }
  const Bytes device = BuildDevicePropertyQuery();
  EXPECT_EQ(device, Bytes(12, std::byte{0}));
}

TEST(NvmeQueries, TheReplyHeaderIsCheckedBeforeTheDataIsRead) {
  const Bytes page = HealthPage(0x02, 300, 100, 10, 1);
  const Bytes reply = ProtocolReply(page);
  const auto good = ProtocolReplyData(reply, 512);
  ASSERT_TRUE(good);
  EXPECT_TRUE(std::equal(good->begin(), good->end(), page.begin(), page.end()));

  // Data further on, as a driver may put it, is found through the offset.
  Bytes padded(16, std::byte{0xEE});
  padded.insert(padded.end(), page.begin(), page.end());
  const Bytes moved_reply = Patched(Patched(ProtocolReply(padded), kReplyOffsetAt, 56), kReplyLengthAt, 512);
  const auto moved = ProtocolReplyData(moved_reply, 512);
  ASSERT_TRUE(moved);
  EXPECT_EQ((*moved)[0], std::byte{0x02});

  struct Case {
    const char* what;
    Bytes reply;
  };
  Bytes cut = ProtocolReply(page);
  cut.resize(cut.size() - 1);
  const Bytes header_only(cut.begin(), cut.begin() + 48);
  const Case bad[] = {
      {"version", Patched(ProtocolReply(page), kReplyVersionAt, 40)},
      {"size", Patched(ProtocolReply(page), kReplySizeAt, 560)},
      {"offset inside the header", Patched(ProtocolReply(page), kReplyOffsetAt, 32)},
      {"length short", Patched(ProtocolReply(page), kReplyLengthAt, 511)},
      {"offset past the reply", Patched(ProtocolReply(page), kReplyOffsetAt, 41)},
      {"offset that would wrap", Patched(ProtocolReply(page), kReplyOffsetAt, 0xFFFFFFF0)},
      {"data cut short", cut},
      {"header only", header_only},
      {"shorter than the header", Bytes(47, std::byte{0})},
      {"nothing", Bytes{}},
  };
  for (const Case& c : bad) EXPECT_FALSE(ProtocolReplyData(c.reply, 512)) << c.what;
}

TEST(NvmeQueries, TheBusTypeNeedsAWholeDescriptor) {
  EXPECT_EQ(DeviceDescriptorBusType(testing::DeviceDescriptor(kBusTypeNvme)), kBusTypeNvme);
  EXPECT_EQ(DeviceDescriptorBusType(testing::DeviceDescriptor(0x0B)), 0x0Bu);  // SATA
  Bytes small = testing::DeviceDescriptor(kBusTypeNvme);
  testing::Put32(small, 4, 28);  // its size ends before the bus type
  EXPECT_FALSE(DeviceDescriptorBusType(small));
  const Bytes whole = testing::DeviceDescriptor(kBusTypeNvme);
  EXPECT_FALSE(DeviceDescriptorBusType(std::span(whole).first(31)));
}

// ---- the probe over a transport -----------------------------------------------------------------

TEST(ReadNvmeHealth, ReadsTheLogAndTheIdentityOfAnNvmeDisk) {
  auto t = ScriptedNvmeTransport::Disk(HealthPage(0x01, 310, 5, 10, 20), IdentifyController("M", "S", "F"));
  const NvmeReading r = ReadNvmeHealth(*t, 3);
  EXPECT_EQ(t->opened, std::vector<int>{3});
  EXPECT_TRUE(r.is_nvme);
  ASSERT_TRUE(r.health);
  EXPECT_EQ(r.health->critical_warning, 1);
  EXPECT_EQ(r.health->TemperatureCelsius(), 37);
  ASSERT_TRUE(r.identity);
  EXPECT_EQ(r.identity->model, L"M");

  // Bus type first, with the 12-byte query; then the log and the identity,
  // each sent whole as its own input.
  ASSERT_EQ(t->seen.size(), 3u);
  EXPECT_EQ(t->seen[0].property_id, kStorageDeviceProperty);
  EXPECT_EQ(t->seen[0].in_length, 12u);
  EXPECT_EQ(t->seen[1].property_id, kStorageDeviceProtocolSpecificProperty);
  EXPECT_EQ(t->seen[1].in_length, t->seen[1].buffer_length);
  EXPECT_EQ(t->seen[1].buffer_length, 48u + 512u);
  EXPECT_EQ(t->seen[2].property_id, kStorageAdapterProtocolSpecificProperty);
  EXPECT_EQ(t->seen[2].buffer_length, 48u + 4096u);
}

TEST(ReadNvmeHealth, WhatTheDriveDoesNotGiveStaysOut) {
  const Bytes page = HealthPage(0, 300, 100, 10, 0);
  const Bytes id = IdentifyController("M", "S", "F");
  struct Case {
    const char* what;
    std::function<void(ScriptedNvmeTransport&)> change;
    NvmeReading expected;
  };
  const NvmeReading none{};
  const NvmeReading nvme_only{true, std::nullopt, std::nullopt};
  const NvmeReading identity_only{true, std::nullopt, ParseNvmeIdentifyController(id)};
  const NvmeReading health_only{true, ParseNvmeHealthLog(page), std::nullopt};
  const Case cases[] = {
      {"the drive cannot be opened", [](ScriptedNvmeTransport& t) { t.opens = false; }, none},
      {"a SATA disk", [](ScriptedNvmeTransport& t) { t.replies[0] = testing::DeviceDescriptor(0x0B); }, none},
      {"the bus type refused", [](ScriptedNvmeTransport& t) { t.replies.erase(0); }, none},
      {"the log refused (before Windows 10)",
       [](ScriptedNvmeTransport& t) { t.replies.erase(kStorageDeviceProtocolSpecificProperty); }, identity_only},
      {"the identity refused",
       [](ScriptedNvmeTransport& t) { t.replies.erase(kStorageAdapterProtocolSpecificProperty); }, health_only},
      {"a log reply of another version",
       [&](ScriptedNvmeTransport& t) {
         t.replies[kStorageDeviceProtocolSpecificProperty] = Patched(ProtocolReply(page), kReplyVersionAt, 1);
       },
       identity_only},
      {"a log reply shorter than its page",
       [&](ScriptedNvmeTransport& t) {
         t.replies[kStorageDeviceProtocolSpecificProperty] = ProtocolReply(Bytes(page.begin(), page.begin() + 256));
       },
       identity_only},
      {"fewer bytes returned than the data needs", [](ScriptedNvmeTransport& t) { t.returned = 48; }, nvme_only},
      {"more bytes returned than the buffer holds", [](ScriptedNvmeTransport& t) { t.returned = 1 << 20; }, none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto t = ScriptedNvmeTransport::Disk(page, id);
    c.change(*t);
    const NvmeReading r = ReadNvmeHealth(*t, 0);
    EXPECT_EQ(r.is_nvme, c.expected.is_nvme);
    EXPECT_EQ(r.health.has_value(), c.expected.health.has_value());
    EXPECT_EQ(r.identity.has_value(), c.expected.identity.has_value());
    if (!r.is_nvme) {
      for (const auto& q : t->seen) EXPECT_EQ(q.property_id, kStorageDeviceProperty) << "nothing more is asked";
    }
  }
}

}  // namespace
}  // namespace corvane::storage
