// Module reset and self-test.
#include <cstring>

#include "ctext/ctext.h"
#include "qorm_internal.h"
#include "qorm_uir.h"

namespace {

constexpr float kDefaultTime = 0.05f;
constexpr char kSelfTestPassed[] = "Самоконтроль завершен успешно";

}  // namespace

int mpReset(int panel, int control, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    ModuleInstance* instance = record_of(panel);
    if (instance == nullptr) return 0;
    const int mp = instance->mp_panel;

    // No state poll may run during or after the reset until the operator asks for it again.
    stop_continuous_polling(mp);
    const ViStatus reset = kelqorm_reset(instance->session);
    if (reset != 0) errMsg(mp, reset);

    // The panel goes back to its initial state whether or not the module's reset went through.
    SetCtrlVal(mp, MP_CTRL_MODE, 1);
    for (int k = 0; k < QORM_CHANNELS; ++k) {
        SetCtrlVal(mp, mpTimeCtrls[k], kDefaultTime);
        SetCtrlVal(mp, mpLineCtrls[k], static_cast<ViInt16>(0));
        SetCtrlVal(mp, mpStateCtrls[k], "-");
        SetCtrlVal(mp, mpSwitchCtrls[k], 0);
    }
    mpCheckState(panel, control, EVENT_COMMIT, nullptr, 0, 0);
    mpGet(instance);
    mpSetView(instance);
    return 0;
}

int mpSelftest(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    // The driver may leave the text alone: the prepared verdict is then what is shown.
    char text[KELQORM_TEXT_LEN] = {};
    ctext::copy(text, sizeof text, kSelfTestPassed, sizeof kSelfTestPassed);
    ViInt16 result = 0;
    ModuleInstance* instance = record_of(panel);
    if (instance == nullptr) return 0;
    const int st = instance->st_panel;

    DisplayPanel(st);
    const ViStatus test_status = kelqorm_self_test(instance->session, &result, text);
    char shown[KELQORM_TEXT_LEN];
    ctext::copy(shown, sizeof shown, text, sizeof text);
    // A call that failed without a verdict of its own (no library, no module) must not read as a
    // pass: the driver's text for the failure takes the place of the prepared one.
    if (test_status < 0 && std::strcmp(shown, kSelfTestPassed) == 0) {
        driver_error_text(test_status, shown);
    }
    SetCtrlVal(st, ST_RESULT, static_cast<short>(result));
    SetCtrlVal(st, ST_MSG, shown);
    SetCtrlAttribute(st, ST_CLOSE, ATTR_DIMMED, 0);
    return 0;
}
