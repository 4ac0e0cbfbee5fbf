// What the command line makes of the first showing: whether the sheet is
// filled before the window appears, whether the ports row is probed, and
// that the user's refresh (F5) fills an empty sheet afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/harness.h"
#include "e2e/sheet_checks.h"

namespace corvane::e2e {
namespace {

enum class Then {
  Nothing,
  F5Command,  // View, Main System Info as WM_COMMAND
  F5Key,      // the F5 key through the accelerator table
};

struct StartCase {
  const char* name;
  std::vector<std::wstring> args;  // "<file>" stands for a file in a fresh folder
  bool filled_at_start;
  bool nocom;
  Then then;
};
void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class Startup : public testing::TestWithParam<StartCase> {};

TEST_P(Startup, FillsTheSheetAsTheCommandLineSays) {
  const StartCase& c = GetParam();
  TempFolder dir;
  const std::wstring file = dir / L"out.txt";
  std::vector<std::wstring> args = c.args;
  for (auto& a : args) {
    if (a == L"<file>") a = file;
  }

  CorvaneProcess app(args);
  ASSERT_TRUE(app.started()) << "CreateProcess error " << app.start_error();
  ASSERT_TRUE(app.WaitForMainWindow()) << "no visible TForm1 for " << app.command_line();
  EXPECT_EQ(app.FindMessageBox(), nullptr);

  if (c.filled_at_start) {
    // The start-up refresh runs before the window is shown: the sheet is
    // complete at the moment the window becomes visible.
    ExpectSheetFilled(app.InfoRows(), c.nocom);
    ExpectCellsReadAlike(app);
  } else {
    ExpectSheetEmpty(app);
  }

  switch (c.then) {
    case Then::Nothing:
      break;
    case Then::F5Command:
      ASSERT_TRUE(app.SendCommand(app::kCmdMainSystemInfo)) << "refresh did not finish";
      ExpectSheetFilled(app.InfoRows(), c.nocom);
      break;
    case Then::F5Key:
      ASSERT_TRUE(app.PostKey(VK_F5));
      ASSERT_TRUE(WaitForRefreshDone(app)) << "F5 did not refresh the sheet";
      ExpectSheetFilled(app.InfoRows(), c.nocom);
      break;
  }

  // Whatever the arguments, only the unattended run writes a file.
  EXPECT_FALSE(FileExists(file));
  EXPECT_EQ(app.FindMessageBox(), nullptr);
  // Closing the main window ends the process normally.
  EXPECT_EQ(app.Close(), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, Startup,
    testing::Values(StartCase{"NoArguments", {}, true, false, Then::Nothing},
                    StartCase{"NoRefreshThenF5Key", {L"/norefresh"}, false, false, Then::F5Key},
                    // One argument, whatever it is, only suppresses the refresh.
                    StartCase{"AutoAlone", {L"/AUTO"}, false, false, Then::Nothing},
                    // "/nocom" is read at every refresh, not only at start-up.
                    StartCase{"NoComAloneThenF5", {L"/nocom"}, false, true, Then::F5Command},
                    StartCase{"NoComAnyCaseWithSecond", {L"/NoCom", L"x"}, true, true, Then::Nothing},
                    // An empty file name is no unattended run: the window stays open, filled.
                    StartCase{"AutoWithEmptyName", {L"/AUTO", L""}, true, false, Then::Nothing},
                    StartCase{"TwoOtherArguments", {L"/norefresh", L"x"}, true, false, Then::Nothing},
                    StartCase{"ThreeArguments", {L"/AUTO", L"<file>", L"x"}, false, false, Then::Nothing}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane::e2e
