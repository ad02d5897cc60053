// Reading scripts: what each line becomes, and each kind of mistake refused with its line.
#include <gmock/gmock.h>

#include <cstdio>
#include <fstream>

#include "script.h"
#include "script_text.h"

namespace {

using app::script::Command;
using app::script::ParseError;
using app::script::Property;
using app::script::Script;
using app::script::Step;
using app::script::Value;
using ::testing::HasSubstr;

Script parsed(const std::string& text, bool simulated = false) {
    ParseError error;
    auto script = app::script::parse(text, {.simulated = simulated}, &error);
    EXPECT_TRUE(script) << "line " << error.line << ": " << error.reason;
    return script ? *script : Script{};
}

Step only_step(const std::string& text, bool simulated = false) {
    Script s = parsed(text, simulated);
    EXPECT_EQ(s.steps.size(), 1u);
    return s.steps.empty() ? Step{} : s.steps[0];
}

ParseError refused(const std::string& text, bool simulated = false) {
    ParseError error;
    EXPECT_FALSE(app::script::parse(text, {.simulated = simulated}, &error)) << text;
    return error;
}

TEST(ScriptParse, CommentsBlankLinesAndLineNumbers) {
    const Script s = parsed(
        "\xEF\xBB\xBF# a script\r\n"
        "\r\n"
        "   press MP_START   # start it\r\n"
        "\t\n"
        "check MP_ERROR_MESSAGE = \"# not a comment\"  # but this is\n");
    ASSERT_EQ(s.steps.size(), 2u);
    EXPECT_EQ(s.steps[0].line, 3);
    EXPECT_EQ(s.steps[0].source, "press MP_START");
    EXPECT_EQ(s.steps[0].command, Command::press);
    EXPECT_EQ(s.steps[0].name, "MP_START");
    EXPECT_EQ(s.steps[1].line, 5);
    EXPECT_EQ(s.steps[1].value.text, "# not a comment");
    EXPECT_EQ(s.steps[1].source, "check MP_ERROR_MESSAGE = \"# not a comment\"");
}

TEST(ScriptParse, Actions) {
    Step s = only_step("set MP_T_3 0.5");
    EXPECT_EQ(s.command, Command::set);
    EXPECT_EQ(s.value.kind, Value::Kind::number);
    EXPECT_DOUBLE_EQ(s.value.number, 0.5);
    EXPECT_FALSE(s.value.integer);

    s = only_step("set MP_L_3 0x2");
    EXPECT_DOUBLE_EQ(s.value.number, 2);
    EXPECT_TRUE(s.value.integer);

    s = only_step("set MP_ERROR_MESSAGE \"строка\\nвторая \\\"в кавычках\\\" \\\\ \\t\\r\"");
    EXPECT_EQ(s.value.kind, Value::Kind::text);
    EXPECT_EQ(s.value.text, "строка\nвторая \"в кавычках\" \\ \t\r");

    s = only_step("select SI_LIST 2");
    EXPECT_EQ(s.command, Command::select);
    EXPECT_DOUBLE_EQ(s.value.number, 2);

    s = only_step("doubleclick SI_LIST \"   0\"");
    EXPECT_EQ(s.command, Command::doubleclick);
    EXPECT_EQ(s.value.text, "   0");

    EXPECT_EQ(only_step("close EXIT_POPUP").command, Command::close);
    EXPECT_EQ(only_step("choose IMNU_INSTR_ZQORM").name, "IMNU_INSTR_ZQORM");
    EXPECT_TRUE(only_step("answer yes").yes);
    EXPECT_FALSE(only_step("answer no").yes);
    EXPECT_DOUBLE_EQ(only_step("wait 2.5").seconds, 2.5);
    EXPECT_DOUBLE_EQ(only_step("wait 0").seconds, 0);
    EXPECT_EQ(only_step("fault  fail kelqorm_state VI_ERROR_TMO always ", true).fault,
              "fail kelqorm_state VI_ERROR_TMO always");
    EXPECT_EQ(only_step("fault stick 5 3 VXI0::8::INSTR 2 # stuck", true).fault,
              "stick 5 3 VXI0::8::INSTR 2");
}

TEST(ScriptParse, Checks) {
    Step s = only_step("check MP_START = 1");
    EXPECT_EQ(s.property, Property::value);
    EXPECT_DOUBLE_EQ(s.value.number, 1);

    s = only_step("check MP_ERROR_MESSAGE contains \"Истекло\"");
    EXPECT_TRUE(s.contains);
    EXPECT_EQ(s.value.text, "Истекло");

    s = only_step("check MP title contains \"мез.2\"");
    EXPECT_EQ(s.property, Property::title);
    EXPECT_TRUE(s.contains);

    s = only_step("check ZQORM_TEXTBOX line 32 = \"Канал 30: линия 1 - норма, линия 2 - норма\"");
    EXPECT_EQ(s.property, Property::line);
    EXPECT_EQ(s.line_number, 32);

    s = only_step("check SI_LIST lines = 0");
    EXPECT_EQ(s.property, Property::lines);
    EXPECT_DOUBLE_EQ(s.value.number, 0);

    struct State {
        const char* text;
        Property property;
        bool negated;
    };
    for (const State& st : {State{"check MP_START dimmed", Property::dimmed, false},
                            State{"check MP_START not dimmed", Property::dimmed, true},
                            State{"check ST visible", Property::visible, false},
                            State{"check ST hidden", Property::visible, true},
                            State{"check ST not hidden", Property::visible, false},
                            State{"check MP_TIMER enabled", Property::enabled, false},
                            State{"check MP_TIMER not enabled", Property::enabled, true}}) {
        s = only_step(st.text);
        EXPECT_EQ(s.property, st.property) << st.text;
        EXPECT_EQ(s.negated, st.negated) << st.text;
    }

    s = only_step("check popup \"QORM\" \"Носитель не найден.\\nДемо режим\"");
    EXPECT_EQ(s.property, Property::popup);
    EXPECT_EQ(s.title, "QORM");
    EXPECT_EQ(s.value.text, "Носитель не найден.\nДемо режим");
    EXPECT_EQ(only_step("check no popup").property, Property::no_popup);
}

TEST(ScriptParse, ChecksOfWhatAPersonSees) {
    Step s = only_step("check ST_CLOSE label = \"Закрыть\"");
    EXPECT_EQ(s.property, Property::label);
    EXPECT_EQ(s.value.text, "Закрыть");
    s = only_step("check SI_TEXTMSG label contains \"Слот\"");
    EXPECT_EQ(s.property, Property::label);
    EXPECT_TRUE(s.contains);
    EXPECT_EQ(only_step("check IMNU_INSTR_EXIT text = \"Выход\"").property, Property::text);
    s = only_step("check SI_OK geometry = 41 208 25 103");
    EXPECT_EQ(s.property, Property::geometry);
    EXPECT_EQ(s.numbers, (std::vector<double>{41, 208, 25, 103}));
    EXPECT_EQ(only_step("check MP size = 558 630").numbers, (std::vector<double>{558, 630}));
    EXPECT_EQ(only_step("check MP position = -20 -20").numbers, (std::vector<double>{-20, -20}));
    s = only_step("check MP_GT range = 0.025 6.375 0.025");
    EXPECT_EQ(s.property, Property::range);
    EXPECT_EQ(s.numbers, (std::vector<double>{0.025, 6.375, 0.025}));
    EXPECT_EQ(only_step("check MP_T_1 decimals = 3").numbers, (std::vector<double>{3}));
    s = only_step("check SI_LIST colour textback = FFFFFF");
    EXPECT_EQ(s.property, Property::colour);
    EXPECT_EQ(s.colour, app::script::ColourPart::text_back);
    EXPECT_EQ(s.numbers, (std::vector<double>{0xFFFFFF}));
    EXPECT_EQ(only_step("check SI colour = c0c0c0").numbers, (std::vector<double>{0xC0C0C0}));
    EXPECT_EQ(only_step("check SI_OK colour = C0C0C0").colour, app::script::ColourPart::main);
}

TEST(ScriptParse, CallsAsTheTracePrintsThem) {
    Step s = only_step(
        "check calls kelqorm_reset_trig( 5,7 ) kelqorm_gstart_q viFindRsrc(1, "
        "\"?*VXI[0-9]*::?*INSTR\")");
    EXPECT_EQ(s.property, Property::calls);
    ASSERT_EQ(s.calls.size(), 3u);
    EXPECT_EQ(s.calls[0].operation, "kelqorm_reset_trig");
    EXPECT_TRUE(s.calls[0].with_arguments);
    EXPECT_EQ(s.calls[0].arguments, "5,7") << "blanks outside quotes do not count";
    EXPECT_FALSE(s.calls[1].with_arguments);
    EXPECT_EQ(s.calls[2].arguments, "1,\"?*VXI[0-9]*::?*INSTR\"");
    EXPECT_EQ(app::script::compact_arguments("3, \"a b\\\" c\""), "3,\"a b\\\" c\"")
        << "a quoted blank, even after an escaped quote, stays";
    s = only_step("check no call kelqorm_reset_trig");
    EXPECT_EQ(s.property, Property::no_call);
    ASSERT_EQ(s.calls.size(), 1u);
    EXPECT_EQ(s.calls[0].operation, "kelqorm_reset_trig");
    EXPECT_TRUE(app::script::checks_calls(parsed("press MP_START\ncheck no call kelqorm_start")));
    EXPECT_FALSE(app::script::checks_calls(parsed("press MP_START\ncheck MP_START = 1")));
}

TEST(ScriptParse, ExpectRefusedIsTheActionMarked) {
    Step s = only_step("expect refused set MP_ERROR_MESSAGE \"x\"");
    EXPECT_EQ(s.command, Command::set);
    EXPECT_TRUE(s.expect_refused);
    EXPECT_EQ(s.name, "MP_ERROR_MESSAGE");
    EXPECT_EQ(s.value.text, "x");
    EXPECT_EQ(s.source, "expect refused set MP_ERROR_MESSAGE \"x\"");
    EXPECT_FALSE(only_step("set MP_ERROR_MESSAGE \"x\"").expect_refused);
    s = only_step("check exit = 0");
    EXPECT_EQ(s.property, Property::exit);
    EXPECT_EQ(s.numbers, (std::vector<double>{0}));
}

struct Mistake {
    const char* text;
    int line;
    const char* reason;
    bool simulated = false;
    friend void PrintTo(const Mistake& m, std::ostream* os) { *os << m.text; }
};

class ScriptMistakes : public ::testing::TestWithParam<Mistake> {};

TEST_P(ScriptMistakes, RefusedWithTheLineAndTheReason) {
    const Mistake& m = GetParam();
    const ParseError e = refused(m.text, m.simulated);
    EXPECT_EQ(e.line, m.line) << m.text;
    EXPECT_THAT(e.reason, HasSubstr(m.reason)) << m.text;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScriptMistakes,
    ::testing::Values(
        Mistake{"press MP_START\nprss MP_START\n", 2, "неизвестная команда «prss»"},
        Mistake{"Press MP_START", 1, "неизвестная команда «Press»"},
        Mistake{"press", 1, "не хватает: имя элемента"},
        Mistake{"press mp_start", 1, "заглавными буквами, как константа: «MP_START»"},
        Mistake{"press \"MP_START\"", 1, "ожидалось имя элемента"},
        Mistake{"press MP_START MP_RESET", 1, "лишнее в конце строки: «MP_RESET»"},
        Mistake{"close", 1, "не хватает: имя панели"},
        Mistake{"choose 5", 1, "ожидалось имя пункта меню"},
        Mistake{"set MP_T_1", 1, "не хватает: значение"},
        Mistake{"set MP_T_1 0.5s", 1, "число или текст в кавычках, а не «0.5s»"},
        Mistake{"set MP_T_1 inf", 1, "а не «inf»"}, Mistake{"set MP_T_1 nan", 1, "а не «nan»"},
        Mistake{"set MP_T_1 1e999", 1, "а не «1e999»"},
        Mistake{"set MP_ERROR_MESSAGE привет", 1, "а не «привет»"},
        Mistake{"set MP_ERROR_MESSAGE \"без конца", 1, "незакрытая кавычка"},
        Mistake{"set MP_ERROR_MESSAGE \"конец\\", 1, "незакрытая кавычка"},
        Mistake{"set MP_ERROR_MESSAGE \"\\q\"", 1, "управляющая последовательность «\\q»"},
        Mistake{"set MP_ERROR_MESSAGE \"\\x4\"", 1, "\\x пишется с двумя шестнадцатеричными"},
        Mistake{"set MP_ERROR_MESSAGE \"\\xZZ\"", 1, "\\x пишется с двумя шестнадцатеричными"},
        Mistake{"set MP_ERROR_MESSAGE \"a\\x00\"", 1, "нулевой байт"},
        Mistake{"set MP_ERROR_MESSAGE \"\xD0\"", 1, "не в кодировке UTF-8"},
        Mistake{"set MP_ERROR_MESSAGE \"\xC0\xAF\"", 1, "не в кодировке UTF-8"},
        Mistake{"select SI_LIST 0", 1, "номер строки считается от 1"},
        Mistake{"doubleclick SI_LIST 1.5", 1, "номер строки считается от 1"},
        Mistake{"answer maybe", 1, "answer ждёт yes или no"},
        Mistake{"answer", 1, "не хватает: yes или no"},
        Mistake{"wait", 1, "не хватает: число секунд"},
        Mistake{"wait -1", 1, "время ожидания должно быть от 0"},
        Mistake{"wait 1e8", 1, "время ожидания должно быть от 0"},
        Mistake{"wait soon", 1, "ожидалось число секунд"}, Mistake{"check", 1, "не хватает"},
        Mistake{"check MP_START", 1, "после имени ожидалось = ЗНАЧЕНИЕ"},
        Mistake{"check MP_START == 1", 1, "ожидалось ожидаемое значение"},
        Mistake{"check MP_START shown", 1, "а не «shown»"},
        Mistake{"check MP_START not shown", 1, "после not ожидалось dimmed"},
        Mistake{"check MP title = 5", 1, "сравниваются с текстом в кавычках"},
        Mistake{"check ZQORM_TEXTBOX line 0 = \"x\"", 1, "номер строки считается от 1"},
        Mistake{"check ZQORM_TEXTBOX lines = 1.5", 1, "число строк должно быть целым"},
        Mistake{"check MP_ERROR_MESSAGE contains 5", 1, "ожидался текст в кавычках"},
        Mistake{"check popup \"QORM\"", 1, "не хватает: текст окна"},
        Mistake{"check no popups", 1, "после check no ожидалось popup"},
        Mistake{"check MP dimmed extra", 1, "лишнее в конце строки"},
        Mistake{"fault fail kelqorm_state VI_ERROR_TMO", 1, "только на симулированном крейте"},
        Mistake{"fault", 1, "не хватает: команда симулятора", true},
        Mistake{"fault explode", 1, "неизвестная команда симулятора «explode»", true},
        Mistake{"fault fail kelqorm_stat VI_ERROR_TMO", 1, "не знает операции «kelqorm_stat»",
                true},
        Mistake{"press MP_START\n\n\npress MP_\x01", 4, "ожидалось имя элемента"},
        Mistake{"check MP_START label = 5", 1, "сравниваются с текстом в кавычках"},
        Mistake{"check MP_START geometry = 1 2 3", 1, "не хватает: geometry = TOP LEFT"},
        Mistake{"check MP_START geometry = 1 2 3 4 5", 1, "лишнее в конце строки: «5»"},
        Mistake{"check MP_START size = 1.5 2", 1, "целое от"},
        Mistake{"check MP position = 1 left", 1, "ожидалось position = TOP LEFT, а не «left»"},
        Mistake{"check MP_T_1 range = 1 0 0.1", 1, "наименьшее значение больше наибольшего"},
        Mistake{"check MP_T_1 decimals = 16", 1, "целое от 0 до 15"},
        Mistake{"check MP_T_1 decimals 3", 1, "ожидался знак ="},
        Mistake{"check SI colour = C0C0C", 1, "шестью шестнадцатеричными цифрами"},
        Mistake{"check SI colour = GGGGGG", 1, "шестью шестнадцатеричными цифрами"},
        Mistake{"check SI colour front = C0C0C0", 1, "после colour ожидалось"},
        Mistake{"check calls", 1, "не хватает: имена операций"},
        Mistake{"check calls kelqorm_stat", 1, "нет такой операции VISA или драйверов"},
        Mistake{"check calls KELQORM_STATE", 1, "пишется как в библиотеке: «kelqorm_state»"},
        Mistake{"check calls kelqorm_reset_trig(5, 7", 1, "нет закрывающей скобки"},
        Mistake{"check calls kelqorm_state,kelqorm_trig_state", 1, "ожидался пробел"},
        Mistake{"check no call", 1, "не хватает: имя операции"},
        Mistake{"check no call kelqorm_stat", 1, "нет такой операции"},
        Mistake{"check no calls kelqorm_state", 1, "ожидалось popup или call"},
        Mistake{"check exit = 1.5", 1, "код выхода: целое от 0 до 255"},
        Mistake{"check exit = 256", 1, "код выхода: целое от 0 до 255"},
        // Numbers past any integer type are refused by their range, not converted.
        Mistake{"check exit = 1e308", 1, "код выхода: целое от 0 до 255"},
        Mistake{"check MP_START size = -1e308 2", 1, "целое от"},
        Mistake{"check MP_T_1 decimals = 1e19", 1, "целое от 0 до 15"},
        Mistake{"check SI_LIST lines = 3.6e31", 1, "число строк должно быть целым"},
        Mistake{"expect press MP_START", 1, "после expect ожидалось refused"},
        Mistake{"expect refused", 1, "не хватает: действие"},
        Mistake{"expect refused check MP_START = 1", 1, "ожидалось действие"},
        Mistake{"expect refused wait 1", 1, "ожидалось действие"},
        Mistake{"expect refused expect refused press MP_START", 1, "дважды"},
        Mistake{"expect refused set MP_ERROR_MESSAGE", 1, "не хватает: значение"}),
    [](const auto& info) { return std::to_string(info.index); });

// Whatever bytes a text holds, the recorder's quoting of it reads back as the same bytes.
TEST(ScriptParse, QuotedTextsReadBackByteForByte) {
    for (const std::string& text : {std::string("Проверка QORM..."),
                                    std::string("a\xFF"
                                                "b\xD0"),
                                    std::string("\x01\x7F\t\r\n"), std::string("\"\\\\x41\""),
                                    std::string("\xC0\xAF \xED\xA0\x80 \xF4\x90\x80\x80")}) {
        const Step step =
            only_step("check popup " + app::script::quote("QORM") + " " + app::script::quote(text));
        EXPECT_EQ(step.value.text, text);
    }
    EXPECT_EQ(only_step("set MP_ERROR_MESSAGE \"\\x41\\xd0\\x96\"").value.text, "AЖ")
        << "escaped bytes may make up a character";
}

TEST(ScriptParse, OverLongLineAndZeroByteAreRefused) {
    const std::string long_line =
        "set MP_ERROR_MESSAGE \"" + std::string(app::script::kMaxLineBytes, 'x') + "\"";
    ParseError e = refused("press MP_START\n" + long_line + "\n");
    EXPECT_EQ(e.line, 2);
    EXPECT_THAT(e.reason, HasSubstr("строка длиннее"));

    e = refused(std::string("press MP_START\npress MP_\0START\n", 31));
    EXPECT_EQ(e.line, 2);
    EXPECT_THAT(e.reason, HasSubstr("нулевой байт"));

    e = refused(std::string(app::script::kMaxScriptBytes + 1, '\n'));
    EXPECT_EQ(e.line, 0);
}

TEST(ScriptParse, FaultOperationNamesAreCaseBlind) {
    EXPECT_EQ(only_step("fault fail KELQORM_STATE -1", true).fault, "fail KELQORM_STATE -1");
    EXPECT_EQ(only_step("fault clear", true).fault, "clear");
}

TEST(ScriptLoad, ReadsAFileAndNamesIt) {
    const std::string path = ::testing::TempDir() + "/parse_test_script.qs";
    {
        std::ofstream out(path, std::ios::binary);
        out << "# test\npress MP_START\n";
    }
    ParseError error;
    auto script = app::script::load(path, {}, &error);
    ASSERT_TRUE(script) << error.reason;
    EXPECT_EQ(script->source_name, path);
    ASSERT_EQ(script->steps.size(), 1u);
    EXPECT_EQ(script->steps[0].line, 2);
    std::remove(path.c_str());
}

TEST(ScriptLoad, AMissingFileOrADirectoryIsRefused) {
    ParseError error;
    EXPECT_FALSE(app::script::load(::testing::TempDir() + "/no/such/script.qs", {}, &error));
    EXPECT_EQ(error.line, 0);
    EXPECT_THAT(error.reason, HasSubstr("файл не открывается"));
    EXPECT_FALSE(app::script::load(::testing::TempDir(), {}, &error));
    EXPECT_EQ(error.line, 0);
    EXPECT_THAT(error.reason, HasSubstr("файл не читается"));
}

}  // namespace
