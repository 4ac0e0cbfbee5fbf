// corvane-decode: replays recorded device data through the decoders and
// prints what they make of it, so a machine that decodes oddly can be
// examined from a file. Each subcommand is one row of a table in the .cpp.
#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace corvane::app {

inline constexpr int kDecodeOk = 0;
inline constexpr int kDecodeFailed = 1;  // the input was fine but the work failed
inline constexpr int kDecodeBadInput = 2;  // bad usage, unreadable or malformed input
inline constexpr int kDecodeChanged = 1;   // diff: the two reports differ

// args are the words after the program name. Results go to out (UTF-8),
// messages to err. Returns the process exit code.
int RunDecode(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace corvane::app
