#include "ui/window_win.h"

#include "ui/menu_win.h"

namespace corvane::ui {
namespace {

struct AppState {
  bool unattended = false;
  bool busy = false;
};
AppState& State() {
  static AppState state;
  return state;
}

}  // namespace

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool Window::Create(const CreateParams& p) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (!GetClassInfoExW(instance, p.class_name, &wc)) {
    wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &Window::Proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = p.background ? p.background : reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.hIcon = p.icon;
    wc.lpszClassName = p.class_name;
    if (!RegisterClassExW(&wc)) return false;
  }
  HMENU menu = p.menus.empty() ? p.menu_or_id : BuildMenuBar(p.menus);
  hwnd_ = CreateWindowExW(p.ex_style, p.class_name, p.caption.c_str(), p.style, p.x, p.y, p.width, p.height, p.parent,
                          menu, instance, this);
  if (!p.menus.empty()) {
    if (!hwnd_) {
      DestroyMenu(menu);  // attached, the window would have destroyed it
      return false;
    }
    accelerators_ = BuildAccelerators(p.menus);
  }
  return hwnd_ != nullptr;
}

void Window::Show() {
  if (IsWindowVisible(hwnd_)) {
    if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    SetForegroundWindow(hwnd_);
    BringWindowToTop(hwnd_);
  } else {
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
  }
}

void Window::ShowModal(HWND owner) {
  modal_ = true;
  if (owner) EnableWindow(owner, FALSE);
  ShowWindow(hwnd_, SW_SHOW);
  SetForegroundWindow(hwnd_);
  UpdateWindow(hwnd_);
  OnModalShown();
  MSG msg;
  bool quit = false;
  int quit_code = 0;
  while (modal_ && hwnd_ && IsWindowVisible(hwnd_)) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      quit = true;
      quit_code = static_cast<int>(msg.wParam);
      break;
    }
    if (TranslateShortcut(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  modal_ = false;
  if (owner) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
  if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
  if (quit) PostQuitMessage(quit_code);  // the outer loop must see it too
}

bool Window::TranslateShortcut(MSG& msg) {
  HWND active = GetActiveWindow();
  // Only windows of this kit carry a Window in their user data.
  if (!active || GetWindowLongPtrW(active, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Window::Proc)) return false;
  const auto* window = reinterpret_cast<const Window*>(GetWindowLongPtrW(active, GWLP_USERDATA));
  HACCEL table = window ? window->accelerators() : nullptr;
  return table && TranslateAcceleratorW(active, table, &msg);
}

HWND Window::Control(std::wstring_view name) const {
  auto it = controls_.find(name);
  return it == controls_.end() ? nullptr : it->second.hwnd;
}

int Window::ControlId(std::wstring_view name) const {
  auto it = controls_.find(name);
  return it == controls_.end() ? 0 : it->second.id;
}

HWND Window::AddControl(std::wstring name, int id, const wchar_t* win_class, std::wstring_view text, DWORD style,
                        int x, int y, int width, int height, DWORD ex_style, HFONT font) {
  HWND control = CreateWindowExW(ex_style, win_class, std::wstring(text).c_str(), WS_CHILD | style, x, y, width, height,
                                 hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                 nullptr);
  if (control) {
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : theme_.normal()), FALSE);
    FileControl(std::move(name), id, control);
  }
  return control;
}

void Window::AdoptControls(const Window& child) {
  for (const auto& [name, named] : child.controls_) {
    if (!name.empty()) controls_[name] = named;
  }
}

void Window::FileControl(std::wstring name, int id, HWND control) { controls_[std::move(name)] = {control, id}; }

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->modal_ = false;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  return self->Dispatch(msg, wp, lp);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_SIZE:
      OnResize(LOWORD(lp), HIWORD(lp));
      return 0;
    case WM_CLOSE:
      modal_ = false;  // a modal showing ends with its window's closing
      OnClose();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
      if (HBRUSH brush = OnControlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp))) {
        return reinterpret_cast<LRESULT>(brush);
      }
      break;
    case WM_GETMINMAXINFO:
      if (min_width_ || min_height_) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lp);
        info->ptMinTrackSize.x = min_width_;
        info->ptMinTrackSize.y = min_height_;
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (State().busy) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
  }
  return OnMessage(msg, wp, lp);
}

LRESULT Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

void ShowErrorBox(HWND owner, std::wstring_view message) {
  if (State().unattended) {
    OutputDebugStringW(std::wstring(message).c_str());
    return;
  }
  MessageBoxW(owner, std::wstring(message).c_str(), L"Corvane", MB_OK | MB_ICONERROR);
}

void SetUnattended(bool unattended) { State().unattended = unattended; }
bool IsUnattended() { return State().unattended; }

void SetHandCursor() {
  HCURSOR hand = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));  // IDC_HAND: Windows 98 and 2000 on
  SetCursor(hand ? hand : LoadCursorW(nullptr, IDC_ARROW));
}

void SetBusyCursor(bool busy) {
  State().busy = busy;
  SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}
bool IsBusy() { return State().busy; }

}  // namespace corvane::ui
