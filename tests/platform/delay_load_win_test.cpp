// Delay-loaded functions (platform/delay_load_win.h), driven through
// corvane_delay_probe.exe, which lies next to this program: a library or a
// function that is missing ends the program with its name and exit code 1,
// on any thread and whether or not someone is there to read the error box,
// and never as a crash; a function that is there gets its floating-point
// argument on its first call.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/unique_handle.h"

namespace corvane::platform {
namespace {

struct ProbeRun {
  DWORD exit_code = 0;
  std::string output;               // standard output and error together
  std::vector<std::wstring> boxes;  // text of each message box it showed, closed with OK
};

std::wstring ProbePath() {
  wchar_t self[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, n);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"corvane_delay_probe.exe";
}

struct BoxSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectBox(HWND wnd, LPARAM param) {
  auto* search = reinterpret_cast<BoxSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(wnd, &pid);
  wchar_t cls[16] = {};
  GetClassNameW(wnd, cls, 16);
  if (pid == search->pid && IsWindowVisible(wnd) && std::wstring(cls) == L"#32770") search->found.push_back(wnd);
  return TRUE;
}

BOOL CALLBACK AppendText(HWND wnd, LPARAM param) {
  wchar_t text[512] = {};
  DWORD_PTR got = 0;
  SendMessageTimeoutW(wnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &got);
  if (text[0]) *reinterpret_cast<std::wstring*>(param) += std::wstring(text) + L"|";
  return TRUE;
}

// Runs the probe with ARGS and waits (at most 30 s) for it to end, closing
// each message box it shows with OK.
ProbeRun RunProbe(const std::wstring& args) {
  ProbeRun run;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read_end = nullptr, write_end = nullptr;
  EXPECT_TRUE(CreatePipe(&read_end, &write_end, &inherit, 0));
  UniqueKernelObject reader(read_end), writer(write_end);
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  si.hStdOutput = write_end;
  si.hStdError = write_end;
  const std::wstring exe = ProbePath();
  std::wstring line = L"\"" + exe + L"\" " + args;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
    ADD_FAILURE() << "cannot start the probe: error " << GetLastError();
    return run;
  }
  UniqueKernelObject process(pi.hProcess), thread(pi.hThread);
  writer.reset();  // the child's copy is the only writer left: reading ends when it does

  std::string output;
  std::thread drain([&] {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read_end, buffer, sizeof buffer, &got, nullptr) && got > 0) output.append(buffer, got);
  });
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT) {
    BoxSearch search{pi.dwProcessId, {}};
    EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&search));
    for (HWND box : search.found) {
      std::wstring text;
      EnumChildWindows(box, AppendText, reinterpret_cast<LPARAM>(&text));
      run.boxes.push_back(text);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    if (std::chrono::steady_clock::now() > deadline) {
      ADD_FAILURE() << "the probe did not end";
      TerminateProcess(pi.hProcess, 99);
      WaitForSingleObject(pi.hProcess, 5000);
      break;
    }
  }
  drain.join();
  GetExitCodeProcess(pi.hProcess, &run.exit_code);
  run.output = output;
  return run;
}

TEST(DelayLoad, AMissingLibraryOrFunctionEndsTheProgramWithItsName) {
  struct Case {
    const wchar_t* args;
    const char* message;  // the start of the one line written
  };
  const Case cases[] = {
      {L"absent-library", "corvane-absent.dll: CorvaneAbsentLibraryProbe is missing (the library could not be loaded: "},
      {L"absent-function", "version.dll: CorvaneAbsentFunctionProbe is missing\n"},
      // /AUTO binds on its worker thread: the whole process ends there too.
      {L"absent-function-on-thread", "version.dll: CorvaneAbsentFunctionProbe is missing\n"},
  };
  for (const Case& c : cases) {
    const ProbeRun run = RunProbe(c.args);
    EXPECT_EQ(run.exit_code, 1u) << run.output;
    EXPECT_EQ(run.output.rfind(c.message, 0), 0u) << run.output;
    EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << "one line, no more: " << run.output;
    EXPECT_TRUE(run.boxes.empty());
  }
}

TEST(DelayLoad, WithSomeoneThereTheMissingFunctionIsAnErrorBoxAndTheProgramEndsWhenItCloses) {
  const ProbeRun run = RunProbe(L"absent-function attended");
  EXPECT_EQ(run.exit_code, 1u) << run.output;
  ASSERT_EQ(run.boxes.size(), 1u) << run.output;
  EXPECT_NE(run.boxes[0].find(L"version.dll: CorvaneAbsentFunctionProbe is missing"), std::wstring::npos)
      << std::string(run.boxes[0].begin(), run.boxes[0].end());
  EXPECT_EQ(run.output, "");
}

TEST(DelayLoad, TheFirstCallOfAFunctionThatIsThereGetsItsFloatingPointArgument) {
  const ProbeRun run = RunProbe(L"double-argument");
  EXPECT_EQ(run.exit_code, 0u) << run.output;
  EXPECT_EQ(run.output, "2000-01-01 18:00\n");
}

}  // namespace
}  // namespace corvane::platform
