#pragma once
#include <windows.h>

namespace corvane::app {

// Initialises COM and the common controls, creates the windows in their fixed
// order, runs the message loop and returns the process exit code.
int RunApplication(HINSTANCE instance, int show);

}  // namespace corvane::app
