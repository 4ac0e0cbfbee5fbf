#include "ui/hidden_window_win.h"

#include <exception>
#include <string>

#include "platform/failure_text_win.h"
#include "ui/window_win.h"

namespace corvane::ui {
namespace {

constexpr wchar_t kClassName[] = L"CorvaneHiddenWindow";

bool RegisterOnce(HINSTANCE instance, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(instance, kClassName, &wc)) return true;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.lpszClassName = kClassName;
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

HiddenWindow::HiddenWindow(Handler handler) : handler_(std::move(handler)) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!RegisterOnce(instance, &HiddenWindow::Proc)) return;
  window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                                this));
}

LRESULT CALLBACK HiddenWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<HiddenWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self && self->handler_ && msg != WM_NCDESTROY) {
    try {
      if (self->handler_(msg, wp, lp)) return 0;
    } catch (const std::exception& e) {
      ShowErrorBox(nullptr, platform::FailureText(e));
    } catch (...) {
      ShowErrorBox(nullptr, L"Unknown failure");
    }
  }
  if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace corvane::ui
