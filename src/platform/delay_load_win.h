// The DLLs that start-up never calls are delay-loaded (cmake/delay_load.cmake):
// each is loaded, and each of its functions bound, on the function's first
// call. Where that fails -- the library or the function is missing on this
// Windows -- the program says "<library>: <function> is missing" and ends at
// once with exit code 1, on whichever thread made the call. It cannot go on:
// the caller expects the function to have run, and a failure cannot be
// thrown back through the import thunk (it has no unwind information).
#pragma once
#include <string_view>

namespace corvane::platform {

// Where the message of a failed binding goes. Until one is set (the window
// kit sets its error box), it goes to the standard error stream, or to the
// debugger output where there is none. The report runs on the failing
// thread and must not call a delay-loaded function itself.
using DelayLoadFailureReport = void (*)(std::wstring_view message);
void SetDelayLoadFailureReport(DelayLoadFailureReport report) noexcept;

}  // namespace corvane::platform
