// Binds the front panel's callbacks by name and registers its layout with the run-time.
#include "uir/callbacks.h"
#include "qorm_internal.h"
#include "qorm_layout.h"
#include "uir/layout.h"

namespace {

struct NamedCallback {
    const char* name;
    CtrlCallbackPtr function;
};

constexpr NamedCallback kCallbacks[] = {
    {"closePCB", closePCB},
    {"closePanelCB", closePanelCB},
    {"exit_yes", exit_yes},
    {"mpExit", mpExit},
    {"mpClose", mpClose},
    {"showBase", showBase},
    {"errMessOk", errMessOk},
    {"mpChangeT", mpChangeT},
    {"mpCheckChan", mpCheckChan},
    {"mpCtrlMode", mpCtrlMode},
    {"mpCheckState", mpCheckState},
    {"mpStateCont", mpStateCont},
    {"mpClickFix", mpClickFix},
    {"mpResetFix", mpResetFix},
    {"mpSwitch", mpSwitch},
    {"mpGrpON", mpGrpON},
    {"mpGrpOFF", mpGrpOFF},
    {"mpSelectAll_1", mpSelectAll_1},
    {"mpSelectAll_2", mpSelectAll_2},
    {"mpUnSelectAll", mpUnSelectAll},
    {"mpStart", mpStart},
    {"mpSetGT", mpSetGT},
    {"mpReset", mpReset},
    {"mpSelftest", mpSelftest},
    {"zqormClose", zqormClose},
};

}  // namespace

void qorm_register_callbacks() {
    // Registrations outlive every run (and a restart of the run-time), so once is enough.
    static bool registered = false;
    if (registered) return;
    registered = true;
    for (const NamedCallback& callback : kCallbacks) {
        uir::register_callback(callback.name, callback.function);
    }
    uir::register_menu_callback("mnuCB", mnuCB);
    uir::register_layout(qorm_layout());
}
