// The USB window's device-tree rebuild apart from the window: a refresh of
// the controller (find the devices, make them, keep those already listed)
// and one walk building the tree, for the system's devices and for 50
// scripted mouse-like devices. Medians and minimums over N rounds.
//   bench_hid_tree.exe [N]   (inside a Wine session; see bench/README.md)
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "usb/hid_controller.h"
#include "usb/hid_source_win.h"
#include "usb/scripted_hid_source.h"  // from tests/
#include "usb/usb_view.h"

namespace {

using namespace corvane::usb;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Figures {
  std::vector<double> refresh, walk;
  std::size_t devices = 0, lines = 0;
};

std::size_t CountLines(const corvane::ui::TreeNode& node) {
  std::size_t n = 1;
  for (const auto& child : node.children) n += CountLines(child);
  return n;
}

// One round: a new controller's first refresh (every device made) and
// the walk that builds the tree, as the window's first device change does.
void Round(const std::function<std::unique_ptr<HidDeviceSource>()>& make_source, Figures& f) {
  TJvHidDeviceController controller(make_source());
  controller.Loaded();
  corvane::ui::TreeNode root{kHidTreeRoot, {}};
  controller.OnEnumerate = [&](TJvHidDevice& device, int) {
    AddHidDevice(device, root);
    return true;
  };
  const auto t0 = Clock::now();
  controller.DevicesChanged(TJvHidDeviceController::kFirstChange);
  const auto t1 = Clock::now();
  controller.EnumerateDevices();
  const auto t2 = Clock::now();
  f.refresh.push_back(Ms(t1 - t0));
  f.walk.push_back(Ms(t2 - t1));
  f.devices = controller.Count();
  f.lines = CountLines(root);
}

void Report(const char* what, Figures f) {
  auto median = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
  };
  std::vector<double> total(f.refresh.size());
  for (std::size_t i = 0; i < total.size(); ++i) total[i] = f.refresh[i] + f.walk[i];
  std::printf("%-22s %3zu devices %5zu lines  refresh %8.2f ms  walk %8.2f ms  total %8.2f ms (min %.2f)\n", what,
              f.devices, f.lines, median(f.refresh), median(f.walk), median(total),
              *std::min_element(total.begin(), total.end()));
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

  Figures system;
  for (int i = 0; i < rounds; ++i) Round(&MakeSystemHidSource, system);
  Report("system devices", system);

  Figures scripted;
  const auto fifty = [] {
    auto source = std::make_unique<scripted::ScriptedHidSource>();
    for (std::uint32_t n = 1; n <= 50; ++n) source->devices.push_back(scripted::MouseLikeDevice(n, L"Mouse " + std::to_wstring(n)));
    return std::unique_ptr<HidDeviceSource>(std::move(source));
  };
  for (int i = 0; i < rounds; ++i) Round(fifty, scripted);
  Report("50 scripted devices", scripted);
  return 0;
}
