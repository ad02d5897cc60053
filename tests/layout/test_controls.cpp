// What each control is and the state it has when its panel is loaded.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "layout_view.h"

using layout_test::ctrl;
using layout_test::panel;

namespace {

using layout_test::channel;

std::string str(const char* s) {
    return s ? s : "<null>";
}

// Value types per kind, as the code reads and writes them.
TEST(Kinds, ValueTypesFollowTheKind) {
    for (const auto& p : qorm_layout().panels) {
        for (const auto& c : p.controls) {
            SCOPED_TRACE(c.constant_name);
            switch (c.kind) {
                case CTRL_COMMAND_BUTTON:
                case CTRL_DECORATION:
                case CTRL_PICTURE:
                case CTRL_TIMER:
                    EXPECT_EQ(c.data_type, VAL_NO_TYPE);
                    break;
                case CTRL_TOGGLE_BUTTON:
                case CTRL_CHECK_BOX:
                case CTRL_BINARY_SWITCH:
                case CTRL_LED:
                    EXPECT_EQ(c.data_type, VAL_INTEGER);
                    EXPECT_TRUE(c.value == 0 || c.value == 1);
                    break;
                case CTRL_RING:
                    EXPECT_EQ(c.data_type, VAL_SHORT_INTEGER);
                    break;
                case CTRL_STRING:
                case CTRL_TEXT_MSG:
                case CTRL_TEXT_BOX:
                    EXPECT_EQ(c.data_type, VAL_STRING);
                    EXPECT_NE(c.text, nullptr) << "text controls start with a text";
                    break;
                case CTRL_NUMERIC:
                    EXPECT_TRUE(c.data_type == VAL_FLOAT || c.data_type == VAL_SHORT_INTEGER ||
                                c.data_type == VAL_UNSIGNED_SHORT_INTEGER);
                    break;
                default:
                    ADD_FAILURE() << "unexpected kind " << c.kind;
            }
            EXPECT_TRUE(c.visible) << "every control is visible at load";
        }
    }
}

// What the operator can change: the buttons, switches, rings, times and latch lamps; all else
// only shows.
TEST(Kinds, IndicatorsAndOperableControls) {
    std::set<int> hot_numerics = {MP_GT};
    for (int ch = 1; ch <= 30; ++ch) hot_numerics.insert(channel(ch).t);
    for (const auto& p : qorm_layout().panels) {
        for (const auto& c : p.controls) {
            SCOPED_TRACE(c.constant_name);
            bool hot = false;
            switch (c.kind) {
                case CTRL_COMMAND_BUTTON:
                case CTRL_TOGGLE_BUTTON:
                case CTRL_CHECK_BOX:
                case CTRL_BINARY_SWITCH:
                case CTRL_RING:
                case CTRL_TIMER:
                    hot = true;
                    break;
                case CTRL_NUMERIC:
                    hot = p.id == MP && hot_numerics.count(c.id);
                    break;
                case CTRL_LED:
                    hot = c.id != MP_LED;
                    break;
                default:
                    break;
            }
            EXPECT_EQ(c.mode, hot ? VAL_HOT : VAL_INDICATOR);
        }
    }
}

TEST(LoadState, DimmedAreTheRunControlsOfManualControlAndTheSelfTestClose) {
    std::set<int> dimmed = {MP_START_MODE, MP_START, MP_GT, MP_SET_GT};
    for (int ch = 1; ch <= 30; ++ch) dimmed.insert(channel(ch).t);
    EXPECT_EQ(ctrl(MP, MP_CTRL_MODE).value, 1) << "manual control is what these dims match";
    for (const auto& c : panel(MP).controls)
        EXPECT_EQ(c.dimmed, dimmed.count(c.id) == 1) << c.constant_name;
    for (const auto& c : panel(ST).controls)
        EXPECT_EQ(c.dimmed, c.id == ST_CLOSE) << c.constant_name;
    for (int p : {ABOUT, EXIT_POPUP, ZQORM})
        for (const auto& c : panel(p).controls) EXPECT_FALSE(c.dimmed) << c.constant_name;
}

TEST(LoadState, ChannelRows) {
    for (int ch = 1; ch <= 30; ++ch) {
        SCOPED_TRACE("channel " + std::to_string(ch));
        const auto& t = ctrl(MP, channel(ch).t);
        EXPECT_EQ(t.data_type, VAL_FLOAT);
        EXPECT_DOUBLE_EQ(t.value, 0.05);
        EXPECT_EQ(t.precision, 3);
        EXPECT_LE(t.min, 0.05);
        EXPECT_GE(t.max, 0.05);
        EXPECT_STREQ(t.label, "");

        const auto& ring = ctrl(MP, channel(ch).l);
        EXPECT_STREQ(ring.label, std::to_string(ch).c_str());
        EXPECT_EQ(ring.value, 0);
        ASSERT_EQ(ring.items.size(), 3u);
        EXPECT_STREQ(ring.items[0].label, " -");
        EXPECT_EQ(ring.items[0].value, 0);
        EXPECT_STREQ(ring.items[1].label, "Л1");
        EXPECT_EQ(ring.items[1].value, 1);
        EXPECT_STREQ(ring.items[2].label, "Л2");
        EXPECT_EQ(ring.items[2].value, 2);

        const auto& sw = ctrl(MP, channel(ch).sw);
        EXPECT_EQ(sw.value, 0);
        EXPECT_STREQ(sw.label, "");
        EXPECT_EQ(str(ctrl(MP, channel(ch).st).text), "");
        EXPECT_STREQ(ctrl(MP, channel(ch).fix1).label, std::to_string(ch).c_str());
        EXPECT_STREQ(ctrl(MP, channel(ch).fix2).label, "");
        EXPECT_EQ(ctrl(MP, channel(ch).fix1).value, 0);
        EXPECT_EQ(ctrl(MP, channel(ch).fix2).value, 0);
    }
}

TEST(LoadState, RunAndStateControls) {
    const auto& mode = ctrl(MP, MP_CTRL_MODE);
    EXPECT_EQ(str(mode.on_text), "Ручное управление");
    EXPECT_EQ(str(mode.off_text), "Переключение по таймеру");

    const auto& start_mode = ctrl(MP, MP_START_MODE);
    EXPECT_STREQ(start_mode.label, "Режим запуска");
    const std::set<std::string> positions = {str(start_mode.on_text), str(start_mode.off_text)};
    EXPECT_EQ(positions, (std::set<std::string>{"От носителя", "Программный"}));

    const auto& start = ctrl(MP, MP_START);
    EXPECT_EQ(start.value, 0);
    EXPECT_EQ(str(start.off_text), "Старт") << "idle: pressing starts";
    EXPECT_EQ(str(start.on_text), "Стоп");

    const auto& gt = ctrl(MP, MP_GT);
    EXPECT_STREQ(gt.label, "Общее время");
    EXPECT_EQ(gt.data_type, VAL_FLOAT);
    EXPECT_DOUBLE_EQ(gt.value, 0.05);
    EXPECT_EQ(gt.precision, 3);

    const auto& timer = ctrl(MP, MP_TIMER);
    EXPECT_DOUBLE_EQ(timer.interval, 0.1);
    EXPECT_EQ(ctrl(MP, MP_STATE_CONT).value, 0);
    EXPECT_FALSE(timer.enabled) << "follows MP_STATE_CONT";
    EXPECT_STREQ(ctrl(MP, MP_STATE_CONT).label, "Постоянно");
}

TEST(LoadState, IdentityLedAndErrorLine) {
    for (auto [id, label] : {std::pair{MP_I, "Интф."}, std::pair{MP_MEZ_NUM, "Мезонин"},
                             std::pair{MP_S, "Слот"}, std::pair{MP_K, "Кр.ЛА"}}) {
        const auto& c = ctrl(MP, id);
        EXPECT_STREQ(c.label, label);
        EXPECT_EQ(c.data_type, VAL_UNSIGNED_SHORT_INTEGER);
        EXPECT_EQ(c.value, 0);
    }
    EXPECT_STREQ(ctrl(MP, MP_LED).label, "Связь");
    EXPECT_EQ(ctrl(MP, MP_LED).value, 0);
    EXPECT_EQ(str(ctrl(MP, MP_ERROR_MESSAGE).text), "");
    EXPECT_STREQ(ctrl(MP, MP_ERROR_MESSAGE).label, "");
    EXPECT_STREQ(ctrl(MP, MP_ERROR_MESSAGE_OK).label, "__OK");
    EXPECT_EQ(str(ctrl(MP, MP_HW_VER).text), "");
}

TEST(Texts, MainPanelButtons) {
    const std::pair<int, const char*> kButtons[] = {
        {MP_CLOSE, "ВЫХОД"},
        {MP_CHECKSTATE, "Проверить"},
        {MP_RESET, "Сброс"},
        {MP_BAZA, "Носитель"},
        {MP_SELFTEST, "Самоконтроль"},
        {MP_GRP_OFF, "ВЫКЛ"},
        {MP_GRP_ON, "ВКЛ"},
        {MP_FIXRST, "Сброс триггеров"},
        {MP_SET_GT, "Установить"},
        {MP_COMMANDBUTTON_2, "На линию 1"},
        {MP_COMMANDBUTTON_4, "На линию 2"},
        {MP_COMMANDBUTTON_3, "Отменить выбор"},
    };
    for (auto [id, label] : kButtons) EXPECT_STREQ(ctrl(MP, id).label, label);
}

TEST(Texts, NineStaticTextsEachOnce) {
    const std::multiset<std::string> expected = {"Мезонин QORM",
                                                 "Формирователь токовых команд\n30 каналов",
                                                 "Групповое управление",
                                                 "Все каналы",
                                                 "Состояние",
                                                 "каналов",
                                                 "Тригеры фиксации переключения",
                                                 "Л1",
                                                 "Л2"};
    std::multiset<std::string> found;
    for (int id : {MP_TEXTMSG, MP_TEXTMSG_2, MP_TEXTMSG_3, MP_TEXTMSG_4, MP_TEXTMSG_5, MP_TEXTMSG_6,
                   MP_TEXTMSG_7, MP_TEXTMSG_8, MP_TEXTMSG_9})
        found.insert(str(ctrl(MP, id).text));
    EXPECT_EQ(found, expected);
}

TEST(Texts, SmallPanels) {
    EXPECT_STREQ(ctrl(ABOUT, ABOUT_COMMANDBUTTON).label, "__Выход");
    EXPECT_STREQ(ctrl(ABOUT, ABOUT_DRVR_VERSION).label, "Версия  драйвера");
    EXPECT_STREQ(ctrl(ABOUT, ABOUT_SOFT_VERSION).label, "Версия  программы\nуправления модулем");
    EXPECT_STREQ(ctrl(ABOUT, ABOUT_HRDW_VERSION).label, "Версия аппаратуры");
    EXPECT_EQ(str(ctrl(ABOUT, ABOUT_TEXTMSG_2).text), "МЕЗОНИН   QORM");
    for (int id : {ABOUT_DRVR_VERSION, ABOUT_SOFT_VERSION, ABOUT_HRDW_VERSION})
        EXPECT_EQ(str(ctrl(ABOUT, id).text), "") << "filled at set-up";

    EXPECT_STREQ(ctrl(EXIT_POPUP, EXIT_POPUP_EXIT_YES).label, "ДА");
    EXPECT_STREQ(ctrl(EXIT_POPUP, EXIT_POPUP_EXIT_NO).label, "НЕТ");
    EXPECT_EQ(str(ctrl(EXIT_POPUP, EXIT_POPUP_TEXTMSG).text), "Завершить работу с мезонином QORM?");

    const auto& result = ctrl(ST, ST_RESULT);
    EXPECT_STREQ(result.label, "Результат:");
    EXPECT_EQ(result.data_type, VAL_SHORT_INTEGER);
    EXPECT_EQ(result.value, 0);
    EXPECT_STREQ(ctrl(ST, ST_MSG).label, "");
    EXPECT_EQ(str(ctrl(ST, ST_MSG).text), "Идёт самоконтроль. Ждите ...");
    EXPECT_STREQ(ctrl(ST, ST_CLOSE).label, "__Закрыть");

    EXPECT_STREQ(ctrl(ZQORM, ZQORM_COMMANDBUTTON).label, "__OK");
    EXPECT_EQ(str(ctrl(ZQORM, ZQORM_TEXTBOX).text), "");
}

}  // namespace
