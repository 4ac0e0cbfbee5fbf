// The text a caught failure shows: a failure worded for the user and raised
// again keeps its own wide text, beyond what what() can carry.
#include "platform/failure_text_win.h"

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

}  // namespace
}  // namespace corvane::platform
