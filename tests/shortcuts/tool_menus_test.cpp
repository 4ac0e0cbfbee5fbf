// The tool menus as the user meets them: every item's caption, in order, the
// separators, and exactly what each item starts, written out here by hand.
#include "shortcuts/tool_menus.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace corvane::shortcuts {
namespace {

using Text = std::optional<std::wstring>;  // nullopt: nothing passed

Text Passed(const wchar_t* text) { return text ? Text(text) : std::nullopt; }

// One menu entry as expected: "----" for a separator.
struct Row {
  std::wstring caption{};
  ActionKind kind = ActionKind::kBuiltIn;
  std::wstring target{};
  Text verb{}, parameters{}, directory{};
  bool owned = false, in_windows_directory = false;
  BuiltIn built_in = BuiltIn::kNone;
  int show = 1;
  bool hourglass = false;
  bool operator==(const Row&) const = default;
};

const Row kLine{L"----"};

Row Method(std::wstring caption, std::wstring name, bool hourglass = false) {
  return {std::move(caption), ActionKind::kShellMethod, std::move(name), {}, {}, {}, false, false, BuiltIn::kNone, 1,
          hourglass};
}
Row Line(std::wstring caption, std::wstring line, bool hourglass = false, int show = 1) {
  return {std::move(caption), ActionKind::kCommandLine, std::move(line), {}, {}, {}, false, false, BuiltIn::kNone,
          show, hourglass};
}
Row Exec(std::wstring caption, Text verb, std::wstring file, Text parameters = {}, Text directory = {},
         bool hourglass = false) {
  return {std::move(caption), ActionKind::kShellExecute, std::move(file), std::move(verb), std::move(parameters),
          std::move(directory), false, false, BuiltIn::kNone, 1, hourglass};
}
Row Own(std::wstring caption, BuiltIn what) { return {std::move(caption), ActionKind::kBuiltIn, L"", {}, {}, {}, false, false, what}; }

std::vector<Row> Shown(const ToolMenu& menu) {
  std::vector<Row> rows;
  for (const ToolItem& item : menu.items) {
    const ToolAction& a = item.action;
    rows.push_back({std::wstring(item.caption), a.kind, std::wstring(a.target), Passed(a.verb), Passed(a.parameters),
                    Passed(a.directory), a.owner_is_main_window, a.directory_is_windows, a.built_in, item.show,
                    item.hourglass});
    if (item.separator_after) rows.push_back(kLine);
  }
  return rows;
}

void PrintTo(const Row& r, std::ostream* os) {
  *os << testing::PrintToString(r.caption) << " kind " << static_cast<int>(r.kind) << " "
      << testing::PrintToString(r.target) << " verb " << testing::PrintToString(r.verb) << " params "
      << testing::PrintToString(r.parameters) << " dir " << testing::PrintToString(r.directory) << " owned " << r.owned
      << " windir " << r.in_windows_directory << " built-in " << static_cast<int>(r.built_in) << " show " << r.show
      << " hourglass " << r.hourglass;
}

std::wstring Cpl(const wchar_t* applet) { return std::wstring(L"rundll32.exe shell32.dll, Control_RunDLL ") + applet; }

TEST(ToolMenus, EveryItemStartsExactlyWhatItsMenuPromises) {
  Row volume = Exec(L"Volume Control", L"open", L"sndvol32.exe");
  volume.owned = volume.in_windows_directory = true;
  const std::vector<std::pair<std::wstring, std::vector<Row>>> expected = {
      {L"&System",
       {Method(L"Run", L"FileRun", true), Line(L"Explorer", L"explorer.exe"), kLine, Method(L"Find Files", L"findfiles"),
        Method(L"Find Computer", L"findcomputer"), kLine, Method(L"Minimize All", L"MinimizeAll"),
        Method(L"Tray Properties", L"TrayProperties"), Own(L"Hide Taskbar", BuiltIn::kHideTaskbar), kLine,
        Method(L"Shutdown System", L"ShutdownWindows"), kLine, Exec(L"Task Manager", L"open", L"taskmgr", L"", L""),
        kLine, volume, kLine, Exec(L"Group Policy", L"open", L"gpedit.msc", L"", L"", true), kLine,
        Line(L"My Computer", L"explorer.exe  ::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"),
        Line(L"My Documents", L"explorer.exe  ::{450D8FBA-AD25-11D0-98A8-0800361B1103}"),
        Line(L"My Network Places", L"explorer.exe  ::{208D2C60-3AEA-1069-A2D7-08002B30309D}"), kLine,
        Line(L"USB Safe Removal", L"rundll32.exe shell32.dll,Control_RunDLL hotplug.dll", false, 5)}},
      {L"&Control Panel",
       {Line(L"Accessibility", Cpl(L"Access.cpl"), true), Line(L"Add/Remove Programs", Cpl(L"Appwiz.cpl"), true),
        Line(L"Display", Cpl(L"Desk.cpl"), true), Line(L"Desktop", Cpl(L"Desk.cpl"), true),
        Line(L"Internet", Cpl(L"Inetcpl.cpl"), true), Line(L"Regional", Cpl(L"Intl.cpl"), true),
        Line(L"Joystick", Cpl(L"Joy.cpl"), true), Line(L"Mouse", Cpl(L"Main.cpl"), true),
        Line(L"Multimedia", Cpl(L"Mmsys.cpl"), true), Line(L"Modems", Cpl(L"Modem.cpl"), true),
        Line(L"Network", Cpl(L"Netcpl.cpl"), true), Line(L"ODBC", Cpl(L"Odbccp32.cpl"), true),
        Line(L"Password", Cpl(L"Password.cpl"), true), Line(L"Printers", L"C:\\WINDOWS\\CONTROL.EXE PRINTERS", true),
        Line(L"System", Cpl(L"Sysdm.cpl"), true), Line(L"Theme", Cpl(L"Themes.cpl")),
        Line(L"Time/Date", Cpl(L"Timedate.cpl"), true), Line(L"Workgroup", Cpl(L"Wgpocpl.cpl"), true),
        Line(L"Scanners/Cameras", L"RunDLL32.exe Shell32.dll,Control_RunDLL StiCpl.cpl"),
        Line(L"Phone and Modem Options", L"RunDLL32.exe Shell32.dll,Control_RunDLL Telephon.cpl")}},
      {L"Programs",
       {Exec(L"System File Checker", L"", L"c:\\windows\\system32\\sfc.exe ", L"/scannow"),
        Exec(L"Defrag", L"", L"dfrg.msc"), Exec(L"Sys Edit", L"", L"c:\\windows\\system32\\sysedit.exe "),
        Exec(L"File Signature Verification", L"", L"c:\\windows\\system32\\sigverif.exe"),
        Exec(L"Device Manager", L"", L"devmgmt.msc"), Exec(L"Dxdiag", L"open", L"dxdiag"),
        Exec(L"On Screen Keyboard", L"open", L"osk.exe")}},
      {L"Hardware",
       {Own(L"Standby Monitor", BuiltIn::kMonitorStandby), Own(L"Switch Off Monitor", BuiltIn::kMonitorOff), kLine,
        Own(L"Eject CD", BuiltIn::kEjectCd), Own(L"Load CD", BuiltIn::kLoadCd), kLine,
        Own(L"Mute Speakers", BuiltIn::kMuteSpeakers), Own(L"Mute Microphone", BuiltIn::kMuteMicrophone)}},
  };
  ASSERT_EQ(std::size(kToolMenus), expected.size());
  for (std::size_t m = 0; m < expected.size(); ++m) {
    EXPECT_EQ(kToolMenus[m].caption, expected[m].first);
    const std::vector<Row> shown = Shown(kToolMenus[m]);
    ASSERT_EQ(shown.size(), expected[m].second.size()) << testing::PrintToString(expected[m].first);
    for (std::size_t i = 0; i < shown.size(); ++i) EXPECT_EQ(shown[i], expected[m].second[i]) << "entry " << i;
  }
}

TEST(ToolMenus, MenuEntriesCarryOneCommandPerItemThatLeadsBackToIt) {
  constexpr unsigned kFirst = 700;
  const auto system = MenuItemsOf<0>(kFirst);
  const auto control = MenuItemsOf<1>(kFirst);
  const auto programs = MenuItemsOf<2>(kFirst);
  const auto hardware = MenuItemsOf<3>(kFirst);
  const std::span<const ui::MenuItem> menus[] = {system, control, programs, hardware};
  std::set<unsigned> ids;
  for (std::size_t m = 0; m < std::size(menus); ++m) {
    std::size_t item = 0;
    for (const ui::MenuItem& entry : menus[m]) {
      if (entry.text.empty()) {
        EXPECT_EQ(entry.id, 0u);
        continue;
      }
      EXPECT_FALSE(entry.checked) << "marks start cleared";
      EXPECT_TRUE(ids.insert(entry.id).second) << entry.id << " twice";
      const ToolItem* found = FindToolItem(entry.id, kFirst);
      ASSERT_NE(found, nullptr) << entry.id;
      EXPECT_EQ(found, &kToolMenus[m].items[item]) << testing::PrintToString(std::wstring(entry.text));
      EXPECT_EQ(found->caption, entry.text);
      ++item;
    }
    EXPECT_EQ(item, kToolMenus[m].items.size());
  }
  EXPECT_EQ(ids.size(), kToolItemCount);
  EXPECT_EQ(*ids.begin(), kFirst);
  EXPECT_EQ(*ids.rbegin(), kFirst + kToolItemCount - 1);
  // IDs just outside the block belong to other commands.
  EXPECT_EQ(FindToolItem(kFirst - 1, kFirst), nullptr);
  EXPECT_EQ(FindToolItem(kFirst + static_cast<unsigned>(kToolItemCount), kFirst), nullptr);
  EXPECT_EQ(FindToolItem(0, kFirst), nullptr);
}

}  // namespace
}  // namespace corvane::shortcuts
