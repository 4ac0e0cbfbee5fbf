// Which registry views a reading of the machine's software keys takes, by
// the program's and the system's word size.
#include "platform/registry_views.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace corvane::platform {
namespace {

TEST(SystemIs64Bit, AskedOfTheProgramFirstThenOfIsWow64Process) {
  struct Case {
    bool program64;
    std::optional<bool> wow64;  // nullopt: the system lacks IsWow64Process
    bool system64;
  };
  const Case cases[] = {
      {true, std::nullopt, true},    // a 64-bit program runs on 64-bit Windows only
      {true, false, true},           // ...whatever the function says (it is false there)
      {false, true, true},           // a 32-bit program under WOW64
      {false, false, false},         // a 32-bit program on 32-bit Windows
      {false, std::nullopt, false},  // Windows 2000 and 9x have no such function, and one view
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SystemIs64Bit(c.program64, c.wow64), c.system64)
        << "program64 " << c.program64 << ", wow64 " << testing::PrintToString(c.wow64);
  }
}

TEST(SoftwareViews, BothViewsByFlagOn64BitWindowsOneWithoutAFlagElsewhere) {
  const RegistryView k64{kView64BitFlag, L"", false};
  const RegistryView k64FromA32BitProgram{kView64BitFlag, L"", true};
  const RegistryView k32{kView32BitFlag, L" (32-bit)", false};
  const RegistryView kOnly{0, L"", false};
  struct Case {
    bool program64, system64;
    std::vector<RegistryView> views;
  };
  const Case cases[] = {
      {true, true, {k64, k32}},
      // The same views as the 64-bit build, only its programs are started
      // outside the 32-bit file-system redirection.
      {false, true, {k64FromA32BitProgram, k32}},
      // Nothing twice, and no flag that an old system could refuse.
      {false, false, {kOnly}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "program64 " << c.program64 << ", system64 " << c.system64);
    EXPECT_EQ(SoftwareViews(c.program64, c.system64), c.views);
  }
}

}  // namespace
}  // namespace corvane::platform
