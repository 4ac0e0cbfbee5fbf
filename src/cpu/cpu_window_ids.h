// Command and control IDs of the CPU window (TfrmCPU) and the CPU meters
// window (TfrmMeters); tests address them from outside the process.
#pragma once
#include <cstddef>

#include "ui/window_ids.h"

namespace corvane::cpu {

namespace cpu_ids {

inline constexpr int kFirst = ui::kCpuWindowIds.first;

enum : int {
  // Menu commands
  kCmdPrint = kFirst,
  kCmdExit,
  kCmdRefresh,
  kCmdSpeed,
  // Controls
  kIdSheet = kFirst + 10,
  kIdUsagePanel,
  kIdUsageHeading,
  kIdUsageLabel,
  kIdUsageBar1,
  kIdUsageBar2,
  kIdSpeedPanel,    // window text: the digits shown
  kIdCounterPanel,  // window text: the digits shown
  kIdFeatures,
  kIdShowMeter,
  kIdSpeedHeading,
  kIdCounterHeading,
  kIdFeaturesHeading,
  kIdWebAddress,
  kIdMhzLabel,
  kIdCyclesLabel,
  // Value cells of the sheet: this plus the row (labels sit
  // ui::kSheetLabelIdOffset above their value cells)
  kIdFirstValue = kFirst + 100,
};

static_assert(ui::AllIn(ui::kCpuWindowIds, {kCmdPrint, kIdCyclesLabel, kIdFirstValue + 18 + 50}));

}  // namespace cpu_ids

constexpr int CpuValueId(std::size_t row) { return cpu_ids::kIdFirstValue + static_cast<int>(row); }

namespace meters_ids {

inline constexpr int kFirst = ui::kMetersWindowIds.first;

enum : int {
  kCmdRefresh = kFirst,  // View, Refresh
  kIdHeading = kFirst + 10,
  kIdNote,
  kIdBarPanel,
  kIdBar,
  kIdChartPanel,
  kIdPercent,
  kIdWebAddress,
};

static_assert(ui::AllIn(ui::kMetersWindowIds, {kCmdRefresh, kIdWebAddress}));

}  // namespace meters_ids

}  // namespace corvane::cpu
