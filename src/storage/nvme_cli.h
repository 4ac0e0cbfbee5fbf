// `nvme --smart FILE [--identify FILE]`: decodes a recorded SMART / Health
// Information log page (512 bytes) and optionally an Identify Controller
// structure (4096 bytes), each a raw file, and prints the reading as one
// JSON object.
#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace corvane::storage {

// `args` are the arguments after the subcommand name (a leading "nvme" is
// accepted too). Writes the JSON object (UTF-8) to `out` and returns 0; on a
// usage error, an unreadable file or a file of the wrong size, writes the
// reason to `err` and returns 2.
int RunNvmeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace corvane::storage
