// The device-driver window under Wine: classes seeded in the prefix's live
// control set (removed again afterwards) among Wine's own, the first class
// key that opens as the only one read, and a value that is not text
// stopping a refresh with the rows read before it shown, over class keys
// seeded below a test-only path.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "inventory/devices_readers_win.h"
#include "inventory/devices_view.h"
#include "inventory/devices_window_win.h"
#include "platform/locale_win.h"
#include "platform/registry_win.h"
#include "platform/seeded_value_win.h"
#include "ui/report_list.h"
#include "ui/theme_win.h"

namespace corvane::inventory {
namespace {

using testing::Contains;
using testing::ElementsAre;
using testing::IsEmpty;
using Rows = std::vector<std::vector<std::wstring>>;

std::vector<BYTE> Text(std::wstring_view text) {
  std::vector<BYTE> bytes((text.size() + 1) * sizeof(wchar_t));
  std::memcpy(bytes.data(), text.data(), text.size() * sizeof(wchar_t));
  return bytes;
}

// Values seeded for one test, each put back (its keys removed) when the
// test ends, the last seeded first so keys shared by several go last.
class SeededClasses : public testing::Test {
 protected:
  void TearDown() override {
    while (!seeds_.empty()) seeds_.pop_back();
  }
  void Put(const std::wstring& path, const wchar_t* name, DWORD type, const std::vector<BYTE>& data) {
    seeds_.push_back(std::make_unique<test_support::SeededValue>(path, name, type, data));
  }
  void PutText(const std::wstring& path, const wchar_t* name, std::wstring_view text) {
    Put(path, name, REG_SZ, Text(text));
  }

  static bool Sorted(const Rows& rows) {
    return std::is_sorted(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
      return platform::CompareUserLocale(a.front(), b.front()) < 0;
    });
  }
  static Rows OnlyCorvanes(const Rows& rows) {
    Rows mine;
    std::ranges::copy_if(rows, std::back_inserter(mine),
                         [](const auto& row) { return row.front().find(L"orvane") != std::wstring::npos; });
    return mine;
  }

  std::vector<std::unique_ptr<test_support::SeededValue>> seeds_;
};

// The window with its list reachable, never shown (a showing would refresh it).
class DevicesProbe : public DevicesWindow {
 public:
  using DevicesWindow::DevicesWindow;
  int ListViewRows() const { return static_cast<int>(SendMessageW(Control(L"ListView1"), LVM_GETITEMCOUNT, 0, 0)); }
  std::wstring StatusBarText() const {
    wchar_t text[64] = {};
    SendMessageW(Control(L"StatusBar1"), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return text;
  }
};

TEST_F(SeededClasses, TheLiveControlSetListsTheFirstInstanceOfEachNamedDriverInTheUsersOrder) {
  const std::wstring live = std::wstring(kDeviceClassKeys[0]) + L"\\";
  PutText(live + L"{c0a7e5e1-0001-4c6f-9e00-000000000001}\\0000", L"DriverDesc", L"Beta corvane driver");
  PutText(live + L"{c0a7e5e1-0001-4c6f-9e00-000000000001}\\0000", L"ProviderName", L"Corvane");
  PutText(live + L"{c0a7e5e1-0001-4c6f-9e00-000000000001}\\0000", L"DriverVersion", L"1.2.3");
  PutText(live + L"{c0a7e5e1-0001-4c6f-9e00-000000000001}\\0001", L"DriverDesc", L"Corvane second instance");
  // Sorted ordinally it would follow "Beta"; in the user's order it leads.
  PutText(live + L"{c0a7e5e1-0001-4c6f-9e00-000000000002}\\0000", L"DriverDesc", L"alpha corvane driver");
  PutText(live + L"{c0a7e5e1-0001-4c6f-9e00-000000000003}\\0000", L"ProviderName", L"Corvane without driver");
  PutText(live + L"{c0a7e5e1-0001-4c6f-9e00-000000000004}\\0000", L"DriverDesc", L"");
  PutText(live + L"{c0a7e5e1-0001-4c6f-9e00-000000000005}\\0001", L"DriverDesc", L"Corvane without first instance");
  // A class whose first instance has no driver: its other values may be of any type.
  Put(live + L"{c0a7e5e1-0001-4c6f-9e00-000000000006}\\0000", L"ProviderName", REG_DWORD, {1, 0, 0, 0});

  const ui::Theme theme;
  DevicesProbe window(theme);
  ASSERT_TRUE(window.EnsureBuilt());
  window.Refresh1Click();
  const Rows first = window.list().rows;

  EXPECT_THAT(OnlyCorvanes(first), ElementsAre(ElementsAre(L"alpha corvane driver", L"", L""),
                                               ElementsAre(L"Beta corvane driver", L"Corvane", L"1.2.3")));
  EXPECT_THAT(first, Contains(ElementsAre(L"Wine Adapter", testing::_, testing::_))) << "Wine's display class";
  EXPECT_TRUE(Sorted(first));
  EXPECT_EQ(window.status(), ui::CountText(first.size()));
  EXPECT_EQ(window.StatusBarText(), ui::CountText(first.size()));
  EXPECT_EQ(window.ListViewRows(), static_cast<int>(first.size()));

  window.Refresh1Click();
  EXPECT_EQ(window.list().rows, first) << "a second refresh lists the same, once";
  EXPECT_EQ(window.status(), ui::CountText(first.size()));
}

constexpr wchar_t kTestRoot[] = L"Software\\CorvaneDevicesTest";
std::wstring Below(std::wstring_view path) { return std::wstring(kTestRoot) + L"\\" + std::wstring(path); }

TEST_F(SeededClasses, TheFirstClassKeyThatOpensIsTheOnlyOneReadEvenWithoutDrivers) {
  PutText(Below(L"Second\\{no first instance}\\0001"), L"DriverDesc", L"Not the first instance");
  PutText(Below(L"Third\\{class}\\0000"), L"DriverDesc", L"Third set driver");
  const std::wstring missing = Below(L"Missing"), second = Below(L"Second"), third = Below(L"Third");

  const struct {
    std::vector<std::wstring_view> keys;
    Rows rows;
  } cases[] = {
      {{missing, second, third}, {}},
      {{missing, third, second}, {{L"Third set driver", L"", L""}}},
      {{missing}, {}},
      {{}, {}},
  };
  for (const auto& c : cases) {
    Rows rows;
    ReadDriverRows(c.keys, rows);
    EXPECT_EQ(rows, c.rows) << testing::PrintToString(c.keys);
  }
}

TEST_F(SeededClasses, AValueThatIsNotTextStopsTheRefreshWithTheRowsReadBeforeItSorted) {
  const std::wstring_view keys[] = {kTestRoot};
  PutText(Below(L"{1}\\0000"), L"DriverDesc", L"Zulu first");
  PutText(Below(L"{2}\\0000"), L"DriverDesc", L"alpha second");
  PutText(Below(L"{4}\\0000"), L"DriverDesc", L"Never read after the failure");
  {
    platform::Registry registry(KEY_READ);
    registry.SetRoot(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(registry.OpenKeyReadOnly(kTestRoot));
    ASSERT_THAT(registry.SubkeyNames(), ElementsAre(L"{1}", L"{2}", L"{4}")) << "the order this test counts on";
  }

  const ui::Theme theme;
  DevicesProbe window(theme, keys);
  ASSERT_TRUE(window.EnsureBuilt());
  window.Refresh1Click();
  ASSERT_EQ(window.list().rows.size(), 3u);
  EXPECT_EQ(window.status(), L"Count: 3");

  PutText(Below(L"{3}\\0000"), L"DriverDesc", L"Third");
  Put(Below(L"{3}\\0000"), L"ProviderName", REG_BINARY, {1, 2, 3});
  EXPECT_THROW(window.Refresh1Click(), platform::RegistryError);
  EXPECT_THAT(window.list().rows, ElementsAre(ElementsAre(L"alpha second", L"", L""),
                                              ElementsAre(L"Zulu first", L"", L"")));
  EXPECT_EQ(window.ListViewRows(), 2);
  EXPECT_EQ(window.status(), L"Count: 3") << "the count of the last whole refresh stays";
  EXPECT_EQ(window.StatusBarText(), L"Count: 3");
}

}  // namespace
}  // namespace corvane::inventory
