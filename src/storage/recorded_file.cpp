#include "storage/recorded_file.h"

#include <filesystem>
#include <fstream>
#include <ostream>

namespace corvane::storage {

std::optional<std::vector<std::byte>> ReadRecordedReply(std::string_view command, std::string_view option,
                                                        const std::string& path, std::size_t size,
                                                        std::string_view noun, std::ostream& err) {
  const auto fail = [&]() -> std::ostream& { return err << command << ": " << option << " " << path << ": "; };
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    fail() << "is a directory, not a " << size << "-byte " << noun << " file\n";
    return std::nullopt;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    fail() << "cannot open the file\n";
    return std::nullopt;
  }
  // One byte more than wanted tells a longer file apart without reading it all.
  std::vector<char> buffer(size + 1);
  file.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
  if (file.bad()) {
    fail() << "cannot read the file\n";
    return std::nullopt;
  }
  const auto got = static_cast<std::size_t>(file.gcount());
  if (got != size) {
    fail() << "expected a raw " << noun << " of exactly " << size << " bytes, the file "
           << (got > size ? std::string("is longer") : "holds " + std::to_string(got) + " bytes") << "\n";
    return std::nullopt;
  }
  std::vector<std::byte> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::byte>(static_cast<unsigned char>(buffer[i]));
  return bytes;
}

}  // namespace corvane::storage
