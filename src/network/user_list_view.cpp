#include "network/user_list_view.h"

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

}  // namespace corvane::network
