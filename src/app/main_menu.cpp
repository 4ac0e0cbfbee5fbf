#include "app/main_menu.h"

#include <array>

#include "app/command_ids.h"

namespace corvane::app {
namespace {

using ui::Ctrl;
using ui::Fn;
using ui::kSeparator;
using ui::MenuItem;

constexpr MenuItem kFile[] = {
    {L"Save to CSV", cmdSaveToCsv, Fn(2)},
    {L"Export to HTML", cmdExportHtml},
    kSeparator,
    {L"Print Full Spec", cmdPrintFullSpec, Ctrl('P')},
    {L"Quick Print", cmdQuickPrint},
    {L"Print Hardware Spec", cmdPrintHardwareSpec},
    kSeparator,
    {L"Exit", cmdExit, Fn(12)},
};

constexpr MenuItem kEdit[] = {
    {L"Copy to Clipboard", cmdCopyToClipboard, Ctrl('C')},
};

constexpr MenuItem kView[] = {
    {L"Main System Info", cmdMainSystemInfo, Fn(5)},
    kSeparator,
    {L"Personal Info", cmdPersonalInfo, Fn(6)},
    {L"Memory Info", cmdMemoryInfo, Fn(7)},
    {L"Display Info", cmdDisplayInfo, Fn(8)},
    {L"Disk Info", cmdDiskInfo, Fn(9)},
    {L"App Info", cmdAppInfo, Fn(10)},
    {L"CPU Info", cmdCpuInfo, Fn(11)},
    {L"Network Adapters", cmdNetworkAdapters},
    {L"Sound", cmdSound},
    {L"Startup", cmdStartup},
    {L"CD / DVD Info", cmdCdDvdInfo},
    {L"Device Info", cmdDeviceInfo},
    {L"Printer Info", cmdPrinterInfo},
    {L"Services", cmdServices},
    {L"BIOS Info", cmdBiosInfo},
    {L"USB Drives", cmdUsbDrives},
    kSeparator,
    {L"CPU Meters", cmdCpuMeters},
    kSeparator,
    {L"Transparent Background", cmdTransparentBackground, Ctrl('T')},
};

constexpr MenuItem kHelp[] = {
    {L"Using Corvane", cmdUsingCorvane},
    {L"Corvane - Webpage", cmdWebPage},
    {L"About", cmdAbout},
};

constexpr ui::Menu kMenus[] = {
    {L"&File", kFile},
    {L"&Edit", kEdit},
    {L"&View", kView},
    {L"&Help", kHelp},
};

constexpr ui::ToolButton kToolbar[] = {
    {cmdPersonalInfo, L"Personal Info", L"ID", 0x00A05A2C},
    {cmdMemoryInfo, L"Memory Info", L"RAM", 0x00308030},
    {cmdDisplayInfo, L"Display Info", L"SCR", 0x00B07020},
    {cmdDiskInfo, L"Disk Info", L"HD", 0x00505050},
    {cmdCdDvdInfo, L"", L"CD", 0x00A0A000},
    {cmdCpuInfo, L"", L"CPU", 0x002040C0},
    {cmdShowInternet, L"", L"WWW", 0x00C08000},
    {cmdAppInfo, L"", L"APP", 0x00806080},
    {cmdShowNetwork, L"Network", L"NET", 0x00008060},
    {cmdPrinterInfo, L"", L"PRN", 0x00606000},
    {cmdSound, L"", L"SND", 0x004080C0},
    {cmdShowUsb, L"", L"USB", 0x00800000},
    {cmdShowDateTime, L"", L"CLK", 0x000080A0},
    {cmdExit, L"", L"X", 0x002020B0},
};
static_assert(std::size(kToolbar) == 14);

}  // namespace

std::span<const ui::Menu> MainMenus() { return kMenus; }
std::span<const ui::ToolButton> MainToolbar() { return kToolbar; }

}  // namespace corvane::app
