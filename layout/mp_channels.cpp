// MP's channel rows: for each of the 30 channels its line ring, switch, time, state text and two
// latch lamps.
#include <array>

#include "ctrl_builders.h"
#include "mp_grid.h"
#include "panels.h"
#include "qorm_uir.h"

namespace layout {
namespace {

struct ChannelIds {
    const char* number;  // the channel number as text: the ring's and the Л1 lamp's label
    int line;
    const char* line_name;
    int sw;
    const char* sw_name;
    int time;
    const char* time_name;
    int state;
    const char* state_name;
    int fix1;
    const char* fix1_name;
    int fix2;
    const char* fix2_name;
};

// Names are spelled from the constants' identifiers, so a name always matches its id.
// clang-format off
#define QORM_CHANNEL(i)                                                                 \
    ChannelIds{#i,                                                                      \
               MP_L_##i, "MP_L_" #i, MP_SWITCH_##i, "MP_SWITCH_" #i, MP_T_##i, "MP_T_" #i, \
               MP_ST_##i, "MP_ST_" #i, MP_1FIX_##i, "MP_1FIX_" #i, MP_2FIX_##i, "MP_2FIX_" #i}
// clang-format on

constexpr std::array<ChannelIds, mp::kChannels> kChannels = {
    QORM_CHANNEL(1),  QORM_CHANNEL(2),  QORM_CHANNEL(3),  QORM_CHANNEL(4),  QORM_CHANNEL(5),
    QORM_CHANNEL(6),  QORM_CHANNEL(7),  QORM_CHANNEL(8),  QORM_CHANNEL(9),  QORM_CHANNEL(10),
    QORM_CHANNEL(11), QORM_CHANNEL(12), QORM_CHANNEL(13), QORM_CHANNEL(14), QORM_CHANNEL(15),
    QORM_CHANNEL(16), QORM_CHANNEL(17), QORM_CHANNEL(18), QORM_CHANNEL(19), QORM_CHANNEL(20),
    QORM_CHANNEL(21), QORM_CHANNEL(22), QORM_CHANNEL(23), QORM_CHANNEL(24), QORM_CHANNEL(25),
    QORM_CHANNEL(26), QORM_CHANNEL(27), QORM_CHANNEL(28), QORM_CHANNEL(29), QORM_CHANNEL(30),
};

#undef QORM_CHANNEL

// Line codes: 0 no line, 1 line 1, 2 line 2.
constexpr uir::ListItemSpec kLineItems[] = {{" -", 0}, {"Л1", 1}, {"Л2", 2}};

constexpr int kPerChannel = 6;

constexpr std::array<uir::CtrlSpec, mp::kChannels * kPerChannel> build_channel_controls() {
    std::array<uir::CtrlSpec, mp::kChannels * kPerChannel> out{};
    std::size_t n = 0;
    for (int channel = 1; channel <= mp::kChannels; ++channel) {
        const ChannelIds& ids = kChannels[channel - 1];
        const int top = mp::channel_row_top(channel);
        out[n++] =
            placed({.id = ids.line,
                    .constant_name = ids.line_name,
                    .kind = CTRL_RING,
                    .data_type = VAL_SHORT_INTEGER,
                    .label = ids.number,
                    .callback = "mpCheckChan",
                    .items = kLineItems},
                   {top, mp::channel_col(channel, mp::kLineCol), mp::kLineWidth, mp::kRowHeight});
        out[n++] = placed(
            {.id = ids.sw,
             .constant_name = ids.sw_name,
             .kind = CTRL_TOGGLE_BUTTON,
             .data_type = VAL_INTEGER,
             .callback = "mpSwitch"},
            {top, mp::channel_col(channel, mp::kSwitchCol), mp::kSwitchWidth, mp::kRowHeight});
        out[n++] =
            placed({.id = ids.time,
                    .constant_name = ids.time_name,
                    .kind = CTRL_NUMERIC,
                    .data_type = VAL_FLOAT,
                    .callback = "mpChangeT",
                    .value = kTimeAtLoad,
                    .dimmed = true,
                    .min = kTimeRangeAtLoad.minimum,
                    .max = kTimeRangeAtLoad.maximum,
                    .incr = kTimeRangeAtLoad.increment,
                    .precision = kTimeDecimals},
                   {top, mp::channel_col(channel, mp::kTimeCol), mp::kTimeWidth, mp::kRowHeight});
        // State code 3, a channel fault, is shown "X".
        out[n++] = fault_when_text(string_indicator(ids.state, ids.state_name, "", "",
                                                    {top, mp::channel_col(channel, mp::kStateCol),
                                                     mp::kStateWidth, mp::kRowHeight}),
                                   "X");
    }
    for (int channel = 1; channel <= mp::kChannels; ++channel) {
        const ChannelIds& ids = kChannels[channel - 1];
        const int left = mp::lamp_left(channel);
        out[n++] = placed({.id = ids.fix1,
                           .constant_name = ids.fix1_name,
                           .kind = CTRL_LED,
                           .data_type = VAL_INTEGER,
                           .label = ids.number,
                           .callback = "mpClickFix"},
                          {mp::kLamp1Top, left, mp::kLampSize, mp::kLampSize});
        out[n++] = placed({.id = ids.fix2,
                           .constant_name = ids.fix2_name,
                           .kind = CTRL_LED,
                           .data_type = VAL_INTEGER,
                           .callback = "mpClickFix"},
                          {mp::kLamp2Top, left, mp::kLampSize, mp::kLampSize});
    }
    return out;
}

constexpr auto kChannelControls = build_channel_controls();

}  // namespace

std::span<const uir::CtrlSpec> mp_channel_controls() {
    return kChannelControls;
}

}  // namespace layout
