// MP's controls outside the channel rows: the title, identity and link bands, the group, mode
// and run controls of the side column, the state and latch controls, the service buttons and
// the error line.
#include "ctrl_builders.h"
#include "mp_grid.h"
#include "panels.h"
#include "qorm_uir.h"

namespace layout {
namespace {

using mp::kBankHeight;
using mp::kBankLeft;
using mp::kBankTop;
using mp::kBankWidth;

// The side column beside the banks, and the inner left and width of its frames.
constexpr int kSideLeft = 404;
constexpr int kSideWidth = 222;
constexpr int kSideInner = kSideLeft + 6;
constexpr int kSideInnerWidth = kSideWidth - 12;
constexpr int kHalfButton = (kSideInnerWidth - 6) / 2;
constexpr int kSideRight = kSideInner + kHalfButton + 6;

// The first row of the state and latch frame.
constexpr int kStateRow = mp::kLatchTop + 3;

// clang-format off
constexpr uir::CtrlSpec kOtherControls[] = {
    // Frames.
    decoration(MP_DECORATION_4, "MP_DECORATION_4", {4, 4, 296, 48}),
    decoration(MP_DECORATION_43, "MP_DECORATION_43", {4, 304, 218, 48}),
    decoration(MP_DECORATION_52, "MP_DECORATION_52", {4, 526, 100, 48}),
    decoration(MP_DECORATION_44, "MP_DECORATION_44",
               {kBankTop, kBankLeft[0], kBankWidth, kBankHeight}),
    decoration(MP_DECORATION_46, "MP_DECORATION_46",
               {kBankTop, kBankLeft[1], kBankWidth, kBankHeight}),
    decoration(MP_DECORATION_50, "MP_DECORATION_50", {kBankTop, kSideLeft, kSideWidth, 122}),
    decoration(MP_DECORATION_49, "MP_DECORATION_49", {182, kSideLeft, kSideWidth, 104}),
    decoration(MP_DECORATION_51, "MP_DECORATION_51", {290, kSideLeft, kSideWidth, 102}),
    decoration(MP_DECORATION_48, "MP_DECORATION_48",
               {mp::kLatchTop, mp::kLatchLeft, mp::kLatchWidth, mp::kLatchHeight}),
    decoration(MP_DECORATION_53, "MP_DECORATION_53", {496, 4, 622, 28}),
    decoration(MP_DECORATION_47, "MP_DECORATION_47", {528, 4, 622, 28}),

    // Title: the module's name with its hardware revision, and what it is.
    picture(MP_VXI_LOGO, "MP_VXI_LOGO", {9, 10, 38, 38}),
    text_message(MP_TEXTMSG_2, "MP_TEXTMSG_2", "Мезонин QORM", {7, 56, 112, 14}),
    text_message(MP_HW_VER, "MP_HW_VER", "", {7, 172, 122, 14}),
    text_message(MP_TEXTMSG_3, "MP_TEXTMSG_3", "Формирователь токовых команд\n30 каналов",
                 {22, 56, 238, 28}),

    // Identity: where the module sits. Each field fits "65535", an unknown slot or mainframe
    // address (-1) as an unsigned 16-bit value.
    numeric_indicator(MP_I, "MP_I", "Интф.", VAL_UNSIGNED_SHORT_INTEGER, {8, 350, 50, 20}),
    numeric_indicator(MP_S, "MP_S", "Слот", VAL_UNSIGNED_SHORT_INTEGER, {30, 350, 50, 20}),
    numeric_indicator(MP_MEZ_NUM, "MP_MEZ_NUM", "Мезонин", VAL_UNSIGNED_SHORT_INTEGER,
                      {8, 468, 50, 20}),
    numeric_indicator(MP_K, "MP_K", "Кр.ЛА", VAL_UNSIGNED_SHORT_INTEGER, {30, 468, 50, 20}),

    // Link: lit while the module is open.
    placed({.id = MP_LED, .constant_name = "MP_LED", .kind = CTRL_LED, .data_type = VAL_INTEGER,
            .mode = VAL_INDICATOR, .label = "Связь"},
           {30, 542, 16, 16}),
    picture(MP_PICTURE_2, "MP_PICTURE_2", {8, 580, 40, 40}),

    // Group control: line selections for all channels, then all selected channels on or off.
    text_message(MP_TEXTMSG_4, "MP_TEXTMSG_4", "Групповое управление", {60, kSideInner, 164, 16}),
    text_message(MP_TEXTMSG_5, "MP_TEXTMSG_5", "Все каналы", {78, kSideInner, 90, 16}),
    command_button(MP_COMMANDBUTTON_2, "MP_COMMANDBUTTON_2", "На линию 1", "mpSelectAll_1",
                   {96, kSideInner, kHalfButton, 22}),
    command_button(MP_COMMANDBUTTON_4, "MP_COMMANDBUTTON_4", "На линию 2", "mpSelectAll_2",
                   {96, kSideRight, kHalfButton, 22}),
    command_button(MP_COMMANDBUTTON_3, "MP_COMMANDBUTTON_3", "Отменить выбор", "mpUnSelectAll",
                   {122, kSideInner, kSideInnerWidth, 22}),
    command_button(MP_GRP_ON, "MP_GRP_ON", "ВКЛ", "mpGrpON", {150, kSideInner, kHalfButton, 24}),
    command_button(MP_GRP_OFF, "MP_GRP_OFF", "ВЫКЛ", "mpGrpOFF",
                   {150, kSideRight, kHalfButton, 24}),

    // Modes. Manual control (1) is selected at load, which is what the dimmed run controls
    // below correspond to. The start mode goes to the driver as it stands: 1 "Программный",
    // 0 "От носителя".
    placed({.id = MP_CTRL_MODE, .constant_name = "MP_CTRL_MODE", .kind = CTRL_BINARY_SWITCH,
            .data_type = VAL_INTEGER, .callback = "mpCtrlMode", .value = 1,
            .on_text = "Ручное управление", .off_text = "Переключение по таймеру"},
           {188, kSideInner, kSideInnerWidth, 36}),
    placed({.id = MP_START_MODE, .constant_name = "MP_START_MODE", .kind = CTRL_BINARY_SWITCH,
            .data_type = VAL_INTEGER, .label = "Режим запуска", .value = 1, .dimmed = true,
            .on_text = "Программный", .off_text = "От носителя"},
           {246, kSideInner, kSideInnerWidth, 36}),

    // Run: the common time and the start/stop button, usable in timed switching only.
    placed({.id = MP_GT, .constant_name = "MP_GT", .kind = CTRL_NUMERIC, .data_type = VAL_FLOAT,
            .label = "Общее время", .value = kTimeAtLoad, .dimmed = true,
            .min = kTimeRangeAtLoad.minimum, .max = kTimeRangeAtLoad.maximum,
            .incr = kTimeRangeAtLoad.increment, .precision = kTimeDecimals},
           {298, 506, mp::kTimeWidth, 20}),
    dimmed(command_button(MP_SET_GT, "MP_SET_GT", "Установить", "mpSetGT", {324, 506, 114, 22})),
    placed({.id = MP_START, .constant_name = "MP_START", .kind = CTRL_TOGGLE_BUTTON,
            .data_type = VAL_INTEGER, .callback = "mpStart", .dimmed = true,
            .on_text = "Стоп", .off_text = "Старт"},
           {354, kSideInner, kSideInnerWidth, 32}),

    // State of the channels: polled once or continuously; their latches and the latch reset.
    // The lamps themselves are channel controls.
    text_message(MP_TEXTMSG_6, "MP_TEXTMSG_6", "Состояние", {kStateRow + 3, 10, 74, 16}),
    text_message(MP_TEXTMSG_7, "MP_TEXTMSG_7", "каналов", {kStateRow + 3, 84, 58, 16}),
    command_button(MP_CHECKSTATE, "MP_CHECKSTATE", "Проверить", "mpCheckState",
                   {kStateRow, 150, 92, 22}),
    placed({.id = MP_STATE_CONT, .constant_name = "MP_STATE_CONT", .kind = CTRL_CHECK_BOX,
            .data_type = VAL_INTEGER, .label = "Постоянно", .callback = "mpStateCont"},
           {kStateRow + 2, 250, 96, 18}),
    command_button(MP_FIXRST, "MP_FIXRST", "Сброс триггеров", "mpResetFix",
                   {kStateRow, 490, 130, 22}),
    text_message(MP_TEXTMSG_8, "MP_TEXTMSG_8", "Тригеры фиксации переключения",
                 {kStateRow + 26, 10, 240, 14}),
    text_message(MP_TEXTMSG, "MP_TEXTMSG", "Л1", {mp::kLamp1Top - 1, 10, 18, 16}),
    text_message(MP_TEXTMSG_9, "MP_TEXTMSG_9", "Л2", {mp::kLamp2Top - 1, 10, 18, 16}),
    // Follows MP_STATE_CONT, which is 0 at load.
    {.id = MP_TIMER, .constant_name = "MP_TIMER", .kind = CTRL_TIMER, .callback = "mpCheckState",
     .interval = 0.1, .enabled = false},

    // Service.
    command_button(MP_RESET, "MP_RESET", "Сброс", "mpReset", {499, 10, 90, 22}),
    command_button(MP_SELFTEST, "MP_SELFTEST", "Самоконтроль", "mpSelftest", {499, 106, 120, 22}),
    command_button(MP_BAZA, "MP_BAZA", "Носитель", "showBase", {499, 232, 90, 22}),
    command_button(MP_CLOSE, "MP_CLOSE", "ВЫХОД", "mpExit", {499, 530, 90, 22}),

    // Error line: the driver's text of the last failed call.
    placed({.id = MP_ERROR_MESSAGE, .constant_name = "MP_ERROR_MESSAGE", .kind = CTRL_STRING,
            .data_type = VAL_STRING, .mode = VAL_INDICATOR, .text = "", .text_color = VAL_RED},
           {531, 10, 546, 22}),
    command_button(MP_ERROR_MESSAGE_OK, "MP_ERROR_MESSAGE_OK", "__OK", "errMessOk",
                   {531, 562, 58, 22}),
};
// clang-format on

}  // namespace

std::span<const uir::CtrlSpec> mp_other_controls() {
    return kOtherControls;
}

}  // namespace layout
