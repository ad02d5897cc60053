// The loop-back test with the test connector QORM-Z: the driver's running commentary goes into
// the text box of the connector-test panel.
#include <cstdio>

#include "ctext/ctext.h"
#include "qorm_internal.h"
#include "qorm_uir.h"

int zqormPanel = 0;

namespace {

// Lines reach the text box only while a test runs, whatever the driver does outside one.
bool test_running = false;

// Appends one line made of a lead and a text, cut to a line's length at a character.
void append_line(int panel, const char* lead, const char* text) {
    char line[2 * KELQORM_TEXT_LEN] = "";
    ctext::append(line, sizeof line, lead);
    ctext::append(line, sizeof line, text);
    InsertTextBoxLine(panel, ZQORM_TEXTBOX, -1, line);
}

}  // namespace

ViStatus _VI_FUNCH zqorm_interface(ViSession, ViInt16, ViInt32, ViChar line[]) {
    if (!test_running || line == nullptr) return 0;
    char text[KELQORM_TEXT_LEN];
    ctext::copy(text, sizeof text, line, KELQORM_TEXT_LEN);
    InsertTextBoxLine(zqormPanel, ZQORM_TEXTBOX, -1, text);
    return 0;
}

void run_connector_test(ModuleInstance* instance, int panel) {
    if (ConfirmPopup("QORM", "Подлючите соединитель контрольный QORM-Z") != 1) return;
    // The module and the front panel start the test from their reset state, polling off.
    mpReset(panel, MP_RESET, EVENT_COMMIT, nullptr, 0, 0);
    const int zqorm = instance->zqorm_panel;
    DisplayPanel(zqorm);
    ResetTextBox(zqorm, ZQORM_TEXTBOX, "Проверка QORM...");
    // Draw the panel and its first line before the test blocks.
    ProcessSystemEvents();

    zqormPanel = zqorm;
    const ViStatus installed = kelqorm_sft_interface(instance->session, zqorm_interface);
    if (installed < 0) {
        // The driver's lines will not come: the transcript says why, and the test's own verdict
        // is shown at the end instead of an empty report.
        char reason[KELQORM_TEXT_LEN];
        driver_error_text(installed, reason);
        append_line(zqorm, "Ход проверки не отображается: ", reason);
    }
    test_running = true;
    ViInt16 result = 0;
    char test_text[KELQORM_TEXT_LEN] = "";
    const ViStatus test_status = kelqorm_zqorm_test(instance->session, &result, test_text);
    test_running = false;
    if (test_status < 0) {
        // The test did not run (no library, no module): say why instead of reporting no faults.
        char reason[KELQORM_TEXT_LEN];
        driver_error_text(test_status, reason);
        InsertTextBoxLine(zqorm, ZQORM_TEXTBOX, -1, reason);
    } else if (result == 0) {
        InsertTextBoxLine(zqorm, ZQORM_TEXTBOX, -1, "Проверка завершена. Ошибок не найдено.");
    } else if (installed < 0) {
        char verdict[64];
        std::snprintf(verdict, sizeof verdict, "Проверка завершена, результат %d",
                      static_cast<int>(result));
        InsertTextBoxLine(zqorm, ZQORM_TEXTBOX, -1, verdict);
        char shown[KELQORM_TEXT_LEN];
        ctext::copy(shown, sizeof shown, test_text, sizeof test_text);
        if (shown[0] != '\0') InsertTextBoxLine(zqorm, ZQORM_TEXTBOX, -1, shown);
    }
    kelqorm_sft_interface(instance->session, nullptr);
}

int zqormClose(int panel, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) HidePanel(panel);
    return 0;
}
