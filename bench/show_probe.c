/* Times a program's start-up to its main window shown and painted, from
   inside the Wine session, so that neither the shell nor the `wine` launcher
   is in the figure. Each round starts the empty program (start to exit: what
   any process costs here) and then the program under test (start to painted),
   alternately, so a load change on the machine hits both alike.

     show_probe.exe ROUNDS EMPTY.EXE CLASS PROGRAM.EXE [ARGS...]

   "Painted" is decided from outside, as a user would see it: a visible
   top-level window of class CLASS belongs to the started process, and then,
   after its thread has answered a WM_NULL, neither that window nor any of its
   descendants has an update region left. The WM_NULL round trip matters: an
   empty update region alone is also what a window shows while its WM_PAINT
   handler runs (BeginPaint validates first), and the reply comes only once the
   thread is back at its message queue. The window is then closed with
   WM_CLOSE and the process must end by itself.

   Prints one line per round (ms) and the medians. */
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static double now_ms(void) {
  static LARGE_INTEGER freq;
  LARGE_INTEGER t;
  if (!freq.QuadPart) QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&t);
  return 1000.0 * (double)t.QuadPart / (double)freq.QuadPart;
}

/* Appends ARG to LINE, quoted as CommandLineToArgvW reads it back. */
static void append_arg(wchar_t* line, size_t cap, const wchar_t* arg) {
  size_t n = wcslen(line);
  size_t slashes = 0;
  if (n && n + 1 < cap) line[n++] = L' ';
  if (n + 1 < cap) line[n++] = L'"';
  for (; *arg && n + 4 < cap; ++arg) {
    if (*arg == L'\\') {
      ++slashes;
    } else {
      if (*arg == L'"') {
        while (slashes-- > 0 && n + 4 < cap) line[n++] = L'\\';
        line[n++] = L'\\';
      }
      slashes = 0;
    }
    line[n++] = *arg;
  }
  while (slashes-- > 0 && n + 3 < cap) line[n++] = L'\\';
  if (n + 1 < cap) line[n++] = L'"';
  line[n] = 0;
}

static BOOL start(wchar_t* line, PROCESS_INFORMATION* pi) {
  STARTUPINFOW si;
  memset(&si, 0, sizeof si);
  si.cb = sizeof si;
  return CreateProcessW(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &si, pi);
}

struct find_state {
  DWORD pid;
  const wchar_t* cls;
  HWND found;
};

static BOOL CALLBACK find_top(HWND wnd, LPARAM param) {
  struct find_state* st = (struct find_state*)param;
  DWORD pid = 0;
  wchar_t cls[64];
  GetWindowThreadProcessId(wnd, &pid);
  if (pid != st->pid || !IsWindowVisible(wnd)) return TRUE;
  if (!GetClassNameW(wnd, cls, 64) || wcscmp(cls, st->cls) != 0) return TRUE;
  st->found = wnd;
  return FALSE;
}

static BOOL CALLBACK find_dirty_child(HWND wnd, LPARAM param) {
  if (IsWindowVisible(wnd) && GetUpdateRect(wnd, NULL, FALSE)) {
    *(BOOL*)param = TRUE;
    return FALSE;
  }
  return TRUE;
}

static BOOL painted(HWND wnd) {
  DWORD_PTR reply;
  BOOL dirty = FALSE;
  if (!SendMessageTimeoutW(wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &reply)) return FALSE;
  if (GetUpdateRect(wnd, NULL, FALSE)) return FALSE;
  EnumChildWindows(wnd, find_dirty_child, (LPARAM)&dirty);
  return !dirty;
}

static int cmp_double(const void* a, const void* b) {
  double x = *(const double*)a, y = *(const double*)b;
  return x < y ? -1 : x > y;
}

static double median(double* v, int n) {
  qsort(v, (size_t)n, sizeof *v, cmp_double);
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

/* Start to exit of the empty program, or -1. */
static double time_empty(wchar_t* line) {
  PROCESS_INFORMATION pi;
  double t0 = now_ms(), t;
  if (!start(line, &pi)) return -1;
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) return -1;
  t = now_ms() - t0;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return t;
}

/* Start to visible and start to painted of the program under test; false on failure. */
static BOOL time_show(wchar_t* line, const wchar_t* cls, double* visible, double* shown) {
  PROCESS_INFORMATION pi;
  struct find_state st;
  double t0 = now_ms(), deadline;
  DWORD code = 1;
  *visible = -1;
  if (!start(line, &pi)) return FALSE;
  st.pid = pi.dwProcessId;
  st.cls = cls;
  st.found = NULL;
  deadline = t0 + 60000;
  for (;;) {
    if (!st.found) {
      EnumWindows(find_top, (LPARAM)&st);
      if (st.found) *visible = now_ms() - t0;
    }
    if (st.found && painted(st.found)) break;
    if (now_ms() > deadline || WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) {
      fprintf(stderr, "no painted window of class %ls\n", cls);
      TerminateProcess(pi.hProcess, 1);
      return FALSE;
    }
    Sleep(1);
  }
  *shown = now_ms() - t0;
  PostMessageW(st.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) {
    fprintf(stderr, "the program did not end after WM_CLOSE\n");
    TerminateProcess(pi.hProcess, 1);
    return FALSE;
  }
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  if (code != 0) fprintf(stderr, "exit code %lu\n", (unsigned long)code);
  return code == 0;
}

int wmain(int argc, wchar_t** argv) {
  static wchar_t empty_line[4096], line[8192];
  double *empty, *visible, *shown, *extra;
  int rounds, i, r;
  if (argc < 5 || (rounds = _wtoi(argv[1])) < 1) {
    fprintf(stderr, "usage: show_probe ROUNDS EMPTY.EXE CLASS PROGRAM.EXE [ARGS...]\n");
    return 2;
  }
  append_arg(empty_line, 4096, argv[2]);
  for (i = 4; i < argc; ++i) append_arg(line, 8192, argv[i]);
  empty = calloc((size_t)rounds, sizeof *empty);
  visible = calloc((size_t)rounds, sizeof *visible);
  shown = calloc((size_t)rounds, sizeof *shown);
  extra = calloc((size_t)rounds, sizeof *extra);

  /* One unmeasured round of each: file cache, the server's class tables. */
  if (time_empty(empty_line) < 0) {
    fprintf(stderr, "the empty program did not run\n");
    return 1;
  }
  if (!time_show(line, argv[3], &visible[0], &shown[0])) return 1;

  printf("round  empty-exit  visible  painted  painted-empty (ms)\n");
  for (r = 0; r < rounds; ++r) {
    empty[r] = time_empty(empty_line);
    if (empty[r] < 0) {
      fprintf(stderr, "round %d: the empty program did not run (error %lu)\n", r + 1, GetLastError());
      return 1;
    }
    if (!time_show(line, argv[3], &visible[r], &shown[r])) return 1;
    extra[r] = shown[r] - empty[r];
    printf("%5d  %10.1f  %7.1f  %7.1f  %13.1f\n", r + 1, empty[r], visible[r], shown[r], extra[r]);
  }
  printf("median %10.1f  %7.1f  %7.1f  %13.1f\n", median(empty, rounds), median(visible, rounds),
         median(shown, rounds), median(extra, rounds));
  return 0;
}
