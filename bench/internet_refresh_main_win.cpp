// The internet window's refresh: each part of the read on its own, the
// whole read (the model), and a refresh of a real hidden window (read and
// show). Medians and best of N rounds, after one warm-up round.
//   bench_internet_refresh.exe [N]   (inside a Wine session; see bench/README.md)
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "network/internet_favourites_win.h"
#include "network/internet_readers_win.h"
#include "network/internet_window_win.h"
#include "platform/com_win.h"
#include "ui/theme_win.h"

namespace {

using namespace corvane;
using Clock = std::chrono::steady_clock;

void Report(const char* what, int rounds, const std::function<void()>& run) {
  run();  // first use: libraries loaded, registry and folders cached
  std::vector<double> ms;
  for (int i = 0; i < rounds; ++i) {
    const auto t0 = Clock::now();
    run();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  std::sort(ms.begin(), ms.end());
  const double median = ms.size() % 2 ? ms[ms.size() / 2] : (ms[ms.size() / 2 - 1] + ms[ms.size() / 2]) / 2;
  std::printf("%-44s median %8.3f ms   best %8.3f ms\n", what, median, ms.front());
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  platform::ComApartment com;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  std::printf("Internet window refresh, %d rounds:\n", rounds);
  Report("  four page rows and the product ID", rounds, [] {
    network::ReadRegistryText(HKEY_LOCAL_MACHINE, L"\\SOFTWARE\\Microsoft\\Internet Explorer\\Registration\\",
                              L"ProductID", network::KeyOpening::kCreate);
    for (const wchar_t* name : {L"Start Page", L"Search Page", L"Local Page"}) {
      network::ReadRegistryText(HKEY_CURRENT_USER, L"\\SOFTWARE\\Microsoft\\Internet Explorer\\Main", name,
                                network::KeyOpening::kCreate);
    }
    network::ReadRegistryText(HKEY_CURRENT_USER, L"\\SOFTWARE\\Microsoft\\Internet Explorer\\", L"Download Directory",
                              network::KeyOpening::kCreate);
  });
  Report("  online state (InetIsOffline)", rounds, [] { network::ReadOfflineState(); });
  Report("  favourites (shell folder and walk)", rounds, [] { network::ReadFavourites(nullptr); });
  Report("  typed addresses", rounds, [] { network::ReadTypedUrls(); });
  Report("  18 flags", rounds, [] { network::BuildIeFlags(network::ReadIeFlagValues()); });
  Report("  Flash (CLSIDFromProgID)", rounds, [] { network::IsFlashRegistered(); });
  Report("  browsers", rounds, [] { network::BuildBrowsers(network::ReadBrowsers()); });
  Report("the whole read (model)", rounds, [] { network::ReadInternetWindowModel(nullptr, {}); });

  const ui::Theme theme;
  network::InternetWindow window(theme);
  if (!window.EnsureBuilt()) {
    std::fprintf(stderr, "the window could not be made\n");
    return 1;
  }
  Report("read and show (Refresh1Click, hidden window)", rounds, [&] { window.Refresh1Click(); });
  return 0;
}
