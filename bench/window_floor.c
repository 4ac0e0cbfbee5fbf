/* The least a painted main window costs under this system: a window of
   class TForm1 with the common controls initialised, shown and painted, then
   closed by WM_CLOSE. show_run.sh times it like corvane.exe, so the part of
   corvane's painted start-up that any such window pays is seen apart. It is
   built with corvane's own manifest (common controls 6, visual styles). */
#include <windows.h>
#include <commctrl.h>

static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prev, LPSTR cmd, int show) {
  (void)prev;
  (void)cmd;
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  WNDCLASSW wc = {0};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"TForm1";
  if (!RegisterClassW(&wc)) return 1;
  HWND hwnd = CreateWindowExW(0, L"TForm1", L"floor", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 800, 600,
                              NULL, NULL, instance, NULL);
  if (!hwnd) return 1;
  CreateWindowExW(0, L"STATIC", L"text", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20, hwnd, NULL, instance, NULL);
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageW(&msg, NULL, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
