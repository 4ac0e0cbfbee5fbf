// Registry data read as text: multi-strings (the BIOS versions, the summary's
// first string, the HID device lists), the product key in DigitalProductId,
// and the trimming and UTF-8 conversion every read text goes through.
#include "app/collectors/collector_text.h"
#include "fuzz_input.h"
#include "inventory/bios_info_view.h"
#include "inventory/personal_view.h"
#include "platform/list_text.h"
#include "platform/utf8.h"
#include "usb/hid_pnp_info.h"

using namespace corvane;

namespace {

// Valid UTF-8: no byte 0xC0, 0xC1 or above 0xF4, every sequence whole.
bool IsUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fuzz::Bytes input = fuzz::AsBytes(data, size);
  const std::wstring text = fuzz::Utf16Text(input);

  (void)inventory::MultiStringText(input);
  (void)app::FirstRegistryString(input);
  (void)usb::SplitMultiString(text);
  const std::wstring key = inventory::DecodeProductKey(input);
  // Five groups of five from the key's digits (and one "N"), or nothing.
  if (!key.empty()) {
    if (key.size() != 29) __builtin_trap();
    for (std::size_t i = 0; i < key.size(); ++i) {
      const bool dash = i % 6 == 5;
      if (dash != (key[i] == L'-')) __builtin_trap();
      if (!dash && key[i] != L'N' && inventory::kProductKeyDigits.find(key[i]) == std::wstring_view::npos) {
        __builtin_trap();
      }
    }
  }

  (void)platform::TidyList(text);
  (void)platform::Trim(text);
  (void)inventory::TrimBlanks(text);
  if (!IsUtf8(platform::ToUtf8(text))) __builtin_trap();
  // Where wchar_t holds 32 bits, also every value it can hold, code point or not.
  if constexpr (sizeof(wchar_t) == 4) {
    std::wstring wide;
    for (std::size_t i = 0; i + 4 <= input.size(); i += 4) {
      std::uint32_t unit = 0;
      for (std::size_t k = 4; k-- > 0;) unit = (unit << 8) | std::to_integer<std::uint32_t>(input[i + k]);
      wide += static_cast<wchar_t>(unit);
    }
    if (!IsUtf8(platform::ToUtf8(wide))) __builtin_trap();
  }
  return 0;
}
