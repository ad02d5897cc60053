// State polling and the latch indicators: the run flag, each channel's state and its two
// switching latches, read from the module on demand or on every tick of the panel's timer.
#include "qorm_internal.h"
#include "qorm_uir.h"
#include "rules.h"

void stop_continuous_polling(int mp) {
    SetCtrlAttribute(mp, MP_TIMER, ATTR_ENABLED, 0);
    SetCtrlVal(mp, MP_STATE_CONT, 0);
}

// A failed state or latch read switches continuous polling off, without a message.
void refresh_module_state(ModuleInstance* instance) {
    const int mp = instance->mp_panel;
    ViInt16 running = 0;
    status = kelqorm_gstart_q(instance->session, &running);
    if (status < 0) running = 0;
    SetCtrlVal(mp, MP_START, running != 0 ? 1 : 0);

    status = kelqorm_state(instance->session, instance->channel_codes);
    if (status < 0) {
        stop_continuous_polling(mp);
    } else {
        for (int k = 0; k < QORM_CHANNELS; ++k) {
            const ViInt16 code = instance->channel_codes[k];
            SetCtrlVal(mp, mpStateCtrls[k], state_text(code));
            if (code == 0) SetCtrlVal(mp, mpSwitchCtrls[k], 0);
        }
    }

    status = kelqorm_trig_state(instance->session, instance->latch_words);
    if (status < 0) {
        stop_continuous_polling(mp);
        return;
    }
    for (int k = 0; k < QORM_CHANNELS; ++k) {
        const ViInt16 latches = instance->latch_words[k];
        SetCtrlVal(mp, mpFix1Ctrls[k], latches & 1);
        SetCtrlVal(mp, mpFix2Ctrls[k], (latches >> 1) & 1);
    }
}

int mpCheckState(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT && event != EVENT_TIMER_TICK) return 0;
    if (ModuleInstance* instance = record_of(panel)) refresh_module_state(instance);
    return 0;
}

int mpStateCont(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    int on = 0;
    if (GetCtrlVal(panel, control, &on) < 0) return 0;
    SetCtrlAttribute(panel, MP_TIMER, ATTR_ENABLED, on != 0 ? 1 : 0);
    return 0;
}

int mpClickFix(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    ModuleInstance* instance = record_of(panel);
    if (instance == nullptr) return 0;
    // Either lamp of a channel clears that channel's latches.
    int channel = channel_of(mpFix1Ctrls, control);
    if (channel == 0) channel = channel_of(mpFix2Ctrls, control);
    if (channel == 0) return 0;
    status = kelqorm_reset_trig(instance->session, static_cast<ViInt16>(channel));
    if (status < 0) errMsg(instance->mp_panel, status);
    // The lamps show what the module reports, whether or not the clear went through.
    refresh_module_state(instance);
    return 0;
}

int mpResetFix(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    ModuleInstance* instance = record_of(panel);
    if (instance == nullptr) return 0;
    status = kelqorm_reset_trig(instance->session, 0);
    if (status < 0) {
        errMsg(instance->mp_panel, status);
        return 0;
    }
    refresh_module_state(instance);
    return 0;
}
