// MP's grid: the places the channel rows, the latch lamps and the frames around them share.
// MP is 630 wide and 558 high. Channels 1-15 fill the left bank, 16-30 the right one; beside
// them the side column holds the group, mode and run controls; below them, across the panel,
// the state controls and the latch lamps in two rows of thirty.
#pragma once

namespace layout::mp {

inline constexpr int kPanelWidth = 630;
inline constexpr int kPanelHeight = 558;

inline constexpr int kChannels = 30;
inline constexpr int kChannelsPerBank = 15;

// Bank frames.
inline constexpr int kBankTop = 56;
inline constexpr int kBankHeight = 336;
inline constexpr int kBankWidth = 196;
inline constexpr int kBankLeft[2] = {4, 204};

// Channel rows inside a bank.
inline constexpr int kRowTop = kBankTop + 4;
inline constexpr int kRowPitch = 22;
inline constexpr int kRowHeight = 20;

// Columns, from the bank frame's left edge. The line ring's label (the channel number) takes
// the pixels before it. A time field is wide enough for the fine range's widest time, "10.235",
// beside its arrows.
inline constexpr int kLineCol = 24;
inline constexpr int kLineWidth = 44;
inline constexpr int kSwitchCol = 72;
inline constexpr int kSwitchWidth = 20;
inline constexpr int kTimeCol = 96;
inline constexpr int kTimeWidth = 70;
inline constexpr int kStateCol = 172;
inline constexpr int kStateWidth = 20;

// State and latch frame. Row "Л1" carries the channel numbers above its lamps; the pitch
// leaves a gap between two-digit numbers.
inline constexpr int kLatchTop = 396;
inline constexpr int kLatchHeight = 96;
inline constexpr int kLatchLeft = 4;
inline constexpr int kLatchWidth = 622;
inline constexpr int kLampLeft = 40;
inline constexpr int kLampPitch = 19;
inline constexpr int kLampSize = 14;
inline constexpr int kLamp1Top = 457;
inline constexpr int kLamp2Top = 475;

constexpr int channel_bank(int channel) {
    return (channel - 1) / kChannelsPerBank;
}
constexpr int channel_row_top(int channel) {
    return kRowTop + (channel - 1) % kChannelsPerBank * kRowPitch;
}
constexpr int channel_col(int channel, int col) {
    return kBankLeft[channel_bank(channel)] + col;
}
constexpr int lamp_left(int channel) {
    return kLampLeft + (channel - 1) * kLampPitch;
}

}  // namespace layout::mp
