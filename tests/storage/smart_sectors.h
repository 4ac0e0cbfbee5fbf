// Builders for the sectors a drive returns, so tests state attribute rows and
// identity fields instead of hand-written bytes.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "storage/smart.h"

namespace corvane::storage::testing {

using Sector = std::array<std::byte, kSectorSize>;

inline void Put(Sector& s, std::size_t at, std::uint64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i)
    s[at + i] = static_cast<std::byte>((value >> (8 * i)) & 0xFF);
}

// One attribute entry and the threshold at the same position. An id of 0
// makes an empty slot. threshold_id < 0 writes the attribute's id into the
// threshold entry too, as drives do.
struct AttrRow {
  int id;
  std::uint16_t flags;
  int current;
  int worst;
  std::uint64_t raw;
  int threshold;
  int threshold_id = -1;
};

inline constexpr std::uint16_t kPreFail = 0x0001;
inline constexpr std::uint16_t kErrorRate = 0x0008;
inline constexpr std::uint16_t kEvents = 0x0010;

inline Sector AttributeSector(const std::vector<AttrRow>& rows) {
  Sector s{};
  Put(s, 0, 0x0010, 2);  // revision
  std::size_t at = 2;
  for (const AttrRow& r : rows) {
    Put(s, at, static_cast<std::uint64_t>(r.id), 1);
    Put(s, at + 1, r.flags, 2);
    Put(s, at + 3, static_cast<std::uint64_t>(r.current), 1);
    Put(s, at + 4, static_cast<std::uint64_t>(r.worst), 1);
    Put(s, at + 5, r.raw, 6);
    at += kSmartEntrySize;
  }
  return s;
}

inline Sector ThresholdSector(const std::vector<AttrRow>& rows) {
  Sector s{};
  Put(s, 0, 0x0010, 2);
  std::size_t at = 2;
  for (const AttrRow& r : rows) {
    Put(s, at, static_cast<std::uint64_t>(r.threshold_id < 0 ? r.id : r.threshold_id), 1);
    Put(s, at + 1, static_cast<std::uint64_t>(r.threshold), 1);
    at += kSmartEntrySize;
  }
  return s;
}

// An ATA text field as the drive stores it: padded with spaces, the two
// characters of every word swapped.
inline void PutIdText(Sector& s, std::size_t at, std::size_t length, std::string_view text) {
  for (std::size_t i = 0; i < length; ++i) {
    const char c = i < text.size() ? text[i] : ' ';
    s[at + (i ^ 1)] = static_cast<std::byte>(static_cast<unsigned char>(c));
  }
}

struct IdentityFields {
  std::string_view model;
  std::string_view serial;
  std::string_view firmware;
  std::uint32_t sectors28 = 0;  // words 60..61
  std::uint64_t sectors48 = 0;  // words 100..103
};

inline Sector IdentifySector(const IdentityFields& f) {
  Sector s{};
  Put(s, 0, 0x0040, 2);  // general configuration: fixed ATA device
  PutIdText(s, 20, 20, f.serial);
  PutIdText(s, 46, 8, f.firmware);
  PutIdText(s, 54, 40, f.model);
  Put(s, 120, f.sectors28, 4);
  Put(s, 200, f.sectors48, 8);
  return s;
}

}  // namespace corvane::storage::testing
