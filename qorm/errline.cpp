// The main panel's error line: the last failed driver call in the driver's own words.
#include <cstdio>

#include "ctext/ctext.h"
#include "qorm_internal.h"
#include "qorm_uir.h"

void driver_error_text(ViStatus st, char (&text)[KELQORM_TEXT_LEN]) {
    // The translation of a status must not need an open session: session 0.
    char driver_text[KELQORM_TEXT_LEN] = "";
    kelqorm_error_message(0, st, driver_text);
    ctext::copy(text, sizeof text, driver_text, sizeof driver_text);
    // A driver that gives no text (its call fails, or it writes nothing) would leave a failure
    // showing as nothing at all: a text of our own names the status instead.
    if (text[0] == '\0') {
        std::snprintf(text, sizeof text, "Ошибка драйвера %08X", static_cast<unsigned>(st));
    }
}

void errMsg(int panel, ViStatus st) {
    // A success leaves an older error on the line.
    if (st == 0) return;
    char shown[KELQORM_TEXT_LEN];
    driver_error_text(st, shown);
    SetCtrlVal(panel, MP_ERROR_MESSAGE, shown);
}

int errMessOk(int panel, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) SetCtrlVal(panel, MP_ERROR_MESSAGE, "");
    return 0;
}
