#include "platform/system_error_text.h"

#include <gtest/gtest.h>

namespace corvane::platform {

TEST(SystemErrorText, CodeOnTheFirstLineTheSystemsTextOnTheNext) {
  const struct {
    std::uint32_t code;
    const wchar_t* system_text;
    const wchar_t* expected;
  } cases[] = {
      {5, L"Access denied.", L"System Error.  Code: 5.\r\nAccess denied."},
      {0, L"", L"System Error.  Code: 0.\r\n"},
      {0x80070005u, L"Access denied.", L"System Error.  Code: -2147024891.\r\nAccess denied."},
  };
  for (const auto& c : cases) EXPECT_EQ(SystemErrorText(c.code, c.system_text), c.expected) << c.code;
}

}  // namespace corvane::platform
