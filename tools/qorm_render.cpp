// qorm-render: draws every panel of the front panel to PNG files on the offscreen platform. The
// front panel runs on the simulated crate with the Qt view; a script operates it as a person
// would (lines selected, two channels switched, the menu used, the self-test and the connector
// test run, timed switching chosen) and saves each panel as it appears. The carrier selection panel
// and the standalone run's carrier panel are built and drawn too.
//
//   qorm-render [OUTPUT_DIR]   (default: the current directory)
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "carrier_panel.h"
#include "kelqorm.h"
#include "qorm_uir.h"
#include "qt_script.h"
#include "si.h"
#include "uir/automation.h"
#include "uir/mark.h"
#include "uir/qt.h"
#include "uir/qt_widgets.h"
#include "uir/runtime.h"
#include "userint.h"

namespace {

namespace ua = uir::automation;

QString g_dir;
int g_failures = 0;

void save(int panel, const char* file) {
    QWidget* w = uir::qt::window_of(panel);
    const QString path = QDir(g_dir).filePath(QString::fromUtf8(file));
    if (!w || !w->grab().save(path)) {
        std::fprintf(stderr, "qorm-render: %s not written\n", path.toUtf8().constData());
        ++g_failures;
        return;
    }
    std::printf("%s\n", path.toUtf8().constData());
}

// Answers the modal confirmation with "Да" once it is on the screen.
bool answer_yes() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return false;
    for (QAbstractButton* b : box->buttons())
        if (b->text() == QStringLiteral("Да")) b->click();
    return true;
}

// Some instruments besides the simulated carrier, so the list shows its columns filled.
void add_listed_instruments() {
    const InstrumentEntry extra[] = {
        {"VXI0::24::INSTR", 0x10D, 0, 0, 24, 5},
        {"VXI1::130::INSTR", 0x155, 1, -1, 130, 12},
        {"VXI0::7::INSTR", 0, 0, 0, 7, 2},
    };
    int at = 0;
    for (const InstrumentEntry& e : extra) {
        while (at < kInstrumentsMax && Instruments[at].logical_address != 0) ++at;
        if (at < kInstrumentsMax) Instruments[at] = e;
    }
}

void render_selection_panels() {
    FindVISAinstruments();
    add_listed_instruments();
    siPanel = BuildSI("Выбор носителя");
    SetListInstrs(0x10D, 0x155, 0);
    DisplayPanel(siPanel);
    save(siPanel, "select.png");
    HidePanel(siPanel);

    const int carrier = build_carrier_panel();
    CarrierSummary summary;
    summary.entry = &Instruments[1];
    summary.opened = true;
    for (PositionReport& position : summary.positions)
        position.state = PositionReport::State::empty;
    summary.positions[1] = {PositionReport::State::fitted, KELQORM_TYPE_CODE};
    fill_carrier_panel(carrier, summary);
    DisplayPanel(carrier);
    save(carrier, "carrier.png");
    HidePanel(carrier);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    g_dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QDir().mkpath(g_dir);

    tools::bind_simulated_crate();
    uir::use_backend(uir::qt::make_backend({" [симуляция]"}));
    if (InitUserInterface() < 0) {
        std::fprintf(stderr, "qorm-render: the Qt view cannot start\n");
        return 1;
    }
    std::string error;
    ModuleInstance* m = tools::open_simulated_module(&error);
    if (!m) {
        std::fprintf(stderr, "qorm-render: %s\n", error.c_str());
        return 1;
    }

    constexpr double kStep = 0.15;
    tools::Script script;
    script
        .then(kStep,
              [m] {
                  ua::select_index(m->mp_panel, MP_L_1, 1);
                  ua::select_index(m->mp_panel, MP_L_2, 2);
                  ua::select_index(m->mp_panel, MP_L_17, 1);
              })
        .then(kStep, [m] { ua::press(m->mp_panel, MP_SWITCH_1); })
        .then(kStep, [m] { ua::press(m->mp_panel, MP_SWITCH_2); })
        .then(kStep, [m] { save(m->mp_panel, "main.png"); })
        // A script played in the windows frames the control it is about to operate.
        .then(kStep, [m] { uir::mark::set(m->mp_panel, MP_CHECKSTATE); })
        .then(kStep,
              [m] {
                  save(m->mp_panel, "main-marked.png");
                  uir::mark::clear();
              })
        .then(kStep, [m] { ua::choose_menu_item(m->mp_panel, IMNU_INSTR_ABOUT); })
        .then(kStep, [m] { save(m->about_panel, "about.png"); })
        .then(kStep, [m] { ua::press(m->mp_panel, MP_SELFTEST); })
        .then(kStep, [m] { save(m->st_panel, "selftest.png"); })
        .then(kStep, [m] { ua::choose_menu_item(m->mp_panel, IMNU_INSTR_ZQORM); })
        .until(kStep, answer_yes)
        .then(kStep, [m] { save(m->zqorm_panel, "zqorm.png"); })
        .then(kStep, [m] { save(m->mp_panel, "main-after-reset.png"); })
        .then(kStep,
              [m] {
                  ua::press(m->mp_panel, MP_CTRL_MODE);
                  ua::press(m->mp_panel, MP_COMMANDBUTTON_2);
              })
        .then(kStep, [m] { save(m->mp_panel, "main-timed.png"); })
        .then(kStep, [m] { ua::press(m->mp_panel, MP_CLOSE); })
        .then(kStep, [m] { save(m->exit_panel, "exit.png"); })
        .then(kStep, render_selection_panels)
        .then(kStep, [m] { ua::press(m->exit_panel, EXIT_POPUP_EXIT_YES); });
    script.start();
    qorm_display(m);
    uir::shutdown();
    return g_failures == 0 ? 0 : 1;
}
