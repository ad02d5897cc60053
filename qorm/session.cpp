// The front-panel run of one instance (qorm_display) and the callbacks that show, hide and close
// its panels.
#include <cstdint>

#include "qorm_internal.h"
#include "qorm_uir.h"

namespace {

// Discards the panels in the end order. A handle of 0 was never loaded.
void discard_panels(ModuleInstance* instance) {
    for (PanelField handle : kFrontPanelsEndOrder) {
        if (instance->*handle > 0) DiscardPanel(instance->*handle);
        instance->*handle = 0;
    }
}

}  // namespace

ModuleInstance* record_of(int panel) {
    void* data = nullptr;
    if (GetPanelAttribute(panel, ATTR_CALLBACK_DATA, &data) < 0) return nullptr;
    return static_cast<ModuleInstance*>(data);
}

extern "C" ViStatus QORM_API qorm_display(ModuleInstance* instance) {
    // Null, released (a run that ended consumed it) or never created: nothing is read.
    if (!is_live_record(instance)) return -1;
    if (instance->display_active != 0) {
        // Called from inside the running loop (a callback, or host code after qorm_hide): bring
        // the main panel back; the first run goes on.
        DisplayPanel(instance->mp_panel);
        return 0;
    }

#ifdef _WIN32
    // qorm.dll carries a run-time of its own, which no host can reach to start: the front panel
    // starts it (the native view) at its first showing. Where the system makes no windows the
    // view does not start and the showing is refused as before, with the instance unchanged.
    if (InitUserInterface() < 0) return -1;
#endif
    qorm_register_callbacks();
    for (const FrontPanel& panel : kFrontPanels) instance->*panel.handle = 0;
    // mpInitPanels takes the handles in load order, ended by 0.
    int panels[kFrontPanelCount + 1] = {};
    for (int k = 0; k < kFrontPanelCount; ++k) {
        const int handle = LoadPanelEx(0, QORM_UIR_FILE, kFrontPanels[k].layout_id, nullptr);
        if (handle < 0) {
            // The instance stays open and idle; nothing loaded so far is left behind.
            discard_panels(instance);
            return -1;
        }
        instance->*kFrontPanels[k].handle = handle;
        panels[k] = handle;
    }

    mpInitPanels(instance, panels);
    instance->display_active = 1;
    SetCtrlVal(instance->mp_panel, MP_LED, instance->session != 0 ? 1 : 0);
    DisplayPanel(instance->mp_panel);
    instance->exit_requested = 0;

    // Each turn waits until something is pending (operator input, a due timer), runs it, and
    // then looks at the flag, so an idle front panel costs nothing and a flag set by any
    // callback or by qorm_close ends the run at once. A run-time that can no longer deliver
    // events ends the run too, instead of spinning.
    while (instance->exit_requested == 0) {
        if (ProcessSystemEventsWaiting() < 0) break;
    }

    if (instance->display_active != 0) {
        discard_panels(instance);
        instance->display_active = 0;
    }
    release_instance(instance);
    return 0;
}

int closePCB(int panel, int, int event, void*, int, int) {
    if (event == EVENT_CLOSE) HidePanel(panel);
    return 0;
}

int closePanelCB(int panel, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) HidePanel(panel);
    return 0;
}

int exit_yes(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    ModuleInstance* instance = record_of(panel);
    if (instance == nullptr) return 0;
    instance->exit_requested = 1;
    HidePanel(instance->exit_panel);
    return 0;
}

int mpExit(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    if (ModuleInstance* instance = record_of(panel)) DisplayPanel(instance->exit_panel);
    return 0;
}

int mpClose(int panel, int, int event, void*, int, int) {
    if (event != EVENT_CLOSE) return 0;
    if (ModuleInstance* instance = record_of(panel)) DisplayPanel(instance->exit_panel);
    return 0;
}

int showBase(int panel, int, int event, void*, int, int) {
    if (event != EVENT_COMMIT) return 0;
    ModuleInstance* instance = record_of(panel);
    if (instance != nullptr && instance->carrier_panel != 0) DisplayPanel(instance->carrier_panel);
    return 0;
}

void mnuCB(int, int item, void*, int panel) {
    ModuleInstance* instance = record_of(panel);
    if (instance == nullptr) return;
    switch (item) {
        case IMNU_INSTR_BASE_PANEL:
            if (instance->carrier_panel != 0) DisplayPanel(instance->carrier_panel);
            break;
        case IMNU_INSTR_ZQORM:
            run_connector_test(instance, panel);
            break;
        case IMNU_INSTR_ABOUT:
            DisplayPanel(instance->about_panel);
            break;
        case IMNU_INSTR_EXIT:
            DisplayPanel(instance->exit_panel);
            break;
        default:  // separators and anything else
            break;
    }
}
