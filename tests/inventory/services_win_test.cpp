// The services window under Wine: its binding of the service-manager
// functions, its list against what Wine's real service manager reports
// (with a test service whose type carries a further flag), the failure
// message of a manager that refuses, and an enumeration that returns fewer
// records than its count says, through functions the test binds.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "inventory/seeded_service_win.h"
#include "inventory/services_readers_win.h"
#include "inventory/services_view.h"
#include "inventory/services_window_win.h"
#include "platform/failure_text_win.h"
#include "platform/system_error_text.h"
#include "platform/system_function_win.h"
#include "platform/text_file_win.h"
#include "ui/theme_win.h"

namespace corvane::inventory {
namespace {

using testing::Contains;
using testing::Not;

constexpr wchar_t kTestService[] = L"CorvaneTestSvc";
// An accented letter: the ANSI names must be read in the ANSI code page.
constexpr wchar_t kTestDisplayName[] = L"Corvane test service \u00e9";

// The window with its list reachable, never shown (a showing would refresh it).
class ServicesProbe : public ServicesWindow {
 public:
  using ServicesWindow::ServicesWindow;
};

std::vector<std::vector<std::wstring>> ExpectedRows(const std::vector<test_support::ListedService>& services) {
  std::vector<std::vector<std::wstring>> rows;
  for (const auto& s : services) {
    rows.push_back({s.display_name, std::wstring(ServiceStateText(s.state)), std::wstring(ServiceTypeText(s.type)),
                    s.name});
  }
  return rows;
}

int ListViewRows(const ServicesWindow& window) {
  return static_cast<int>(SendMessageW(window.Control(L"ListView1"), LVM_GETITEMCOUNT, 0, 0));
}

TEST(ServicesWindowWine, ListsTheManagersServicesOnceAfterTwoRefreshes) {
  const test_support::SeededService seeded(kTestService, kTestDisplayName,
                                           SERVICE_WIN32_OWN_PROCESS | SERVICE_INTERACTIVE_PROCESS);
  const ui::Theme theme;
  ServicesProbe window(theme);
  ASSERT_TRUE(window.EnsureBuilt());
  window.Refresh1Click();
  window.Refresh1Click();

  const auto services = test_support::ServicesOfTheManager();
  ASSERT_GE(services.size(), 2u) << "Wine's service manager lists its own services";
  EXPECT_EQ(window.list().rows, ExpectedRows(services)) << "in the manager's order, each once";
  EXPECT_EQ(ListViewRows(window), static_cast<int>(services.size()));

  // The test service: never started, and its type (own process that may use
  // the desktop) has no text of its own. Its name came through the ANSI code page.
  const std::wstring display = platform::FromAnsi(platform::ToAnsi(kTestDisplayName));
  EXPECT_EQ(display, kTestDisplayName) << "ANSI code page " << GetACP() << " lacks the accented letter";
  EXPECT_THAT(window.list().rows, Contains(std::vector<std::wstring>{display, L"Stopped", L"", kTestService}));

  // Wine's own services give the plain words too.
  const auto& rows = window.list().rows;
  EXPECT_THAT(rows, Contains(testing::ElementsAre(testing::_, testing::_, L"Win32 Own Process", testing::_)));
  EXPECT_THAT(rows, Contains(testing::ElementsAre(testing::_, testing::_, L"Win32 Share process", testing::_)));
}

TEST(ServicesWindowWine, TheServiceIsGoneFromTheListOnceRemoved) {
  const ui::Theme theme;
  ServicesProbe window(theme);
  ASSERT_TRUE(window.EnsureBuilt());
  {
    const test_support::SeededService seeded(kTestService, L"Corvane passing service", SERVICE_WIN32_SHARE_PROCESS);
    window.Refresh1Click();
    EXPECT_THAT(window.list().rows, Contains(std::vector<std::wstring>{L"Corvane passing service", L"Stopped",
                                                                       L"Win32 Share process", kTestService}));
  }
  window.Refresh1Click();
  EXPECT_THAT(window.list().rows, Not(Contains(testing::Contains(std::wstring(kTestService)))));
}

// ---- the binding --------------------------------------------------------------------

TEST(ServiceManagerBinding, BindsBothFunctionsFromTheSystemLibrary) {
  const ServiceManagerLibrary library(kServiceManagerLibrary);
  EXPECT_TRUE(library.api());
}

TEST(ServiceManagerBinding, ALibraryThatDoesNotLoadBindsNothingAndTheListStaysEmpty) {
  const ServiceManagerLibrary library("corvane_no_such_library.dll");
  EXPECT_FALSE(library.api());
  EXPECT_TRUE(ReadServices(library.api()).empty());

  const ui::Theme theme;
  ServicesProbe window(theme, library.api());
  ASSERT_TRUE(window.EnsureBuilt());
  EXPECT_NO_THROW(window.Refresh1Click());
  EXPECT_TRUE(window.list().rows.empty());
}

TEST(ServiceManagerBinding, ALibraryWithoutTheFunctionFailsWithTheFunctionsName) {
  try {
    const ServiceManagerLibrary library("KERNEL32.DLL");
    ADD_FAILURE() << "bound from a library that lacks the functions";
  } catch (const platform::MissingFunction& e) {
    EXPECT_STREQ(e.what(), "EnumServicesStatusA");
    EXPECT_EQ(platform::FailureText(e), L"EnumServicesStatusA");
  }
}

// ---- functions the test binds ---------------------------------------------------------

// A manager that refuses, or one whose enumeration the test scripts; the
// manager handle itself is real, so closing it is real too.
struct ScriptedManager {
  static inline bool refuse = false;
  static inline int enumerations = 0;
  // The second call: how many records fit, and the count it claims.
  static inline DWORD records_written = 0;
  static inline DWORD count_claimed = 0;

  static SC_HANDLE WINAPI Open(LPCSTR machine, LPCSTR database, DWORD access) {
    if (refuse) {
      SetLastError(ERROR_ACCESS_DENIED);
      return nullptr;
    }
    return OpenSCManagerA(machine, database, access);
  }
  // Two records fit the size the first call asks for; the second call
  // writes `records_written` of them and claims `count_claimed`, failing
  // as a manager does when a service came meanwhile.
  static BOOL WINAPI Enumerate(SC_HANDLE, DWORD type, DWORD state, LPENUM_SERVICE_STATUSA services, DWORD size,
                               LPDWORD needed, LPDWORD returned, LPDWORD) {
    ++enumerations;
    EXPECT_EQ(type, static_cast<DWORD>(SERVICE_WIN32));
    EXPECT_EQ(state, static_cast<DWORD>(SERVICE_STATE_ALL));
    constexpr DWORD kRecords = 2 * sizeof(ENUM_SERVICE_STATUSA);
    *needed = kRecords + 64;
    if (!services || size < *needed) {
      *returned = 0;
      SetLastError(ERROR_MORE_DATA);
      return FALSE;
    }
    char* text = reinterpret_cast<char*>(services) + kRecords;
    const char* names[] = {"one", "One service", "two", "Two service"};
    for (DWORD i = 0; i < records_written; ++i) {
      std::strcpy(text, names[2 * i]);
      services[i].lpServiceName = text;
      text += std::strlen(text) + 1;
      std::strcpy(text, names[2 * i + 1]);
      services[i].lpDisplayName = text;
      text += std::strlen(text) + 1;
      services[i].ServiceStatus.dwServiceType = SERVICE_WIN32_SHARE_PROCESS;
      services[i].ServiceStatus.dwCurrentState = SERVICE_RUNNING;
    }
    *returned = count_claimed;
    SetLastError(ERROR_MORE_DATA);
    return FALSE;
  }
};

class ScriptedServices : public testing::Test {
 protected:
  void SetUp() override {
    ScriptedManager::refuse = false;
    ScriptedManager::enumerations = 0;
    ScriptedManager::records_written = 2;
    ScriptedManager::count_claimed = 2;
  }
  static constexpr ServiceManagerApi kApi{&ScriptedManager::Open, &ScriptedManager::Enumerate};
};

TEST_F(ScriptedServices, AManagerThatRefusesShowsTheSystemsErrorAndLeavesTheListEmpty) {
  const ui::Theme theme;
  ServicesProbe window(theme, kApi);
  ASSERT_TRUE(window.EnsureBuilt());
  window.Refresh1Click();
  ASSERT_EQ(window.list().rows.size(), 2u) << "a list to lose";

  ScriptedManager::refuse = true;
  ScriptedManager::enumerations = 0;
  try {
    window.Refresh1Click();
    ADD_FAILURE() << "a refusing manager raised nothing";
  } catch (const platform::SystemError& e) {
    EXPECT_EQ(e.code(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    const std::wstring shown = platform::FailureText(e);
    EXPECT_EQ(shown, platform::SystemErrorText(ERROR_ACCESS_DENIED, platform::SystemMessage(ERROR_ACCESS_DENIED)));
    EXPECT_EQ(shown.rfind(L"System Error.  Code: 5.\r\n", 0), 0u) << testing::PrintToString(shown);
    EXPECT_GT(shown.size(), std::wstring(L"System Error.  Code: 5.\r\n").size()) << "the system's text follows";
  }
  EXPECT_EQ(ScriptedManager::enumerations, 0);
  EXPECT_TRUE(window.list().rows.empty());
  EXPECT_EQ(ListViewRows(window), 0);
}

TEST_F(ScriptedServices, RecordsAreReadOnlyAsFarAsTheBufferHoldsThem) {
  const struct {
    DWORD written, claimed;
    std::size_t listed;
  } cases[] = {
      {2, 2, 2},
      {1, 1, 1},  // a service came between the calls: the one that fitted is listed
      {0, 0, 0},
  };
  for (const auto& c : cases) {
    ScriptedManager::records_written = c.written;
    ScriptedManager::count_claimed = c.claimed;
    const auto records = ReadServices(kApi);
    ASSERT_EQ(records.size(), c.listed) << c.written << " written, " << c.claimed << " claimed";
    if (c.listed > 0) {
      EXPECT_EQ(records[0], (ServiceRecord{L"one", L"One service", SERVICE_WIN32_SHARE_PROCESS, SERVICE_RUNNING}));
    }
  }

  // A count the buffer cannot hold is not followed past the buffer's end.
  ScriptedManager::count_claimed = 1000;
  EXPECT_LE(ReadServices(kApi).size(), (2 * sizeof(ENUM_SERVICE_STATUSA) + 64) / sizeof(ENUM_SERVICE_STATUSA));
}

}  // namespace
}  // namespace corvane::inventory
