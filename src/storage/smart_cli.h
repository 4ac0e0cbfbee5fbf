// `smart --attrs FILE --thresh FILE [--identify FILE]`: decodes recorded
// SMART attribute and threshold sectors (and optionally an IDENTIFY sector),
// each a raw 512-byte file, and prints the reading as one JSON object.
#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace corvane::storage {

// `args` are the arguments after the subcommand name (a leading "smart" is
// accepted too). Writes the JSON object (UTF-8) to `out` and returns 0; on a
// usage error, an unreadable file or a file that is not exactly 512 bytes,
// writes a message to `err` and returns 2.
int RunSmartCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace corvane::storage
