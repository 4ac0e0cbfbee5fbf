#include "network/user_list_view.h"

#include "ui/report_section_build.h"

namespace corvane::network {

AccountListing ListAccountsOn(const AccountPageReader& read, std::wstring_view server,
                              const std::function<bool()>& stopped) {
  AccountListing listing;
  std::uint32_t resume = 0;
  for (;;) {
    AccountPageAnswer page = read(server, resume);
    listing.code = page.code;
    if (page.code != kAccountsComplete && page.code != kMoreAccounts) break;
    const bool progress = !page.names.empty();
    for (auto& name : page.names) listing.names.push_back(std::move(name));
    if (page.code == kAccountsComplete || !progress || stopped()) break;
  }
  return listing;
}

std::vector<std::wstring> ListGroupAccounts(const AccountPageReader& read, std::wstring_view group,
                                            const std::function<bool()>& stopped) {
  return ListAccountsOn(read, group, stopped).names;
}

ui::ReportSection UserListSection(const UserListModel& model) {
  ui::ReportSection section{L"TfrmUserList", std::wstring(kUserListCaption), {}, {}, {}};
  ui::AddSheet<UserListModel>(section, kUserListFields, model);
  section.lists.push_back(ui::LinesSection(L"Accounts", L"Account", model.accounts));
  return section;
}

}  // namespace corvane::network
