// What the user list window shows: the domain or workgroup the machine
// belongs to and the accounts enumerated there, with the rules of the
// enumeration as pure functions over one page reader.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "network/user_list_window_ids.h"
#include "ui/report_section.h"
#include "ui/sheet_table.h"

namespace corvane::network {

inline constexpr std::wstring_view kUserListCaption = L"User List";

struct UserListModel {
  std::wstring group;                  // "Domain / Workgroup Name"
  std::vector<std::wstring> accounts;  // in the order they were returned
  friend bool operator==(const UserListModel&, const UserListModel&) = default;
};

inline constexpr std::array<ui::SheetField<UserListModel>, 1> kUserListFields{{
    {L"Domain / Workgroup Name", L"Group", user_list_ids::kIdGroup, [](const UserListModel& m) { return m.group; }},
}};

// One page of accounts on a server (empty: this machine), continuing at
// `resume`, which it advances.
struct AccountPageAnswer {
  std::uint32_t code = 0;  // kAccountsComplete, kMoreAccounts, or a failure
  std::vector<std::wstring> names;
};
inline constexpr std::uint32_t kAccountsComplete = 0;
inline constexpr std::uint32_t kMoreAccounts = 234;  // ERROR_MORE_DATA
using AccountPageReader = std::function<AccountPageAnswer(std::wstring_view server, std::uint32_t& resume)>;

struct AccountListing {
  std::vector<std::wstring> names;
  std::uint32_t code = kAccountsComplete;  // the last page's answer
};
// Every page on `server` while the answer says more follow. A page that
// says so but brings no name ends the walk (it would never end otherwise),
// and so does `stopped`.
AccountListing ListAccountsOn(const AccountPageReader& read, std::wstring_view server,
                              const std::function<bool()>& stopped);

// The accounts of the domain or workgroup `group`: asked of the server of
// that name (an empty name: this machine). A workgroup's name is usually no
// server's, and then the list is empty while the window names the group.
std::vector<std::wstring> ListGroupAccounts(const AccountPageReader& read, std::wstring_view group,
                                            const std::function<bool()>& stopped);

// The window's report section: the group's row and the accounts (the list
// box under it, which has no caption of its own: "Accounts").
ui::ReportSection UserListSection(const UserListModel& model);

}  // namespace corvane::network
