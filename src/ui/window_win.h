// The window base of every Corvane window: registers its Win32 class on first
// use, routes messages to member functions, runs commands from a table and
// keeps the window's named controls, each with a stable control ID.
//
// A window object may exist long before its Win32 window: Build() makes the
// window and its controls the first time it is shown or asked for them, so
// start-up pays only for the windows the user opens.
//
// Layouts are written in logical units, the pixels of a 96-DPI screen: the
// kit scales every box it places (AddControl, Place, PlaceControl, the sizes
// of CreateParams, the minimum track size) by the window's DPI over 96, hands
// OnResize the client size in logical units, and keeps each placed control's
// logical box, so a window moved to a monitor of another DPI re-places its
// controls, takes that DPI's fonts and lays itself out again.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/unique_handle.h"
#include "ui/menu_table.h"
#include "ui/report_section.h"
#include "ui/sheet_page_layout.h"
#include "ui/theme_win.h"

namespace corvane::ui {

// Sizes and a child's position in logical units (a top-level window's
// position is the screen's own).
struct CreateParams {
  const wchar_t* class_name;
  std::wstring caption;
  DWORD style = WS_OVERLAPPEDWINDOW;
  DWORD ex_style = 0;
  int x = CW_USEDEFAULT, y = CW_USEDEFAULT, width = CW_USEDEFAULT, height = CW_USEDEFAULT;
  // When set, the outer size is made from them (frame, caption and menu bar added).
  int client_width = 0, client_height = 0;
  // The outer size is also the smallest the user can drag the window to.
  bool minimum_is_initial = false;
  HWND parent = nullptr;
  HMENU menu_or_id = nullptr;
  HBRUSH background = nullptr;  // nullptr: the window colour
  HICON icon = nullptr;
  // The menu bar, and the shortcut table built from the same items.
  std::span<const Menu> menus{};
};

// The notification code a command row answers to: a menu item, its
// shortcut or a button click.
inline constexpr int kMenuOrClick = -1;

// One row of a window's command table: the control or menu ID, the member
// that carries it out, and the notification it answers to.
template <class W>
struct Command {
  int id;
  void (W::*run)();
  int code = kMenuOrClick;
};

class Window {
 public:
  explicit Window(const Theme& theme) : theme_(theme) {}
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND hwnd() const { return hwnd_; }
  const Theme& theme() const { return theme_; }
  // The theme's fonts at this window's resolution, for painting by hand.
  const ThemeFonts& fonts() const { return theme_.FontsAt(dpi_); }

  // The resolution the window is drawn at, and conversions between its
  // pixels and logical units.
  int dpi() const { return dpi_; }
  int Scale(int logical) const;
  int Logical(int physical) const;
  // The client area in logical units (left and top 0).
  RECT LogicalClientRect() const;
  // Moves a child control to a logical box and keeps the box for a change of DPI.
  void PlaceControl(HWND control, const Box& box, bool repaint = true);
  // Gives the window the outer size whose client area is `width` x `height`
  // logical units (its frame, caption and menu bar at its DPI), its
  // position kept; returns that outer size in logical units.
  SIZE SetClientSize(int width, int height);
  // Resizes a child control, its logical position kept.
  void ResizeControl(HWND control, int width, int height);
  // A child control's logical box: where the kit placed it, else its
  // rectangle now in logical units.
  Box ControlBox(HWND control) const;
  // The kit window of `hwnd`, or nullptr for any other window.
  static Window* FromHandle(HWND hwnd);

  // Builds the window and its controls unless that was done; false when the
  // system refused. Every showing and every look at the controls goes through it.
  bool EnsureBuilt();
  bool built() const { return hwnd_ != nullptr; }

  // Makes the window visible without a modal loop; a visible window comes to the front.
  void Show();
  // Shows the window modally over its owner and returns when it is closed or hidden.
  void ShowModal(HWND owner);

  // The window's shortcut table, translated by the message loops while the
  // window is active.
  HACCEL accelerators() const { return accelerators_.get(); }
  // Translates a shortcut of the active Corvane window; true when the
  // message was one and has been handled.
  static bool TranslateShortcut(MSG& msg);

  // The named control, or nullptr.
  HWND Control(std::wstring_view name) const;
  int ControlId(std::wstring_view name) const;
  // Files the named controls of a child container (a sheet) under this window too.
  void AdoptControls(const Window& child);

  // The window's part of the unattended inventory report: reads everything
  // again into the model, without showing the window or needing its
  // controls, and returns the model as a section; nothing for a window that
  // has nothing of its own to report. Failures are thrown to the caller.
  virtual std::optional<ReportSection> RefreshForReport() { return std::nullopt; }

 protected:
  // Makes the Win32 window and its controls (the window's FormCreate).
  virtual bool Build() = 0;
  bool Create(const CreateParams& params);
  // The parameters every sizeable Corvane window starts from: resizable,
  // clipping its children, white, with the application icon and its menu bar.
  CreateParams DetailParams(const wchar_t* class_name, std::wstring caption, std::span<const Menu> menus = {}) const;

  // Creates a child control, gives it the theme's normal font and files it by name.
  HWND AddControl(std::wstring name, int id, const wchar_t* win_class, std::wstring_view text, DWORD style,
                  int x, int y, int width, int height, DWORD ex_style = 0, HFONT font = nullptr);
  // Files a control created elsewhere (a sheet's cells, a toolbar).
  void FileControl(std::wstring name, int id, HWND control);

  // The product's web address at the foot of the window. One that opens
  // the web page is underlined in the link colour and shows the hand cursor;
  // one in link style looks the same but does nothing; the others are plain
  // text, and one that runs a command carries it out through the command
  // table row of its ID when clicked.
  enum class LinkKind { kOpensPage, kPlainText, kRunsCommand, kLinkStyle };
  HWND AddWebLink(std::wstring name, int id, int x, int y, LinkKind kind, HFONT font = nullptr);
  void OpenWebPage();

  // The command table: WM_COMMAND messages whose ID and notification match
  // a row run that row's member. A command that arrives while another of
  // this window runs (a message box or a wait lets messages through) is held,
  // the last one only, and runs once the running one has ended. A failure
  // that escapes a command goes to the standard error box.
  template <class W, std::size_t N>
  void BindCommands(const Command<W> (&table)[N]) {
    BindCommandLookup([this, &table](int id, int code, bool run) {
      for (const auto& row : table) {
        const bool code_matches = row.code == kMenuOrClick ? (code == 0 || code == 1) : row.code == code;
        if (row.id == id && code_matches) {
          if (run) (static_cast<W*>(this)->*row.run)();
          return true;
        }
      }
      return false;
    });
  }
  // The general form of a command table: answers whether it carries the
  // command, and carries it out when `run` is set.
  void BindCommandLookup(std::function<bool(int id, int code, bool run)> lookup) { commands_ = std::move(lookup); }
  // Runs the table's command `id` as its menu item would (held while another runs).
  void RunCommand(int id) { DispatchCommand(id, 0, nullptr); }

  // Prints an image of the window on the application's printer; a failure
  // goes on to the command that asked, which shows it.
  void PrintImage(std::wstring_view job_title);
  // Asks the window to close, as its close box does.
  void Close() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

  virtual LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
  // Commands the table does not carry (control notifications).
  virtual void OnCommand(int /*id*/, int /*code*/, HWND /*control*/) {}
  virtual LRESULT OnNotify(NMHDR* /*hdr*/) { return 0; }
  virtual void OnResize(int /*client_width*/, int /*client_height*/) {}
  // Closing hides a window by default: it keeps its contents until shown
  // again. A modal showing ends when its window is hidden.
  virtual void OnClose() { ShowWindow(hwnd_, SW_HIDE); }
  // The brush for a static or read-only control: by default navy text on
  // white, web links in the link colour.
  virtual HBRUSH OnControlColour(HDC dc, HWND control);
  virtual void OnDestroy() {}
  // Runs once a modal showing is on screen, before its loop starts.
  virtual void OnModalShown() {}
  // Runs when the window's DPI has changed, after its controls were re-placed
  // and given the new fonts and before it is laid out again: for what the
  // window sized or drew in pixels of its own (a scroll step, a font).
  virtual void OnDpiChanged() {}

  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }
  // Ends a modal showing, as the close box does.
  void EndModal() { modal_ = false; }

  int min_width_ = 0, min_height_ = 0;  // logical units

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp);
  // Takes the DPI of a top-level window and everything inside it: the
  // suggested outer rectangle (may be null), the fonts, the controls' boxes,
  // then every layout again.
  void ChangeDpi(int dpi, const RECT* suggested);
  // This window's own part of it: its fonts and its controls' boxes.
  void ApplyDpi(int dpi);
  void DispatchCommand(int id, int code, HWND control);
  bool IsOpeningLink(HWND control) const;
  bool IsLinkColoured(HWND control) const;

  struct Named {
    HWND hwnd;
    int id;
  };
  struct HeldCommand {
    int id;
    int code;
    HWND control;
  };
  const Theme& theme_;
  HWND hwnd_ = nullptr;
  platform::UniqueAccel accelerators_;
  bool modal_ = false;
  bool building_ = false;
  bool running_command_ = false;
  std::optional<HeldCommand> held_;
  std::function<bool(int, int, bool)> commands_;
  std::vector<HWND> opening_links_;
  std::vector<HWND> styled_links_;  // link colour without a command
  std::map<std::wstring, Named, std::less<>> controls_;
  std::map<HWND, Box> boxes_;  // logical boxes of the controls the kit placed
  int dpi_ = 96;
};

// The DPI `hwnd` is drawn at: that of the kit window it is or is inside,
// else the system's for it. Controls that size or draw themselves use it.
int DpiOf(HWND hwnd);

// The message the kit sends every child control of a window whose DPI has
// changed (wParam: the new DPI), for controls that draw pictures of their own.
UINT DpiChangedNotice();

// Moves a control to its logical box at its window's DPI (kept by the kit
// window it is in, for a change of DPI), repainting it unless told not to.
void Place(HWND control, const Box& box, bool repaint = true);

// Finds another window of the application by its class name; nullptr when
// the program has none of that class.
using FindWindowFn = std::function<Window*(std::wstring_view class_name)>;

// Where a failure goes: the standard error box, or in an unattended run
// (nobody is there to click it) a line on the standard error stream.
void ShowErrorBox(HWND owner, std::wstring_view message);
void SetUnattended(bool unattended);
bool IsUnattended();

// Lets the messages already waiting in this thread's queue run (paints,
// input, timers, shortcuts), as a command does that must let its window
// catch up before it goes on; commands that arrive meanwhile are held as
// usual. A quit request is put back for the message loop.
void RunPendingMessages();

// The hand cursor of a link label (the arrow on systems that have none).
void SetHandCursor();

// The application-wide hourglass for the life of the object: every window
// shows it while any owner lives, so nested long operations keep it up until
// the outermost ends. Owners may end in any order: one held by a window while
// its background work runs (background_job_win.h) may outlive a command's.
// Owners live on the user-interface thread.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};
bool IsBusy();

}  // namespace corvane::ui
