// The class names of the creation list, in its order: the order in which the
// windows are made at start-up and in which the inventory report lists their
// sections. Platform-free, so tests of the report can check that order;
// the creation list itself (application_win.cpp) is checked against it when
// it compiles.
#pragma once
#include <string_view>

namespace corvane::app {

inline constexpr std::wstring_view kCreationOrder[] = {
    L"TForm1",          L"TfrmPersonal",   L"TfrmMemory",      L"TfrmDisplay",         L"TfrmDisk",
    L"TfrmDevices",     L"TfrmUnistall",   L"TfrmStartup",     L"TfrmHelp",            L"TfrmMeters",
    L"TfrmCDDVD",       L"TfrmNetwork",    L"TfrmUserList",    L"TfrmNetworkAdapters", L"TfrmComputers",
    L"TfrmInternet",    L"TfrmPrinters",   L"TfrmServices",    L"TfrmBiosInfo",        L"TfrmUSBDrives",
    L"TfrmUSB",         L"TfrmDateTime",
};

// Windows made each time they are shown that the report makes for itself,
// reported after the creation list's in this order.
inline constexpr std::wstring_view kReportedOnDemand[] = {L"TfrmCPU", L"TfrmSound"};

// Windows of the creation list with nothing of their own to report: the
// help text and the live meters.
inline constexpr std::wstring_view kNotReported[] = {L"TfrmHelp", L"TfrmMeters"};

}  // namespace corvane::app
