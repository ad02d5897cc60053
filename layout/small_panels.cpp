// The four small panels: about, exit confirmation, self-test and connector test.
#include "ctrl_builders.h"
#include "panels.h"
#include "qorm_uir.h"

namespace layout {
namespace {

// Version fields, filled at set-up; labels to their left.
constexpr int kVersionLeft = 164;
constexpr int kVersionWidth = 186;

constexpr uir::CtrlSpec kAboutControls[] = {
    decoration(ABOUT_DECORATION, "ABOUT_DECORATION", {6, 6, 352, 156}),
    picture(ABOUT_PICTURE_2, "ABOUT_PICTURE_2", {14, 14, 48, 48}),
    text_message(ABOUT_TEXTMSG_2, "ABOUT_TEXTMSG_2", "МЕЗОНИН   QORM", {30, 76, 130, 16}),
    string_indicator(ABOUT_DRVR_VERSION, "ABOUT_DRVR_VERSION", "Версия  драйвера", "",
                     {72, kVersionLeft, kVersionWidth, 20}),
    string_indicator(ABOUT_SOFT_VERSION, "ABOUT_SOFT_VERSION",
                     "Версия  программы\nуправления модулем", "",
                     {104, kVersionLeft, kVersionWidth, 20}),
    string_indicator(ABOUT_HRDW_VERSION, "ABOUT_HRDW_VERSION", "Версия аппаратуры", "",
                     {136, kVersionLeft, kVersionWidth, 20}),
    command_button(ABOUT_COMMANDBUTTON, "ABOUT_COMMANDBUTTON", "__Выход", "closePanelCB",
                   {172, 137, 90, 26}),
};

constexpr uir::CtrlSpec kExitPopupControls[] = {
    text_message(EXIT_POPUP_TEXTMSG, "EXIT_POPUP_TEXTMSG", "Завершить работу с мезонином QORM?",
                 {12, 60, 180, 30}),
    command_button(EXIT_POPUP_EXIT_YES, "EXIT_POPUP_EXIT_YES", "ДА", "exit_yes", {58, 34, 84, 26}),
    command_button(EXIT_POPUP_EXIT_NO, "EXIT_POPUP_EXIT_NO", "НЕТ", "closePanelCB",
                   {58, 134, 84, 26}),
};

// The close button stays dimmed until the first verdict is written.
constexpr uir::CtrlSpec kStControls[] = {
    // 0 is a pass; any other result a failed self-test.
    fault_when_nonzero(numeric_indicator(ST_RESULT, "ST_RESULT", "Результат:", VAL_SHORT_INTEGER,
                                         {14, 96, 60, 20})),
    string_indicator(ST_MSG, "ST_MSG", "", "Идёт самоконтроль. Ждите ...", {46, 10, 620, 22}),
    dimmed(command_button(ST_CLOSE, "ST_CLOSE", "__Закрыть", "closePanelCB", {86, 275, 90, 26})),
};

constexpr uir::CtrlSpec kZqormControls[] = {
    placed({.id = ZQORM_TEXTBOX,
            .constant_name = "ZQORM_TEXTBOX",
            .kind = CTRL_TEXT_BOX,
            .data_type = VAL_STRING,
            .mode = VAL_INDICATOR,
            .text = ""},
           {10, 10, 355, 215}),
    command_button(ZQORM_COMMANDBUTTON, "ZQORM_COMMANDBUTTON", "__OK", "zqormClose",
                   {237, 147, 80, 26}),
};

constexpr uir::PanelSpec kAbout = {.id = ABOUT,
                                   .constant_name = "ABOUT",
                                   .title = "О программе...",
                                   .top = 29,
                                   .left = 288,
                                   .height = 206,
                                   .width = 364,
                                   .callback = "closePCB",
                                   .controls = kAboutControls};

// Panels without a panel callback: their frame's close button does what their own
// dismissing button does.
constexpr uir::PanelSpec kExitPopup = {.id = EXIT_POPUP,
                                       .constant_name = "EXIT_POPUP",
                                       .title = "QORM",
                                       .top = 269,
                                       .left = 175,
                                       .height = 98,
                                       .width = 252,
                                       .controls = kExitPopupControls,
                                       .close_ctrl = EXIT_POPUP_EXIT_NO};

constexpr uir::PanelSpec kSt = {.id = ST,
                                .constant_name = "ST",
                                .title = "Самоконтроль",
                                .top = 136,
                                .left = 190,
                                .height = 126,
                                .width = 640,
                                .callback = "closePCB",
                                .controls = kStControls};

constexpr uir::PanelSpec kZqorm = {.id = ZQORM,
                                   .constant_name = "ZQORM",
                                   .title = "Проверка с соединителем QORM-Z",
                                   .top = 21,
                                   .left = 151,
                                   .height = 275,
                                   .width = 375,
                                   .controls = kZqormControls,
                                   .close_ctrl = ZQORM_COMMANDBUTTON};

}  // namespace

const uir::PanelSpec& about_panel() {
    return kAbout;
}
const uir::PanelSpec& exit_popup_panel() {
    return kExitPopup;
}
const uir::PanelSpec& st_panel() {
    return kSt;
}
const uir::PanelSpec& zqorm_panel() {
    return kZqorm;
}

}  // namespace layout
