#include "app/application_win.h"

namespace corvane::app {

int RunApplication(HINSTANCE, int) { return 0; }

}  // namespace corvane::app
