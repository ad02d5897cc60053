// The parts the layout is assembled from: one function per panel, MP's two groups of controls,
// and what the channel fields and the common time share.
#pragma once

#include <span>

#include "time_ranges.h"
#include "uir/layout.h"

namespace layout {

const uir::PanelSpec& about_panel();
const uir::PanelSpec& exit_popup_panel();
const uir::PanelSpec& mp_panel();
const uir::PanelSpec& st_panel();
const uir::PanelSpec& zqorm_panel();

// MP's 180 channel controls, channel by channel, and its other 48 controls, frames first.
std::span<const uir::CtrlSpec> mp_channel_controls();
std::span<const uir::CtrlSpec> mp_other_controls();

// Times (MP_T_i, MP_GT): the coarse hardware step until the set-up sets the range the module's
// revision allows.
inline constexpr double kTimeAtLoad = 0.05;
inline constexpr const TimeRange& kTimeRangeAtLoad = kCoarseTimeRange;
inline constexpr int kTimeDecimals = 3;

}  // namespace layout
