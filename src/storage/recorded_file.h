// Recorded device replies for the corvane-decode subcommands: one raw file
// that must hold exactly one reply of a known size.
#pragma once
#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::storage {

// The bytes of `path`, which must be exactly `size` bytes long; nullopt
// after telling `err` why not, as "<command>: <option> <path>: <reason>",
// naming the expected reply `noun` ("sector", "health log page").
std::optional<std::vector<std::byte>> ReadRecordedReply(std::string_view command, std::string_view option,
                                                        const std::string& path, std::size_t size,
                                                        std::string_view noun, std::ostream& err);

}  // namespace corvane::storage
