// The text a caught failure shows: a failure worded for the user and raised
// again keeps its own wide text, beyond what what() can carry.
#include "platform/failure_text_win.h"
#include "platform/registry_win.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace corvane::platform {
namespace {

TEST(FailureText, AWordedFailureKeepsItsOwnText) {
  struct Case {
    std::wstring message;
    std::string what;
  };
  const Case cases[] = {
      {L"Invalid namespace", "Invalid namespace"},
      {L"Zugriff verweigert \u00FC \u4E2D", "Zugriff verweigert ? ?"},
      {L"", ""},
  };
  for (const Case& c : cases) {
    try {
      throw WordedFailure(c.message);
    } catch (const std::exception& e) {
      EXPECT_EQ(FailureText(e), c.message);
      EXPECT_EQ(std::string(e.what()), c.what);
    }
  }
  EXPECT_EQ(FailureText(std::runtime_error("plain")), L"plain");
}

TEST(FailureText, OtherFailuresAreReadAsUtf8WhereTheyAreElseByteForByte) {
  struct Case {
    const char* what;
    std::wstring text;
  };
  const Case cases[] = {
      {"plain", L"plain"},
      {"key \xE4\xB8\xAD\xE6\x96\x87 \xF0\x9F\x98\x80", L"key \u4E2D\u6587 \U0001F600"},
      {"caf\xE9", L"caf\u00E9"},      // not UTF-8: one character a byte
      {"cut \xE4\xB8", L"cut \u00E4\u00B8"},  // a sequence cut short is no UTF-8 either
  };
  for (const Case& c : cases) EXPECT_EQ(FailureText(std::runtime_error(c.what)), c.text) << c.what;
}

TEST(FailureText, ARegistryFailureKeepsTheNamesOfKeyAndValue) {
  const std::wstring key = L"Software\\Corvane \u4E2D\u6587 \U0001F600";
  const RegistryError failure("ReadString", key, L"\u540D\u524D", ERROR_UNSUPPORTED_TYPE);
  const std::wstring text = FailureText(failure);
  EXPECT_NE(text.find(key), std::wstring::npos) << text.size();
  EXPECT_NE(text.find(L"\"\u540D\u524D\""), std::wstring::npos) << text.size();
}

}  // namespace
}  // namespace corvane::platform
