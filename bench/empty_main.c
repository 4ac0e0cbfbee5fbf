/* The smallest Win32 GUI program: the baseline that auto_run.sh compares
   corvane.exe's unattended run against, so Wine's own start-up cost is seen. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE prev, LPSTR cmd, int show) {
  (void)instance;
  (void)prev;
  (void)cmd;
  (void)show;
  return 0;
}
