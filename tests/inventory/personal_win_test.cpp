// The personal-information rows against the Wine test prefix, with the
// registry values seeded (or taken away) for each case and put back after.
#include "inventory/personal_readers_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/com_win.h"
#include "platform/locale_win.h"
#include "platform/printer_win.h"
#include "platform/seeded_value_win.h"
#include "platform/test_printer_win.h"
#include "platform/unique_handle.h"
#include "platform/wmi_win.h"

namespace corvane::inventory {
namespace {

using test_support::SeededValue;

constexpr wchar_t kNtKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr wchar_t kWindowsKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

SeededValue::Bytes Sz(std::wstring_view text) {
  const auto* p = reinterpret_cast<const BYTE*>(text.data());
  SeededValue::Bytes bytes(p, p + text.size() * sizeof(wchar_t));
  bytes.push_back(0);
  bytes.push_back(0);
  return bytes;
}

SeededValue::Bytes Dword(DWORD value) {
  const auto* p = reinterpret_cast<const BYTE*>(&value);
  return SeededValue::Bytes(p, p + sizeof value);
}

// A value taken out of the registry for the life of the object, then put back
// as it was.
class AbsentValue {
 public:
  AbsentValue(const wchar_t* path, const wchar_t* name) : name_(name) {
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key_.put()) != ERROR_SUCCESS) {
      key_.release();
      return;
    }
    DWORD size = 0;
    if (RegQueryValueExW(key_.get(), name, nullptr, &type_, nullptr, &size) != ERROR_SUCCESS) return;
    data_.resize(size);
    had_ = RegQueryValueExW(key_.get(), name, nullptr, &type_, data_.data(), &size) == ERROR_SUCCESS;
    if (had_) {
      EXPECT_EQ(RegDeleteValueW(key_.get(), name), ERROR_SUCCESS);
    }
  }
  AbsentValue(const AbsentValue&) = delete;
  AbsentValue& operator=(const AbsentValue&) = delete;
  ~AbsentValue() {
    if (had_) RegSetValueExW(key_.get(), name_.c_str(), 0, type_, data_.data(), static_cast<DWORD>(data_.size()));
  }

 private:
  std::wstring name_;
  platform::UniqueKey key_;
  bool had_ = false;
  DWORD type_ = REG_NONE;
  std::vector<BYTE> data_;
};

// A DigitalProductId whose key bytes hold the number 1: the key "BBBBB-...-BBBBC".
SeededValue::Bytes ProductIdData(std::size_t size = 164) {
  SeededValue::Bytes data(size, 0);
  if (size > 52) data[52] = 1;
  return data;
}
constexpr wchar_t kProductIdKey[] = L"BBBBB-BBBBB-BBBBB-BBBBB-BBBBC";

std::wstring Epoch() {
  const std::wstring d = platform::ReadDateSeparator(), t = platform::ReadTimeSeparator();
  return L"01" + d + L"01" + d + L"1970 00" + t + L"00" + t + L"00";
}

PersonalModel OldModel() {
  PersonalModel m;
  for (std::wstring* field : {&m.registered_owner, &m.registered_organization, &m.installation_type,
                              &m.current_build_number, &m.product_id, &m.hd_serial, &m.system_root,
                              &m.system_serial, &m.default_printer, &m.cd_key, &m.dot_net_root, &m.install_date,
                              &m.build_lab, &m.system_language}) {
    *field = L"old";
  }
  return m;
}

// The values every case relies on, seeded so the prefix's own make no difference.
class PersonalReadersWin : public testing::Test {
 protected:
  void Seed(const wchar_t* path, const wchar_t* name, DWORD type, const SeededValue::Bytes& data) {
    seeded_.push_back(std::make_unique<SeededValue>(path, name, type, data));
  }
  void SetUp() override {
    Seed(kNtKey, L"RegisteredOwner", REG_SZ, Sz(L"Ada Tester"));
    Seed(kNtKey, L"RegisteredOrganization", REG_SZ, Sz(L"Corvane Test Lab"));
    Seed(kNtKey, L"InstallationType", REG_SZ, Sz(L"Client"));
    Seed(kNtKey, L"CurrentBuildNumber", REG_SZ, Sz(L"7601"));
    Seed(kWindowsKey, L"ProductID", REG_SZ, Sz(L"55274-640-1234567-23456"));
    Seed(kNtKey, L"SystemRoot", REG_SZ, Sz(L"C:\\windows"));
    Seed(kNtKey, L"DigitalProductId", REG_BINARY, ProductIdData());
    Seed(kNtKey, L"BuildLab", REG_SZ, Sz(L"7601.win7sp1_rtm.101119-1850"));
    Seed(L"SOFTWARE\\Microsoft\\.NETFramework", L"InstallRoot", REG_SZ, Sz(L"C:\\windows\\Microsoft.NET\\Framework\\"));
  }
  void TearDown() override {
    while (!seeded_.empty()) seeded_.pop_back();  // the last seeded first
  }

  platform::ComApartment com_;  // the system serial comes from WMI
  std::vector<std::unique_ptr<SeededValue>> seeded_;
};

TEST_F(PersonalReadersWin, FillsEveryRowFromItsSource) {
  Seed(kNtKey, L"InstallDate", REG_DWORD, Dword(1234567890));
  PersonalModel model = OldModel();
  std::vector<PersonalRow> told;
  ReadPersonalInfo(model, [&](PersonalRow row) { told.push_back(row); });

  EXPECT_EQ(model.registered_owner, L"Ada Tester");
  EXPECT_EQ(model.registered_organization, L"Corvane Test Lab");
  EXPECT_EQ(model.installation_type, L"Client");
  EXPECT_EQ(model.current_build_number, L"7601");
  EXPECT_EQ(model.product_id, L"55274-640-1234567-23456");
  EXPECT_NE(model.hd_serial, L"old");
  EXPECT_EQ(model.system_serial, platform::WmiQueryProperty(L".", L"Win32_BIOS", L"SerialNumber"));
  EXPECT_NE(model.default_printer, L"old");
  EXPECT_EQ(model.system_root, L"C:\\windows");
  EXPECT_EQ(model.cd_key, kProductIdKey);
  const std::wstring d = platform::ReadDateSeparator(), t = platform::ReadTimeSeparator();
  EXPECT_EQ(model.install_date, L"02" + d + L"13" + d + L"2009 23" + t + L"31" + t + L"30");
  EXPECT_EQ(model.build_lab, L"7601.win7sp1_rtm.101119-1850");
  EXPECT_EQ(model.dot_net_root, L"C:\\windows\\Microsoft.NET\\Framework\\");
  wchar_t language[100] = {};
  VerLanguageNameW(GetSystemDefaultLangID(), language, 100);
  EXPECT_EQ(model.system_language, language);
  EXPECT_FALSE(model.system_language.empty());

  // Each row is told once, group by group.
  EXPECT_EQ(told, (std::vector<PersonalRow>{
                      PersonalRow::kRegisteredOwner, PersonalRow::kRegisteredOrganization,
                      PersonalRow::kInstallationType, PersonalRow::kCurrentBuildNumber, PersonalRow::kProductId,
                      PersonalRow::kHdSerial, PersonalRow::kSystemSerial, PersonalRow::kDefaultPrinter,
                      PersonalRow::kSystemRoot, PersonalRow::kCdKey, PersonalRow::kInstallDate,
                      PersonalRow::kBuildLab, PersonalRow::kDotNetRoot, PersonalRow::kSystemLanguage}));

  // A second refresh shows the same, nothing added to any row.
  PersonalModel again = model;
  ReadPersonalInfo(again);
  EXPECT_EQ(again, model);
}

TEST_F(PersonalReadersWin, AnInstallDateOfZeroIsTheStartOf1970) {
  Seed(kNtKey, L"InstallDate", REG_DWORD, Dword(0));
  PersonalModel model = OldModel();
  ReadPersonalInfo(model);
  EXPECT_EQ(model.install_date, Epoch());
  EXPECT_NE(model.system_language, L"old");
}

TEST_F(PersonalReadersWin, AnInstallDateThatCannotBeReadEndsTheLastGroup) {
  const struct {
    const char* name;
    std::optional<DWORD> type;  // nullopt: no value at all
  } cases[] = {{"missing", std::nullopt}, {"a string", REG_SZ}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::unique_ptr<AbsentValue> absent;
    std::unique_ptr<SeededValue> seeded;
    if (c.type) {
      seeded = std::make_unique<SeededValue>(kNtKey, L"InstallDate", *c.type, Sz(L"1234567890"));
    } else {
      absent = std::make_unique<AbsentValue>(kNtKey, L"InstallDate");
    }
    PersonalModel model = OldModel();
    ReadPersonalInfo(model);
    // Groups 1 to 4 and the rows of the last group before the date are filled...
    EXPECT_EQ(model.registered_owner, L"Ada Tester");
    EXPECT_EQ(model.current_build_number, L"7601");
    EXPECT_EQ(model.product_id, L"55274-640-1234567-23456");
    EXPECT_NE(model.hd_serial, L"old");
    EXPECT_NE(model.system_serial, L"old");
    EXPECT_NE(model.default_printer, L"old");
    EXPECT_EQ(model.system_root, L"C:\\windows");
    EXPECT_EQ(model.cd_key, kProductIdKey);
    // ...the date and the rows after it keep what they had.
    EXPECT_EQ(model.install_date, L"old");
    EXPECT_EQ(model.build_lab, L"old");
    EXPECT_EQ(model.dot_net_root, L"old");
    EXPECT_EQ(model.system_language, L"old");
  }
}

TEST_F(PersonalReadersWin, AProductIdOnlyUnderTheNtKeyIsFound) {
  Seed(kNtKey, L"ProductID", REG_SZ, Sz(L"00371-OEM-8992671-00524"));
  Seed(kNtKey, L"InstallDate", REG_DWORD, Dword(0));
  {
    // Blank under the Windows key: spaces and control characters count as nothing.
    SeededValue blank(kWindowsKey, L"ProductID", REG_SZ, Sz(L" \t\r\n "));
    PersonalModel model = OldModel();
    ReadPersonalInfo(model);
    EXPECT_EQ(model.product_id, L"00371-OEM-8992671-00524");
  }
  {
    AbsentValue absent(kWindowsKey, L"ProductID");
    PersonalModel model = OldModel();
    ReadPersonalInfo(model);
    EXPECT_EQ(model.product_id, L"00371-OEM-8992671-00524");
  }
}

TEST_F(PersonalReadersWin, MissingStringsReadEmpty) {
  Seed(kNtKey, L"InstallDate", REG_DWORD, Dword(0));
  AbsentValue owner(kNtKey, L"RegisteredOwner");
  AbsentValue organization(kNtKey, L"RegisteredOrganization");
  SeededValue wrong_type(kNtKey, L"InstallationType", REG_DWORD, Dword(1));
  PersonalModel model = OldModel();
  ReadPersonalInfo(model);
  EXPECT_EQ(model.registered_owner, L"");
  EXPECT_EQ(model.registered_organization, L"");
  EXPECT_EQ(model.installation_type, L"");
  EXPECT_EQ(model.current_build_number, L"7601") << "the group goes on";
}

TEST_F(PersonalReadersWin, TheProductKeyNeedsBinaryDataOfSixtySevenBytes) {
  const struct {
    const char* name;
    DWORD type;
    SeededValue::Bytes data;
    const wchar_t* key;
  } cases[] = {
      {"binary", REG_BINARY, ProductIdData(), kProductIdKey},
      {"just long enough", REG_BINARY, ProductIdData(67), kProductIdKey},
      {"too short", REG_BINARY, ProductIdData(66), L""},
      {"another type", REG_SZ, Sz(L"BBBBB-BBBBB-BBBBB-BBBBB-BBBBC"), L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SeededValue value(kNtKey, L"DigitalProductId", c.type, c.data);
    EXPECT_EQ(ReadWindowsCdKey(), c.key);
  }
  AbsentValue none(kNtKey, L"DigitalProductId");
  EXPECT_EQ(ReadWindowsCdKey(), L"");
}

TEST_F(PersonalReadersWin, TheDefaultPrinterIsItsEntryAndStaysChosen) {
  Seed(kNtKey, L"InstallDate", REG_DWORD, Dword(0));
  platform::Printer& printer = platform::ThePrinter();
  ASSERT_EQ(test_support::InstallTestPrinter(), 0u);
  printer.Refresh();
  PersonalModel model = OldModel();
  ReadPersonalInfo(model);
  ASSERT_GE(printer.index(), 0);
  EXPECT_EQ(model.default_printer, printer.Printers()[static_cast<std::size_t>(printer.index())]);
  EXPECT_EQ(model.default_printer.rfind(std::wstring(test_support::kTestPrinter) + L" on ", 0), 0u)
      << testing::PrintToString(model.default_printer);
  EXPECT_EQ(model.install_date, Epoch()) << "the group went on after the printer";

  test_support::RemoveTestPrinter();
  test_support::RemoveTestPrinterDriver();
  printer.Refresh();
  if (!printer.Printers().empty()) return;  // this prefix has printers of its own
  model = OldModel();
  ReadPersonalInfo(model);
  EXPECT_EQ(model.default_printer, L"") << "no default printer";
  EXPECT_EQ(model.install_date, Epoch()) << "the group goes on";
}

}  // namespace
}  // namespace corvane::inventory
