// `mmc --config FILE --modesense FILE`: replays a recorded GET CONFIGURATION
// reply and a recorded MODE SENSE (10) page 2A reply (raw bytes as the drive
// sent them, at most the command's buffer length) through TISODiscLib and
// prints the capability report one line per item, as the CD/DVD window
// lists it.
// `mmc --profile HEX`: prints the name of a profile code (0x optional).
#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace corvane::storage {

// `args` are the arguments after the subcommand name (a leading "mmc" is
// accepted too). Returns 0 after printing; 1 when the data gives nothing to
// print (a profile code without a name; replies that give an empty report,
// which the window shows as an empty list), with a note on `err`; 2 on a
// usage error, an unreadable file or a file longer than the buffer its
// command fills, with a message on `err`.
int RunMmcCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace corvane::storage
