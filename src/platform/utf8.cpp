#include "platform/utf8.h"

#include <cstdint>

namespace corvane::platform {
namespace {

bool IsHighSurrogate(std::uint32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::size_t CharacterUnits(std::wstring_view text, std::size_t at) {
  if (at >= text.size()) return 0;
  const bool pair = IsHighSurrogate(static_cast<std::uint32_t>(text[at])) && at + 1 < text.size() &&
                    IsLowSurrogate(static_cast<std::uint32_t>(text[at + 1]));
  return pair ? 2 : 1;
}

std::size_t WholeCharactersIn(std::wstring_view text, std::size_t max_units) {
  if (max_units >= text.size()) return text.size();
  // Only a cut between the two halves of a pair moves back.
  const bool splits_pair = max_units > 0 && IsHighSurrogate(static_cast<std::uint32_t>(text[max_units - 1])) &&
                           IsLowSurrogate(static_cast<std::uint32_t>(text[max_units]));
  return splits_pair ? max_units - 1 : max_units;
}

std::string ToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<std::uint32_t>(text[i]);
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size()) {
      const auto low = static_cast<std::uint32_t>(text[i + 1]);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace corvane::platform

namespace corvane::platform {

std::optional<std::wstring> FromUtf8(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  const auto byte = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(text[i])); };
  for (std::size_t i = 0; i < text.size();) {
    const std::uint32_t lead = byte(i);
    std::uint32_t c = 0;
    std::size_t extra = 0;
    if (lead < 0x80) {
      c = lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      c = lead & 0x1F, extra = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      c = lead & 0x0F, extra = 2;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      c = lead & 0x07, extra = 3;
    } else {
      return std::nullopt;
    }
    if (extra > text.size() - i - 1) return std::nullopt;  // cut short
    for (std::size_t k = 1; k <= extra; ++k) {
      const std::uint32_t next = byte(i + k);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      c = (c << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if ((extra == 2 && c < 0x800) || (extra == 3 && (c < 0x10000 || c > 0x10FFFF)) || (c >= 0xD800 && c <= 0xDFFF)) {
      return std::nullopt;
    }
    i += extra + 1;
    if constexpr (sizeof(wchar_t) == 2) {
      if (c >= 0x10000) {
        c -= 0x10000;
        out += static_cast<wchar_t>(0xD800 + (c >> 10));
        out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
        continue;
      }
    }
    out += static_cast<wchar_t>(c);
  }
  return out;
}

}  // namespace corvane::platform
