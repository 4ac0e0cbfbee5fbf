// The window base of every Corvane window: registers its Win32 class on first
// use, routes messages to member functions and keeps the window's named
// controls, each with a stable control ID.
#pragma once
#include <windows.h>

#include <map>
#include <span>
#include <string>
#include <string_view>

#include "platform/unique_handle.h"
#include "ui/menu_table.h"
#include "ui/theme_win.h"

namespace corvane::ui {

struct CreateParams {
  const wchar_t* class_name;
  std::wstring caption;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD ex_style = 0;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
  HWND parent = nullptr;
  HMENU menu_or_id = nullptr;
  HBRUSH background = nullptr;  // nullptr: the window colour
  HICON icon = nullptr;
  // The menu bar, and the shortcut table built from the same items.
  std::span<const Menu> menus{};
};

class Window {
 public:
  explicit Window(const Theme& theme) : theme_(theme) {}
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }
  const Theme& theme() const { return theme_; }

  // Makes the window visible without a modal loop; a visible window comes to the front.
  void Show();
  // Shows the window modally over its owner and returns when it is closed or hidden.
  void ShowModal(HWND owner);

  // The window's shortcut table, translated by the message loops while the
  // window is active.
  virtual HACCEL accelerators() const { return accelerators_.get(); }
  // Translates a shortcut of the active Corvane window; true when the
  // message was one and has been handled.
  static bool TranslateShortcut(MSG& msg);

  // The named control, or nullptr.
  HWND Control(std::wstring_view name) const;
  int ControlId(std::wstring_view name) const;
  // Files the named controls of a child container (a sheet) under this window too.
  void AdoptControls(const Window& child);

 protected:
  bool Create(const CreateParams& params);

  // Creates a child control, gives it the theme's normal font and files it by name.
  HWND AddControl(std::wstring name, int id, const wchar_t* win_class, std::wstring_view text, DWORD style,
                  int x, int y, int width, int height, DWORD ex_style = 0, HFONT font = nullptr);
  // Files a control created elsewhere (a sheet's cells, a toolbar).
  void FileControl(std::wstring name, int id, HWND control);

  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  virtual void OnCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
  virtual LRESULT OnNotify(NMHDR* /*hdr*/) { return 0; }
  virtual void OnResize(int /*client_width*/, int /*client_height*/) {}
  // Closing hides a window by default: it keeps its contents until shown
  // again. A modal showing ends when its window is hidden.
  virtual void OnClose() { ShowWindow(hwnd_, SW_HIDE); }
  // The brush for a static or read-only control, or nullptr for the default.
  virtual HBRUSH OnControlColour(HDC /*dc*/, HWND /*control*/) { return nullptr; }
  virtual void OnDestroy() {}
  // Runs once a modal showing is on screen, before its loop starts.
  virtual void OnModalShown() {}

  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }
  // Ends a modal showing, as the close box does.
  void EndModal() { modal_ = false; }

  int min_width_ = 0, min_height_ = 0;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);

  struct Named {
    HWND hwnd;
    int id;
  };
  const Theme& theme_;
  HWND hwnd_ = nullptr;
  platform::UniqueAccel accelerators_;
  bool modal_ = false;
  std::map<std::wstring, Named, std::less<>> controls_;
};

// The standard error box of the application (suppressed in unattended runs).
void ShowErrorBox(HWND owner, std::wstring_view message);
void SetUnattended(bool unattended);
bool IsUnattended();

// The hand cursor of a link label (the arrow on systems that have none).
void SetHandCursor();

// The application-wide hourglass: every window shows it while set.
void SetBusyCursor(bool busy);
bool IsBusy();

}  // namespace corvane::ui
