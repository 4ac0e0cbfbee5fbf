#include "e2e/harness.h"

#include <commctrl.h>

#include <algorithm>
#include <thread>

#include "platform/registry_views.h"
#include "ui/product.h"

namespace corvane::e2e {
namespace {

using Clock = std::chrono::steady_clock;

UINT ToMs(milliseconds d) { return static_cast<UINT>(std::max<long long>(0, d.count())); }

struct EnumState {
  DWORD pid;
  const std::wstring* cls;
  bool visible_only;
  std::vector<HWND>* out;
};

BOOL CALLBACK CollectTopLevel(HWND wnd, LPARAM param) {
  auto* st = reinterpret_cast<EnumState*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  if (pid != st->pid) return TRUE;
  if (st->visible_only && !IsWindowVisible(wnd)) return TRUE;
  if (!st->cls->empty() && ClassName(wnd) != *st->cls) return TRUE;
  st->out->push_back(wnd);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND wnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(wnd);
  return TRUE;
}

struct FindTraits {
  using Handle = HANDLE;
  static constexpr platform::HandleKind kind = platform::HandleKind::kFind;
  static Handle invalid() noexcept { return INVALID_HANDLE_VALUE; }
  static void close(Handle h) noexcept { ::FindClose(h); }
};

std::wstring WithoutAmpersands(std::wstring s) {
  std::erase(s, L'&');
  return s;
}

void RemoveTree(const std::wstring& folder) {
  for (const auto& name : ListFolder(folder)) {
    std::wstring path = folder + name;
    DWORD attrs = GetFileAttributesW(path.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES) continue;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (attrs & FILE_ATTRIBUTE_DIRECTORY) {
      RemoveTree(path + L"\\");
    } else {
      DeleteFileW(path.c_str());
    }
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

bool WaitUntil(const std::function<bool()>& pred, milliseconds timeout, milliseconds interval) {
  const auto deadline = Clock::now() + timeout;
  for (;;) {
    if (pred()) return true;
    if (Clock::now() >= deadline) return false;
    std::this_thread::sleep_for(interval);
  }
}

std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count double only in front of a quote.
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');  // they precede the closing quote
  out += L'"';
  return out;
}

std::wstring BuildCommandLine(const std::wstring& exe, const std::vector<std::wstring>& args) {
  std::wstring line = QuoteArgument(exe);
  for (const auto& a : args) line += L' ' + QuoteArgument(a);
  return line;
}

std::wstring ExeDir() {
  std::wstring buf(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return {};
    if (n < buf.size()) {
      buf.resize(n);
      break;
    }
    buf.resize(buf.size() * 2);
  }
  return buf.substr(0, buf.find_last_of(L"\\/") + 1);
}

std::wstring CorvanePath() { return ExeDir() + std::wstring(ui::kProgramFile); }

bool WindowsIs64Bit() {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  const auto is_wow64 = reinterpret_cast<IsWow64ProcessFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsWow64Process")));
  BOOL wow64 = FALSE;
  std::optional<bool> answer;
  if (is_wow64 && is_wow64(GetCurrentProcess(), &wow64)) answer = wow64 != FALSE;
  return platform::SystemIs64Bit(sizeof(void*) == 8, answer);
}

REGSAM SeedView(REGSAM view) { return WindowsIs64Bit() ? view : 0; }

std::wstring ClassName(HWND wnd) {
  wchar_t buf[256] = {};
  int n = GetClassNameW(wnd, buf, 256);
  return std::wstring(buf, n > 0 ? n : 0);
}

std::optional<std::wstring> WindowText(HWND wnd, milliseconds timeout) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutW(wnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, ToMs(timeout), &len)) {
    return std::nullopt;
  }
  std::wstring text(len + 1, L'\0');
  DWORD_PTR got = 0;
  if (!SendMessageTimeoutW(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                           ToMs(timeout), &got)) {
    return std::nullopt;
  }
  text.resize(std::min<size_t>(got, len));
  return text;
}

LRESULT Ask(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, milliseconds timeout) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(wnd, msg, wp, lp, SMTO_ABORTIFHUNG, ToMs(timeout), &result)) return -1;
  return static_cast<LRESULT>(result);
}

std::vector<HWND> Descendants(HWND parent) {
  std::vector<HWND> out;
  EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&out));
  return out;
}

HWND FindDescendantById(HWND parent, int id) {
  for (HWND w : Descendants(parent)) {
    if (GetDlgCtrlID(w) == id) return w;
  }
  return nullptr;
}

std::wstring ChildText(HWND parent, int id, milliseconds timeout) {
  HWND child = FindDescendantById(parent, id);
  if (!child) return L"";
  return WindowText(child, timeout).value_or(L"");
}

std::optional<std::vector<std::wstring>> ListBoxLines(HWND list_box) {
  const LRESULT count = Ask(list_box, LB_GETCOUNT);
  if (count < 0) return std::nullopt;
  std::vector<std::wstring> lines;
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = Ask(list_box, LB_GETTEXTLEN, static_cast<WPARAM>(i));
    if (length < 0) return std::nullopt;
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = Ask(list_box, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    if (got < 0) return std::nullopt;
    text.resize(std::min<size_t>(static_cast<size_t>(got), static_cast<size_t>(length)));
    lines.push_back(std::move(text));
  }
  return lines;
}

HWND FindButton(HWND parent, const std::wstring& text) {
  for (HWND w : Descendants(parent)) {
    if (_wcsicmp(ClassName(w).c_str(), L"Button") != 0) continue;
    auto t = WindowText(w);
    if (t && WithoutAmpersands(*t) == text) return w;
  }
  return nullptr;
}

bool ClickButton(HWND button) {
  HWND parent = GetParent(button);
  if (!parent) return false;
  return PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                      reinterpret_cast<LPARAM>(button)) != FALSE;
}

RECT WindowRect(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return r;
}

std::wstring DescribeWindow(HWND wnd) {
  std::wstring out = L"[" + ClassName(wnd) + L"] " + WindowText(wnd).value_or(L"?");
  for (HWND c : Descendants(wnd)) {
    auto t = WindowText(c);
    if (t && !t->empty()) out += L" | " + *t;
  }
  return out;
}

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  platform::UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buf[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), buf, sizeof buf, &got, nullptr) && got > 0) bytes.append(buf, got);
  return bytes;
}

std::vector<std::wstring> ListFolder(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW fd;
  platform::UniqueHandle<FindTraits> find(FindFirstFileW((folder + L"*").c_str(), &fd));
  if (!find) return names;
  do {
    std::wstring n = fd.cFileName;
    if (n != L"." && n != L"..") names.push_back(n);
  } while (FindNextFileW(find.get(), &fd));
  std::sort(names.begin(), names.end());
  return names;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TempFolder::TempFolder() {
  wchar_t base[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, base);
  static unsigned counter = 0;
  for (;;) {
    path_ = std::wstring(base) + L"corvane-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++counter);
    if (CreateDirectoryW(path_.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  path_ += L"\\";
}

TempFolder::~TempFolder() { RemoveTree(path_); }

// ---------------------------------------------------------------------------

CorvaneProcess::CorvaneProcess(const std::vector<std::wstring>& args) {
  const std::wstring exe = CorvanePath();
  command_line_ = BuildCommandLine(exe, args);
  std::wstring mutable_line = command_line_;  // CreateProcessW may write into it
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(exe.c_str(), mutable_line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    start_error_ = GetLastError();
    return;
  }
  platform::UniqueKernelObject thread(pi.hThread);
  process_.reset(pi.hProcess);
  pid_ = pi.dwProcessId;
}

CorvaneProcess::~CorvaneProcess() {
  if (running()) Close();
}

std::vector<HWND> CorvaneProcess::TopLevelWindows(const std::wstring& cls, bool visible_only) const {
  std::vector<HWND> out;
  if (!pid_) return out;
  EnumState st{pid_, &cls, visible_only, &out};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&st));
  return out;
}

HWND CorvaneProcess::FindWindowOfClass(const std::wstring& cls, bool visible_only) const {
  auto all = TopLevelWindows(cls, visible_only);
  return all.empty() ? nullptr : all.front();
}

HWND CorvaneProcess::WaitForWindow(const std::wstring& cls, milliseconds timeout, bool visible_only) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindWindowOfClass(cls, visible_only)) != nullptr || !running(); }, timeout);
  return found;
}

HWND CorvaneProcess::FindMessageBox() const { return FindWindowOfClass(L"#32770"); }

std::vector<std::wstring> CorvaneProcess::DismissMessageBoxes() const {
  std::vector<std::wstring> seen;
  for (HWND box : TopLevelWindows(L"#32770")) {
    seen.push_back(DescribeWindow(box));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    PostMessageW(box, WM_CLOSE, 0, 0);
    WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, kUiTimeout);
  }
  return seen;
}

HWND CorvaneProcess::WaitForMainWindow(milliseconds timeout) {
  main_ = WaitForWindow(L"TForm1", timeout);
  return main_;
}

HWND CorvaneProcess::Control(int id) const { return main_ ? FindDescendantById(main_, id) : nullptr; }

std::optional<std::wstring> CorvaneProcess::ControlText(int id, milliseconds timeout) const {
  HWND c = Control(id);
  if (!c) return std::nullopt;
  return WindowText(c, timeout);
}

std::wstring CorvaneProcess::Info(int row) const { return ControlText(app::InfoId(row)).value_or(L""); }
std::wstring CorvaneProcess::Desc(int row) const { return ControlText(app::DescId(row)).value_or(L""); }

std::vector<std::wstring> CorvaneProcess::InfoRows() const {
  std::vector<std::wstring> rows;
  for (int n = 1; n <= app::kRowCount; ++n) rows.push_back(Info(n));
  return rows;
}

bool CorvaneProcess::SendCommand(int cmd, milliseconds timeout) const {
  DWORD_PTR result = 0;
  return main_ && SendMessageTimeoutW(main_, WM_COMMAND, MAKEWPARAM(cmd, 0), 0, SMTO_NORMAL, ToMs(timeout), &result);
}

bool CorvaneProcess::PostCommand(int cmd) const {
  return main_ && PostMessageW(main_, WM_COMMAND, MAKEWPARAM(cmd, 0), 0);
}

bool CorvaneProcess::PressKey(UINT vk, const std::vector<UINT>& modifiers) const {
  if (!main_) return false;
  // No window manager runs on the test display, so nothing refuses the
  // foreground change; wait until Wine's server has recorded it.
  SetForegroundWindow(main_);
  if (!WaitUntil([&] { return GetForegroundWindow() == main_; }, kUiTimeout)) return false;
  std::vector<INPUT> in;
  auto key = [&](UINT k, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = static_cast<WORD>(k);
    i.ki.wScan = static_cast<WORD>(MapVirtualKeyW(k, 0 /* MAPVK_VK_TO_VSC */));
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  for (UINT m : modifiers) key(m, false);
  key(vk, false);
  key(vk, true);
  for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) key(*it, true);
  return SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)) == in.size();
}

bool CorvaneProcess::Click(HWND wnd) const {
  if (!main_ || !wnd) return false;
  SetForegroundWindow(main_);
  if (!WaitUntil([&] { return GetForegroundWindow() == main_; }, kUiTimeout)) return false;
  const RECT r = WindowRect(wnd);
  // Absolute pointer positions run from 0 to 65535 across the primary screen.
  const auto normal = [](LONG pixel, int screen) {
    return static_cast<LONG>((pixel * 65535 + screen / 2) / (screen - 1));
  };
  INPUT in[3]{};
  for (INPUT& i : in) i.type = INPUT_MOUSE;
  in[0].mi.dx = normal((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN));
  in[0].mi.dy = normal((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN));
  in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  return SendInput(3, in, sizeof(INPUT)) == 3;
}

std::optional<GUITHREADINFO> CorvaneProcess::ThreadInfo() const {
  if (!main_) return std::nullopt;
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info)) return std::nullopt;
  return info;
}

bool CorvaneProcess::PostKey(UINT vk) const {
  if (!main_) return false;
  const UINT scan = MapVirtualKeyW(vk, 0 /* MAPVK_VK_TO_VSC */);
  const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
  const LPARAM up = down | (1L << 30) | (1L << 31);
  return PostMessageW(main_, WM_KEYDOWN, vk, down) && PostMessageW(main_, WM_KEYUP, vk, up);
}

bool CorvaneProcess::Responsive(milliseconds timeout) const {
  DWORD_PTR result = 0;
  return main_ && SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, ToMs(timeout), &result);
}

bool CorvaneProcess::running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

std::optional<DWORD> CorvaneProcess::WaitForExit(milliseconds timeout) const {
  if (!process_ || WaitForSingleObject(process_.get(), ToMs(timeout)) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  if (!GetExitCodeProcess(process_.get(), &code)) return std::nullopt;
  return code;
}

CorvaneProcess::ExitReport CorvaneProcess::WatchUntilExit(milliseconds timeout) {
  ExitReport report;
  const auto start = Clock::now();
  WaitUntil(
      [&] {
        for (std::wstring& box : DismissMessageBoxes()) report.boxes.push_back(std::move(box));
        return !running();
      },
      timeout);
  report.elapsed = std::chrono::duration_cast<milliseconds>(Clock::now() - start);
  report.exit_code = WaitForExit(0ms);
  if (!report.exit_code) Terminate();
  return report;
}

std::vector<CorvaneProcess::ToolbarButton> CorvaneProcess::ToolbarButtons(int toolbar_id) const {
  std::vector<ToolbarButton> out;
  HWND tb = Control(toolbar_id);
  if (!tb || !process_) return out;
  DWORD_PTR count = 0;
  if (!SendMessageTimeoutW(tb, TB_BUTTONCOUNT, 0, 0, SMTO_ABORTIFHUNG, ToMs(kUiTimeout), &count)) return out;
  // TB_GETBUTTON writes into the caller's memory, which must be the
  // toolbar's process: borrow a page there.
  void* remote = VirtualAllocEx(process_.get(), nullptr, sizeof(TBBUTTON), MEM_COMMIT, PAGE_READWRITE);
  if (!remote) return out;
  for (DWORD_PTR i = 0; i < count; ++i) {
    DWORD_PTR ok = 0;
    TBBUTTON b{};
    SIZE_T got = 0;
    if (!SendMessageTimeoutW(tb, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, ToMs(kUiTimeout),
                             &ok) ||
        !ok || !ReadProcessMemory(process_.get(), remote, &b, sizeof b, &got) || got != sizeof b) {
      out.clear();
      break;
    }
    out.push_back({b.idCommand, b.fsState});
  }
  VirtualFreeEx(process_.get(), remote, 0, MEM_RELEASE);
  return out;
}

namespace {

// Reads one tree item and, depth first, its children. Items are read
// through a page borrowed in the tree's process: the request at its start,
// the text after it.
bool ReadTreeItem(HANDLE process, HWND tree, char* remote, HTREEITEM item, ui::TreeNode& node, int depth) {
  constexpr SIZE_T kTextAt = 512;
  constexpr int kTextChars = (4096 - kTextAt) / sizeof(wchar_t);
  if (depth > 64) return false;  // a tree deeper than any the program builds
  TVITEMW request{};
  request.mask = TVIF_TEXT | TVIF_HANDLE;
  request.hItem = item;
  request.pszText = reinterpret_cast<wchar_t*>(remote + kTextAt);
  request.cchTextMax = kTextChars;
  std::vector<wchar_t> text(kTextChars);
  SIZE_T moved = 0;
  if (!WriteProcessMemory(process, remote, &request, sizeof request, &moved) ||
      Ask(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(remote)) != TRUE ||
      !ReadProcessMemory(process, remote + kTextAt, text.data(), text.size() * sizeof(wchar_t), &moved)) {
    return false;
  }
  text.back() = L'\0';
  node.text = text.data();
  for (LRESULT child = Ask(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)); child != 0 && child != -1;
       child = Ask(tree, TVM_GETNEXTITEM, TVGN_NEXT, child)) {
    node.children.emplace_back();
    if (!ReadTreeItem(process, tree, remote, reinterpret_cast<HTREEITEM>(child), node.children.back(), depth + 1)) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<ui::TreeNode> CorvaneProcess::TreeItems(HWND tree) const {
  if (!tree || !process_) return std::nullopt;
  const LRESULT root = Ask(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
  if (root == 0 || root == -1) return std::nullopt;
  auto* remote = static_cast<char*>(VirtualAllocEx(process_.get(), nullptr, 4096, MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return std::nullopt;
  ui::TreeNode node;
  const bool ok = ReadTreeItem(process_.get(), tree, remote, reinterpret_cast<HTREEITEM>(root), node, 0);
  VirtualFreeEx(process_.get(), remote, 0, MEM_RELEASE);
  if (!ok) return std::nullopt;
  return node;
}

namespace {

// A page borrowed in another process for the requests of a list view or
// its header: the request at its start, the text after it.
class RemotePage {
 public:
  static constexpr SIZE_T kSize = 4096, kTextAt = 1024;
  static constexpr int kTextChars = static_cast<int>((kSize - kTextAt) / sizeof(wchar_t));

  explicit RemotePage(HANDLE process)
      : process_(process),
        page_(process ? static_cast<char*>(VirtualAllocEx(process, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE))
                      : nullptr) {}
  ~RemotePage() {
    if (page_) VirtualFreeEx(process_, page_, 0, MEM_RELEASE);
  }
  RemotePage(const RemotePage&) = delete;
  RemotePage& operator=(const RemotePage&) = delete;

  explicit operator bool() const { return page_ != nullptr; }
  wchar_t* text() const { return reinterpret_cast<wchar_t*>(page_ + kTextAt); }
  // Writes the request, sends `msg` with the page's address as LPARAM, and
  // reads the text back if the answer passes `accept`.
  // Writes the request and sends `msg` with the page's address as LPARAM;
  // the answer, or -1 when the request could not be written.
  template <class Request>
  LRESULT Send(HWND control, UINT msg, WPARAM wp, const Request& request) const {
    SIZE_T moved = 0;
    if (!WriteProcessMemory(process_, page_, &request, sizeof request, &moved)) return -1;
    return e2e::Ask(control, msg, wp, reinterpret_cast<LPARAM>(page_));
  }
  template <class Request, class Accept>
  std::optional<std::wstring> Ask(HWND control, UINT msg, WPARAM wp, const Request& request, Accept accept) const {
    std::vector<wchar_t> text(kTextChars);
    SIZE_T moved = 0;
    if (!WriteProcessMemory(process_, page_, &request, sizeof request, &moved)) return std::nullopt;
    if (!accept(e2e::Ask(control, msg, wp, reinterpret_cast<LPARAM>(page_)))) return std::nullopt;
    if (!ReadProcessMemory(process_, page_ + kTextAt, text.data(), text.size() * sizeof(wchar_t), &moved)) {
      return std::nullopt;
    }
    text.back() = L'\0';
    return std::wstring(text.data());
  }

 private:
  HANDLE process_;
  char* page_;
};

}  // namespace

std::vector<std::wstring> CorvaneProcess::ListHeaders(HWND list) const {
  std::vector<std::wstring> texts;
  HWND header = reinterpret_cast<HWND>(Ask(list, LVM_GETHEADER));
  const LRESULT count = header ? Ask(header, HDM_GETITEMCOUNT) : 0;
  const RemotePage page(process_.get());
  if (!page || count <= 0) return texts;
  for (LRESULT i = 0; i < count; ++i) {
    HDITEMW item{};
    item.mask = HDI_TEXT;
    item.pszText = page.text();
    item.cchTextMax = RemotePage::kTextChars;
    texts.push_back(page.Ask(header, HDM_GETITEMW, static_cast<WPARAM>(i), item, [](LRESULT r) { return r > 0; })
                        .value_or(L"<unreadable>"));
  }
  return texts;
}

std::optional<std::vector<std::vector<std::wstring>>> CorvaneProcess::ListCells(HWND list) const {
  HWND header = reinterpret_cast<HWND>(Ask(list, LVM_GETHEADER));
  const LRESULT columns = header ? Ask(header, HDM_GETITEMCOUNT) : -1;
  const LRESULT rows = Ask(list, LVM_GETITEMCOUNT);
  const RemotePage page(process_.get());
  if (!page || columns < 0 || rows < 0) return std::nullopt;
  std::vector<std::vector<std::wstring>> cells(static_cast<std::size_t>(rows));
  for (LRESULT r = 0; r < rows; ++r) {
    for (LRESULT c = 0; c < columns; ++c) {
      LVITEMW item{};
      item.iSubItem = static_cast<int>(c);
      item.pszText = page.text();
      item.cchTextMax = RemotePage::kTextChars;
      std::optional<std::wstring> text =
          page.Ask(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(r), item, [](LRESULT n) { return n >= 0; });
      if (!text) return std::nullopt;
      cells[static_cast<std::size_t>(r)].push_back(std::move(*text));
    }
  }
  return cells;
}

bool CorvaneProcess::SelectListRow(HWND list, int row) const {
  const RemotePage page(process_.get());
  if (!page) return false;
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = LVIS_SELECTED | LVIS_FOCUSED;
  return page.Send(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), state) == TRUE;
}

std::optional<DWORD> CorvaneProcess::Close(milliseconds timeout) {
  if (!process_) return std::nullopt;
  if (running()) {
    // Dismiss message boxes first: while one is up, the main window's close
    // request would wait behind its modal loop.
    for (HWND box : TopLevelWindows(L"#32770")) PostMessageW(box, WM_COMMAND, IDOK, 0);
    std::vector<HWND> targets;
    if (main_ && IsWindow(main_)) {
      targets.push_back(main_);
    } else {
      targets = TopLevelWindows({}, false);
    }
    for (HWND w : targets) PostMessageW(w, WM_CLOSE, 0, 0);
  }
  if (auto code = WaitForExit(timeout)) return code;
  Terminate();
  return std::nullopt;
}

void CorvaneProcess::Terminate() {
  if (!process_) return;
  TerminateProcess(process_.get(), 0xDEAD);
  WaitForSingleObject(process_.get(), ToMs(kExitTimeout));
}

// ---------------------------------------------------------------------------

FilledTest ChildHasText(int id) {
  return [id](HWND window) { return !ChildText(window, id).empty(); };
}

FilledTest ShowsText(std::wstring text) {
  return [text = std::move(text)](HWND window) { return DescribeWindow(window).find(text) != std::wstring::npos; };
}

OpenedWindow OpenWindow(const CorvaneProcess& app, const WindowCommand& how, const FilledTest& filled,
                        milliseconds timeout) {
  OpenedWindow out;
  const std::wstring command = L"command " + std::to_wstring(how.command);
  // A modeless window is shown (and, by most, filled) before the command
  // returns; a modal one is shown inside it, so the command is not waited for.
  const bool asked = how.modal ? app.PostCommand(how.command) : app.SendCommand(how.command, timeout);
  if (!asked) {
    out.failure = command + L" was not taken by the main window within the time allowed";
    return out;
  }
  HWND window = app.WaitForWindow(how.window_class, timeout);
  if (!window) {
    out.failure = command + L" showed no visible " + how.window_class;
    return out;
  }
  if (!WaitUntil([&] { return filled(window); }, timeout)) {
    out.failure = how.window_class + L" did not show its contents: " + DescribeWindow(window);
    return out;
  }
  out.window = window;
  return out;
}

}  // namespace corvane::e2e
