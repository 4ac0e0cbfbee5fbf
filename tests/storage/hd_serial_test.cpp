#include "storage/hd_serial.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::storage {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A zero buffer of `size` bytes with `fields` written at their offsets.
Bytes Layout(std::size_t size, const std::vector<std::pair<std::size_t, Bytes>>& fields) {
  Bytes b(size, 0);
  for (const auto& [at, bytes] : fields) std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<long>(at));
  return b;
}

template <std::size_t N>
Bytes AsBytes(const std::array<std::byte, N>& a) {
  Bytes b;
  for (std::byte x : a) b.push_back(std::to_integer<std::uint8_t>(x));
  return b;
}

// ---- request layouts, byte for byte -----------------------------------------------

TEST(HdSerialRequests, MiniportIdentifyRequestIs572Bytes) {
  const Bytes expected = Layout(572, {
      {0, {28, 0, 0, 0}},                                  // HeaderLength
      {4, {'S', 'C', 'S', 'I', 'D', 'I', 'S', 'K'}},       // Signature, no terminator
      {12, {2, 0, 0, 0}},                                  // Timeout
      {16, {0x01, 0x05, 0x1B, 0x00}},                      // IOCTL_SCSI_MINIPORT_IDENTIFY
      {24, {0x20, 0x02, 0, 0}},                            // Length 544
      // SENDCMDINPARAMS: cBufferSize 512, features 0, count 1, number 1,
      // cylinder 0/0, drive/head 0xA0, IDENTIFY 0xEC, drive number 0.
      {28, {0x00, 0x02, 0, 0, 0x00, 1, 1, 0x00, 0x00, 0xA0, 0xEC, 0x00, 0x00}},
  });
  EXPECT_EQ(AsBytes(BuildMiniportIdentifyRequest()), expected);
}

const Bytes kUnitSerialCdb = {0x12, 0x01, 0x80, 0x00, 0xC0, 0x00};  // INQUIRY, EVPD, page 0x80, 192 bytes

TEST(HdSerialRequests, UnitSerialNumberRequestInEachLayout) {
  const struct {
    const char* name;
    const PassThroughLayout& layout;
    Bytes expected;
  } cases[] = {
      {"32-bit", kPassThrough32,
       Layout(312, {
           {0, {44, 0}},                    // Length
           {6, {6, 24, 1}},                 // CdbLength, SenseInfoLength, DataIn
           {12, {192, 0, 0, 0}},            // DataTransferLength
           {16, {2, 0, 0, 0}},              // TimeOutValue
           {20, {76, 0, 0, 0}},             // DataBufferOffset
           {24, {44, 0, 0, 0}},             // SenseInfoOffset
           {28, kUnitSerialCdb},            // Cdb
       })},
      {"64-bit", kPassThrough64,
       Layout(312, {
           {0, {56, 0}},                    // Length
           {6, {6, 24, 1}},                 // CdbLength, SenseInfoLength, DataIn
           {12, {192, 0, 0, 0}},            // DataTransferLength
           {16, {2, 0, 0, 0}},              // TimeOutValue
           {24, {88, 0, 0, 0, 0, 0, 0, 0}}, // DataBufferOffset, pointer-sized
           {32, {56, 0, 0, 0}},             // SenseInfoOffset
           {36, kUnitSerialCdb},            // Cdb
       })},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AsBytes(BuildUnitSerialRequest(c.layout)), c.expected) << c.name;
  }
}

// ---- replies ------------------------------------------------------------------------

// An IDENTIFY serial field as a drive stores it: two characters per word,
// the first in the high byte, padded with spaces.
void PutIdSerial(std::span<std::byte> out, std::size_t at, std::string_view text) {
  for (std::size_t i = 0; i < 20; ++i) {
    const char c = i < text.size() ? text[i] : ' ';
    out[at + (i ^ 1)] = static_cast<std::byte>(c);
  }
}

// The two layouts of the unit serial number request and where they put
// the data area, and the lengths sent: the structure in, up to the end of
// the data area out.
struct UnitSerialLayout {
  const char* name;
  const PassThroughLayout& layout;
  std::size_t data_offset;
  std::size_t in_length;
  std::size_t out_length;
};
const UnitSerialLayout kUnitSerialLayouts[] = {
    {"32-bit", kPassThrough32, 76, 44, 268},
    {"64-bit", kPassThrough64, 88, 56, 280},
};

// A page 0x80-style reply: page code, length byte, text at `data_offset`;
// `transferred` is what the driver reports in DataTransferLength (at 12 in
// both layouts).
void PutPage(std::span<std::byte> out, std::size_t data_offset, std::uint8_t page, std::string_view text,
             std::uint8_t length_byte, std::uint32_t transferred) {
  for (std::size_t i = 0; i < 4; ++i) out[12 + i] = static_cast<std::byte>((transferred >> (8 * i)) & 0xFF);
  out[data_offset + 1] = std::byte{page};
  out[data_offset + 3] = std::byte{length_byte};
  for (std::size_t i = 0; i < text.size(); ++i) out[data_offset + 4 + i] = static_cast<std::byte>(text[i]);
}

TEST(HdSerialReplies, UnitSerialPageIsReadOnlyAsFarAsItArrived) {
  struct Case {
    const char* what;
    std::uint8_t page;
    std::string text;
    std::uint8_t length_byte;
    std::uint32_t transferred;
    std::wstring serial;
  };
  const Case cases[] = {
      {"page 0x80, trimmed", 0x80, "  WD-WMA1234 \0\0", 15, 19, L"WD-WMA1234"},
      {"length shorter than the text", 0x80, "ABCDEFGH", 4, 12, L"ABCD"},
      // A page length of 255 would run past the 192-byte data area (and the
      // 312-byte buffer): only the bytes transferred count.
      {"length beyond what arrived", 0x80, "SERIAL99", 255, 12, L"SERIAL99"},
      {"length beyond the area", 0x80, std::string(188, 'Z'), 255, 192, std::wstring(188, L'Z')},
      {"device identification page", 0x83, "NAA 5000", 8, 12, L""},
      {"nothing transferred", 0x80, "SERIAL", 6, 0, L""},
      {"blank serial", 0x80, "        ", 8, 12, L""},
  };
  for (const UnitSerialLayout& l : kUnitSerialLayouts) {
    for (const Case& c : cases) {
      UnitSerialRequest reply = BuildUnitSerialRequest(l.layout);
      PutPage(reply, l.data_offset, c.page, c.text, c.length_byte, c.transferred);
      EXPECT_EQ(UnitSerialFromReply(reply, l.layout), c.serial) << l.name << ": " << c.what;
    }
  }
}

// Replies as a driver returns them: the structure with ScsiStatus,
// SenseInfoLength and DataTransferLength written back, sense data (a
// recovered error) in the sense area, the page in the data area. The page
// is found after the sense area of its own layout.
TEST(HdSerialReplies, RecordedReplyInEachLayout) {
  const Bytes sense = {0x70, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x0A, 0x00,
                       0x00, 0x00, 0x00, 0x17, 0x01, 0x00, 0x00, 0x00, 0x00};
  const Bytes page = {0x00, 0x80, 0x00, 12, ' ', 'W', 'D', '-', 'W', 'X', '1', '2', '3', '4', '5', ' '};
  const struct {
    const char* name;
    const PassThroughLayout& layout;
    Bytes reply;
  } cases[] = {
      {"32-bit", kPassThrough32,
       Layout(312, {
           {0, {44, 0, 0x02}},     // Length, ScsiStatus CHECK CONDITION
           {6, {6, 18, 1}},        // SenseInfoLength: 18 bytes came back
           {12, {16, 0, 0, 0}},    // DataTransferLength: 16 bytes moved
           {16, {2, 0, 0, 0}},
           {20, {76, 0, 0, 0}},
           {24, {44, 0, 0, 0}},
           {28, kUnitSerialCdb},
           {44, sense},
           {76, page},
       })},
      {"64-bit", kPassThrough64,
       Layout(312, {
           {0, {56, 0, 0x02}},
           {6, {6, 18, 1}},
           {12, {16, 0, 0, 0}},
           {16, {2, 0, 0, 0}},
           {24, {88, 0, 0, 0, 0, 0, 0, 0}},
           {32, {56, 0, 0, 0}},
           {36, kUnitSerialCdb},
           {56, sense},
           {88, page},
       })},
  };
  for (const auto& c : cases) {
    UnitSerialRequest reply{};
    std::ranges::transform(c.reply, reply.begin(), [](std::uint8_t b) { return std::byte{b}; });
    EXPECT_EQ(UnitSerialFromReply(reply, c.layout), L"WD-WX12345") << c.name;
  }
}

// ---- the decision chain over scripted devices --------------------------------------

struct ScriptedDevice {
  bool ok = true;                                 // what the I/O control returns
  std::function<void(std::span<std::byte>)> answer;  // writes the reply
  bool throws = false;
};

class ScriptedTransport final : public HdSerialTransport {
 public:
  std::uint32_t platform = kPlatformWin32Nt;
  std::map<std::wstring, ScriptedDevice, std::less<>> devices;  // a missing name does not open
  std::vector<std::string> log;
  std::vector<Bytes> inputs;

  std::uint32_t PlatformId() override { return platform; }

  std::unique_ptr<HdSerialDevice> Open(std::wstring_view path, HdSerialOpen how) override {
    log.push_back("open " + std::string(path.begin(), path.end()) +
                  (how == HdSerialOpen::kVxd ? " vxd" : " rw"));
    auto it = devices.find(path);
    if (it == devices.end()) return nullptr;
    return std::make_unique<Device>(*this, it->second);
  }

 private:
  class Device final : public HdSerialDevice {
   public:
    Device(ScriptedTransport& t, const ScriptedDevice& d) : t_(t), d_(d) {}
    ~Device() override { t_.log.push_back("close"); }
    bool Control(std::uint32_t ioctl, std::span<const std::byte> in, std::span<std::byte> out) override {
      t_.log.push_back("ioctl " + std::to_string(ioctl) + " in " + std::to_string(in.size()) + " out " +
                       std::to_string(out.size()));
      Bytes input;
      for (std::byte b : in) input.push_back(std::to_integer<std::uint8_t>(b));
      t_.inputs.push_back(input);
      if (d_.throws) throw std::runtime_error("device gone");
      if (d_.ok && d_.answer) d_.answer(out);
      return d_.ok;
    }

   private:
    ScriptedTransport& t_;
    const ScriptedDevice& d_;
  };
};

const std::wstring kScsi0 = L"\\\\.\\Scsi0:";
const std::wstring kVolumeC = L"\\\\.\\C:";
const std::wstring kSmartVsd = L"\\\\.\\SMARTVSD";
const std::string kMiniportCall = "ioctl " + std::to_string(0x4D008) + " in 572 out 572";

ScriptedDevice MiniportAnswering(std::string_view serial) {
  return {true, [serial = std::string(serial)](std::span<std::byte> out) { PutIdSerial(out, 64, serial); }};
}

// Answers the page at `data_offset`: 76 in the 32-bit layout.
ScriptedDevice PageAnswering(std::uint8_t page, std::string_view text, std::size_t data_offset = 76) {
  return {true, [page, text = std::string(text), data_offset](std::span<std::byte> out) {
            PutPage(out, data_offset, page, text, static_cast<std::uint8_t>(text.size()),
                    static_cast<std::uint32_t>(4 + text.size()));
          }};
}

TEST(GetHardDiskSerial, MiniportAnswerIsTakenAndNothingElseIsAsked) {
  ScriptedTransport t;
  t.devices[kScsi0] = MiniportAnswering("EXAMPLE");
  t.devices[kVolumeC] = PageAnswering(0x80, "NOT-THIS-ONE");
  EXPECT_EQ(GetHardDiskSerial(t, kPassThrough32), L"EXAMPLE");
  EXPECT_EQ(t.log, (std::vector<std::string>{"open \\\\.\\Scsi0: rw", kMiniportCall, "close"}));
  ASSERT_EQ(t.inputs.size(), 1u);
  EXPECT_EQ(t.inputs[0], AsBytes(BuildMiniportIdentifyRequest()));
}

TEST(GetHardDiskSerial, UnitSerialPageWhenTheMiniportGivesNothing) {
  struct Case {
    const char* what;
    std::optional<ScriptedDevice> scsi0;
  };
  const Case cases[] = {
      {"port 0 does not open", std::nullopt},
      {"miniport call fails", ScriptedDevice{false, nullptr}},
      {"miniport answers a blank serial", MiniportAnswering("")},
  };
  for (const Case& c : cases) {
    ScriptedTransport t;
    if (c.scsi0) t.devices[kScsi0] = *c.scsi0;
    t.devices[kVolumeC] = PageAnswering(0x80, " S1234567 ");
    EXPECT_EQ(GetHardDiskSerial(t, kPassThrough32), L"S1234567") << c.what;
    EXPECT_EQ(t.log.back(), "close") << c.what;
    ASSERT_FALSE(t.inputs.empty());
    const Bytes request = AsBytes(BuildUnitSerialRequest(kPassThrough32));
    EXPECT_EQ(t.inputs.back(), Bytes(request.begin(), request.begin() + 44))
        << c.what << ": the pass-through header goes in";
  }
}

TEST(GetHardDiskSerial, UnitSerialRequestGoesInTheLayoutGiven) {
  for (const UnitSerialLayout& l : kUnitSerialLayouts) {
    ScriptedTransport t;  // port 0 does not open
    t.devices[kVolumeC] = PageAnswering(0x80, "S1234567", l.data_offset);
    EXPECT_EQ(GetHardDiskSerial(t, l.layout), L"S1234567") << l.name;
    EXPECT_EQ(t.log, (std::vector<std::string>{"open \\\\.\\Scsi0: rw", "open \\\\.\\C: rw",
                                                "ioctl " + std::to_string(0x4D004) + " in " +
                                                    std::to_string(l.in_length) + " out " +
                                                    std::to_string(l.out_length),
                                                "close"}))
        << l.name;
    ASSERT_EQ(t.inputs.size(), 1u) << l.name;
    const Bytes request = AsBytes(BuildUnitSerialRequest(l.layout));
    EXPECT_EQ(t.inputs[0], Bytes(request.begin(), request.begin() + static_cast<long>(l.in_length))) << l.name;
  }
}

TEST(GetHardDiskSerial, ErrorWhenNoSourceAnswers) {
  struct Case {
    const char* what;
    std::optional<ScriptedDevice> volume_c;
  };
  const Case cases[] = {
      {"nothing opens", std::nullopt},
      {"page 0x83 instead of 0x80", PageAnswering(0x83, "NAA 600508B1")},
      {"pass-through fails", ScriptedDevice{false, nullptr}},
  };
  for (const Case& c : cases) {
    ScriptedTransport t;
    if (c.volume_c) t.devices[kVolumeC] = *c.volume_c;
    EXPECT_EQ(GetHardDiskSerial(t, kPassThrough32), L"Error!") << c.what;
    EXPECT_EQ(t.log.front(), "open \\\\.\\Scsi0: rw") << c.what;
    EXPECT_EQ(t.log[1], "open \\\\.\\C: rw") << c.what;
  }
}

TEST(GetHardDiskSerial, On9xTheSmartDeviceIsAskedForIdentify) {
  ScriptedTransport t;
  t.platform = kPlatformWin32Windows;
  t.devices[kSmartVsd] = {true, [](std::span<std::byte> out) {
                            ASSERT_EQ(out.size(), 528u);
                            PutIdSerial(out, 36, "  WD-9X ");
                          }};
  EXPECT_EQ(GetHardDiskSerial(t, kPassThrough32), L"WD-9X");
  EXPECT_EQ(t.log, (std::vector<std::string>{"open \\\\.\\SMARTVSD vxd",
                                              "ioctl " + std::to_string(0x7C088) + " in 32 out 528", "close"}));
  // IDENTIFY DEVICE for device 0, the first 32 bytes of SENDCMDINPARAMS.
  const Bytes expected = Layout(32, {{0, {0x00, 0x02, 0, 0, 0x00, 1, 1, 0x00, 0x00, 0xA0, 0xEC, 0x00, 0x00}}});
  ASSERT_EQ(t.inputs.size(), 1u);
  EXPECT_EQ(t.inputs[0], expected);
}

TEST(GetHardDiskSerial, On9xWithoutTheSmartDeviceTheVolumeIsAsked) {
  ScriptedTransport t;
  t.platform = kPlatformWin32Windows;
  t.devices[kScsi0] = MiniportAnswering("NT-ONLY");  // never opened on 9x
  EXPECT_EQ(GetHardDiskSerial(t, kPassThrough32), L"Error!");
  EXPECT_EQ(t.log, (std::vector<std::string>{"open \\\\.\\SMARTVSD vxd", "open \\\\.\\C: rw"}));
}

TEST(GetHardDiskSerial, AFailureThrownOnTheWayGivesTheEmptyText) {
  ScriptedTransport t;
  t.devices[kScsi0] = ScriptedDevice{true, nullptr, true};
  EXPECT_EQ(GetHardDiskSerial(t, kPassThrough32), L"");
  EXPECT_EQ(t.log.back(), "close") << "the device is closed on the way out";
}

}  // namespace
}  // namespace corvane::storage
