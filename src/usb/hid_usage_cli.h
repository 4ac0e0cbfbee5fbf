// `hid-usage PAGE USAGE`: prints the page text and the usage text of one HID
// usage, tab-separated, as the USB window words them. PAGE and USAGE are
// decimal (65280) or hex with a 0x prefix (0xFF00), 0 to 65535.
// `hid-usage --table`: prints every named usage, one a line, in page then
// usage order: page and usage as four upper-case hex digits, page name and
// usage name, tab-separated.
#pragma once
#include <iosfwd>
#include <string>
#include <vector>

namespace corvane::usb {

// `args` are the arguments after the subcommand name. Returns 0 after
// printing; 1 when `out` fails; 2 on a usage error (wrong number of
// arguments, a number that is malformed or above 65535), with a message on
// `err` and nothing on `out`.
int RunHidUsageCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace corvane::usb
