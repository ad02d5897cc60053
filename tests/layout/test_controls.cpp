// What each control is and the state it has when its panel is loaded.
#include <gtest/gtest.h>

#include <algorithm>
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

// Per kind: the value type the code reads and writes, and whether the operator can change it.
// Numerics and lamps are operable only where noted; their types are checked with their values.
struct KindRule {
    int kind;
    int data_type;  // -1: varies
    bool hot;
};
constexpr KindRule kKindRules[] = {
    {CTRL_COMMAND_BUTTON, VAL_NO_TYPE, true},
    {CTRL_TOGGLE_BUTTON, VAL_INTEGER, true},
    {CTRL_CHECK_BOX, VAL_INTEGER, true},
    {CTRL_BINARY_SWITCH, VAL_INTEGER, true},
    {CTRL_LED, VAL_INTEGER, true},
    {CTRL_NUMERIC, -1, false},
    {CTRL_STRING, VAL_STRING, false},
    {CTRL_RING, VAL_SHORT_INTEGER, true},
    {CTRL_TEXT_BOX, VAL_STRING, false},
    {CTRL_TEXT_MSG, VAL_STRING, false},
    {CTRL_DECORATION, VAL_NO_TYPE, false},
    {CTRL_PICTURE, VAL_NO_TYPE, false},
    {CTRL_TIMER, VAL_NO_TYPE, true},
};

TEST(Kinds, ValueTypesAndModes) {
    std::set<int> hot_numerics = {MP_GT};
    for (int ch = 1; ch <= 30; ++ch) hot_numerics.insert(channel(ch).t);
    for (const auto& p : qorm_layout().panels) {
        for (const auto& c : p.controls) {
            SCOPED_TRACE(c.constant_name);
            const auto* rule = std::find_if(std::begin(kKindRules), std::end(kKindRules),
                                            [&](const KindRule& r) { return r.kind == c.kind; });
            ASSERT_NE(rule, std::end(kKindRules)) << "unexpected kind " << c.kind;
            if (rule->data_type >= 0) {
                EXPECT_EQ(c.data_type, rule->data_type);
            }
            if (rule->data_type == VAL_STRING) {
                EXPECT_NE(c.text, nullptr) << "starts with a text";
            }
            if (rule->data_type == VAL_INTEGER) {
                EXPECT_TRUE(c.value == 0 || c.value == 1);
            }
            bool hot = rule->hot;
            if (c.kind == CTRL_NUMERIC) hot = p.id == MP && hot_numerics.count(c.id);
            if (c.kind == CTRL_LED) hot = !(p.id == MP && c.id == MP_LED);
            EXPECT_EQ(c.mode, hot ? VAL_HOT : VAL_INDICATOR);
            EXPECT_TRUE(c.visible) << "every control is visible at load";
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
