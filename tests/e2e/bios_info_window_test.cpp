// The BIOS information window from the main window's View menu under Wine.
// The description key's values are seeded before the program starts (a
// fresh prefix holds the identifier only) and put back after it ends; the
// window reads them on every showing and refresh.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "inventory/bios_info_view.h"
#include "inventory/bios_info_window_ids.h"
#include "platform/seeded_value_win.h"
#include "ui/product.h"

namespace corvane::e2e {
namespace {

using namespace inventory::bios_ids;
using namespace std::string_view_literals;
using test_support::SeededValue;

SeededValue::Bytes Utf16(std::wstring_view text) {
  const auto* p = reinterpret_cast<const BYTE*>(text.data());
  return SeededValue::Bytes(p, p + text.size() * sizeof(wchar_t));
}

std::unique_ptr<SeededValue> Seed(const wchar_t* name, DWORD type, std::wstring_view data) {
  return std::make_unique<SeededValue>(inventory::kSystemDescriptionKey, name, type, Utf16(data));
}

class BiosInfoWindow : public WindowSuite<BiosInfoWindow> {
 public:
  static void BeforeStart() {
    seeded_.push_back(Seed(L"Identifier", REG_SZ, L"AT/AT COMPATIBLE\0"sv));
    seeded_.push_back(Seed(L"SystemBiosDate", REG_SZ, L"06/12/09\0"sv));
    seeded_.push_back(Seed(L"SystemBiosVersion", REG_MULTI_SZ, L"ACRSYS - 1\0BIOS Date: 06/12/09\0\0"sv));
    seeded_.push_back(Seed(L"VideoBiosDate", REG_SZ, L"01/02/99\0"sv));
    video_version_ = Seed(L"VideoBiosVersion", REG_MULTI_SZ, L"Wine VGA\0Copyright\0\0"sv);
  }
  static void AfterEnd() {
    video_version_.reset();
    while (!seeded_.empty()) seeded_.pop_back();  // the last seeded first
  }
  static WindowCommand Window() { return {app::kCmdBiosInfo, L"TfrmBiosInfo"}; }
  static FilledTest Filled() { return ChildHasText(kIdVideoBiosVersion); }

 protected:
  static inline std::vector<std::unique_ptr<SeededValue>> seeded_;
  static inline std::unique_ptr<SeededValue> video_version_;
};

TEST_F(BiosInfoWindow, ShowsTheRowsOfTheDescriptionKey) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"BIOS Info"));
  const struct {
    int id;
    const wchar_t* label;
    const wchar_t* value;
  } rows[] = {
      {kIdIdentifier, L"Identifier", L"AT/AT COMPATIBLE"},
      {kIdBiosDate, L"BIOS Date", L"06/12/09"},
      {kIdBiosVersion, L"BIOS Version", L"ACRSYS - 1|BIOS Date: 06/12/09|"},
      {kIdVideoBiosDate, L"Video BIOS Date", L"01/02/99"},
      {kIdVideoBiosVersion, L"Video BIOS Version", L"Wine VGA|Copyright|"},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Text(row.id + 50), row.label);
    EXPECT_EQ(Text(row.id), row.value) << testing::PrintToString(std::wstring(row.label));
  }
  EXPECT_EQ(Text(kIdLinkLabel), ui::kWebAddressText);
}

TEST_F(BiosInfoWindow, AMissingVideoVersionIsToldAfterTheOtherRowsAreRead) {
  // A new date shows that the rows before the failing one were read again.
  const auto new_date = Seed(L"SystemBiosDate", REG_SZ, L"07/01/10\0"sv);
  video_version_.reset();
  // Posted: the refresh holds its thread in the message box.
  ASSERT_TRUE(PostMessageW(window_, WM_COMMAND, MAKEWPARAM(kCmdRefresh, 0), 0));
  HWND box = app_->WaitForWindow(L"#32770", kUiTimeout);
  ASSERT_TRUE(box) << "no message";
  EXPECT_NE(DescribeWindow(box).find(L"Wrong data type"), std::wstring::npos) << testing::PrintToString(DescribeWindow(box));
  EXPECT_EQ(Text(kIdBiosDate), L"07/01/10");
  EXPECT_EQ(Text(kIdBiosVersion), L"ACRSYS - 1|BIOS Date: 06/12/09|");
  EXPECT_EQ(Text(kIdVideoBiosVersion), L"Wine VGA|Copyright|") << "the row not read keeps its text";
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kUiTimeout));
  video_version_ = Seed(L"VideoBiosVersion", REG_MULTI_SZ, L"Wine VGA\0Copyright\0\0"sv);
}

}  // namespace
}  // namespace corvane::e2e
