// A small UI-automation harness for the end-to-end suite: it starts the real
// corvane.exe that sits beside the test program, finds its windows, reads the
// summary cells, sends commands and keys, and always ends the process.
//
// Everything crosses a process boundary, so only messages that Wine marshals
// are used (WM_GETTEXT, WM_COMMAND, toolbar queries without pointers), and
// every wait is bounded: a hung or crashed program fails a test, never the run.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/main_window_ids.h"
#include "ui/tree_model.h"
#include "platform/unique_handle.h"

namespace corvane::e2e {

using std::chrono::milliseconds;
using namespace std::chrono_literals;

// Bounds used by the suite. A refresh includes a half-second clock
// measurement and cold WMI queries; under a loaded CI machine it can take a
// while, but never a minute.
inline constexpr milliseconds kStartTimeout = 60s;    // process start to visible main window
inline constexpr milliseconds kRefreshTimeout = 60s;  // one refresh pipeline
inline constexpr milliseconds kUiTimeout = 10s;       // a message or a window appearing
inline constexpr milliseconds kExitTimeout = 15s;     // a close request to process end

// Polls pred every `interval` until it holds or `timeout` passes; returns
// whether it held. The one waiting primitive of the suite.
bool WaitUntil(const std::function<bool()>& pred, milliseconds timeout, milliseconds interval = 20ms);

// Command-line quoting that CommandLineToArgvW and the C runtime undo
// exactly: an empty argument becomes "", backslashes are doubled only where
// they precede a quote.
std::wstring QuoteArgument(const std::wstring& arg);
std::wstring BuildCommandLine(const std::wstring& exe, const std::vector<std::wstring>& args);

// The folder of the running test program, with a trailing backslash.
std::wstring ExeDir();
// corvane.exe beside the test program.
std::wstring CorvanePath();

// Whether Windows is 64-bit, decided as the program decides it. There the
// machine's software keys have a 64-bit and a 32-bit view; a seed for one
// view goes, on 32-bit Windows, to the one view there is.
bool WindowsIs64Bit();
// KEY_WOW64_64KEY or KEY_WOW64_32KEY on 64-bit Windows, 0 elsewhere.
REGSAM SeedView(REGSAM view);

// Window helpers that work on windows of any process.
std::wstring ClassName(HWND wnd);
// WM_GETTEXT through SendMessageTimeout; nullopt when the owner does not answer in time.
std::optional<std::wstring> WindowText(HWND wnd, milliseconds timeout = kUiTimeout);
// A message whose answer carries no pointer, sent to a window of any
// process; -1 when its owner does not answer within `timeout`, so a hung
// program fails a check rather than the run.
LRESULT Ask(HWND wnd, UINT msg, WPARAM wp = 0, LPARAM lp = 0, milliseconds timeout = kUiTimeout);
std::vector<HWND> Descendants(HWND parent);  // all levels, in EnumChildWindows order
HWND FindDescendantById(HWND parent, int id);
// The text of the descendant `id`; "" when there is none or its owner does
// not answer within `timeout` (a refresh or a clock measurement holds the
// user-interface thread).
std::wstring ChildText(HWND parent, int id, milliseconds timeout = 2s);
// The lines of a list box of any process (LB_GETTEXT is marshalled);
// nullopt when it does not answer.
std::optional<std::vector<std::wstring>> ListBoxLines(HWND list_box);
// A child button whose text, without '&', equals `text`.
HWND FindButton(HWND parent, const std::wstring& text);
// Sends the button's BN_CLICKED notification to its parent (posted: the
// parent may end a modal loop and must not be waited for).
bool ClickButton(HWND button);
RECT WindowRect(HWND wnd);
inline int Width(const RECT& r) { return r.right - r.left; }
inline int Height(const RECT& r) { return r.bottom - r.top; }
// Caption and the texts of all child windows, joined with " | " (for failure
// messages and for finding a text in a dialog).
std::wstring DescribeWindow(HWND wnd);

// A file's bytes (nullopt if it cannot be opened) and a folder's entry names.
std::optional<std::string> ReadFileBytes(const std::wstring& path);
std::vector<std::wstring> ListFolder(const std::wstring& folder);
bool FileExists(const std::wstring& path);

// A fresh folder under the temporary folder, removed with its contents
// (read-only files included) when the object goes.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& path() const { return path_; }  // with a trailing backslash
  std::wstring operator/(const std::wstring& name) const { return path_ + name; }

 private:
  std::wstring path_;
};

// One running corvane.exe. The destructor closes it (WM_CLOSE, bounded wait)
// and terminates it if it does not end, so no test leaves a process behind.
class CorvaneProcess {
 public:
  explicit CorvaneProcess(const std::vector<std::wstring>& args);
  ~CorvaneProcess();
  CorvaneProcess(const CorvaneProcess&) = delete;
  CorvaneProcess& operator=(const CorvaneProcess&) = delete;

  bool started() const { return static_cast<bool>(process_); }
  DWORD start_error() const { return start_error_; }
  DWORD pid() const { return pid_; }
  const std::wstring& command_line() const { return command_line_; }

  // --- Windows of the process ---
  // Top-level windows of this process, optionally only visible ones and only
  // of one class.
  std::vector<HWND> TopLevelWindows(const std::wstring& cls = {}, bool visible_only = true) const;
  HWND FindWindowOfClass(const std::wstring& cls, bool visible_only = true) const;
  HWND WaitForWindow(const std::wstring& cls, milliseconds timeout = kUiTimeout, bool visible_only = true) const;
  // A standard dialog (message box, "#32770") of this process, visible.
  HWND FindMessageBox() const;
  // Describes (DescribeWindow) and dismisses every visible message box of the
  // process, each waited for to go (bounded); returns the descriptions.
  std::vector<std::wstring> DismissMessageBoxes() const;

  // The visible TForm1; waits for it (the start-up refresh runs before it is
  // shown). Returns nullptr if it does not appear or the process ends first.
  HWND WaitForMainWindow(milliseconds timeout = kStartTimeout);
  HWND main_window() const { return main_; }

  // --- The summary sheet (main window must have been found) ---
  HWND Control(int id) const;
  std::optional<std::wstring> ControlText(int id, milliseconds timeout = kUiTimeout) const;
  std::wstring Info(int row) const;  // "" if the cell is missing or does not answer
  std::wstring Desc(int row) const;
  std::vector<std::wstring> InfoRows() const;  // rows 1..28 at index 0..27

  // --- Toolbar buttons, read through the process's own memory ---
  struct ToolbarButton {
    int command;
    BYTE state;  // TBSTATE_*
  };
  // The buttons of the toolbar control `toolbar_id`, in order; empty if it is
  // missing or cannot be read.
  std::vector<ToolbarButton> ToolbarButtons(int toolbar_id = app::kIdToolbar) const;
  // The items of a tree-view control of the process, as a tree of texts
  // (the control's first root item and everything under it); nullopt when
  // the control is empty or cannot be read.
  std::optional<ui::TreeNode> TreeItems(HWND tree) const;
  // The column captions of a list view of the process, in order; a caption
  // that cannot be read is "<unreadable>".
  std::vector<std::wstring> ListHeaders(HWND list) const;
  // The cell texts of a report-style list view of the process, row by row,
  // one text per header column; nullopt when the list cannot be read.
  std::optional<std::vector<std::vector<std::wstring>>> ListCells(HWND list) const;
  // Selects (and focuses) row `row` of a list view of the process, as a
  // click would; false when the list does not answer.
  bool SelectListRow(HWND list, int row) const;

  // --- Input ---
  // WM_COMMAND sent and waited for (the handler has run when this returns
  // true). Not for commands that open a modal window: use PostCommand.
  bool SendCommand(int cmd, milliseconds timeout = kRefreshTimeout) const;
  bool PostCommand(int cmd) const;
  // A key as the user types it: the main window is brought to the front and
  // the key goes through SendInput, so the program's message loop sees it with
  // the real modifier state and its accelerator table translates it.
  // Modifiers: VK_CONTROL, VK_SHIFT, VK_MENU.
  bool PressKey(UINT vk, const std::vector<UINT>& modifiers = {}) const;
  // A left click in the middle of `wnd` as the user makes it: the main
  // window is brought to the front and the pointer moved there, pressed and
  // released through SendInput.
  bool Click(HWND wnd) const;
  // What the main window's thread has: its focus and caret windows
  // (GetGUIThreadInfo); nullopt when it cannot be read.
  std::optional<GUITHREADINFO> ThreadInfo() const;
  // WM_KEYDOWN/WM_KEYUP posted to the main window: needs no focus, but the
  // program sees no modifier held, so it suits plain keys such as F5 only.
  bool PostKey(UINT vk) const;
  // True once the main window's thread answers a message: it is back in its
  // message loop (a sent command has finished; posted ones may still be queued,
  // so callers poll for the state they expect).
  bool Responsive(milliseconds timeout = kRefreshTimeout) const;

  // --- Lifetime ---
  bool running() const;
  // The exit code once the process has ended within `timeout`.
  std::optional<DWORD> WaitForExit(milliseconds timeout = kExitTimeout) const;
  // Waits for the process to end by itself. Any message box it shows on the
  // way is recorded (caption and texts) and dismissed, so the wait cannot
  // hang on a click nobody makes; if it does not end in time it is terminated.
  struct ExitReport {
    std::optional<DWORD> exit_code;   // nullopt: did not end by itself in time
    std::vector<std::wstring> boxes;  // message boxes seen, one text each
    milliseconds elapsed{};
  };
  ExitReport WatchUntilExit(milliseconds timeout);
  // WM_CLOSE to the main window (or every window of the process), bounded
  // wait, then TerminateProcess. Returns the exit code if it ended by itself.
  std::optional<DWORD> Close(milliseconds timeout = kExitTimeout);
  void Terminate();

 private:
  platform::UniqueKernelObject process_;
  DWORD pid_ = 0;
  DWORD start_error_ = 0;
  std::wstring command_line_;
  HWND main_ = nullptr;
};

// The objects of a WQL query as this process sees them on WMI's native
// interfaces (independently of the program's own route): per object, the
// text of each of `properties` it has (VariantChangeType's text; "NULL" for
// a null value). A property the class lacks is left out of the map. nullopt
// when the query cannot be run.
using WmiObjectTexts = std::map<std::wstring, std::wstring>;
std::optional<std::vector<WmiObjectTexts>> QueryWmiObjects(const std::wstring& query,
                                                           const std::vector<std::wstring>& properties);

// ---------------------------------------------------------------------------
// Opening a window from the main window.

// How the main window reaches one of its windows.
struct WindowCommand {
  int command;               // the main window's command that shows it
  std::wstring window_class;
  bool modal = false;        // shown modally: the command is posted, not waited for
};

// Whether a shown window shows its model yet.
using FilledTest = std::function<bool(HWND window)>;
// The descendant `id` holds some text.
FilledTest ChildHasText(int id);
// The texts of the window (DescribeWindow) include `text`.
FilledTest ShowsText(std::wstring text);

struct OpenedWindow {
  HWND window = nullptr;  // visible and filled; nullptr when either did not happen
  std::wstring failure;   // what did not happen, when window is nullptr
};
// Runs the command, waits for a visible window of the class, then until
// `filled` holds for it; each wait bounded by `timeout`.
OpenedWindow OpenWindow(const CorvaneProcess& app, const WindowCommand& how, const FilledTest& filled,
                        milliseconds timeout = kRefreshTimeout);

// A suite about one window that the main window opens. One process started
// with /norefresh serves the whole suite; each test finds the window shown
// and filled, and leaves it closed with no message box open.
//
// Suite is the derived fixture. It names its window with
//   static WindowCommand Window();
//   static FilledTest Filled();
// and may hide BeforeStart() and AfterEnd() to prepare what the process
// needs (a drive, say) before it starts and remove it after it has ended.
template <class Suite>
class WindowSuite : public testing::Test {
 public:
  static void SetUpTestSuite() {
    Suite::BeforeStart();
    app_ = std::make_unique<CorvaneProcess>(std::vector<std::wstring>{L"/norefresh"});
    if (app_->started()) app_->WaitForMainWindow();
  }
  static void TearDownTestSuite() {
    app_.reset();
    Suite::AfterEnd();
  }
  static void BeforeStart() {}
  static void AfterEnd() {}

 protected:
  void SetUp() override {
    ASSERT_TRUE(app_->started()) << "CreateProcess error " << app_->start_error();
    ASSERT_TRUE(app_->main_window()) << "no visible TForm1";
    ASSERT_TRUE(Open());
  }
  void TearDown() override {
    // A box left open would also block the next test's commands.
    for (const std::wstring& box : app_->DismissMessageBoxes()) {
      ADD_FAILURE() << "a message box was left open: " << testing::PrintToString(box);
    }
    if (window_ && IsWindowVisible(window_)) Close();
  }

  // Opens the window through its command and waits until it shows its model.
  testing::AssertionResult Open() {
    const WindowCommand how = Suite::Window();
    const OpenedWindow opened = OpenWindow(*app_, how, Suite::Filled());
    window_ = opened.window;
    if (!window_) return testing::AssertionFailure() << opened.failure;
    return testing::AssertionSuccess();
  }
  // The close box: the window hides.
  void Close() const {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(window_); }, kUiTimeout)) << "closing hides it";
  }

  HWND Child(int id) const { return FindDescendantById(window_, id); }
  // A child's text; "<missing>" without the child, "?" when it does not answer.
  std::wstring Text(int id) const {
    HWND child = Child(id);
    return child ? WindowText(child).value_or(L"?") : L"<missing>";
  }

  static inline std::unique_ptr<CorvaneProcess> app_;
  HWND window_ = nullptr;
};

}  // namespace corvane::e2e
