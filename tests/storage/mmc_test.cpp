#include "storage/mmc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "storage/mmc_cli.h"

namespace corvane::storage {
namespace {

std::vector<std::byte> Hex(std::string_view text) {
  std::vector<std::byte> bytes;
  std::string digits;
  for (const char c : text)
    if (c != ' ') digits.push_back(c);
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2)
    bytes.push_back(static_cast<std::byte>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  return bytes;
}

std::string HexOf(std::span<const std::byte> bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  for (const std::byte b : bytes) {
    text.push_back(kDigits[std::to_integer<int>(b) >> 4]);
    text.push_back(kDigits[std::to_integer<int>(b) & 15]);
  }
  return text;
}

std::vector<std::byte> Bytes(std::string_view text) {
  std::vector<std::byte> bytes;
  for (const char c : text) bytes.push_back(static_cast<std::byte>(c));
  return bytes;
}

// The two layouts the system reads SCSI_PASS_THROUGH_DIRECT in, and the
// size of the block each gives: the structure, filler up to a multiple of 8,
// 32 bytes of sense.
struct BlockLayout {
  const char* name;
  const PassThroughLayout& layout;
  std::size_t block_size;
};
const BlockLayout kBlockLayouts[] = {
    {"32-bit", kPassThroughDirect32, 80},
    {"64-bit", kPassThroughDirect64, 88},
};

// `hex` followed by zeros up to `size` bytes.
std::vector<std::byte> HexPadded(std::string_view hex, std::size_t size) {
  std::vector<std::byte> bytes = Hex(hex);
  bytes.resize(size);
  return bytes;
}

PassThroughBlock BlockOf(const PassThroughLayout& layout, const std::vector<std::byte>& bytes) {
  PassThroughBlock block(layout);
  std::copy_n(bytes.begin(), std::min(bytes.size(), block.bytes().size()), block.bytes().begin());
  return block;
}

TEST(PassThroughBlock, FourCommandsByteExactInEachLayout) {
  const struct {
    const char* name;
    const MmcCommand& command;
    // The structure in the 32-bit layout (44 bytes; the sense area at 48)
    // and in the 64-bit one (56 bytes; the address 8 bytes wide at 24, the
    // sense area at 56).
    std::array<std::string, 2> structure;
  } cases[] = {
      {"TEST UNIT READY", kTestUnitReady,
       {"2c00 00 000000 06 20 01 000000 00000000 78000000 00000000 30000000"
        " 000000000000 00000000000000000000",
        "3800 00 000000 06 20 01 000000 00000000 78000000 00000000 0000000000000000 38000000"
        " 000000000000 00000000000000000000 00000000"}},
      {"INQUIRY", kInquiry,
       {"2c00 00 000000 06 18 01 000000 64000000 02000000 00000000 30000000"
        " 120000006400 00000000000000000000",
        "3800 00 000000 06 18 01 000000 64000000 02000000 00000000 0000000000000000 38000000"
        " 120000006400 00000000000000000000 00000000"}},
      {"GET CONFIGURATION", kGetConfiguration,
       {"2c00 00 000000 0a 20 01 000000 72000000 78000000 00000000 30000000"
        " 46020000000000007200 000000000000",
        "3800 00 000000 0a 20 01 000000 72000000 78000000 00000000 0000000000000000 38000000"
        " 46020000000000007200 000000000000 00000000"}},
      {"MODE SENSE (10) page 2A", kModeSenseCapabilities,
       {"2c00 00 000000 0a 0e 01 000000 b8010000 78000000 00000000 30000000"
        " 5a00aa0000000001b800 000000000000",
        "3800 00 000000 0a 0e 01 000000 b8010000 78000000 00000000 0000000000000000 38000000"
        " 5a00aa0000000001b800 000000000000 00000000"}},
  };
  for (std::size_t i = 0; i < std::size(kBlockLayouts); ++i) {
    const BlockLayout& l = kBlockLayouts[i];
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(l.name) + " " + c.name);
      const PassThroughBlock block = BuildPassThroughBlock(c.command, l.layout);
      ASSERT_EQ(block.bytes().size(), l.block_size);
      EXPECT_EQ(HexOf(block.bytes()), HexOf(HexPadded(c.structure[i], l.block_size)));
    }
  }
}

TEST(PassThroughBlock, BufferAddressIsAsWideAsTheLayoutsPointer) {
  const struct {
    const char* name;
    const PassThroughLayout& layout;
    std::uint64_t address;
    std::size_t at;
    std::string field;  // the bytes at `at`, little-endian
  } cases[] = {
      {"32-bit", kPassThroughDirect32, 0x12345678, 20, "78563412"},
      {"32-bit, highest", kPassThroughDirect32, 0xFFFFFFFF, 20, "ffffffff"},
      {"64-bit", kPassThroughDirect64, 0x00007FF612345678, 24, "78563412f67f0000"},
      {"64-bit, highest", kPassThroughDirect64, 0xFFFFFFFFFFFFFFFF, 24, "ffffffffffffffff"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const PassThroughBlock built = BuildPassThroughBlock(kModeSenseCapabilities, c.layout);
    PassThroughBlock block = built;
    ASSERT_TRUE(SetPassThroughDataBuffer(block, c.address));
    const auto field = Hex(c.field);
    // The address and nothing else: the neighbours stay as built.
    std::vector<std::byte> expected(built.bytes().begin(), built.bytes().end());
    std::copy(field.begin(), field.end(), expected.begin() + static_cast<long>(c.at));
    EXPECT_EQ(HexOf(block.bytes()), HexOf(expected));
  }
}

TEST(PassThroughBlock, AnAddressTooWideForTheLayoutIsRefused) {
  PassThroughBlock block = BuildPassThroughBlock(kInquiry, kPassThroughDirect32);
  const std::string before = HexOf(block.bytes());
  EXPECT_FALSE(SetPassThroughDataBuffer(block, 0x100000000));
  EXPECT_EQ(HexOf(block.bytes()), before) << "nothing written, not the low half";
}

// Blocks as the driver returns them: DataTransferLength cut to what moved,
// ScsiStatus and SenseInfoLength written back, sense data in the sense area
// of each layout; and a block not yet sent, which still holds the length
// asked for.
TEST(PassThroughBlock, TransferredLengthOfEachLayout) {
  const std::string sense = "70000500000000 0a 00000000 2400 00000000000000";  // ILLEGAL REQUEST, 18 bytes
  const struct {
    const char* name;
    const PassThroughLayout& layout;
    std::string block;
    std::uint32_t transferred;
  } cases[] = {
      {"32-bit, 30 bytes moved", kPassThroughDirect32,
       "2c00 02 000000 0a 12 01 000000 1e000000 78000000 00104000 30000000"
       " 5a00aa0000000001b800 000000000000 00000000" + sense,
       30},
      {"64-bit, 30 bytes moved", kPassThroughDirect64,
       "3800 02 000000 0a 12 01 000000 1e000000 78000000 00000000 0010400000000000 38000000"
       " 5a00aa0000000001b800 000000000000 00000000" + sense,
       30},
      {"64-bit, all 440 moved", kPassThroughDirect64,
       "3800 00 000000 0a 00 01 000000 b8010000 78000000 00000000 0010400000000000 38000000"
       " 5a00aa0000000001b800 000000000000 00000000",
       440},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto bytes = Hex(c.block);
    ASSERT_LE(bytes.size(), PassThroughBlock(c.layout).bytes().size());
    EXPECT_EQ(PassThroughTransferred(BlockOf(c.layout, bytes)), c.transferred);
  }
  for (const BlockLayout& l : kBlockLayouts) {
    EXPECT_EQ(PassThroughTransferred(BuildPassThroughBlock(kModeSenseCapabilities, l.layout)), 440u) << l.name;
  }
}

TEST(Loaders, BigEndianAndBounded) {
  const auto data = Hex("01 02 03 04 05");
  EXPECT_EQ(LoadU8(data, 4), 0x05);
  EXPECT_EQ(LoadBe16(data, 0), 0x0102);
  EXPECT_EQ(LoadBe16(data, 3), 0x0405);
  EXPECT_EQ(LoadBe32(data, 1), 0x02030405u);
  EXPECT_FALSE(LoadU8(data, 5));
  EXPECT_FALSE(LoadBe16(data, 4));
  EXPECT_FALSE(LoadBe32(data, 2));
  EXPECT_FALSE(LoadBe16(data, static_cast<std::size_t>(-1)));  // no wrap-around
  EXPECT_FALSE(LoadBe16({}, 0));
}

TEST(InquiryText, CutAtNulAndAtTheBuffer) {
  const std::string header(8, '\x05');
  const std::string identity = "VENDOR  PRODUCT NAME    1.02";
  const struct {
    const char* name;
    std::string reply;
    std::wstring text;
  } cases[] = {
      {"NUL after the revision", header + identity + std::string("\0junk", 5),
       L"VENDOR  PRODUCT NAME    1.02"},
      {"NUL first", header + std::string("\0VENDOR", 7), L""},
      {"no NUL, full buffer", header + std::string(92, 'x'), std::wstring(92, L'x')},
      {"longer than the buffer", header + std::string(150, 'y'), std::wstring(92, L'y')},
      {"short transfer", header + "ABC", L"ABC"},
      {"header only", header, L""},
      {"shorter than the header", "\x05\x05", L""},
      {"high and control bytes kept", header + "A\x1F\xE9Z", L"A\x1F\xE9Z"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(InquiryText(Bytes(c.reply)), c.text);
  }
}

TEST(Profiles, EveryNamedProfileAndOthers) {
  const struct {
    std::uint16_t profile;
    const wchar_t* name;
  } named[] = {
      {0x0000, L"No Current Profile"},
      {0x0001, L"Non Removable Disk"},
      {0x0002, L"Removable Disk"},
      {0x0003, L"Magneto Optical Erasable"},
      {0x0004, L"Optical Write Once"},
      {0x0005, L"AS-MO"},
      {0x0008, L"CD-ROM"},
      {0x0009, L"CD-R"},
      {0x000A, L"CD-RW"},
      {0x0010, L"DVD-ROM"},
      {0x0011, L"DVD-R SequentialRecording,"},
      {0x0012, L"DVD-RAM"},
      {0x0013, L"DVD-RW Restricted Overwrite"},
      {0x0014, L"DVD-RW Sequential Recording"},
      {0x001A, L"DVD+RW"},
      {0x001B, L"DVD+R"},
      {0x0020, L"DDCD-ROM"},
      {0x0021, L"DDCD-R"},
      {0x0022, L"DDCD-RW"},
      {0xFFFF, L"UNKNOWN"},
  };
  ASSERT_EQ(std::size(named), ProfileName.size());
  for (std::size_t i = 0; i < std::size(named); ++i) {
    SCOPED_TRACE(testing::Message() << "profile 0x" << std::hex << named[i].profile);
    const auto index = ProfileIndex(named[i].profile);
    ASSERT_TRUE(index);
    EXPECT_EQ(*index, static_cast<int>(i));
    EXPECT_EQ(ProfileName[i].name, named[i].name);
  }
  for (const std::uint16_t other :
       {0x0006, 0x000B, 0x0015, 0x0023, 0x0040, 0x0041, 0x0050, 0xFFFE}) {
    SCOPED_TRACE(testing::Message() << "profile 0x" << std::hex << other);
    EXPECT_FALSE(ProfileIndex(other));
  }
}

TEST(CurrentProfile, BytesSixAndSevenWhenPresent) {
  EXPECT_EQ(CurrentProfile(Hex("00000010 0000 0010 0000030800100100")), 0x0010);
  EXPECT_EQ(CurrentProfile(Hex("00000004 0000 001a")), 0x001A);
  EXPECT_FALSE(CurrentProfile(Hex("00000004 0000 00")));
}

const std::vector<std::wstring> kExampleLines = {
    L"Read CD-R",           L"Read CD-RW",           L"Read Method 2", L"Read DVD-ROM",
    L"Read DVD-R / DVD-RW", L"Read DVD-RAM",         L"Write CD-R",    L"Write CD-RW",
    L"Write Test",          L"Write DVD-R / DVD-RW", L"Write DVD-RAM", L"Device Buffer: 2048k",
    L"Max Read Speed: 48x", L"Max Write Speed: 16x",
};

TEST(CapabilityLines, ReportsSetBitsInOrderThenBufferAndSpeeds) {
  const struct {
    const char* name;
    DriveCapabilities caps;
    std::vector<std::wstring> lines;
  } cases[] = {
      {"every bit", {0x3F, 0x37, 8467, 2048, 2822}, kExampleLines},
      {"no read bits",
       {0x00, 0x11, 7056, 512, 0},
       {L"Write CD-R", L"Write DVD-R / DVD-RW", L"Device Buffer: 512k", L"Max Read Speed: 40x",
        L"Max Write Speed: 0x"}},
      {"nothing set, bits without a line ignored",
       {0xC0, 0xC8, 0, 0, 0},
       {L"Device Buffer: 0k", L"Max Read Speed: 0x", L"Max Write Speed: 0x"}},
      {"read only",
       {0x09, 0x00, 65535, 65535, 176},
       {L"Read CD-R", L"Read DVD-ROM", L"Device Buffer: 65535k", L"Max Read Speed: 371x",
        L"Max Write Speed: 1x"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CapabilityLines(c.caps), c.lines);
  }
}

TEST(CapabilityLines, JoinedWithCrLfAndNoEmptyLine) {
  EXPECT_EQ(JoinCrLf({L"a", L"b", L"c"}), L"a\r\nb\r\nc");
  EXPECT_EQ(JoinCrLf({L"a"}), L"a");
  EXPECT_EQ(JoinCrLf({}), L"");
}

TEST(SpeedFactor, DividesBySingleSpeedAndRoundsHalvesToEven) {
  const struct {
    std::uint64_t numerator, denominator, rounded;
  } ratios[] = {
      {1, 2, 0}, {3, 2, 2}, {5, 2, 2}, {7, 2, 4},  // exact halves go to the even neighbour
      {5, 4, 1}, {7, 4, 2}, {0, 3, 0}, {6, 3, 2}, {17645, 17646, 1},
  };
  for (const auto& r : ratios) {
    SCOPED_TRACE(testing::Message() << r.numerator << "/" << r.denominator);
    EXPECT_EQ(RoundRatioHalfToEven(r.numerator, r.denominator), r.rounded);
  }
  const struct {
    std::uint32_t kbps, factor;
  } speeds[] = {
      {8467, 48}, {7056, 40}, {2822, 16}, {0, 0},   {88, 0},       // 88 / 176.46 = 0.4987
      {89, 1},    {264, 1},   {265, 2},   {176, 1}, {65535, 371},  // 264.69 is 1.5
  };
  for (const auto& s : speeds) {
    SCOPED_TRACE(s.kbps);
    EXPECT_EQ(SpeedFactor(s.kbps), s.factor);
  }
}

TEST(CapabilitiesPage, FindsPage2A) {
  const std::string data = CORVANE_TEST_DATA "/storage/mmc/";
  auto read = [&](const char* name) {
    std::ifstream f(data + name, std::ios::binary);
    std::vector<char> raw((std::istreambuf_iterator<char>(f)), {});
    std::vector<std::byte> bytes(raw.size());
    std::memcpy(bytes.data(), raw.data(), raw.size());
    return bytes;
  };
  const auto plain = DecodeCapabilitiesPage(read("modesense_dvdrw.bin"));
  ASSERT_TRUE(plain);
  EXPECT_EQ(CapabilityLines(*plain), kExampleLines);

  // A drive that returns block descriptors moves the page along.
  const auto shifted = DecodeCapabilitiesPage(read("modesense_block_descriptor.bin"));
  ASSERT_TRUE(shifted);
  EXPECT_EQ(CapabilityLines(*shifted), kExampleLines);

  const std::string header = "001c 0000 0000 0000 ";
  const struct {
    const char* name;
    std::string reply;
    bool found;
  } cases[] = {
      {"a failed read leaves zeros", std::string(880, '0'), false},
      {"another page", header + "0d14 3f37", false},
      {"header only", header, false},
      {"short header", "001c0000", false},
      {"descriptors past the end", "001c 0000 0000 ffff 2a14 3f37", false},
      {"saveable bit set", header + "aa14 3f37", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeCapabilitiesPage(Hex(c.reply)).has_value(), c.found);
  }

  // A page cut short reads its missing fields as 0.
  const auto cut = DecodeCapabilitiesPage(Hex(header + "2a14 3f37 0000 0000 2113"));
  ASSERT_TRUE(cut);
  EXPECT_EQ(cut->read_bits, 0x3F);
  EXPECT_EQ(cut->write_bits, 0x37);
  EXPECT_EQ(cut->max_read_kbps, 8467);
  EXPECT_EQ(cut->buffer_kb, 0);
  EXPECT_EQ(cut->max_write_kbps, 0);
}

// The subcommand, end to end on the fixture files.
class MmcCommandTest : public testing::Test {
 protected:
  static std::string Fixture(const char* name) {
    return std::string(CORVANE_TEST_DATA "/storage/mmc/") + name;
  }

  int Run(std::vector<std::string> args) {
    out_.str({});
    err_.str({});
    return RunMmcCommand(args, out_, err_);
  }

  std::string TempFile(const char* name, std::size_t size) {
    const auto path = std::filesystem::path(testing::TempDir()) / name;
    std::ofstream(path, std::ios::binary) << std::string(size, '\0');
    return path.string();
  }

  std::ostringstream out_;
  std::ostringstream err_;
};

TEST_F(MmcCommandTest, PrintsTheReportOneLinePerItem) {
  const std::string example =
      "Read CD-R\nRead CD-RW\nRead Method 2\nRead DVD-ROM\nRead DVD-R / DVD-RW\nRead DVD-RAM\n"
      "Write CD-R\nWrite CD-RW\nWrite Test\nWrite DVD-R / DVD-RW\nWrite DVD-RAM\n"
      "Device Buffer: 2048k\nMax Read Speed: 48x\nMax Write Speed: 16x\n";
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"--config", Fixture("config_cdrom.bin"), "--modesense", Fixture("modesense_dvdrw.bin")},
       example},
      {{"mmc", "--modesense", Fixture("modesense_block_descriptor.bin"), "--config",
        Fixture("config_dvdrom.bin")},
       example},
      {{"--config", Fixture("config_dvdrom.bin"), "--modesense", Fixture("modesense_no_read.bin")},
       "Write CD-R\nWrite CD-RW\nDevice Buffer: 512k\nMax Read Speed: 24x\nMax Write Speed: 8x\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[1]);
    EXPECT_EQ(Run(c.args), 0);
    EXPECT_EQ(out_.str(), c.out);
    EXPECT_EQ(err_.str(), "");
  }
}

TEST_F(MmcCommandTest, ProfileWithoutANameGivesNoReport) {
  EXPECT_EQ(
      Run({"--config", Fixture("config_bdrom.bin"), "--modesense", Fixture("modesense_dvdrw.bin")}),
      1);
  EXPECT_EQ(out_.str(), "");
  EXPECT_NE(err_.str(), "");
}

TEST_F(MmcCommandTest, ProfileNames) {
  const struct {
    const char* hex;
    int code;
    const char* out;
  } cases[] = {
      {"0x0008", 0, "CD-ROM\n"},
      {"1a", 0, "DVD+RW\n"},
      {"0X001B", 0, "DVD+R\n"},
      {"FFFF", 0, "UNKNOWN\n"},
      {"0", 0, "No Current Profile\n"},
      {"0x0040", 1, ""},
      {"fffe", 1, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hex);
    EXPECT_EQ(Run({"--profile", c.hex}), c.code);
    EXPECT_EQ(out_.str(), c.out);
    EXPECT_EQ(err_.str().empty(), c.code == 0);
  }
}

TEST_F(MmcCommandTest, UsageAndFileErrors) {
  const std::string config = Fixture("config_cdrom.bin");
  const std::string page = Fixture("modesense_dvdrw.bin");
  const std::string long_config = TempFile("mmc_config_115.bin", kConfigurationDataLength + 1);
  const std::string long_page = TempFile("mmc_page_441.bin", kModeSenseDataLength + 1);
  const std::vector<std::string> cases[] = {
      {},
      {"mmc"},
      {"--config", config},
      {"--modesense", page},
      {"--config", config, "--modesense"},
      {"--config", config, "--config", config, "--modesense", page},
      {"--profile", "8", "--config", config, "--modesense", page},
      {"--profile"},
      {"--profile", "xyz"},
      {"--profile", "0x"},
      {"--profile", "12345"},
      {"--profile", "-1"},
      {"--verbose", "x"},
      {"--config", config, "--modesense", Fixture("missing.bin")},
      {"--config", CORVANE_TEST_DATA "/storage/mmc", "--modesense", page},
      {"--config", long_config, "--modesense", page},
      {"--config", config, "--modesense", long_page},
  };
  for (const auto& args : cases) {
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    SCOPED_TRACE(joined);
    EXPECT_EQ(Run(args), 2);
    EXPECT_EQ(out_.str(), "");
    EXPECT_NE(err_.str(), "");
  }
}

TEST_F(MmcCommandTest, RepliesOfTheBufferLengthAreAccepted) {
  // A full-length reply of zeros: the profile reads as "No Current Profile"
  // and the zero page is no page 2A, so there is no report.
  EXPECT_EQ(Run({"--config", TempFile("mmc_config_114.bin", kConfigurationDataLength),
                 "--modesense", TempFile("mmc_page_440.bin", kModeSenseDataLength)}),
            1);
  EXPECT_EQ(out_.str(), "");
}

}  // namespace
}  // namespace corvane::storage
