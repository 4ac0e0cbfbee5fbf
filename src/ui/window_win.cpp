#include "ui/window_win.h"

#include <shellapi.h>

#include <algorithm>
#include <exception>
#include <vector>

#include "platform/delay_load_win.h"
#include "platform/dpi_win.h"
#include "platform/failure_text_win.h"
#include "platform/text_file_win.h"
#include "platform/utf8.h"
#include "ui/dpi_scale.h"
#include "ui/menu_win.h"
#include "ui/product.h"
#include "ui/window_print_win.h"

namespace corvane::ui {
namespace {

struct AppState {
  bool unattended = false;
  int busy = 0;  // BusyCursor owners alive
};
AppState& State() {
  static AppState state;
  return state;
}

// The message of a failure that nothing else caught.
std::wstring CurrentFailureText() {
  try {
    throw;
  } catch (const std::exception& e) {
    return platform::FailureText(e);
  } catch (...) {
    return L"Unknown failure";
  }
}

// EnumChildWindows callback: files the kit windows among the descendants.
BOOL CALLBACK CollectKitWindow(HWND child, LPARAM list) {
  if (Window* w = Window::FromHandle(child)) reinterpret_cast<std::vector<Window*>*>(list)->push_back(w);
  return TRUE;
}

}  // namespace

Window::~Window() {
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool Window::EnsureBuilt() {
  if (hwnd_) return true;
  if (building_) return false;  // asked again while its own build runs
  building_ = true;
  bool ok = false;
  std::wstring failure;
  try {
    ok = Build();
  } catch (...) {
    failure = CurrentFailureText();
  }
  building_ = false;
  // A half-built window goes before anyone is told: nothing may show or use it.
  if (!ok && hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  if (!failure.empty()) ShowErrorBox(nullptr, failure);
  return hwnd_ != nullptr;
}

CreateParams Window::DetailParams(const wchar_t* class_name, std::wstring caption, std::span<const Menu> menus) const {
  CreateParams p{class_name, std::move(caption)};
  p.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  p.background = theme_.white_brush();
  p.icon = LoadIconW(nullptr, IDI_APPLICATION);
  p.menus = menus;
  return p;
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
  // The DPI it will most likely get: its parent's, or the screen's; checked once it exists.
  dpi_ = p.parent ? DpiOf(p.parent) : platform::ScreenDpi();
  const bool child = (p.style & WS_CHILD) != 0;
  const auto scaled = [this](int v) { return v == CW_USEDEFAULT ? v : Scale(v); };
  int width = scaled(p.width), height = scaled(p.height);
  int x = child ? scaled(p.x) : p.x, y = child ? scaled(p.y) : p.y;
  if (p.client_width > 0 && p.client_height > 0) {
    RECT frame{0, 0, Scale(p.client_width), Scale(p.client_height)};
    platform::AdjustWindowRectForDpi(&frame, p.style, !p.menus.empty(), p.ex_style, dpi_);
    width = frame.right - frame.left;
    height = frame.bottom - frame.top;
  }
  HMENU menu = p.menus.empty() ? p.menu_or_id : BuildMenuBar(p.menus);
  hwnd_ = CreateWindowExW(p.ex_style, p.class_name, p.caption.c_str(), p.style, x, y, width, height, p.parent,
                          menu, instance, this);
  if (!p.menus.empty()) {
    if (!hwnd_) {
      DestroyMenu(menu);  // attached, the window would have destroyed it
      return false;
    }
    accelerators_ = BuildAccelerators(p.menus);
  }
  if (hwnd_ && p.minimum_is_initial) {
    min_width_ = Logical(width);
    min_height_ = Logical(height);
  }
  // Made on a monitor of another DPI than expected: scaled to it now.
  if (hwnd_ && !child) {
    if (const int actual = platform::WindowDpi(hwnd_); actual != dpi_) {
      RECT outer{};
      GetWindowRect(hwnd_, &outer);
      outer.right = outer.left + MulDivRound(outer.right - outer.left, actual, dpi_);
      outer.bottom = outer.top + MulDivRound(outer.bottom - outer.top, actual, dpi_);
      ChangeDpi(actual, &outer);
    }
  }
  return hwnd_ != nullptr;
}

void Window::Show() {
  if (!EnsureBuilt()) return;
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
  if (!EnsureBuilt()) return;
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
  const Window* window = FromHandle(active);
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
  const Box logical{x, y, width, height};
  const Box box = ScaleBoxToDpi(logical, dpi_);
  HWND control = CreateWindowExW(ex_style, win_class, std::wstring(text).c_str(), WS_CHILD | style, box.x, box.y,
                                 box.width, box.height, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  if (control) {
    // A theme font (made for the screen) is taken at this window's DPI.
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(theme_.AtDpi(font ? font : theme_.normal(), dpi_)),
                 FALSE);
    boxes_[control] = logical;
    FileControl(std::move(name), id, control);
  }
  return control;
}

int Window::Scale(int logical) const { return ScaleToDpi(logical, dpi_); }
int Window::Logical(int physical) const { return LogicalFromDpi(physical, dpi_); }

RECT Window::LogicalClientRect() const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  return {0, 0, Logical(client.right), Logical(client.bottom)};
}

void Window::PlaceControl(HWND control, const Box& box, bool repaint) {
  if (!control) return;
  boxes_[control] = box;
  const Box b = ScaleBoxToDpi(box, dpi_);
  MoveWindow(control, b.x, b.y, b.width, b.height, repaint);
}

SIZE Window::SetClientSize(int width, int height) {
  RECT frame{0, 0, Scale(width), Scale(height)};
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
  const auto ex_style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
  platform::AdjustWindowRectForDpi(&frame, style, GetMenu(hwnd_) != nullptr, ex_style, dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return {Logical(frame.right - frame.left), Logical(frame.bottom - frame.top)};
}

void Window::ResizeControl(HWND control, int width, int height) {
  if (!control) return;
  const Box now = ControlBox(control);
  boxes_[control] = {now.x, now.y, width, height};
  const Box b = ScaleBoxToDpi(boxes_[control], dpi_);
  SetWindowPos(control, nullptr, 0, 0, b.width, b.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Box Window::ControlBox(HWND control) const {
  if (auto it = boxes_.find(control); it != boxes_.end()) return it->second;
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
  return {Logical(r.left), Logical(r.top), Logical(r.right - r.left), Logical(r.bottom - r.top)};
}

Window* Window::FromHandle(HWND hwnd) {
  // Only windows of this kit carry a Window in their user data.
  if (!hwnd || GetWindowLongPtrW(hwnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Window::Proc)) return nullptr;
  return reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

void Window::ApplyDpi(int dpi) {
  dpi_ = dpi;
  for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const auto font = reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0));
    if (HFONT now = theme_.AtDpi(font, dpi); now != font) {
      SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(now), FALSE);
    }
    SendMessageW(child, DpiChangedNotice(), static_cast<WPARAM>(dpi), 0);
  }
  // The boxes are where the controls sit unscrolled: a scrolled window starts again at the top.
  if (GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_VSCROLL) SetScrollPos(hwnd_, SB_VERT, 0, TRUE);
  for (const auto& [control, box] : boxes_) {
    if (!IsWindow(control)) continue;
    const Box b = ScaleBoxToDpi(box, dpi_);
    MoveWindow(control, b.x, b.y, b.width, b.height, FALSE);
  }
  OnDpiChanged();
}

void Window::ChangeDpi(int dpi, const RECT* suggested) {
  std::vector<Window*> inner;
  EnumChildWindows(hwnd_, &CollectKitWindow, reinterpret_cast<LPARAM>(&inner));
  // Inner windows first: when this one re-places them they resize at the new DPI.
  for (Window* w : inner) w->ApplyDpi(dpi);
  ApplyDpi(dpi);
  if (suggested) {
    SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  // Laid out again even where the logical size did not change.
  const auto lay_out = [](Window* w) {
    const RECT client = w->LogicalClientRect();
    w->OnResize(client.right, client.bottom);
  };
  lay_out(this);
  for (Window* w : inner) lay_out(w);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void Window::AdoptControls(const Window& child) {
  for (const auto& [name, named] : child.controls_) {
    if (!name.empty()) controls_[name] = named;
  }
}

void Window::FileControl(std::wstring name, int id, HWND control) { controls_[std::move(name)] = {control, id}; }

HWND Window::AddWebLink(std::wstring name, int id, int x, int y, LinkKind kind, HFONT font) {
  const bool opens = kind == LinkKind::kOpensPage;
  const bool styled = kind == LinkKind::kLinkStyle;
  const bool clickable = opens || kind == LinkKind::kRunsCommand;
  HWND link = AddControl(std::move(name), id, L"STATIC", kWebAddressText, WS_VISIBLE | (clickable ? SS_NOTIFY : 0), x, y,
                         300, 16, 0, font ? font : (opens || styled ? theme_.link() : theme_.normal()));
  if (link && opens) opening_links_.push_back(link);
  if (link && styled) styled_links_.push_back(link);
  return link;
}

void Window::OpenWebPage() { ShellExecuteW(hwnd_, L"open", kWebPage, nullptr, nullptr, SW_SHOWNORMAL); }

bool Window::IsOpeningLink(HWND control) const {
  return control && std::ranges::find(opening_links_, control) != opening_links_.end();
}

bool Window::IsLinkColoured(HWND control) const {
  return IsOpeningLink(control) || (control && std::ranges::find(styled_links_, control) != styled_links_.end());
}

void Window::DispatchCommand(int id, int code, HWND control) {
  if (IsOpeningLink(control)) {
    if (code == STN_CLICKED) OpenWebPage();
    return;
  }
  if (!commands_ || !commands_(id, code, false)) {
    // A notification no row carries (an edit's focus change, a typed key).
    OnCommand(id, code, control);
    return;
  }
  if (running_command_) {
    held_ = HeldCommand{id, code, control};
    return;
  }
  running_command_ = true;
  try {
    commands_(id, code, true);
  } catch (...) {
    ShowErrorBox(hwnd_, CurrentFailureText());
  }
  running_command_ = false;
  if (held_ && hwnd_) {
    const HeldCommand next = *held_;
    held_.reset();
    PostMessageW(hwnd_, WM_COMMAND, MAKEWPARAM(next.id, next.code), reinterpret_cast<LPARAM>(next.control));
  }
}

void Window::PrintImage(std::wstring_view job_title) {
  PrintWindowImage(hwnd_, job_title);
}

HBRUSH Window::OnControlColour(HDC dc, HWND control) {
  SetBkColor(dc, kWhite);
  SetTextColor(dc, IsLinkColoured(control) ? kLinkText : kLabelText);
  return theme_.white_brush();
}

LRESULT CALLBACK Window::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (msg == WM_NCCREATE) {
    self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    platform::EnableFrameScaling(hwnd);
  }
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->modal_ = false;
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  // No failure unwinds through the system's dispatcher: it ends here, shown.
  try {
    return self->Dispatch(msg, wp, lp);
  } catch (...) {
    ShowErrorBox(hwnd, CurrentFailureText());
    return 0;
  }
}

LRESULT Window::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      DispatchCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
      return 0;
    case WM_NOTIFY:
      return OnNotify(reinterpret_cast<NMHDR*>(lp));
    case WM_SIZE:
      OnResize(Logical(LOWORD(lp)), Logical(HIWORD(lp)));
      return 0;
    case platform::kDpiChangedMessage:
      if (!(GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD)) {  // sent to top-level windows only
        ChangeDpi(HIWORD(wp), reinterpret_cast<const RECT*>(lp));
        return 0;
      }
      break;
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
        info->ptMinTrackSize.x = Scale(min_width_);
        info->ptMinTrackSize.y = Scale(min_height_);
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (State().busy) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      if (IsOpeningLink(reinterpret_cast<HWND>(wp))) {
        SetHandCursor();
        return TRUE;
      }
      break;
  }
  return OnMessage(msg, wp, lp);
}

LRESULT Window::OnMessage(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

int DpiOf(HWND hwnd) {
  for (HWND w = hwnd; w; w = (GetWindowLongPtrW(w, GWL_STYLE) & WS_CHILD) ? GetParent(w) : nullptr) {
    if (const Window* kit = Window::FromHandle(w)) return kit->dpi();
  }
  return platform::WindowDpi(hwnd);
}

UINT DpiChangedNotice() {
  static const UINT message = RegisterWindowMessageW(L"Corvane.DpiChanged");
  return message;
}

void Place(HWND control, const Box& box, bool repaint) {
  if (!control) return;
  if (Window* owner = Window::FromHandle(GetParent(control))) {
    owner->PlaceControl(control, box, repaint);
    return;
  }
  const Box b = ScaleBoxToDpi(box, DpiOf(control));
  MoveWindow(control, b.x, b.y, b.width, b.height, repaint);
}

void ShowErrorBox(HWND owner, std::wstring_view message) {
  if (State().unattended) {
    // The standard error stream of a windowed program may be closed; the
    // debugger output is there regardless.
    const std::string line = platform::ToUtf8(message) + "\n";
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD written = 0;
    if (!err || err == INVALID_HANDLE_VALUE ||
        !WriteFile(err, line.data(), static_cast<DWORD>(line.size()), &written, nullptr)) {
      OutputDebugStringW(std::wstring(message).c_str());
    }
    return;
  }
  MessageBoxW(owner, std::wstring(message).c_str(), L"Corvane", MB_OK | MB_ICONERROR);
}

void SetUnattended(bool unattended) { State().unattended = unattended; }
bool IsUnattended() { return State().unattended; }

namespace {
// A delay-loaded function that cannot be bound ends the program
// (platform/delay_load_win.h); its message goes where every failure's goes.
void ReportDelayLoadFailure(std::wstring_view message) { ShowErrorBox(nullptr, message); }
[[maybe_unused]] const bool kDelayLoadReportSet =
    (platform::SetDelayLoadFailureReport(&ReportDelayLoadFailure), true);
}  // namespace

void RunPendingMessages() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    if (Window::TranslateShortcut(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void SetHandCursor() {
  HCURSOR hand = LoadCursorW(nullptr, MAKEINTRESOURCEW(32649));  // IDC_HAND: Windows 98 and 2000 on
  SetCursor(hand ? hand : LoadCursorW(nullptr, IDC_ARROW));
}

BusyCursor::BusyCursor() {
  ++State().busy;
  SetCursor(LoadCursorW(nullptr, IDC_WAIT));
}

BusyCursor::~BusyCursor() {
  if (--State().busy == 0) SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

bool IsBusy() { return State().busy > 0; }

}  // namespace corvane::ui
