// The personal-information window from the main window under Wine. The
// owner, the product ID (under the Windows NT key only) and an install date
// of 0 are seeded before the program starts and put back after it ends.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "inventory/personal_view.h"
#include "inventory/personal_window_ids.h"
#include "platform/seeded_value_win.h"
#include "ui/product.h"

namespace corvane::e2e {
namespace {

using namespace inventory::personal_ids;
using test_support::SeededValue;

constexpr wchar_t kNtKey[] = L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";

SeededValue::Bytes Sz(std::wstring_view text) {
  const auto* p = reinterpret_cast<const BYTE*>(text.data());
  SeededValue::Bytes bytes(p, p + text.size() * sizeof(wchar_t));
  bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

std::wstring LocaleText(LCTYPE item) {
  wchar_t text[16] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, item, text, 16);
  return text;
}

class PersonalWindow : public WindowSuite<PersonalWindow> {
 public:
  static void BeforeStart() {
    const DWORD zero = 0;
    const auto* z = reinterpret_cast<const BYTE*>(&zero);
    seeded_.push_back(std::make_unique<SeededValue>(kNtKey, L"InstallDate", REG_DWORD, SeededValue::Bytes(z, z + 4)));
    seeded_.push_back(std::make_unique<SeededValue>(kNtKey, L"ProductID", REG_SZ, Sz(L"00371-OEM-8992671-00524")));
    seeded_.push_back(std::make_unique<SeededValue>(L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", L"ProductID",
                                                    REG_SZ, Sz(L"  ")));
    SetOwner(L"Ada Tester");
  }
  static void AfterEnd() {
    owner_.reset();
    while (!seeded_.empty()) seeded_.pop_back();  // the last seeded first
  }
  static WindowCommand Window() { return {app::kCmdPersonalInfo, L"TfrmPersonal"}; }
  static FilledTest Filled() { return ChildHasText(kIdSystemLanguage); }

 protected:
  // The old seed goes first, so the new one remembers what the prefix had.
  static void SetOwner(const wchar_t* owner) {
    owner_.reset();
    owner_ = std::make_unique<SeededValue>(kNtKey, L"RegisteredOwner", REG_SZ, Sz(owner));
  }

  static inline std::vector<std::unique_ptr<SeededValue>> seeded_;
  static inline std::unique_ptr<SeededValue> owner_;
};

TEST_F(PersonalWindow, ShowsTheRowsFilledByTheCommand) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"Personal windows and system information"));
  for (const auto& field : inventory::kPersonalFields) {
    EXPECT_EQ(Text(field.id + 50), field.label);
  }
  EXPECT_EQ(Text(kIdRegisteredOwner), L"Ada Tester");
  EXPECT_EQ(Text(kIdProductId), L"00371-OEM-8992671-00524") << "found under the Windows NT key";
  const std::wstring d = LocaleText(LOCALE_SDATE), t = LocaleText(LOCALE_STIME);
  EXPECT_EQ(Text(kIdInstallDate), L"01" + d + L"01" + d + L"1970 00" + t + L"00" + t + L"00");
  EXPECT_FALSE(Text(kIdSystemLanguage).empty());
  EXPECT_EQ(Text(kIdLinkLabel), ui::kWebAddressText);
  // A fixed-size window: no sizing border, no maximise box.
  const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
  EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0);
}

TEST_F(PersonalWindow, TheMainWindowsF6RefreshesItBeforeShowingIt) {
  Close();
  SetOwner(L"Bea Second");
  ASSERT_TRUE(app_->PressKey(VK_F6));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(window_) != FALSE; }, kRefreshTimeout));
  // Refreshed before it was shown: the new owner is there at once.
  EXPECT_EQ(Text(kIdRegisteredOwner), L"Bea Second");
}

TEST_F(PersonalWindow, ItsOwnRefreshReadsAgainWithoutAMessage) {
  SetOwner(L"Cy Third");
  ASSERT_TRUE(PostMessageW(window_, WM_COMMAND, MAKEWPARAM(kCmdRefresh, 0), 0));
  EXPECT_TRUE(WaitUntil([&] { return Text(kIdRegisteredOwner) == L"Cy Third"; }, kRefreshTimeout));
  EXPECT_TRUE(app_->Responsive());
  EXPECT_EQ(app_->FindMessageBox(), nullptr);
  SetOwner(L"Ada Tester");
}

}  // namespace
}  // namespace corvane::e2e
