// What the fuzzers share: cutting one input into the several buffers a
// decoder takes, and handing bytes to the readers that take a file name.
//
// Several buffers travel in one input as parts: each part is a 16-bit
// little-endian length followed by that many bytes; a length running past
// the end takes what is left, and parts missing at the end are empty. The
// seed corpora are written the same way (tests/fuzz/make_corpus.py).
#pragma once
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <system_error>
#include <vector>

namespace corvane::fuzz {

using Bytes = std::span<const std::byte>;

inline Bytes AsBytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const std::byte*>(data), size};
}

template <std::size_t N>
std::array<Bytes, N> SplitParts(Bytes input) {
  std::array<Bytes, N> parts{};
  for (Bytes& part : parts) {
    if (input.size() < 2) break;
    const std::size_t length = std::to_integer<std::size_t>(input[0]) | (std::to_integer<std::size_t>(input[1]) << 8);
    input = input.subspan(2);
    part = input.first(std::min(length, input.size()));
    input = input.subspan(part.size());
  }
  return parts;
}

// A fixed-size buffer as a device fills it: the bytes given, then zeros.
template <std::size_t N>
std::array<std::byte, N> Padded(Bytes bytes) {
  std::array<std::byte, N> buffer{};
  std::copy_n(bytes.begin(), std::min(N, bytes.size()), buffer.begin());
  return buffer;
}

// UTF-16 little-endian bytes as text; a trailing odd byte is dropped.
inline std::wstring Utf16Text(Bytes bytes) {
  std::wstring text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    text += static_cast<wchar_t>(std::to_integer<unsigned>(bytes[i]) | (std::to_integer<unsigned>(bytes[i + 1]) << 8));
  }
  return text;
}

// A file of this process holding the bytes last written to it, removed
// when the fuzzer ends. `tag` tells the files of one input apart. It lives
// in memory (/dev/shm) where there is such a file system: a file per input
// on a disk would make those fuzzers several times slower.
class ScratchFile {
 public:
  explicit ScratchFile(const std::string& tag) : path_(Folder() / ("corvane_fuzz_" + std::to_string(::getpid()) + "_" + tag)) {}
  ~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::string& Write(Bytes bytes) {
    std::ofstream(path_, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    text_ = path_.string();
    return text_;
  }

 private:
  static std::filesystem::path Folder() {
    std::error_code ec;
    return std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                          : std::filesystem::temp_directory_path();
  }

  std::filesystem::path path_;
  std::string text_;
};

}  // namespace corvane::fuzz
