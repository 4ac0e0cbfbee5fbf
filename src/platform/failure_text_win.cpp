#include "platform/failure_text_win.h"

#include <cstring>

#include "platform/system_error_text.h"
#include "platform/text_file_win.h"
#include "platform/utf8.h"
#include "platform/wmi_win.h"

namespace corvane::platform {

SystemError::SystemError(DWORD code)
    : std::runtime_error("System Error.  Code: " + std::to_string(static_cast<long>(static_cast<LONG>(code))) + "."),
      code_(code),
      message_(SystemErrorText(code, SystemMessage(code))) {}

void RaiseLastSystemError() { throw SystemError(::GetLastError()); }

namespace {
// what() carries the text as far as ASCII goes; the wide message is the failure's own.
std::string AsciiOf(const std::wstring& text) {
  std::string ascii;
  for (const wchar_t c : text) ascii += c < 0x80 ? static_cast<char>(c) : '?';
  return ascii;
}
}  // namespace

WordedFailure::WordedFailure(std::wstring message) : std::runtime_error(AsciiOf(message)), message_(std::move(message)) {}

std::wstring FailureText(const std::exception& e) {
  if (const auto* wmi = dynamic_cast<const WmiError*>(&e)) return wmi->message();
  if (const auto* system = dynamic_cast<const SystemError*>(&e)) return system->message();
  if (const auto* worded = dynamic_cast<const WordedFailure*>(&e)) return worded->message();
  // The registry's failures name keys and values in UTF-8 (a key may be
  // named in any script); read byte for byte they would show as mojibake.
  const std::string_view what = e.what();
  if (auto text = FromUtf8(what)) return *std::move(text);
  std::wstring text;
  for (const char c : what) text += static_cast<wchar_t>(static_cast<unsigned char>(c));
  return text;
}

}  // namespace corvane::platform
