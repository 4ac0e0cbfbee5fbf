// The installed-applications window's refresh with many uninstall entries:
// N entries (default 2000) are put below the machine's Uninstall key as
// volatile keys, each with the values a real entry carries (names in mixed
// case and order, numbers the list never reads), and removed at the end.
// Timed: the registry walk alone (names, every entry opened, then its
// values read), the reader, the sort by name, and the refresh of the real
// window, hidden and shown (the shown one painted before the clock stops).
// Medians and best runs over R rounds after one warming round.
//   bench_apps_refresh.exe [R] [N]   (inside a Wine session; see bench/README.md)
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "bench_timing_win.h"
#include "inventory/installed_apps_win.h"
#include "inventory/uninstall_window_win.h"
#include "platform/locale_win.h"
#include "platform/registry_win.h"
#include "ui/theme_win.h"

namespace {

using namespace corvane::inventory;

const std::wstring kUninstall = std::wstring(kUninstallKey).substr(1);
constexpr wchar_t kPrefix[] = L"CorvaneBench ";

void SetString(HKEY key, const wchar_t* name, const std::wstring& text) {
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void SetNumber(HKEY key, const wchar_t* name, DWORD number) {
  RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
}

// The seeded entries for the life of the object.
class SeededEntries {
 public:
  explicit SeededEntries(int count) {
    Remove();
    for (int i = 0; i < count; ++i) {
      // Spread over the alphabet and both cases, not in key order.
      const int n = (i * 7919) % count;
      const wchar_t letter = static_cast<wchar_t>((n % 2 ? L'a' : L'A') + n % 26);
      const std::wstring name = std::wstring(1, letter) + L"pplication " + std::to_wstring(n);
      const std::wstring subkey = kUninstall + L"\\" + kPrefix + std::to_wstring(i);
      HKEY key = nullptr;
      if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                          nullptr, &key, nullptr) != ERROR_SUCCESS) {
        continue;
      }
      SetString(key, L"DisplayName", name);
      SetString(key, L"DisplayVersion", L"1." + std::to_wstring(n % 50));
      SetString(key, L"Publisher", L"Publisher " + std::to_wstring(n % 40));
      SetString(key, L"InstallLocation", L"C:\\Program Files\\" + name);
      SetString(key, L"HelpLink", L"http://help.example/" + std::to_wstring(n));
      SetString(key, L"UninstallString", L"\"C:\\Program Files\\" + name + L"\\uninstall.exe\" /remove");
      SetNumber(key, L"EstimatedSize", static_cast<DWORD>(n * 13));
      SetNumber(key, L"NoModify", 1);
      SetNumber(key, L"NoRepair", 1);
      RegCloseKey(key);
      ++made_;
    }
  }
  ~SeededEntries() { Remove(); }
  int made() const { return made_; }

 private:
  static void Remove() {
    corvane::platform::Registry uninstall(KEY_READ);
    uninstall.SetRoot(HKEY_LOCAL_MACHINE);
    if (!uninstall.OpenKeyReadOnly(kUninstall)) return;
    for (const std::wstring& name : uninstall.SubkeyNames()) {
      if (name.rfind(kPrefix, 0) == 0) SHDeleteKeyW(HKEY_LOCAL_MACHINE, (kUninstall + L"\\" + name).c_str());
    }
  }
  int made_ = 0;
};

// The window with nothing to start and nobody to ask.
struct NoActions : AppActions {
  void Run(const UninstallSource&, const std::wstring&) override {}
  void Open(HWND, const std::wstring&) override {}
  DWORD DeleteEntry(const UninstallSource&, const std::wstring&) override { return ERROR_ACCESS_DENIED; }
  bool Confirm(HWND, std::wstring_view) override { return false; }
  void Tell(HWND, std::wstring_view, bool) override {}
};

class BenchWindow : public UninstallWindow {
 public:
  using UninstallWindow::UninstallWindow;
  // As a showing does it, then painted.
  void RefreshAndPaint() {
    Refresh1Click();
    UpdateWindow(hwnd());
    UpdateWindow(list_view());
  }
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const int entries = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2000;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);

  const double t0 = corvane::bench::NowUs();
  const SeededEntries seeded(entries);
  std::printf("%d uninstall entries seeded in %.0f ms\n", seeded.made(), (corvane::bench::NowUs() - t0) / 1000);

  corvane::bench::Report("registry: names + open each entry", rounds, [] {
    corvane::platform::Registry reg(KEY_READ);
    reg.SetRoot(HKEY_LOCAL_MACHINE);
    reg.OpenKeyReadOnly(kUninstall);
    const auto names = reg.SubkeyNames();
    for (const auto& name : names) reg.OpenKeyReadOnly(kUninstall + L"\\" + name);
  });
  std::vector<AppRow> rows;
  corvane::bench::Report("reader (open + 9 values each)", rounds, [&] {
    rows.clear();
    ReadInstalledApps(rows);
  });
  corvane::bench::Report("sort by name (user locale)", rounds, [&] {
    corvane::ui::ReportList list{{}, rows};
    corvane::ui::SortByCaption(list, &corvane::platform::CompareUserLocale);
  });

  corvane::ui::Theme theme;
  BenchWindow window(theme, std::make_unique<NoActions>());
  if (!window.EnsureBuilt()) {
    std::fprintf(stderr, "the window could not be built\n");
    return 1;
  }
  corvane::bench::Report("window refresh (hidden)", rounds, [&] { window.Refresh1Click(); });
  ShowWindow(window.hwnd(), SW_SHOWMAXIMIZED);  // refreshes once more, as every showing does
  corvane::bench::Report("window refresh (shown, painted)", rounds, [&] { window.RefreshAndPaint(); });
  std::printf("%zu rows listed, status \"%ls\"\n", window.list().rows.size(), window.status().c_str());
  return 0;
}
