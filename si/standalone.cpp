// The standalone start-up: find the VXI carriers, let the operator choose one, open it, find the
// QORM mezzanine on it and run the front panel; without a carrier or a module, run the front
// panel on a demo instance that has no driver session.
#include <cstdint>
#include <cstdio>

#include "carrier_panel.h"
#include "demo_instance.h"
#include "kelbase.h"
#include "kelqorm.h"
#include "qorm.h"
#include "si.h"
#include "userint.h"

namespace {

// The carrier models the front panel serves: hex 10D, hex 155, and 0 for an unprogrammed one.
constexpr ViUInt16 kCarrierModels[3] = {0x10D, 0x155, 0};

void no_carrier_popup() {
    MessagePopup("QORM", "Носитель не найден.\nДемо режим");
}

void carrier_failed_popup() {
    MessagePopup("Носитель",
                 "          Ошибка инициализации.\nУстройство занято либо не сконфигурировано\n"
                 "          Менеджером Ресурсов.");
}

// The position of the QORM mezzanine on the carrier, 0 when there is none. The search stops at
// the first failing query; with two QORM modules the higher position is taken.
ViUInt16 find_qorm(ViSession carrier, CarrierSummary* summary) {
    ViUInt16 found = 0;
    for (ViUInt16 position = 1; position <= KELBASE_POSITIONS; ++position) {
        ViInt16 present = 0;
        ViInt16 type = 0;
        PositionReport& report = summary->positions[position - 1];
        if (kelbase_m_type_q(carrier, position, &present, &type) < 0) {
            report.state = PositionReport::State::query_failed;
            break;
        }
        report.state = present != 0 ? PositionReport::State::fitted : PositionReport::State::empty;
        report.type = type;
        if (present != 0 && type == KELQORM_TYPE_CODE) found = position;
    }
    return found;
}

// Runs the front panel of an open instance. A front panel that cannot even load its panels
// leaves the instance open; it is closed here, so the module is reset and its session closed
// rather than abandoned.
void run_front_panel(ModuleInstance* instance) {
    if (qorm_display(instance) < 0 && instance != nullptr) qorm_close(&instance);
}

// A record from the same allocator and registry as qorm_init's, so the end of the front-panel
// run releases it unchanged.
void run_demo(int carrier_panel) {
    ModuleInstance* demo = new_demo_instance(carrier_panel);
    if (demo == nullptr) {
        MessagePopup("QORM", "Не хватает оперативной памяти");
        return;
    }
    run_front_panel(demo);
}

// Opens the chosen carrier and runs the front panel of its module; false when the demo
// instance must run instead.
bool run_carrier(const InstrumentEntry& entry, int carrier_panel, CarrierSummary* summary) {
    summary->entry = &entry;
    ViSession carrier = 0;
    ViUInt16 position = 0;
    char resource[kResourceNameLen];
    std::snprintf(resource, sizeof resource, "%s", entry.resource_name);
    if (kelbase_init(resource, VI_TRUE, VI_TRUE, &carrier) < 0) {
        carrier = 0;
        carrier_failed_popup();
    } else {
        summary->opened = true;
        position = find_qorm(carrier, summary);
    }
    fill_carrier_panel(carrier_panel, *summary);

    // The instance variable carries the caller's panel in, and the record out.
    auto* instance = reinterpret_cast<ModuleInstance*>(static_cast<intptr_t>(carrier_panel));
    const ViStatus st = qorm_init(carrier, position, VI_TRUE, VI_TRUE, &instance);
    if (st < 0) return false;
    // After the no-memory warning there is no record: qorm_display returns at once.
    run_front_panel(instance);
    return true;
}

}  // namespace

int RunStandalone() {
    if (InitUserInterface() < 0) return -1;
    // Built first, the summary panel is the caller's panel of the standalone run (handle 1 in a
    // fresh process): "Панель носителя" and "Носитель" bring it up.
    const int carrier_panel = build_carrier_panel();  // 0 when it cannot be built
    CarrierSummary summary;

    bool ran = false;
    if (FindVISAinstruments() <= 0) {
        no_carrier_popup();
    } else {
        const InstrumentEntry* entry = SelectInstrument("Выбор носителя", kCarrierModels[0],
                                                        kCarrierModels[1], kCarrierModels[2]);
        if (entry == nullptr) {
            no_carrier_popup();
        } else {
            ran = run_carrier(*entry, carrier_panel, &summary);
        }
    }
    if (!ran) {
        fill_carrier_panel(carrier_panel, summary);
        run_demo(carrier_panel);
    }
    QuitUserInterface(0);
    return 0;
}
