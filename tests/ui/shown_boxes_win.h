// The message boxes this process shows while an action runs on the test's
// thread. A box stops that thread until someone clicks it, so a second
// thread meanwhile records every box (caption and the texts in it, read
// without sending the busy thread anything) and answers it.
#pragma once
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace corvane::test_support {

struct ShownBox {
  std::wstring caption;
  std::wstring texts;  // its controls' texts, each after " | "
};

namespace shown_boxes_detail {

inline std::wstring StoredText(HWND wnd) {
  wchar_t text[1024] = {};
  const int length = InternalGetWindowText(wnd, text, 1024);
  return std::wstring(text, static_cast<std::size_t>(std::max(length, 0)));
}

inline BOOL CALLBACK CollectBox(HWND wnd, LPARAM out) {
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  wchar_t cls[16] = {};
  GetClassNameW(wnd, cls, 16);
  if (pid == GetCurrentProcessId() && std::wstring(cls) == L"#32770" && IsWindowVisible(wnd)) {
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(wnd);
  }
  return TRUE;
}

inline BOOL CALLBACK CollectChildText(HWND wnd, LPARAM out) {
  const std::wstring text = StoredText(wnd);
  if (!text.empty()) *reinterpret_cast<std::wstring*>(out) += L" | " + text;
  return TRUE;
}

}  // namespace shown_boxes_detail

// Runs `action`, answering every box it shows with the button `answer`
// (IDOK, IDCANCEL...); returns the boxes in the order they appeared.
inline std::vector<ShownBox> BoxesShownDuring(const std::function<void()>& action, int answer = IDOK) {
  using namespace shown_boxes_detail;
  std::vector<ShownBox> shown;
  std::atomic<bool> done{false};
  std::thread watcher([&] {
    std::set<HWND> recorded;
    while (!done) {
      std::vector<HWND> boxes;
      EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&boxes));
      for (HWND box : boxes) {
        if (recorded.insert(box).second) {
          ShownBox seen{StoredText(box), {}};
          EnumChildWindows(box, CollectChildText, reinterpret_cast<LPARAM>(&seen.texts));
          shown.push_back(seen);
        }
        PostMessageW(box, WM_COMMAND, answer, 0);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  });
  action();
  done = true;
  watcher.join();
  return shown;
}

}  // namespace corvane::test_support
