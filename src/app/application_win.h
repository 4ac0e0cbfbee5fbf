// The application object: COM for the user-interface thread, the common
// controls, the theme, the windows of the creation list (in their fixed
// order) and the message loop.
#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/collectors/summary_collectors.h"
#include "ui/theme_win.h"
#include "ui/window_win.h"

namespace corvane::app {

class Application {
 public:
  // `collectors` may have started the clock sample already.
  Application(std::vector<std::wstring> args, std::unique_ptr<SummaryCollectors> collectors);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  int Run(int show);
  // Builds the windows of the creation list that must run from start-up
  // (the device listener), each once.
  void BuildStartupWindows();

  // A window of the creation list, by its class name; nullptr when this
  // program has none. Its Win32 window may not be built yet: showing it builds it.
  ui::Window* FindWindow(std::wstring_view class_name) const;
  const ui::Theme& theme() const { return *theme_; }
  // The arguments after the executable name, read afresh by every refresh.
  const std::vector<std::wstring>& args() const { return args_; }
  SummaryCollectors& collectors() { return *collectors_; }

 private:
  std::vector<std::wstring> args_;
  std::unique_ptr<ui::Theme> theme_;
  std::unique_ptr<SummaryCollectors> collectors_;
  std::vector<std::pair<std::wstring_view, std::unique_ptr<ui::Window>>> windows_;
};

// Starts the clock sample where the start-up refreshes, then initialises
// COM and the common controls, runs the application and returns the process
// exit code.
int RunApplication(HINSTANCE instance, int show);

}  // namespace corvane::app
