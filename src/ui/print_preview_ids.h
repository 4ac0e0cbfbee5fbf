// IDs of the print preview's controls and commands.
#pragma once
#include "ui/window_ids.h"

namespace corvane::ui::preview_ids {

inline constexpr int kIdToolbar = 14500;
inline constexpr int kIdPage = 14501;
inline constexpr int kIdStatus = 14502;

inline constexpr int kCmdZoomFit = 14510;
inline constexpr int kCmdZoomIn = 14511;
inline constexpr int kCmdZoomOut = 14512;
inline constexpr int kCmdFirstPage = 14513;
inline constexpr int kCmdPreviousPage = 14514;
inline constexpr int kCmdNextPage = 14515;
inline constexpr int kCmdLastPage = 14516;
inline constexpr int kCmdPrinterSetup = 14517;
inline constexpr int kCmdPrint = 14518;
inline constexpr int kCmdClose = 14519;

inline constexpr int kAllIds[] = {kIdToolbar,      kIdPage,         kIdStatus,       kCmdZoomFit,
                                  kCmdZoomIn,      kCmdZoomOut,     kCmdFirstPage,   kCmdPreviousPage,
                                  kCmdNextPage,    kCmdLastPage,    kCmdPrinterSetup, kCmdPrint,
                                  kCmdClose};
static_assert(AllIn(kPrintPreviewIds, kAllIds));

}  // namespace corvane::ui::preview_ids
