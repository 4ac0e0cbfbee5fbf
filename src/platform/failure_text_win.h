// The text a caught failure shows the user.
#pragma once
#include <windows.h>

#include <exception>
#include <stdexcept>
#include <string>

namespace corvane::platform {

// A failed system call raised as a failure: its message is the system's
// error wording (SystemErrorText) with the system's text for the code.
class SystemError : public std::runtime_error {
 public:
  explicit SystemError(DWORD code);
  DWORD code() const noexcept { return code_; }
  const std::wstring& message() const noexcept { return message_; }

 private:
  DWORD code_;
  std::wstring message_;
};

// A failure that was caught and worded for the user (an error box's text),
// raised again as it was worded: where nobody is shown a box (the
// unattended report), the failure still ends the work with its own text.
class WordedFailure : public std::runtime_error {
 public:
  explicit WordedFailure(std::wstring message);
  const std::wstring& message() const noexcept { return message_; }

 private:
  std::wstring message_;
};

// Raises the calling thread's last error as a SystemError.
[[noreturn]] void RaiseLastSystemError();

// A WMI failure's, a system error's or a worded failure's own wide message; any other failure's
// what() read as UTF-8 when it is (the registry's failures name keys and values so), else as
// Latin-1, byte for byte.
std::wstring FailureText(const std::exception& e);

}  // namespace corvane::platform
