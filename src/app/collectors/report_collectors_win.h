// The two lines of the hardware report that no summary row holds. Like the
// summary collectors, each keeps its own failures and answers with text.
#pragma once
#include <string>

namespace corvane::app {

// "Graphics": the first display adapter's description; empty without one.
std::wstring GraphicsCollector();

// "Hard Disk(s)": each fixed drive's size ("%3.1fGB" above 2^30 bytes, else
// "%3.1fMB") followed by two spaces, without drive letters.
std::wstring HardDisksCollector();

}  // namespace corvane::app
