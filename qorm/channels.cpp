// The channel model's module-wide state: the status of the channel operations' latest driver
// call, and the six per-channel control tables of the main panel, entry k for channel k + 1.
#include "qorm_internal.h"
#include "qorm_uir.h"

ViStatus status = 0;

const ChannelTable mpSwitchCtrls = {
    MP_SWITCH_1,  MP_SWITCH_2,  MP_SWITCH_3,  MP_SWITCH_4,  MP_SWITCH_5,  MP_SWITCH_6,
    MP_SWITCH_7,  MP_SWITCH_8,  MP_SWITCH_9,  MP_SWITCH_10, MP_SWITCH_11, MP_SWITCH_12,
    MP_SWITCH_13, MP_SWITCH_14, MP_SWITCH_15, MP_SWITCH_16, MP_SWITCH_17, MP_SWITCH_18,
    MP_SWITCH_19, MP_SWITCH_20, MP_SWITCH_21, MP_SWITCH_22, MP_SWITCH_23, MP_SWITCH_24,
    MP_SWITCH_25, MP_SWITCH_26, MP_SWITCH_27, MP_SWITCH_28, MP_SWITCH_29, MP_SWITCH_30};

const ChannelTable mpTimeCtrls = {
    MP_T_1,  MP_T_2,  MP_T_3,  MP_T_4,  MP_T_5,  MP_T_6,  MP_T_7,  MP_T_8,  MP_T_9,  MP_T_10,
    MP_T_11, MP_T_12, MP_T_13, MP_T_14, MP_T_15, MP_T_16, MP_T_17, MP_T_18, MP_T_19, MP_T_20,
    MP_T_21, MP_T_22, MP_T_23, MP_T_24, MP_T_25, MP_T_26, MP_T_27, MP_T_28, MP_T_29, MP_T_30};

const ChannelTable mpLineCtrls = {
    MP_L_1,  MP_L_2,  MP_L_3,  MP_L_4,  MP_L_5,  MP_L_6,  MP_L_7,  MP_L_8,  MP_L_9,  MP_L_10,
    MP_L_11, MP_L_12, MP_L_13, MP_L_14, MP_L_15, MP_L_16, MP_L_17, MP_L_18, MP_L_19, MP_L_20,
    MP_L_21, MP_L_22, MP_L_23, MP_L_24, MP_L_25, MP_L_26, MP_L_27, MP_L_28, MP_L_29, MP_L_30};

const ChannelTable mpStateCtrls = {MP_ST_1,  MP_ST_2,  MP_ST_3,  MP_ST_4,  MP_ST_5,  MP_ST_6,
                                   MP_ST_7,  MP_ST_8,  MP_ST_9,  MP_ST_10, MP_ST_11, MP_ST_12,
                                   MP_ST_13, MP_ST_14, MP_ST_15, MP_ST_16, MP_ST_17, MP_ST_18,
                                   MP_ST_19, MP_ST_20, MP_ST_21, MP_ST_22, MP_ST_23, MP_ST_24,
                                   MP_ST_25, MP_ST_26, MP_ST_27, MP_ST_28, MP_ST_29, MP_ST_30};

const ChannelTable mpFix1Ctrls = {
    MP_1FIX_1,  MP_1FIX_2,  MP_1FIX_3,  MP_1FIX_4,  MP_1FIX_5,  MP_1FIX_6,  MP_1FIX_7,  MP_1FIX_8,
    MP_1FIX_9,  MP_1FIX_10, MP_1FIX_11, MP_1FIX_12, MP_1FIX_13, MP_1FIX_14, MP_1FIX_15, MP_1FIX_16,
    MP_1FIX_17, MP_1FIX_18, MP_1FIX_19, MP_1FIX_20, MP_1FIX_21, MP_1FIX_22, MP_1FIX_23, MP_1FIX_24,
    MP_1FIX_25, MP_1FIX_26, MP_1FIX_27, MP_1FIX_28, MP_1FIX_29, MP_1FIX_30};

const ChannelTable mpFix2Ctrls = {
    MP_2FIX_1,  MP_2FIX_2,  MP_2FIX_3,  MP_2FIX_4,  MP_2FIX_5,  MP_2FIX_6,  MP_2FIX_7,  MP_2FIX_8,
    MP_2FIX_9,  MP_2FIX_10, MP_2FIX_11, MP_2FIX_12, MP_2FIX_13, MP_2FIX_14, MP_2FIX_15, MP_2FIX_16,
    MP_2FIX_17, MP_2FIX_18, MP_2FIX_19, MP_2FIX_20, MP_2FIX_21, MP_2FIX_22, MP_2FIX_23, MP_2FIX_24,
    MP_2FIX_25, MP_2FIX_26, MP_2FIX_27, MP_2FIX_28, MP_2FIX_29, MP_2FIX_30};

int channel_of(const ChannelTable& table, int control) {
    for (int k = 0; k < QORM_CHANNELS; ++k) {
        if (table[k] == control) return k + 1;
    }
    return 0;
}
