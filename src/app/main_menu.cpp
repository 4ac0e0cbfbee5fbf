#include "app/main_menu.h"

#include <array>

#include "app/main_window_ids.h"
#include "shortcuts/tool_menus.h"

namespace corvane::app {
namespace {

using ui::Ctrl;
using ui::Fn;
using ui::kSeparator;
using ui::MenuItem;

constexpr MenuItem kFile[] = {
    {L"Save to CSV", kCmdSaveToCsv, Fn(2)},
    {L"Export to HTML", kCmdExportHtml},
    kSeparator,
    {L"Print Full Spec", kCmdPrintFullSpec, Ctrl('P')},
    {L"Quick Print", kCmdQuickPrint},
    {L"Print Hardware Spec", kCmdPrintHardwareSpec},
    kSeparator,
    {L"Exit", kCmdExit, Fn(12)},
};

constexpr MenuItem kEdit[] = {
    {L"Copy to Clipboard", kCmdCopyToClipboard, Ctrl('C')},
};

constexpr MenuItem kView[] = {
    {L"Main System Info", kCmdMainSystemInfo, Fn(5)},
    kSeparator,
    {L"Personal Info", kCmdPersonalInfo, Fn(6)},
    {L"Memory Info", kCmdMemoryInfo, Fn(7)},
    {L"Display Info", kCmdDisplayInfo, Fn(8)},
    {L"Disk Info", kCmdDiskInfo, Fn(9)},
    {L"App Info", kCmdAppInfo, Fn(10)},
    {L"CPU Info", kCmdCpuInfo, Fn(11)},
    {L"Network Adapters", kCmdNetworkAdapters},
    {L"Sound", kCmdSound},
    {L"Startup", kCmdStartup},
    {L"CD / DVD Info", kCmdCdDvdInfo},
    {L"Device Info", kCmdDeviceInfo},
    {L"Printer Info", kCmdPrinterInfo},
    {L"Services", kCmdServices},
    {L"BIOS Info", kCmdBiosInfo},
    {L"USB Drives", kCmdUsbDrives},
    kSeparator,
    {L"CPU Meters", kCmdCpuMeters},
    kSeparator,
    {L"Transparent Background", kCmdTransparentBackground, Ctrl('T')},
};

constexpr MenuItem kHelp[] = {
    {L"Using Corvane", kCmdUsingCorvane},
    {L"Corvane - Webpage", kCmdWebPage},
    {L"About", kCmdAbout},
};

constexpr auto kSystem = shortcuts::MenuItemsOf<0>(kCmdToolFirst);
constexpr auto kControlPanel = shortcuts::MenuItemsOf<1>(kCmdToolFirst);
constexpr auto kPrograms = shortcuts::MenuItemsOf<2>(kCmdToolFirst);
constexpr auto kHardware = shortcuts::MenuItemsOf<3>(kCmdToolFirst);

constexpr ui::Menu kMenus[] = {
    {L"&File", kFile},
    {L"&Edit", kEdit},
    {L"&View", kView},
    {shortcuts::kToolMenus[0].caption, kSystem},
    {shortcuts::kToolMenus[1].caption, kControlPanel},
    {shortcuts::kToolMenus[2].caption, kPrograms},
    {shortcuts::kToolMenus[3].caption, kHardware},
    {L"&Help", kHelp},
};

constexpr ui::ToolButton kToolbar[] = {
    {kCmdPersonalInfo, L"Personal Info", L"ID", 0x00A05A2C},
    {kCmdMemoryInfo, L"Memory Info", L"RAM", 0x00308030},
    {kCmdDisplayInfo, L"Display Info", L"SCR", 0x00B07020},
    {kCmdDiskInfo, L"Disk Info", L"HD", 0x00505050},
    {kCmdCdDvdInfo, L"", L"CD", 0x00A0A000},
    {kCmdCpuInfo, L"", L"CPU", 0x002040C0},
    {kCmdShowInternet, L"", L"WWW", 0x00C08000},
    {kCmdAppInfo, L"", L"APP", 0x00806080},
    {kCmdShowNetwork, L"Network", L"NET", 0x00008060},
    {kCmdPrinterInfo, L"", L"PRN", 0x00606000},
    {kCmdSound, L"", L"SND", 0x004080C0},
    {kCmdShowUsb, L"", L"USB", 0x00800000},
    {kCmdShowDateTime, L"", L"CLK", 0x000080A0},
    {kCmdExit, L"", L"X", 0x002020B0},
};
static_assert(std::size(kToolbar) == 14);

}  // namespace

std::span<const ui::Menu> MainMenus() { return kMenus; }
std::span<const ui::ToolButton> MainToolbar() { return kToolbar; }

}  // namespace corvane::app
