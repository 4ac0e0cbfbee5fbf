// The network window from the main window under Wine, and the three
// windows its buttons open, against what the system answers when asked
// directly from here: Wine's three adapters (its WMI class names them by
// description: it has no captions), its single local account, its LAN group
// (the computer's own name), no share, no mapped drive, no network provider.
#include <winsock2.h>
// after winsock2.h
#include <windows.h>
// after windows.h
#include <commctrl.h>
#include <iphlpapi.h>
#include <lm.h>
#include <wbemcli.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <regex>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "network/adapters_view.h"
#include "network/computers_window_ids.h"
#include "network/network_adapters_window_ids.h"
#include "network/network_tree.h"
#include "network/network_window_ids.h"
#include "network/user_list_window_ids.h"
#include "platform/com_win.h"

namespace corvane::e2e {
namespace {

MATCHER_P(FullyMatches, pattern, "fully matches " + testing::PrintToString(std::wstring(pattern))) {
  return std::regex_match(arg, std::wregex(pattern));
}

namespace ids = network::network_ids;
namespace adapter_ids = network::adapters_ids;

// --- What the system says, asked here ---------------------------------------

std::wstring ComputerName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &size) ? std::wstring(name, size) : L"?";
}

std::wstring UserName() {
  wchar_t name[UNLEN + 1];
  DWORD size = UNLEN + 1;
  return GetUserNameW(name, &size) ? std::wstring(name) : L"?";
}

std::vector<std::wstring> AdapterDescriptions() {
  ULONG size = 0;
  std::vector<std::wstring> out;
  if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW) return out;
  std::vector<std::uint64_t> storage(size / sizeof(std::uint64_t) + 1);
  if (GetAdaptersInfo(reinterpret_cast<IP_ADAPTER_INFO*>(storage.data()), &size) != 0) return out;
  for (auto* a = reinterpret_cast<const IP_ADAPTER_INFO*>(storage.data()); a; a = a->Next) {
    out.emplace_back(a->Description, a->Description + strnlen(a->Description, sizeof a->Description));
  }
  return out;
}

std::wstring LanGroup() {
  WKSTA_INFO_100* info = nullptr;
  if (NetWkstaGetInfo(nullptr, 100, reinterpret_cast<LPBYTE*>(&info)) != NERR_Success || !info) return L"?";
  std::wstring group = info->wki100_langroup ? info->wki100_langroup : L"";
  NetApiBufferFree(info);
  return group;
}

std::wstring AccountDomain() {
  const std::wstring user = UserName();
  BYTE sid[1000];
  wchar_t domain[1000];
  DWORD sid_size = sizeof sid, domain_size = 1000;
  SID_NAME_USE use;
  return LookupAccountNameW(nullptr, user.c_str(), sid, &sid_size, domain, &domain_size, &use) ? domain : L"?";
}

std::wstring Joined(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (const auto& line : lines) text += (text.empty() ? L"" : L"\r\n") + line;
  return text;
}

// The adapters WMI knows, by the name the window gives them (the caption,
// or the description where the class has no caption), each with its MAC
// address; asked on the native interfaces, independently of the program's
// late-bound route.
struct WmiAdapter {
  std::wstring name, mac;
};
std::vector<WmiAdapter> WmiAdapters() {
  std::vector<WmiAdapter> adapters;
  platform::ComApartment com;
  platform::ComPtr<IWbemLocator> locator;
  if (FAILED(CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                              locator.put_void())))
    return adapters;
  platform::ComPtr<IWbemServices> services;
  if (FAILED(locator->ConnectServer(platform::Bstr(L"root\\cimv2").get(), nullptr, nullptr, nullptr, 0, nullptr,
                                    nullptr, services.put())))
    return adapters;
  platform::ComPtr<IEnumWbemClassObject> objects;
  if (FAILED(services->ExecQuery(platform::Bstr(L"WQL").get(),
                                 platform::Bstr(std::wstring(network::kAdapterListQuery).c_str()).get(),
                                 WBEM_FLAG_FORWARD_ONLY, nullptr, objects.put())))
    return adapters;
  bool captions = true;
  std::vector<WmiAdapter> by_description;
  auto text = [](IWbemClassObject* o, const wchar_t* name, bool* present = nullptr) {
    platform::Variant v;
    const HRESULT hr = o->Get(name, 0, v.put(), nullptr, nullptr);
    if (present) *present = SUCCEEDED(hr);
    return SUCCEEDED(hr) && v.get().vt == VT_BSTR ? std::wstring(v.get().bstrVal) : std::wstring();
  };
  for (;;) {
    platform::ComPtr<IWbemClassObject> o;
    ULONG fetched = 0;
    if (objects->Next(static_cast<long>(WBEM_INFINITE), 1, o.put(), &fetched) != S_OK || fetched == 0) break;
    bool has_caption = false;
    const std::wstring mac = text(o.get(), L"MACAddress");
    adapters.push_back({text(o.get(), L"Caption", &has_caption), mac});
    by_description.push_back({text(o.get(), L"Description"), mac});
    captions = captions && has_caption;
  }
  return captions ? adapters : by_description;
}

// --- The network window -------------------------------------------------------

class NetworkWindow : public WindowSuite<NetworkWindow> {
 public:
  static WindowCommand Window() { return {app::kCmdShowNetwork, L"TfrmNetwork"}; }
  // The domain comes last, from the background look-up.
  static FilledTest Filled() { return ChildHasText(ids::kIdDomain); }

 protected:
  std::vector<std::wstring> Shares() const {
    return ListBoxLines(Child(ids::kIdShares)).value_or(std::vector<std::wstring>{L"?"});
  }

  // Refreshes and waits for the look-up of the domain to have ended again.
  void Refresh() const {
    ASSERT_NE(Ask(window_, WM_COMMAND, ids::kCmdRefresh), -1);
    ASSERT_TRUE(WaitUntil([&] { return !Text(ids::kIdDomain).empty(); }, kRefreshTimeout));
    ASSERT_NE(Ask(window_, WM_NULL), -1);
  }

  // Opens the window behind a button and waits for it to show `filled`.
  HWND OpenByButton(int button, const wchar_t* window_class, const FilledTest& filled) const {
    if (!ClickButton(Child(button))) return nullptr;
    HWND opened = app_->WaitForWindow(window_class);
    if (!opened) return nullptr;
    return WaitUntil([&] { return filled(opened); }, kRefreshTimeout) ? opened : nullptr;
  }
  static void CloseWindow(HWND window) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, kUiTimeout));
  }
};

TEST_F(NetworkWindow, RowsOfThisMachine) {
  EXPECT_EQ(WindowText(window_), std::optional<std::wstring>(L"Network"));
  EXPECT_EQ(Text(ids::kIdComputerName + 50), L"Computer Name");
  EXPECT_EQ(Text(ids::kIdComputerName), ComputerName());
  EXPECT_EQ(Text(ids::kIdUserName), UserName());
  // Addresses separated by " | ", none after the last.
  EXPECT_THAT(Text(ids::kIdIpAddress), FullyMatches(L"[0-9.]+( \\| [0-9.]+)*"));
  EXPECT_THAT(Text(ids::kIdMacAddress), FullyMatches(L"[0-9A-F]{2}(-[0-9A-F]{2}){5}"));
  // Wine's user holds the Administrators group.
  EXPECT_EQ(Text(ids::kIdAdministrator), L"You have Administrator Privileges");
  EXPECT_EQ(Text(ids::kIdConnection), (GetSystemMetrics(SM_NETWORK) & 1) ? L"Machine is attached to network"
                                                                         : L"Machine is not attached to network");
  const std::vector<std::wstring> adapters = AdapterDescriptions();
  ASSERT_FALSE(adapters.empty());
  EXPECT_EQ(Text(ids::kIdAdapters), Joined(adapters));
  EXPECT_EQ(Shares(), std::vector<std::wstring>{}) << "Wine shares nothing";
  EXPECT_EQ(Text(ids::kIdDrives), L"") << "nothing mapped";
  EXPECT_EQ(Text(ids::kIdWorkgroup), LanGroup());
  EXPECT_EQ(Text(ids::kIdDomain), AccountDomain());
  EXPECT_EQ(Text(ids::kIdDescription), L"");
  EXPECT_TRUE(FindButton(window_, L"Map Network Drive"));
}

TEST_F(NetworkWindow, TwoRefreshesListEachAdapterShareAndDriveOnce) {
  const std::vector<std::wstring> shares = Shares();
  const std::wstring drives = Text(ids::kIdDrives);
  Refresh();
  Refresh();
  EXPECT_EQ(Text(ids::kIdAdapters), Joined(AdapterDescriptions()));
  EXPECT_EQ(Shares(), shares);
  EXPECT_EQ(Text(ids::kIdDrives), drives);
  EXPECT_EQ(Text(ids::kIdDomain), AccountDomain());
  // Closing and showing again refreshes too.
  Close();
  ASSERT_TRUE(Open());
  EXPECT_EQ(Text(ids::kIdAdapters), Joined(AdapterDescriptions()));
}

TEST_F(NetworkWindow, NetworkAdaptersButtonOpensTheAdapterList) {
  const std::vector<WmiAdapter> wmi = WmiAdapters();
  ASSERT_FALSE(wmi.empty()) << "WMI lists no adapter configuration";
  HWND adapters = OpenByButton(ids::kIdNetworkAdapters, L"TfrmNetworkAdapters",
                               ChildHasText(adapter_ids::kIdAdapterList));
  ASSERT_TRUE(adapters) << "no filled TfrmNetworkAdapters";
  EXPECT_EQ(WindowText(adapters), std::optional<std::wstring>(L"Network Adapters"));
  EXPECT_EQ(Ask(FindDescendantById(adapters, adapter_ids::kIdAdapterList), CB_GETCOUNT),
            static_cast<LRESULT>(wmi.size()));
  EXPECT_EQ(ChildText(adapters, adapter_ids::kIdAdapterList), wmi.front().name);
  EXPECT_EQ(ChildText(adapters, adapter_ids::kIdMacAddress), wmi.front().mac);
  CloseWindow(adapters);
}

TEST_F(NetworkWindow, UserListButtonOpensTheGroupAndItsAccounts) {
  HWND users = OpenByButton(ids::kIdUserList, L"TfrmUserList", ChildHasText(network::user_list_ids::kIdGroup));
  ASSERT_TRUE(users) << "no filled TfrmUserList";
  EXPECT_EQ(WindowText(users), std::optional<std::wstring>(L"User List"));
  EXPECT_EQ(ChildText(users, network::user_list_ids::kIdGroup + 50), L"Domain / Workgroup Name");
  EXPECT_EQ(ChildText(users, network::user_list_ids::kIdGroup), LanGroup());
  HWND account_list = FindDescendantById(users, network::user_list_ids::kIdAccounts);
  const std::vector<std::wstring> accounts = ListBoxLines(account_list).value_or(std::vector<std::wstring>{});
  EXPECT_THAT(accounts, testing::Contains(UserName()));

  // View, Refresh: the same accounts, each once.
  ASSERT_NE(Ask(users, WM_COMMAND, network::user_list_ids::kCmdRefresh), -1);
  EXPECT_TRUE(WaitUntil(
      [&] { return ListBoxLines(account_list) == std::optional(accounts); },
      kRefreshTimeout));
  CloseWindow(users);
}

TEST_F(NetworkWindow, ComputersButtonOpensTheNetworkTree) {
  HWND computers = OpenByButton(ids::kIdComputers, L"TfrmComputers", [&](HWND w) {
    return app_->TreeItems(FindDescendantById(w, network::computers_ids::kIdTree)).has_value();
  });
  ASSERT_TRUE(computers) << "no filled TfrmComputers";
  EXPECT_EQ(WindowText(computers), std::optional<std::wstring>(L"Computers"));
  HWND tree = FindDescendantById(computers, network::computers_ids::kIdTree);
  // Wine has no network provider: the heading alone.
  const ui::TreeNode root{std::wstring(network::kNetworkTreeRoot), {}};
  EXPECT_EQ(app_->TreeItems(tree), std::optional(root));

  // Refreshed twice: the same tree, not a doubled one.
  ASSERT_NE(Ask(computers, WM_COMMAND, network::computers_ids::kCmdRefresh), -1);
  ASSERT_NE(Ask(computers, WM_COMMAND, network::computers_ids::kCmdRefresh), -1);
  EXPECT_TRUE(WaitUntil([&] { return app_->TreeItems(tree) == std::optional(root); }, kRefreshTimeout));
  CloseWindow(computers);
}

// --- The network adapters window, from the main window ----------------------

class NetworkAdaptersWindow : public WindowSuite<NetworkAdaptersWindow> {
 public:
  static WindowCommand Window() { return {app::kCmdNetworkAdapters, L"TfrmNetworkAdapters"}; }
  static FilledTest Filled() { return ChildHasText(adapter_ids::kIdAdapterList); }

 protected:
  HWND List() const { return Child(adapter_ids::kIdAdapterList); }
  std::vector<std::wstring> Rows() const {
    std::vector<std::wstring> rows;
    for (int id = adapter_ids::kIdIpAddress; id <= adapter_ids::kIdDnsHostName; ++id) rows.push_back(Text(id));
    return rows;
  }
};

TEST_F(NetworkAdaptersWindow, ShownTwiceListsEachAdapterOnce) {
  const std::vector<WmiAdapter> wmi = WmiAdapters();
  ASSERT_FALSE(wmi.empty());
  EXPECT_EQ(Ask(List(), CB_GETCOUNT), static_cast<LRESULT>(wmi.size()));
  Close();
  ASSERT_TRUE(Open());
  EXPECT_EQ(Ask(List(), CB_GETCOUNT), static_cast<LRESULT>(wmi.size()));
  EXPECT_EQ(Text(adapter_ids::kIdAdapterList), wmi.front().name);
  EXPECT_EQ(Text(adapter_ids::kIdIpGateway + 50), L"IP Gateway");
}

TEST_F(NetworkAdaptersWindow, PickingAnAdapterShowsItsRowsAndANameNoAdapterHasChangesNothing) {
  const std::vector<WmiAdapter> wmi = WmiAdapters();
  ASSERT_GE(wmi.size(), 2u);
  // Picked as the user does: the selection moves and the list tells its
  // parent (the sheet), which hands it on to the window.
  const LRESULT last = static_cast<LRESULT>(wmi.size()) - 1;
  ASSERT_EQ(Ask(List(), CB_SETCURSEL, static_cast<WPARAM>(last)), last);
  Ask(GetParent(List()), WM_COMMAND, MAKEWPARAM(adapter_ids::kIdAdapterList, CBN_SELCHANGE),
      reinterpret_cast<LPARAM>(List()));
  EXPECT_EQ(Text(adapter_ids::kIdAdapterList), wmi.back().name);
  EXPECT_EQ(Text(adapter_ids::kIdMacAddress), wmi.back().mac);
  const std::vector<std::wstring> rows = Rows();

  // A typed name that no adapter has: the rows stay.
  HWND edit = GetWindow(List(), GW_CHILD);
  ASSERT_TRUE(edit);
  const LRESULT end = Ask(edit, WM_GETTEXTLENGTH);
  Ask(edit, EM_SETSEL, static_cast<WPARAM>(end), end);
  Ask(edit, WM_CHAR, L'x');
  ASSERT_NE(Ask(window_, WM_NULL), -1);
  EXPECT_EQ(Text(adapter_ids::kIdAdapterList), wmi.back().name + L"x");
  EXPECT_EQ(Rows(), rows);
}

}  // namespace
}  // namespace corvane::e2e
