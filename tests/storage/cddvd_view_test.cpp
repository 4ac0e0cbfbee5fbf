#include "storage/cddvd_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "storage/mmc.h"

namespace corvane::storage {
namespace {

using platform::T2DimStrArray;

TEST(CdDvdDriveList, EntriesAndWhatTheyName) {
  EXPECT_EQ(CdDriveListItem({L'E', L"MYDISC"}), L"E: [MYDISC]");
  EXPECT_EQ(CdDriveListItem({L'D', L""}), L"D: []");  // no disc

  struct Case {
    std::wstring entry;
    std::wstring drive;
    std::optional<wchar_t> letter;
  };
  const Case cases[] = {
      {L"E: [MYDISC]", L"E:", L'E'},
      {L"e:", L"e:", L'E'},   // typed in lower case
      {L"F", L"F", L'F'},     // typed without the colon
      {L"", L"", std::nullopt},  // no CD drive at all
      {L"1: [x]", L"1:", std::nullopt},
      {L"\u00c4:", L"\u00c4:", std::nullopt},  // no drive letter
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.entry));
    EXPECT_EQ(DriveOfEntry(c.entry), c.drive);
    EXPECT_EQ(LetterOfEntry(c.entry), c.letter);
  }
}

// An INQUIRY reply as the drive sends it: 8 header bytes, then the text.
std::wstring InquiryOf(std::string_view text_bytes) {
  std::array<std::byte, kInquiryDataLength> reply{};
  reply[0] = std::byte{0x05};  // CD/DVD device
  for (std::size_t i = 0; i < text_bytes.size() && 8 + i < reply.size(); ++i)
    reply[8 + i] = static_cast<std::byte>(text_bytes[i]);
  return InquiryText(reply);
}

TEST(CdDvdInquiryRows, CutFromTheInquiryText) {
  using namespace std::string_view_literals;
  struct Case {
    const char* what;
    std::string_view bytes;
    InquiryFields rows;
  };
  const Case cases[] = {
      {"a full reply", "HL-DT-STDVD-RAM GH22NP201.02  2009/06/03  "sv,
       {L"HL-DT-ST", L"DVD-RAM GH22NP20", L"1.02", L"2009/06/03"}},
      {"vendor and product keep their blanks", "ATAPI   CD-ROM          1.0 "sv,
       {L"ATAPI   ", L"CD-ROM          ", L"1.0", L""}},
      {"a 0x1F in the revision shows a space", "VENDOR  PRODUCT         1\x1F" "02"sv,
       {L"VENDOR  ", L"PRODUCT         ", L"1 02", L""}},
      {"high characters in the revision show spaces", "VENDOR  PRODUCT         A\x85\xff" "B"sv,
       {L"VENDOR  ", L"PRODUCT         ", L"A  B", L""}},
      {"control characters at the revision's ends are trimmed", "VENDOR  PRODUCT         \x01" "1.\x1F"sv,
       {L"VENDOR  ", L"PRODUCT         ", L"1.", L""}},
      {"the text ends at the first NUL", "TOSHIBA DVD-ROM\0SD-M1802"sv, {L"TOSHIBA ", L"DVD-ROM", L"", L""}},
      {"vendor spec is cut after 20 characters",
       "VENDOR  PRODUCT         REV 12345678901234567890XYZ"sv,
       {L"VENDOR  ", L"PRODUCT         ", L"REV", L"12345678901234567890"}},
      {"nothing read", ""sv, {L"", L"", L"", L""}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const InquiryFields rows = SplitInquiry(InquiryOf(c.bytes));
    EXPECT_EQ(rows.vendor, c.rows.vendor);
    EXPECT_EQ(rows.product_id, c.rows.product_id);
    EXPECT_EQ(rows.revision, c.rows.revision);
    EXPECT_EQ(rows.vendor_spec, c.rows.vendor_spec);
  }
}

TEST(CdromDriveQuery, TheDriveAsAQuotedLiteral) {
  EXPECT_EQ(CdromDriveQuery(L"E:"), L"SELECT * FROM Win32_CDROMDrive where drive = \"E:\"");
  EXPECT_EQ(CdromDriveQuery(L"E\""), L"SELECT * FROM Win32_CDROMDrive where drive = 'E\"'");
}

TEST(CdDvdWmiRecord, FirstInstanceByPropertyName) {
  // Columns in WMI's order, not the record's; the second instance is ignored.
  const T2DimStrArray table = {
      {L"Instance", L"Caption", L"Drive", L"Id", L"MediaType", L"Name", L"PNPDeviceID", L"Status"},
      {L"1", L"HL-DT-ST DVD-RAM", L"E:", L"E:", L"DVD Writer", L"HL-DT-ST DVD-RAM", L"IDE\\CDROM1", L"OK"},
      {L"2", L"Other", L"F:", L"F:", L"CD-ROM", L"Other", L"IDE\\CDROM2", L"OK"},
  };
  const TCDinfo info = CdInfoFromTable(table);
  EXPECT_EQ(info.Caption, L"HL-DT-ST DVD-RAM");
  EXPECT_EQ(info.Drive, L"E:");
  EXPECT_EQ(info.Id, L"E:");
  EXPECT_EQ(info.MediaType, L"DVD Writer");
  EXPECT_EQ(info.PNPDeviceID, L"IDE\\CDROM1");
  EXPECT_EQ(info.Status, L"OK");
  EXPECT_EQ(info.Description, L"");  // not in the result
  EXPECT_EQ(info.Manufacturer, L"");

  const TCDinfo none = CdInfoFromTable({});  // no instance, or a failed query
  for (const auto& p : kCdInfoProperties) EXPECT_EQ(none.*p.field, L"") << testing::PrintToString(p.property);
}

TEST(CdDvdDriveView, RowsShowTheirOwnFields) {
  T2DimStrArray table{{L"Instance"}, {L"1"}};
  for (const auto& p : kCdInfoProperties) {
    table[0].push_back(std::wstring(p.property));
    table[1].push_back(L"wmi " + std::wstring(p.property));
  }
  const CdDvdDriveView view = BuildCdDvdDriveView(L"VENDOR  PRODUCT-ID-16CHR REV SPEC", table, L"");

  const std::vector<std::pair<std::wstring, std::wstring>> expected = {
      {L"Vendor", L"VENDOR  "},
      {L"Product Id", L"PRODUCT-ID-16CHR"},
      {L"Revision", L"REV"},
      {L"Vendor Spec", L"SPEC"},
      {L"Caption", L"wmi Caption"},
      {L"Description", L"wmi Description"},
      {L"Id", L"wmi Id"},
      {L"Manufacturer driver", L"wmi Manufacturer"},
      {L"Media type", L"wmi MediaType"},
      {L"Name", L"wmi Name"},
      {L"Status", L"wmi Status"},
      {L"PNP Device ID", L"wmi PNPDeviceID"},
      {L"Drive Letter", L"wmi Drive"},
  };
  ASSERT_EQ(kCdDvdSheetRows.size(), expected.size() + 1);
  EXPECT_EQ(kCdDvdSheetRows[0].label, L"Drive");
  EXPECT_EQ(kCdDvdSheetRows[0].value, nullptr);
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto& row = kCdDvdSheetRows[i + 1];
    EXPECT_EQ(row.label, expected[i].first);
    ASSERT_NE(row.value, nullptr);
    EXPECT_EQ(row.value(view), expected[i].second) << expected[i].first;
  }
  EXPECT_TRUE(view.capabilities.empty());
}

TEST(CdDvdDriveView, CapabilityReportBecomesOneItemPerLine) {
  EXPECT_EQ(SplitCrLf(L""), std::vector<std::wstring>{});
  EXPECT_EQ(SplitCrLf(L"Read CD-R\r\nDevice Buffer: 2048k\r\nMax Read Speed: 48x"),
            (std::vector<std::wstring>{L"Read CD-R", L"Device Buffer: 2048k", L"Max Read Speed: 48x"}));
  EXPECT_EQ(SplitCrLf(L"one line"), std::vector<std::wstring>{L"one line"});
}

TEST(CdDvdButtons, DoorCommandsAcceptCdAndRemovableDrivesOnly) {
  for (unsigned type = 0; type <= 6; ++type) {
    EXPECT_EQ(TakesDoorCommands(type), type == 2 || type == 5) << "drive type " << type;
  }
}

TEST(CdDvdButtons, MessagesOfEachOutcome) {
  EXPECT_EQ(DoorMessage(DoorOutcome::Done), std::nullopt);
  EXPECT_EQ(DoorMessage(DoorOutcome::NotCdDrive),
            (DriveMessage{MessageStyle::Error, L"The selected drive is not a CD/DVD drive."}));
  EXPECT_EQ(DoorMessage(DoorOutcome::Failed), (DriveMessage{MessageStyle::Plain, L"Error"}));

  EXPECT_EQ(AnalyseMessage(9), (DriveMessage{MessageStyle::Information, L"The Inserted media is DVD-ROM"}));
  EXPECT_EQ(AnalyseMessage(7), (DriveMessage{MessageStyle::Information, L"The Inserted media is CD-R"}));
  EXPECT_EQ(AnalyseMessage(19), (DriveMessage{MessageStyle::Information, L"The Inserted media is UNKNOWN"}));
  const DriveMessage failed{MessageStyle::Error, L"Error reading disc!"};
  EXPECT_EQ(AnalyseMessage(std::nullopt), failed);  // could not open or ask the drive
  EXPECT_EQ(AnalyseMessage(-1), failed);            // a profile without a name
  EXPECT_EQ(AnalyseMessage(20), failed);
}

// A drive that answers GET CONFIGURATION from a recorded reply, or refuses.
class ConfigurationDrive final : public MmcDevice {
 public:
  ConfigurationDrive(std::vector<std::byte> reply, bool ok) : reply_(std::move(reply)), ok_(ok) {}
  MmcReply Send(const MmcCommand& command, std::span<std::byte> data) override {
    EXPECT_EQ(command.cdb[0], kGetConfiguration.cdb[0]) << "only the profile is asked";
    if (!ok_) return {};
    const std::size_t n = std::min(reply_.size(), data.size());
    std::copy_n(reply_.begin(), n, data.begin());
    return {true, n};
  }

 private:
  std::vector<std::byte> reply_;
  bool ok_;
};

struct AnalyseScript {
  enum { Opens, DoesNotOpen, Throws } open = Opens;
  const char* fixture = nullptr;  // GET CONFIGURATION reply; nullptr: the drive refuses
};

class AnalyseTransport final : public MmcTransport {
 public:
  explicit AnalyseTransport(const AnalyseScript& script) : s_(script) {}
  bool IsCdDrive(wchar_t) override { return false; }  // not consulted: the drive is opened directly
  std::unique_ptr<MmcDevice> OpenDrive(wchar_t letter) override {
    opened.push_back(letter);
    if (s_.open == AnalyseScript::Throws) throw std::runtime_error("gone");
    if (s_.open == AnalyseScript::DoesNotOpen) return nullptr;
    std::vector<std::byte> reply;
    if (s_.fixture) {
      std::ifstream f(std::string(CORVANE_TEST_DATA "/storage/mmc/") + s_.fixture, std::ios::binary);
      for (auto it = std::istreambuf_iterator<char>(f); it != std::istreambuf_iterator<char>(); ++it)
        reply.push_back(static_cast<std::byte>(*it));
      EXPECT_FALSE(reply.empty()) << s_.fixture;
    }
    return std::make_unique<ConfigurationDrive>(std::move(reply), s_.fixture != nullptr);
  }
  void Pause(std::chrono::milliseconds) override { ADD_FAILURE() << "no readiness wait here"; }

  std::vector<wchar_t> opened;

 private:
  const AnalyseScript& s_;
};

TEST(CdDvdButtons, AnalyseInsertedMediaNamesTheProfileOrReportsTheFailure) {
  struct Case {
    const char* what;
    AnalyseScript script;
    std::optional<wchar_t> letter;
    std::wstring text;
  };
  const std::wstring failed(kDiscReadFailedMessage);
  const Case cases[] = {
      {"a DVD-ROM disc", {AnalyseScript::Opens, "config_dvdrom.bin"}, L'E', L"The Inserted media is DVD-ROM"},
      {"a CD-ROM disc", {AnalyseScript::Opens, "config_cdrom.bin"}, L'E', L"The Inserted media is CD-ROM"},
      {"a profile without a name", {AnalyseScript::Opens, "config_bdrom.bin"}, L'E', failed},
      {"a drive that rejects GET CONFIGURATION", {AnalyseScript::Opens, nullptr}, L'E', failed},
      {"a drive that does not open", {AnalyseScript::DoesNotOpen, nullptr}, L'E', failed},
      {"a transport that throws", {AnalyseScript::Throws, nullptr}, L'E', failed},
      {"no drive named", {AnalyseScript::Opens, "config_dvdrom.bin"}, std::nullopt, failed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    AnalyseTransport transport(c.script);
    const DriveMessage m = AnalyseInsertedMedia(transport, c.letter);
    EXPECT_EQ(m.text, c.text);
    EXPECT_EQ(m.style, c.text == failed ? MessageStyle::Error : MessageStyle::Information);
    EXPECT_EQ(transport.opened, c.letter ? std::vector<wchar_t>{*c.letter} : std::vector<wchar_t>{});
  }
}

}  // namespace
}  // namespace corvane::storage
