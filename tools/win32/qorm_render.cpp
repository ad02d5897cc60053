// qorm-render.exe: draws every panel of the front panel to PNG files with the native Win32 view.
// The front panel runs on the simulated crate; a script operates it as a person would (lines
// selected, two channels switched, the menu used, the self-test and the connector test run, timed
// switching chosen) and saves each panel as it appears, the connector test's confirmation
// included. The carrier selection panel and the standalone run's carrier panel are built and drawn
// too. Under wine the pictures show wine's drawing of the common controls.
//
//   qorm-render.exe [OUTPUT_DIR]   (default: the current directory)
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

#include "carrier_panel.h"
#include "kelqorm.h"
#include "png/png_writer.h"
#include "qorm_uir.h"
#include "si.h"
#include "uir/automation.h"
#include "uir/callbacks.h"
#include "uir/layout.h"
#include "uir/runtime.h"
#include "uir/win32.h"
#include "uir/win32_windows.h"
#include "userint.h"
#include "win32_script.h"

namespace {

namespace ua = uir::automation;

std::string g_dir;
int g_failures = 0;

std::string utf8(const wchar_t* w) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, -1, out.data(), n, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

void save_window(HWND w, const char* file) {
    const std::string path = g_dir + "/" + file;
    const uir::win32::Capture picture = uir::win32::capture_window(w);
    if (picture.width == 0 ||
        !png::write_file(path, {picture.width, picture.height, picture.rgb})) {
        std::fprintf(stderr, "qorm-render: %s not written\n", path.c_str());
        ++g_failures;
        return;
    }
    std::printf("%s\n", path.c_str());
    std::fflush(stdout);
}

void save(int panel, const char* file) {
    save_window(uir::win32::window_of(panel), file);
}

// The connector test has written its last line.
bool transcript_complete(int zqorm) {
    int lines = 0;
    char last[256] = "";
    if (GetNumTextBoxLines(zqorm, ZQORM_TEXTBOX, &lines) < 0 || lines < 2) return false;
    GetTextBoxLine(zqorm, ZQORM_TEXTBOX, lines - 1, last);
    return std::string(last).rfind("Проверка завершена", 0) == 0;
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

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    g_dir = argc > 1 ? utf8(argv[1]) : std::string(".");
    LocalFree(argv);
    CreateDirectoryW(std::wstring(g_dir.begin(), g_dir.end()).c_str(), nullptr);

    tools::bind_simulated_crate();
    uir::use_backend(uir::win32::make_backend({" [симуляция]"}));
    if (InitUserInterface() < 0) {
        std::fprintf(stderr, "qorm-render: the Win32 view cannot start\n");
        return 1;
    }
    std::string error;
    ModuleInstance* m = tools::open_simulated_module(&error);
    if (!m) {
        std::fprintf(stderr, "qorm-render: %s\n", error.c_str());
        return 1;
    }

    constexpr double kStep = 0.15;
    tools::Win32Script script;
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
        .then(kStep, [m] { ua::choose_menu_item(m->mp_panel, IMNU_INSTR_ABOUT); })
        .then(kStep, [m] { save(m->about_panel, "about.png"); })
        .then(kStep, [m] { ua::press(m->mp_panel, MP_SELFTEST); })
        .then(kStep, [m] { save(m->st_panel, "selftest.png"); })
        .then(kStep, [m] { ua::choose_menu_item(m->mp_panel, IMNU_INSTR_ZQORM); })
        .until(kStep,
               [] {
                   HWND popup = uir::win32::shown_popup();
                   if (!popup) return false;
                   save_window(popup, "confirm.png");
                   return tools::answer_popup(IDYES);
               })
        // A step may come while the test draws its first line, before the driver has run it.
        .until(kStep,
               [m] {
                   if (!transcript_complete(m->zqorm_panel)) return false;
                   save(m->zqorm_panel, "zqorm.png");
                   return true;
               })
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
