#include <windows.h>

#include "app/application_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  return corvane::app::RunApplication(instance, show);
}
