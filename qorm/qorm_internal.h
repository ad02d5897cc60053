// The front panel's own functions: the callbacks the layout binds by name, the channel model and
// the helpers they share. Nothing here is exported from libqorm; tests link qorm_core to reach it.
#pragma once

#include <array>

#include "demo_instance.h"
#include "kelqorm.h"
#include "qorm.h"
#include "qorm_uir.h"
#include "userint.h"

// Status of the most recent driver call made by the channel operations.
extern ViStatus status;

// Per-channel control tables of the main panel, entry k for channel k + 1.
using ChannelTable = std::array<int, QORM_CHANNELS>;
extern const ChannelTable mpSwitchCtrls;
extern const ChannelTable mpTimeCtrls;
extern const ChannelTable mpLineCtrls;
extern const ChannelTable mpStateCtrls;
extern const ChannelTable mpFix1Ctrls;
extern const ChannelTable mpFix2Ctrls;

// Channel number (1 to 30) of a control in a family table, 0 when it is not in the table.
int channel_of(const ChannelTable& table, int control);

// The record attached to a panel as its callback data; null when there is none.
ModuleInstance* record_of(int panel);

// The five panels of a front-panel run and the record's field for each handle, in the order
// qorm_display loads them and mpInitPanels takes them. A run ends in another order: it hides
// and discards the about panel, the self-test panel, the main panel (with its menu bar), the
// exit confirmation, then the connector test.
using PanelField = ViInt32 ModuleInstance::*;
struct FrontPanel {
    int layout_id;
    PanelField handle;
    int end_rank;  // its place when the run hides and discards its panels
};
inline constexpr int kFrontPanelCount = 5;
inline constexpr std::array<FrontPanel, kFrontPanelCount> kFrontPanels = {{
    {MP, &ModuleInstance::mp_panel, 2},
    {ABOUT, &ModuleInstance::about_panel, 0},
    {ST, &ModuleInstance::st_panel, 1},
    {EXIT_POPUP, &ModuleInstance::exit_panel, 3},
    {ZQORM, &ModuleInstance::zqorm_panel, 4},
}};
constexpr std::array<PanelField, kFrontPanelCount> front_panels_in_end_order() {
    std::array<PanelField, kFrontPanelCount> order{};
    for (const FrontPanel& panel : kFrontPanels) order.at(panel.end_rank) = panel.handle;
    return order;
}
inline constexpr std::array<PanelField, kFrontPanelCount> kFrontPanelsEndOrder =
    front_panels_in_end_order();
static_assert(
    [] {
        for (PanelField field : kFrontPanelsEndOrder)
            if (field == nullptr) return false;
        return true;
    }(),
    "each front panel has a place of its own in the end order");

// Registers the layout and every callback it names with the run-time, once per process.
void qorm_register_callbacks();

// Instance lifecycle.
ViStatus release_instance(ModuleInstance* instance);
// Whether `instance` is a record that qorm_init or new_demo_instance created and that has not
// been released: only such records are ever read through the four exported operations.
bool is_live_record(const ModuleInstance* instance);

// Main panel set-up and channel model.
int mpInitPanels(ModuleInstance* instance, const int* panels);
void mpGet(ModuleInstance* instance);
void mpSetView(ModuleInstance* instance);

// State polling: the run flag, the states and the latches of the main panel, as a press of
// "Проверить" refreshes them.
void refresh_module_state(ModuleInstance* instance);
// Continuous polling off: the timer stops and "Постоянно" shows it.
void stop_continuous_polling(int mp);

// Error line.
void errMsg(int panel, ViStatus status);
// The driver's text for a status, cut to fit and terminated; when the driver gives none, a text
// of our own that names the status in hex ("Ошибка драйвера BFFF0015").
void driver_error_text(ViStatus status, char (&text)[KELQORM_TEXT_LEN]);

// Callbacks, all of the run-time's control-callback form.
int closePCB(int panel, int control, int event, void* data, int ed1, int ed2);
int closePanelCB(int panel, int control, int event, void* data, int ed1, int ed2);
int exit_yes(int panel, int control, int event, void* data, int ed1, int ed2);
int mpExit(int panel, int control, int event, void* data, int ed1, int ed2);
int mpClose(int panel, int control, int event, void* data, int ed1, int ed2);
int showBase(int panel, int control, int event, void* data, int ed1, int ed2);
int errMessOk(int panel, int control, int event, void* data, int ed1, int ed2);
int mpChangeT(int panel, int control, int event, void* data, int ed1, int ed2);
int mpCheckChan(int panel, int control, int event, void* data, int ed1, int ed2);
int mpCtrlMode(int panel, int control, int event, void* data, int ed1, int ed2);
int mpCheckState(int panel, int control, int event, void* data, int ed1, int ed2);
int mpStateCont(int panel, int control, int event, void* data, int ed1, int ed2);
int mpClickFix(int panel, int control, int event, void* data, int ed1, int ed2);
int mpResetFix(int panel, int control, int event, void* data, int ed1, int ed2);
int mpSwitch(int panel, int control, int event, void* data, int ed1, int ed2);
int mpGrpON(int panel, int control, int event, void* data, int ed1, int ed2);
int mpGrpOFF(int panel, int control, int event, void* data, int ed1, int ed2);
int mpSelectAll_1(int panel, int control, int event, void* data, int ed1, int ed2);
int mpSelectAll_2(int panel, int control, int event, void* data, int ed1, int ed2);
int mpUnSelectAll(int panel, int control, int event, void* data, int ed1, int ed2);
int mpStart(int panel, int control, int event, void* data, int ed1, int ed2);
int mpSetGT(int panel, int control, int event, void* data, int ed1, int ed2);
int mpReset(int panel, int control, int event, void* data, int ed1, int ed2);
int mpSelftest(int panel, int control, int event, void* data, int ed1, int ed2);
int zqormClose(int panel, int control, int event, void* data, int ed1, int ed2);
void mnuCB(int menuBar, int item, void* data, int panel);

// Connector test: the driver's text callback and the panel that receives its lines.
extern int zqormPanel;
ViStatus _VI_FUNCH zqorm_interface(ViSession vi, ViInt16 channel, ViInt32 kind, ViChar line[]);
void run_connector_test(ModuleInstance* instance, int panel);
