// Manual switching: one channel with its switch, all selected channels with the group buttons,
// and the three buttons that select a line for every channel.
#include "qorm_internal.h"
#include "qorm_uir.h"
#include "rules.h"

int mpSwitch(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    ModuleInstance* instance = record_of(panel);
    if (instance == nullptr) return 0;
    const int mp = instance->mp_panel;

    // The decision rests on what the module reports, not on what the switch showed.
    status = kelqorm_state(instance->session, instance->channel_codes);
    if (status < 0) {
        stop_continuous_polling(mp);
        errMsg(mp, status);
        return 0;
    }
    const int channel = channel_of(mpSwitchCtrls, control);
    if (channel == 0) return 0;
    int on = 0;
    GetCtrlVal(panel, control, &on);
    // The line selection matters only to a switch turned on.
    ViInt16 line = 0;
    if (on == 1) GetCtrlVal(mp, mpLineCtrls[channel - 1], &line);
    const SwitchCommand command = switch_command(instance->channel_codes[channel - 1], on, line);
    if (command.switch_off_now) SetCtrlVal(mp, control, 0);

    status = kelqorm_manual_cmd(instance->session, static_cast<ViInt16>(channel),
                                static_cast<ViUInt16>(command.code), command.on);
    if (status < 0) errMsg(mp, status);
    mpSetView(instance);
    refresh_module_state(instance);
    return 0;
}

namespace {

int group_command(int panel, int event, ViInt16 on) {
    if (event != EVENT_COMMIT) return 0;
    ModuleInstance* instance = record_of(panel);
    if (instance == nullptr) return 0;
    mpGet(instance);
    status = kelqorm_manual_group_cmd(instance->session, on, instance->channel_codes);
    if (status < 0) errMsg(instance->mp_panel, status);
    mpSetView(instance);
    refresh_module_state(instance);
    return 0;
}

int select_line_for_all(int panel, int event, ViInt16 line) {
    if (event != EVENT_COMMIT) return 0;
    ModuleInstance* instance = record_of(panel);
    if (instance == nullptr) return 0;
    for (int control : mpLineCtrls) SetCtrlVal(instance->mp_panel, control, line);
    mpSetView(instance);
    return 0;
}

}  // namespace

int mpGrpON(int panel, int, int event, void*, int, int) {
    return group_command(panel, event, 1);
}

int mpGrpOFF(int panel, int, int event, void*, int, int) {
    return group_command(panel, event, 0);
}

int mpSelectAll_1(int panel, int, int event, void*, int, int) {
    return select_line_for_all(panel, event, 1);
}

int mpSelectAll_2(int panel, int, int event, void*, int, int) {
    return select_line_for_all(panel, event, 2);
}

int mpUnSelectAll(int panel, int, int event, void*, int, int) {
    return select_line_for_all(panel, event, 0);
}
