// The refresh work of the network window and the three windows it leads
// to, under Wine: each window built hidden and refreshed as a showing does
// (the background parts waited for through the message queue), and the
// network window's readings one by one. First round (cold) apart, medians
// and minimums over N rounds.
//   bench_network_refresh.exe [N]   (inside a Wine session; see bench/README.md)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "network/adapters_readers_win.h"
#include "network/computers_window_win.h"
#include "network/network_adapters_window_win.h"
#include "network/network_browser_win.h"
#include "network/network_readers_win.h"
#include "network/network_window_win.h"
#include "network/user_list_window_win.h"
#include "platform/com_win.h"
#include "platform/security_win.h"
#include "ui/theme_win.h"

namespace {

using namespace corvane;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Runs messages until `done` holds (bounded: a minute).
void PumpUntil(const std::function<bool()>& done) {
  const auto until = Clock::now() + std::chrono::minutes(1);
  MSG msg;
  while (!done() && Clock::now() < until) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

struct Step {
  const char* name;
  std::function<void()> run;
  std::function<void()> after = [] {};  // untimed: lets background work end
  std::vector<double> times = {};
};

void Report(std::vector<Step>& steps) {
  for (auto& s : steps) {
    std::vector<double> warm(s.times.begin() + 1, s.times.end());
    std::sort(warm.begin(), warm.end());
    const double median = warm.empty() ? s.times.front()
                          : warm.size() % 2 ? warm[warm.size() / 2]
                                            : (warm[warm.size() / 2 - 1] + warm[warm.size() / 2]) / 2;
    const double minimum = warm.empty() ? s.times.front() : warm.front();
    std::printf("%-44s first %9.2f ms  median %9.2f ms  min %9.2f ms\n", s.name, s.times.front(), median, minimum);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = (argc > 1 ? std::max(1, std::atoi(argv[1])) : 10) + 1;  // the first is cold
  const platform::ComApartment com;
  ui::SetUnattended(true);  // a message box would wait for nobody
  const ui::Theme theme;

  network::NetworkWindow network_window(theme, nullptr);
  network::NetworkAdaptersWindow adapters_window(theme);
  network::UserListWindow users_window(theme);
  network::ComputersWindow computers_window(theme);
  if (!network_window.EnsureBuilt() || !adapters_window.EnsureBuilt() || !users_window.EnsureBuilt() ||
      !computers_window.EnsureBuilt()) {
    std::fprintf(stderr, "a window could not be built\n");
    return 1;
  }

  const network::AdapterList adapters = network::ReadAdapterList();
  std::vector<Step> steps = {
      {"Network: refresh on the UI thread", [&] { network_window.Refresh1Click(); },
       [&] { PumpUntil([&] { return !network_window.looking_up(); }); }},
      {"Network: refresh to the look-up's end",
       [&] {
         network_window.Refresh1Click();
         PumpUntil([&] { return !network_window.looking_up(); });
       }},
      {"  computer name", [] { network::ReadComputerName(); }},
      {"  user name", [] { network::ReadUserName(); }},
      {"  IP addresses (Winsock)", [] { network::ReadHostAddresses(); }},
      {"  MAC address (NetBIOS)", [] { network::ReadNetbiosMacText(); }},
      {"  administrator test", [] { platform::CurrentUserIsAdministrator(); }},
      {"  adapters (IP helper)", [] { network::ReadAdaptersInfo(); }},
      {"  shares", [] { network::ReadShareNames(); }},
      {"  mapped drives A-Z", [] { network::ReadMappedDrives(); }},
      {"  account domain (background)", [] { network::ReadAccountDomain(); }},
      {"  workgroup + description (background)",
       [] {
         network::ReadLanGroup();
         network::ReadServerComment();
       }},
      {"Network Adapters: showing (list + first)", [&] { adapters_window.FormShow(); }},
      {"  adapter list (WMI)", [] { network::ReadAdapterList(); }},
      {"  one adapter (WMI)",
       [&] {
         if (!adapters.names.empty()) network::ReadAdapters(adapters.name_property, adapters.names.front());
       }},
      {"User List: refresh (background)",
       [&] {
         users_window.Refresh1Click();
         PumpUntil([&] { return !users_window.reading(); });
       }},
      {"Computers: refresh (background walk)",
       [&] {
         computers_window.Refresh1Click();
         PumpUntil([&] { return !computers_window.walking(); });
       }},
  };
  for (int round = 0; round < rounds; ++round) {
    for (auto& s : steps) {
      const auto t0 = Clock::now();
      s.run();
      s.times.push_back(Ms(Clock::now() - t0));
      s.after();
    }
  }
  std::printf("%d warm rounds after one cold\n", rounds - 1);
  Report(steps);
  return 0;
}
