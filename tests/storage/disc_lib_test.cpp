#include "storage/disc_lib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <stdexcept>
#include <vector>

namespace corvane::storage {
namespace {

using Reply = std::vector<std::byte>;

Reply Fixture(const char* name) {
  std::ifstream f(std::string(CORVANE_TEST_DATA "/storage/mmc/") + name, std::ios::binary);
  Reply bytes;
  for (auto it = std::istreambuf_iterator<char>(f); it != std::istreambuf_iterator<char>(); ++it)
    bytes.push_back(static_cast<std::byte>(*it));
  EXPECT_FALSE(bytes.empty()) << name;
  return bytes;
}

bool SameCommand(const MmcCommand& a, const MmcCommand& b) {
  return a.cdb == b.cdb && a.cdb_length == b.cdb_length && a.data_length == b.data_length &&
         a.sense_length == b.sense_length && a.timeout_seconds == b.timeout_seconds;
}

// How the scripted drive answers; shared with the test so it can be read
// after the library has closed the drive.
struct Script {
  int unready_attempts = 0;  // TEST UNIT READY fails this many times first
  bool configuration_ok = true;
  Reply configuration;
  bool mode_sense_ok = true;
  Reply mode_sense;
  bool inquiry_ok = true;
  Reply inquiry;
  std::size_t claimed_extra = 0;  // a driver that reports more than it had room for
  bool fill_past_reply = false;   // a driver that scribbles past what it reports
  bool throws = false;

  // What happened.
  std::vector<std::uint8_t> opcodes;
  int closed = 0;
};

class ScriptedDevice final : public MmcDevice {
 public:
  explicit ScriptedDevice(std::shared_ptr<Script> script) : script_(std::move(script)) {}
  ~ScriptedDevice() override { ++script_->closed; }

  MmcReply Send(const MmcCommand& command, std::span<std::byte> data) override {
    Script& s = *script_;
    if (s.throws) throw std::runtime_error("driver gone");
    EXPECT_EQ(data.size(), command.data_length);
    EXPECT_TRUE(std::ranges::all_of(data, [](std::byte b) { return b == std::byte{0}; }))
        << "buffers are zeroed before each command";
    s.opcodes.push_back(command.cdb[0]);
    if (SameCommand(command, kTestUnitReady)) {
      const auto attempts = std::ranges::count(s.opcodes, kTestUnitReady.cdb[0]);
      return {attempts > s.unready_attempts, 0};
    }
    if (SameCommand(command, kGetConfiguration))
      return Answer(s.configuration_ok, s.configuration, data);
    if (SameCommand(command, kModeSenseCapabilities))
      return Answer(s.mode_sense_ok, s.mode_sense, data);
    if (SameCommand(command, kInquiry)) return Answer(s.inquiry_ok, s.inquiry, data);
    ADD_FAILURE() << "unexpected command " << int(command.cdb[0]);
    return {};
  }

 private:
  MmcReply Answer(bool ok, const Reply& reply, std::span<std::byte> data) {
    if (!ok) return {};
    const std::size_t n = std::min(reply.size(), data.size());
    std::copy_n(reply.begin(), n, data.begin());
    if (script_->fill_past_reply) std::fill(data.begin() + n, data.end(), std::byte{0xEE});
    return {true, n + script_->claimed_extra};
  }

  std::shared_ptr<Script> script_;
};

class ScriptedTransport final : public MmcTransport {
 public:
  std::shared_ptr<Script> script = std::make_shared<Script>();
  std::set<wchar_t> cd_letters{L'E'};
  bool open_fails = false;
  std::vector<wchar_t> asked_type;
  std::vector<wchar_t> opened;
  std::vector<std::chrono::milliseconds> pauses;

  bool IsCdDrive(wchar_t letter) override {
    asked_type.push_back(letter);
    return cd_letters.contains(letter);
  }
  std::unique_ptr<MmcDevice> OpenDrive(wchar_t letter) override {
    opened.push_back(letter);
    if (open_fails) return nullptr;
    return std::make_unique<ScriptedDevice>(script);
  }
  void Pause(std::chrono::milliseconds duration) override { pauses.push_back(duration); }
};

const std::wstring kExampleReport =
    L"Read CD-R\r\nRead CD-RW\r\nRead Method 2\r\nRead DVD-ROM\r\nRead DVD-R / DVD-RW\r\n"
    L"Read DVD-RAM\r\nWrite CD-R\r\nWrite CD-RW\r\nWrite Test\r\nWrite DVD-R / DVD-RW\r\n"
    L"Write DVD-RAM\r\nDevice Buffer: 2048k\r\nMax Read Speed: 48x\r\nMax Write Speed: 16x";

class DiscLibTest : public testing::Test {
 protected:
  DiscLibTest() {
    transport_.script->configuration = Fixture("config_cdrom.bin");
    transport_.script->mode_sense = Fixture("modesense_dvdrw.bin");
  }

  std::wstring Report() {
    TISODiscLib lib(transport_, true);
    const auto drive = lib.OpenCdDrive(L'E');
    EXPECT_TRUE(drive);
    return lib.GetDriveCapabilities(drive.get());
  }

  Script& script() { return *transport_.script; }

  ScriptedTransport transport_;
};

TEST_F(DiscLibTest, ReadinessWaitsUpToTenAttempts) {
  const struct {
    int unready;
    bool report;
    std::size_t attempts;
  } cases[] = {
      {0, true, 1},
      {9, true, 10},    // ready on the tenth attempt
      {10, false, 10},  // never ready: nothing more is asked
      {50, false, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.unready);
    ScriptedTransport transport;
    transport.script->unready_attempts = c.unready;
    transport.script->configuration = Fixture("config_cdrom.bin");
    transport.script->mode_sense = Fixture("modesense_dvdrw.bin");
    TISODiscLib lib(transport, true);
    const auto drive = lib.OpenCdDrive(L'E');
    ASSERT_TRUE(drive);
    EXPECT_EQ(lib.GetDriveCapabilities(drive.get()), c.report ? kExampleReport : L"");
    EXPECT_EQ(std::ranges::count(transport.script->opcodes, 0x00), std::ptrdiff_t(c.attempts));
    // A pause before every attempt, during which messages run.
    EXPECT_EQ(transport.pauses,
              std::vector<std::chrono::milliseconds>(c.attempts, std::chrono::milliseconds(100)));
    const std::vector<std::uint8_t> after(transport.script->opcodes.begin() + c.attempts,
                                          transport.script->opcodes.end());
    const std::vector<std::uint8_t> rest =
        c.report ? std::vector<std::uint8_t>{0x46, 0x5A} : std::vector<std::uint8_t>{};
    EXPECT_EQ(after, rest);
  }
}

TEST_F(DiscLibTest, ReportNeedsANamedProfileAndAReadablePage) {
  EXPECT_EQ(Report(), kExampleReport);

  const struct {
    const char* name;
    void (*setup)(Script&);
    bool report;
  } cases[] = {
      {"profile 0x0040 has no name",
       [](Script& s) { s.configuration = Fixture("config_bdrom.bin"); }, false},
      {"GET CONFIGURATION rejected", [](Script& s) { s.configuration_ok = false; }, false},
      {"configuration reply too short for the profile",
       [](Script& s) { s.configuration.resize(7); }, false},
      {"No Current Profile is a named profile",
       [](Script& s) { s.configuration = Reply(8, std::byte{0}); }, true},
      {"MODE SENSE rejected", [](Script& s) { s.mode_sense_ok = false; }, false},
      {"reply without page 2A", [](Script& s) { s.mode_sense = Reply(440, std::byte{0}); }, false},
      {"driver claims more than the buffer", [](Script& s) { s.claimed_extra = 100000; }, true},
      {"driver writes past what it reports", [](Script& s) { s.fill_past_reply = true; }, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedTransport transport;
    transport.script->configuration = Fixture("config_cdrom.bin");
    transport.script->mode_sense = Fixture("modesense_dvdrw.bin");
    c.setup(*transport.script);
    TISODiscLib lib(transport, true);
    const auto drive = lib.OpenCdDrive(L'E');
    ASSERT_TRUE(drive);
    EXPECT_EQ(lib.GetDriveCapabilities(drive.get()), c.report ? kExampleReport : L"");
  }
}

TEST_F(DiscLibTest, CurrentProfileIndex) {
  TISODiscLib lib(transport_, true);
  auto drive = lib.OpenCdDrive(L'E');
  EXPECT_EQ(lib.GetCurrentProfile(drive.get()), 6);  // CD-ROM
  script().configuration = Fixture("config_dvdrom.bin");
  EXPECT_EQ(lib.GetCurrentProfile(drive.get()), 9);  // DVD-ROM
  script().configuration = Fixture("config_bdrom.bin");
  EXPECT_EQ(lib.GetCurrentProfile(drive.get()), -1);
  EXPECT_EQ(lib.GetCurrentProfile(nullptr), -1);
}

TEST_F(DiscLibTest, CapabilitiesPageKeepsOnlyTransferredBytes) {
  script().fill_past_reply = true;
  TISODiscLib lib(transport_, true);
  auto drive = lib.OpenCdDrive(L'E');
  std::array<std::byte, kModeSenseDataLength> page;
  page.fill(std::byte{0x55});
  ASSERT_TRUE(lib.ReadCapabilitiesPage(drive.get(), page));
  const Reply expected = Fixture("modesense_dvdrw.bin");
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), page.begin()));
  EXPECT_TRUE(std::all_of(page.begin() + expected.size(), page.end(),
                          [](std::byte b) { return b == std::byte{0}; }));

  script().mode_sense_ok = false;
  page.fill(std::byte{0x55});
  EXPECT_FALSE(lib.ReadCapabilitiesPage(drive.get(), page));
  EXPECT_TRUE(std::ranges::all_of(page, [](std::byte b) { return b == std::byte{0}; }));
}

TEST_F(DiscLibTest, OpenCdDriveOnlyWhenUsableAndACdDrive) {
  const struct {
    const char* name;
    bool usable;
    wchar_t letter;
    bool open_fails;
    bool asks_type, opens, device;
  } cases[] = {
      {"usable CD drive", true, L'E', false, true, true, true},
      {"lower-case letter", true, L'e', false, true, false, false},  // the transport knows E only
      {"not usable: nothing is touched", false, L'E', false, false, false, false},
      {"not a CD drive", true, L'C', false, true, false, false},
      {"open fails", true, L'E', true, true, true, false},
      {"not a letter", true, L'1', false, false, false, false},
      {"NUL", true, L'\0', false, false, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedTransport transport;
    transport.open_fails = c.open_fails;
    TISODiscLib lib(transport, c.usable);
    EXPECT_EQ(lib.PassThroughUsable(), c.usable);
    const auto drive = lib.OpenCdDrive(c.letter);
    EXPECT_EQ(drive != nullptr, c.device);
    EXPECT_EQ(!transport.asked_type.empty(), c.asks_type);
    EXPECT_EQ(!transport.opened.empty(), c.opens);
  }
}

TEST_F(DiscLibTest, NoDriveNoReport) {
  TISODiscLib lib(transport_, false);
  const auto drive = lib.OpenCdDrive(L'E');
  EXPECT_EQ(drive, nullptr);
  EXPECT_EQ(lib.GetDriveCapabilities(drive.get()), L"");
  EXPECT_FALSE(lib.TestUnitReady(nullptr));
  EXPECT_TRUE(transport_.pauses.empty());
}

TEST_F(DiscLibTest, InquiryTextWorksWithoutPassThroughAndClosesTheDrive) {
  Reply inquiry(kInquiryDataLength, std::byte{0});
  const std::string identity = "TSSTcorpDVD+-RW TS-H653A D300";
  std::transform(identity.begin(), identity.end(), inquiry.begin() + 8,
                 [](char c) { return static_cast<std::byte>(c); });

  const struct {
    const char* name;
    bool usable;
    wchar_t letter;
    bool open_fails, inquiry_ok, throws;
    std::size_t reply_size;
    std::wstring text;
  } cases[] = {
      {"not usable, still read", false, L'E', false, true, false, 100,
       L"TSSTcorpDVD+-RW TS-H653A D300"},
      {"not a CD letter, still read", true, L'C', false, true, false, 100,
       L"TSSTcorpDVD+-RW TS-H653A D300"},
      {"short transfer", true, L'E', false, true, false, 16, L"TSSTcorp"},
      {"open fails", true, L'E', true, true, false, 100, L""},
      {"command fails", true, L'E', false, false, false, 100, L""},
      {"driver raises", true, L'E', false, true, true, 100, L""},
      {"not a letter", true, L'?', false, true, false, 100, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedTransport transport;
    transport.open_fails = c.open_fails;
    transport.script->inquiry_ok = c.inquiry_ok;
    transport.script->throws = c.throws;
    transport.script->inquiry = Reply(inquiry.begin(), inquiry.begin() + c.reply_size);
    TISODiscLib lib(transport, c.usable);
    EXPECT_EQ(lib.ReadInquiryText(c.letter), c.text);
    EXPECT_TRUE(transport.asked_type.empty());
    const int opened = transport.opened.size() == 1 && !c.open_fails ? 1 : 0;
    EXPECT_EQ(transport.script->closed, opened);
  }
}

TEST(PassThroughAllowed, NtFourOnAndAnAdministrator) {
  const struct {
    std::uint32_t platform, major;
    bool admin, allowed;
  } cases[] = {
      {2, 4, true, true},  {2, 6, true, true},   {2, 10, true, true},
      {2, 3, true, false}, {2, 5, false, false}, {1, 4, true, false},  // the 9x family
      {0, 4, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.platform << " " << c.major << " " << c.admin);
    EXPECT_EQ(PassThroughAllowed(c.platform, c.major, c.admin), c.allowed);
  }
}

}  // namespace
}  // namespace corvane::storage
