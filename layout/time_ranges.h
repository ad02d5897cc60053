// The module's time step and range, as the time controls (MP_T_i, MP_GT) offer them: hardware
// revisions with the fine step count 2047 steps of 0.005, the others 255 steps of 0.025. The
// layout loads the coarse range; the front panel's set-up sets the one the module's revision
// allows.
#pragma once

namespace layout {

struct TimeRange {
    double increment, minimum, maximum;
};

inline constexpr TimeRange kCoarseTimeRange{0.025, 0.025, 6.375};
inline constexpr TimeRange kFineTimeRange{0.005, 0.005, 10.235};

constexpr const TimeRange& time_range(bool fine_time_step) {
    return fine_time_step ? kFineTimeRange : kCoarseTimeRange;
}

}  // namespace layout
