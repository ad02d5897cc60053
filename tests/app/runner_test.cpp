// Running scripts: each action as a person does it, each refusal with its line and reason, each
// check with the expected and the actual value, popups and answers, time on the virtual clock.
#include <gmock/gmock.h>

#include "call_log.h"
#include "script_fixture.h"
#include "script_runner.h"
#include "script_text.h"
#include "sim/faults.h"
#include "sim/sim.h"
#include "uir/mark.h"
#include "uir/model.h"
#include "userint.h"

namespace script_test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class RunnerTest : public ScriptTest {};

TEST_F(RunnerTest, PressRunsTheCallbackBeforeTheNextLine) {
    EXPECT_EQ(run("press TP_GO\n"
                  "check TP_MSG = \"нажато 1\"\n"),
              app::script::kPassed);
    EXPECT_THAT(program_log(), ElementsAre("TP_GO commit"));
    EXPECT_EQ(line_of(1), "строка 1, t=0.000 с: press TP_GO: выполнено");
    EXPECT_EQ(line_of(2), "строка 2, t=0.000 с: check TP_MSG = \"нажато 1\": верно");
    EXPECT_EQ(last_line(), "сценарий выполнен: действий 1, проверок 1, все верны");
}

TEST_F(RunnerTest, PressFlipsATwoStateControl) {
    EXPECT_EQ(run("press TP_SWITCH\n"
                  "check TP_SWITCH = 1\n"
                  "check TP_SWITCH = \"Вкл\"\n"
                  "check TP_TIMER enabled\n"
                  "press TP_SWITCH\n"
                  "check TP_SWITCH = \"Выкл\"\n"
                  "check TP_TIMER not enabled\n"),
              app::script::kPassed)
        << last_line();
}

TEST_F(RunnerTest, SetTypesValuesAsAPersonWouldAndCommits) {
    EXPECT_EQ(run("set TP_TIME 0.5\n"
                  "check TP_TIME = 0.5\n"
                  "set TP_TIME 100          # brought into the field's limits\n"
                  "check TP_TIME = 6.375\n"
                  "set TP_COUNT -7\n"
                  "check TP_COUNT = -7\n"
                  "set TP_NAME \"Канал \\\"7\\\"\"\n"
                  "check TP_NAME = \"Канал \\\"7\\\"\"\n"
                  "set TP_RING \"Л2\"\n"
                  "check TP_RING = 2\n"
                  "set TP_RING 1\n"
                  "check TP_RING = \"Л1\"\n"),
              app::script::kPassed)
        << last_line();
    EXPECT_THAT(program_log(),
                ElementsAre("TP_TIME commit 0", "TP_TIME commit 0", "TP_COUNT commit 0",
                            "TP_NAME commit 0", "TP_RING commit 0", "TP_RING commit 0"));
}

TEST_F(RunnerTest, SelectAndDoubleClickTakeALineByNumberOrLabel) {
    EXPECT_EQ(run("select TP_LIST 2\n"
                  "check TP_LIST = 20\n"
                  "doubleclick TP_LIST \"третья\"\n"
                  "check TP_LIST = \"третья\"\n"),
              app::script::kPassed)
        << last_line();
    EXPECT_THAT(program_log(), ElementsAre("TP_LIST commit 1", "TP_LIST double-click 2"));
}

TEST_F(RunnerTest, HighlightMovesTheLineWithoutAnEvent) {
    EXPECT_EQ(run("highlight TP_LIST 3\n"
                  "check TP_LIST = \"третья\"\n"),
              app::script::kPassed)
        << last_line();
    EXPECT_TRUE(program_log().empty()) << "a single click tells the program nothing";
}

TEST_F(RunnerTest, CloseUsesTheFrameAndTheProgramDecides) {
    EXPECT_EQ(run("close TP\n"
                  "check TP hidden\n"),
              app::script::kPassed)
        << last_line();
    EXPECT_THAT(program_log(), ElementsAre("TP close"));
}

TEST_F(RunnerTest, AnsweredConfirmationAndItsPopup) {
    EXPECT_EQ(run("answer yes\n"
                  "choose TPMNU_FILE_ASK\n"
                  "check TP_MSG = \"да\"\n"
                  "check popup \"Вопрос\" \"Продолжить?\"\n"
                  "check no popup\n"
                  "answer no\n"
                  "choose TPMNU_FILE_ASK\n"
                  "check TP_MSG = \"нет\"\n"),
              app::script::kPassed)
        << last_line();
    EXPECT_THAT(program_log(), ElementsAre("ask yes", "ask no"));
    EXPECT_EQ(line_of(1),
              "строка 1, t=0.000 с: answer yes: следующее подтверждение получит "
              "ответ «да»");
}

// A refused action stops the script at its line; the lines after it never run.
struct Refusal {
    const char* action;
    const char* reason;
    friend void PrintTo(const Refusal& r, std::ostream* os) { *os << r.action; }
};

class RefusalTest : public ScriptTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(RefusalTest, StopsTheScriptAtTheLineWithTheReason) {
    const Refusal& r = GetParam();
    EXPECT_EQ(run(std::string("press TP_GO\n") + r.action + "\npress TP_GO\n"),
              app::script::kFailed);
    EXPECT_THAT(line_of(2), StartsWith("строка 2, t=0.000 с: " + std::string(r.action) +
                                       ": ОТКАЗ: " + r.reason));
    EXPECT_EQ(last_line(), "сценарий остановлен на строке 2");
    EXPECT_EQ(line_of(3), "");
    EXPECT_THAT(program_log(), ElementsAre("TP_GO commit")) << "only the first press ran";
}

INSTANTIATE_TEST_SUITE_P(
    Actions, RefusalTest,
    ::testing::Values(
        Refusal{"press TP_DIM", "TP_DIM затенён: сейчас недоступен"},
        Refusal{"press TP_HIDDEN", "TP_HIDDEN скрыт"},
        Refusal{"press TP_LAMP", "TP_LAMP — индикатор (лампа)"},
        Refusal{"set TP_MSG \"x\"", "TP_MSG — индикатор (строка)"},
        Refusal{"press TP_TIMER", "TP_TIMER — таймер"}, Refusal{"press TQ_OK", "панель TQ скрыта"},
        Refusal{"close TQ", "панель TQ скрыта"},
        Refusal{"choose TPMNU_FILE_OFF", "пункт меню TPMNU_FILE_OFF недоступен"},
        Refusal{"press TP_NOPE", "нет элемента TP_NOPE ни на одной панели"},
        Refusal{"close TP_GO", "нет панели TP_GO (это имя другого рода)"},
        Refusal{"choose TP_GO", "нет пункта меню TP_GO (это имя другого рода)"},
        Refusal{"press TP_LIST", "TP_LIST (список) не принимает такое действие"},
        Refusal{"set TP_COUNT \"семь\"",
                "TP_COUNT (числовое поле) не принимает значение такого вида"},
        Refusal{"set TP_NAME 5", "TP_NAME (строка) не принимает значение такого вида"},
        Refusal{"set TP_RING 5", "TP_RING (выбор из списка): нет пункта"},
        Refusal{"set TP_RING \"Л3\"", "у TP_RING нет пункта \"Л3\""},
        Refusal{"set TP_SWITCH 2", "TP_SWITCH (переключатель): значение"},
        Refusal{"select TP_LIST 4", "TP_LIST (список): значение или номер"},
        Refusal{"doubleclick TP_LIST \"четвёртая\"", "в TP_LIST нет строки \"четвёртая\""},
        Refusal{"doubleclick TP_RING 1", "TP_RING (выбор из списка) не принимает такое действие"}),
    [](const auto& info) { return case_name(info.param.action, info.index); });

TEST_F(RunnerTest, ExpectRefusedPassesOnlyWhenAPersonWouldBeRefused) {
    EXPECT_EQ(run("expect refused press TP_DIM\n"
                  "expect refused set TP_LAMP 1\n"
                  "expect refused press TP_HIDDEN\n"
                  "check TP_LAMP = 0\n"),
              app::script::kPassed)
        << last_line();
    EXPECT_EQ(line_of(1),
              "строка 1, t=0.000 с: expect refused press TP_DIM: верно: отказ: TP_DIM "
              "затенён: сейчас недоступен");
    EXPECT_EQ(last_line(), "сценарий выполнен: действий 0, проверок 4, все верны");
    EXPECT_THAT(program_log(), ::testing::IsEmpty());

    EXPECT_EQ(run("expect refused press TP_GO\n"
                  "check TP_MSG = \"нажато 1\"\n"),
              app::script::kFailed);
    EXPECT_EQ(line_of(1),
              "строка 1, t=0.000 с: expect refused press TP_GO: НЕВЕРНО: действие "
              "принято, а ожидался отказ");
    EXPECT_EQ(last_line(), "сценарий остановлен на строке 1");

    EXPECT_EQ(run("expect refused press TP_NOPE\n"), app::script::kFailed)
        << "a name on no panel is the script's mistake, not a refusal";
    EXPECT_THAT(line_of(1), HasSubstr("ОТКАЗ: нет элемента TP_NOPE"));
}

// Paced as for a watcher: each action's control is marked step-delay seconds before the action,
// the mark goes once it is done; checks and waits are not paced.
TEST_F(RunnerTest, APacedOperatorMarksEachControlBeforeItActs) {
    app::script::Operator op = app::script::headless_operator();
    op.step_delay = 0.5;
    std::vector<std::string> seen;
    uir::mark::on_change([&](const uir::mark::Marked& m) {
        const uir::Control* c = uir::model::find_control(m.panel, m.control);
        seen.push_back((c ? c->constant_name : std::string("-")) +
                       " at " + app::script::number_text(Timer()) + ", " +
                       std::to_string(program_log().size()) + " done");
    });
    EXPECT_EQ(run_with("press TP_GO\n"
                       "check TP_MSG = \"нажато 1\"\n"
                       "set TP_TIME 0.5\n"
                       "press TP_NOTE\n",
                       op),
              app::script::kPassed)
        << last_line();
    uir::mark::on_change(nullptr);
    EXPECT_THAT(seen, ElementsAre("TP_GO at 0, 0 done", "- at 0.5, 0 done", "TP_TIME at 0.5, 1 done",
                                  "- at 1, 1 done", "TP_NOTE at 1, 2 done", "- at 1.5, 2 done"));
    EXPECT_EQ(line_of(1), "строка 1, t=0.500 с: press TP_GO: выполнено");
    EXPECT_EQ(line_of(3), "строка 3, t=1.000 с: set TP_TIME 0.5: выполнено");
}

TEST(CallLog, ReadsTheCallsOutOfTraceLines) {
    app::script::CallLog log;
    log.add_trace_line("12.345000 kelqorm_cmd_time_q(5, 4) -> 0.025 = 0x00000000");
    log.add_trace_line("kelqorm_state(5) = 0xBFFF0015");
    log.add_trace_line("viFindRsrc(1, \"?*VXI[0-9]*::?*INSTR {x) = 1}\") -> 2 = 0x00000000");
    log.add_trace_line("trace: table too many = 0x0");   // the tracer's own notice
    log.add_trace_line("12.5 kelqorm_reset_trig(5, 7");  // cut short: not a call
    ASSERT_EQ(log.calls().size(), 3u);
    EXPECT_EQ(log.calls()[0].operation, "kelqorm_cmd_time_q");
    EXPECT_EQ(log.calls()[0].arguments, "5,4");
    EXPECT_EQ(log.calls()[1].operation, "kelqorm_state");
    EXPECT_EQ(log.calls()[2].arguments, "1,\"?*VXI[0-9]*::?*INSTR {x) = 1}\"");
    log.clear();
    EXPECT_TRUE(log.calls().empty());
}

TEST_F(RunnerTest, FailedCheckShowsTheExpectedAndTheActualValue) {
    EXPECT_EQ(run("press TP_GO\n"
                  "check TP_MSG = \"нажато 2\"\n"
                  "press TP_GO\n"),
              app::script::kFailed);
    EXPECT_EQ(line_of(2),
              "строка 2, t=0.000 с: check TP_MSG = \"нажато 2\": НЕВЕРНО: ожидалось "
              "\"нажато 2\", на деле \"нажато 1\"");
    EXPECT_EQ(last_line(), "сценарий остановлен на строке 2");
    EXPECT_THAT(program_log(), ElementsAre("TP_GO commit"));
}

// One check per script: whether it holds, and what the transcript says when it does not.
struct CheckCase {
    const char* check;
    bool holds;
    const char* outcome;  // the transcript's text after the step's source
    friend void PrintTo(const CheckCase& c, std::ostream* os) { *os << c.check; }
};

class CheckTest : public ScriptTest, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(CheckTest, HoldsOrSaysWhy) {
    const CheckCase& c = GetParam();
    EXPECT_EQ(run(std::string(c.check) + "\n"),
              c.holds ? app::script::kPassed : app::script::kFailed);
    EXPECT_EQ(line_of(1), "строка 1, t=0.000 с: " + std::string(c.check) + ": " + c.outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Values, CheckTest,
    ::testing::Values(
        CheckCase{"check TP_TIME = 0.05", true, "верно"},
        CheckCase{"check TP_TIME = 0.051", false, "НЕВЕРНО: ожидалось 0.051, на деле 0.05"},
        CheckCase{"check TP_TIME = 1e300", false, "НЕВЕРНО: ожидалось 1e+300, на деле 0.05"},
        CheckCase{"check TP_SWITCH = \"Вкл\"", false,
                  "НЕВЕРНО: ожидалось \"Вкл\", на деле \"Выкл\""},
        CheckCase{"check TP_RING = 1", false, "НЕВЕРНО: ожидалось 1, на деле 0 (\" -\")"},
        CheckCase{"check TP_LIST = \"первая\"", true, "верно"},
        CheckCase{"check TP_BOX = \"строка 1\\nстрока 2\"", true, "верно"},
        CheckCase{"check TP_BOX contains \"ка 2\"", true, "верно"},
        CheckCase{"check TP_BOX contains \"три\"", false,
                  "НЕВЕРНО: ожидалось текст, где есть \"три\", на деле \"строка 1\\nстрока 2\""},
        CheckCase{"check TP_BOX line 2 = \"строка 2\"", true, "верно"},
        CheckCase{"check TP_BOX line 3 = \"строка 3\"", false,
                  "НЕВЕРНО: ожидалось строка 3: \"строка 3\", на деле строк всего 2"},
        CheckCase{"check TP_LIST lines = 2", false, "НЕВЕРНО: ожидалось 2 строк, на деле 3 строк"},
        CheckCase{"check TP title contains \"Вторая\"", false,
                  "НЕВЕРНО: ожидалось текст, где есть \"Вторая\", на деле \"Проверочная панель\""},
        CheckCase{"check TP_DIM dimmed", true, "верно"},
        CheckCase{"check TP_GO dimmed", false, "НЕВЕРНО: ожидалось затенён, на деле не затенён"},
        CheckCase{"check TP_HIDDEN hidden", true, "верно"},
        CheckCase{"check TP_HIDDEN visible", false, "НЕВЕРНО: ожидалось виден, на деле скрыт"},
        CheckCase{"check TQ_OK not visible", true, "верно"},
        CheckCase{"check TQ visible", false, "НЕВЕРНО: ожидалось виден, на деле скрыт"},
        CheckCase{"check TPMNU_FILE_OFF dimmed", true, "верно"},
        CheckCase{"check TPMNU_FILE_ASK dimmed", false,
                  "НЕВЕРНО: ожидалось затенён, на деле не затенён"},
        CheckCase{"check TP_TIMER enabled", false, "НЕВЕРНО: ожидалось включён, на деле выключен"},
        CheckCase{"check TP_NOPE = 1", false,
                  "НЕВЕРНО: нет панели, элемента или пункта меню TP_NOPE"},
        CheckCase{"check TP = 1", false,
                  "НЕВЕРНО: TP — панель: у неё проверяют title, visible или hidden, а не "
                  "значение"},
        CheckCase{"check TP_GO = 1", false, "НЕВЕРНО: TP_GO (кнопка) не имеет значения"},
        CheckCase{"check TP_MSG = 5", false,
                  "НЕВЕРНО: TP_MSG (строка): ожидаемое значение пишется текстом в кавычках"},
        CheckCase{"check TP_COUNT = \"5\"", false,
                  "НЕВЕРНО: TP_COUNT (числовое поле): ожидаемое значение пишется числом"},
        CheckCase{"check TP_GO enabled", false,
                  "НЕВЕРНО: TP_GO не таймер: enabled проверяют у таймеров"},
        CheckCase{"check TP dimmed", false,
                  "НЕВЕРНО: у панели TP нет затенения: проверяют visible"},
        CheckCase{"check TP_GO title = \"x\"", false,
                  "НЕВЕРНО: заголовок есть только у панели и у меню, а TP_GO не панель и не меню"},
        CheckCase{"check TP_GO lines = 1", false, "НЕВЕРНО: TP_GO (кнопка) не состоит из строк"},
        CheckCase{"check TP_GO label = \"Пуск\"", true, "верно"},
        CheckCase{"check TP_GO label = \"__Пуск\"", false,
                  "НЕВЕРНО: ожидалось \"__Пуск\", на деле \"Пуск\""},
        CheckCase{"check TP_GO label contains \"ус\"", true, "верно"},
        CheckCase{"check TP label = \"x\"", false,
                  "НЕВЕРНО: TP — панель: у неё проверяют title, visible или hidden, а не "
                  "значение"},
        CheckCase{"check TPMNU_FILE_ASK text = \"Спросить\"", true, "верно"},
        CheckCase{"check TPMNU_FILE text = \"Файл\"", false,
                  "НЕВЕРНО: TPMNU_FILE — меню: его текст проверяют как title"},
        CheckCase{"check TP_GO text = \"Пуск\"", false,
                  "НЕВЕРНО: text проверяют у пунктов меню, а TP_GO не пункт меню: у элементов "
                  "проверяют label или значение"},
        CheckCase{"check TPMNU_FILE title = \"Файл\"", true, "верно"},
        CheckCase{"check TP_GO geometry = 40 12 25 90", true, "верно"},
        CheckCase{"check TP_GO geometry = 40 12 90 25", false,
                  "НЕВЕРНО: ожидалось 40 12 90 25, на деле 40 12 25 90"},
        CheckCase{"check TP_GO size = 25 90", true, "верно"},
        CheckCase{"check TP_GO position = 40 12", false,
                  "НЕВЕРНО: TP_GO — элемент: его место на панели проверяют как geometry"},
        CheckCase{"check TP geometry = 50 60 300 400", false,
                  "НЕВЕРНО: TP — панель: у неё проверяют position и size"},
        CheckCase{"check TP size = 300 400", true, "верно"},
        CheckCase{"check TPMNU_FILE_ASK size = 1 1", false,
                  "НЕВЕРНО: TPMNU_FILE_ASK — пункт меню: у него нет места на панели"},
        CheckCase{"check TP_TIME range = 0.025 6.375 0.025", true, "верно"},
        CheckCase{"check TP_TIME range = 0.005 10.235 0.005", false,
                  "НЕВЕРНО: ожидалось 0.005 10.235 0.005, на деле 0.025 6.375 0.025"},
        CheckCase{"check TP_TIME decimals = 3", true, "верно"},
        CheckCase{"check TP_COUNT decimals = 3", false, "НЕВЕРНО: ожидалось 3, на деле 0"},
        CheckCase{"check TP_GO range = 0 1 1", false,
                  "НЕВЕРНО: TP_GO (кнопка) не числовое поле: диапазона у него нет"},
        CheckCase{"check TP_LIST decimals = 0", false,
                  "НЕВЕРНО: TP_LIST (список) не числовое поле: знаков после запятой у него нет"},
        CheckCase{"check TP_GO colour = C0C0C0", false,
                  "НЕВЕРНО: ожидалось C0C0C0, на деле цвет не задан"},
        CheckCase{"check TP_GO colour back = C0C0C0", true, "верно"},
        CheckCase{"check TP_TIME colour = C0C0C0", false,
                  "НЕВЕРНО: ожидалось C0C0C0, на деле цвет не задан"},
        CheckCase{"check TP_TIME colour face = C0C0C0", false,
                  "НЕВЕРНО: TP_TIME (числовое поле) не кнопка: цвета кнопки (face) у него нет"},
        CheckCase{"check TP colour text = 000000", false,
                  "НЕВЕРНО: TP — панель: у неё есть только цвет фона (back)"},
        CheckCase{"check calls kelqorm_state", false, "НЕВЕРНО: вызовы драйверов не записываются"},
        CheckCase{"check exit = 0", false,
                  "НЕВЕРНО: программа ещё работает: код выхода проверяют после её завершения"},
        CheckCase{"check popup \"QORM\" \"x\"", false,
                  "НЕВЕРНО: ожидалось \"QORM\" \"x\", на деле окон больше не было"}),
    [](const auto& info) { return case_name(info.param.check, info.index); });

TEST_F(RunnerTest, PopupsAreCheckedInTheOrderTheyCame) {
    EXPECT_EQ(run("press TP_NOTE\n"
                  "answer yes\n"
                  "choose TPMNU_FILE_ASK\n"
                  "check popup \"Заметка\" \"первая\\nвторая\"\n"
                  "check popup \"Вопрос\" \"Продолжить?\"\n"
                  "check no popup\n"),
              app::script::kPassed)
        << last_line();
}

TEST_F(RunnerTest, AWrongOrUncheckedPopupFails) {
    EXPECT_EQ(run("press TP_NOTE\n"
                  "check popup \"Заметка\" \"первая\"\n"),
              app::script::kFailed);
    EXPECT_THAT(line_of(2), HasSubstr("НЕВЕРНО: ожидалось \"Заметка\" \"первая\", на деле "
                                      "\"Заметка\" \"первая\\nвторая\""));
    EXPECT_EQ(run("press TP_NOTE\n"
                  "check no popup\n"),
              app::script::kFailed);
    EXPECT_THAT(line_of(2), HasSubstr("НЕВЕРНО: ожидалось новых окон нет, на деле окно "
                                      "\"Заметка\" \"первая\\nвторая\""));
}

TEST_F(RunnerTest, ConfirmationWithoutAnAnswerFailsAtItsAction) {
    EXPECT_EQ(run("press TP_GO\n"
                  "choose TPMNU_FILE_ASK\n"
                  "press TP_GO\n"),
              app::script::kFailed);
    EXPECT_THAT(line_of(2), HasSubstr("НЕВЕРНО: подтверждение осталось без ответа"));
    EXPECT_EQ(last_line(), "сценарий остановлен на строке 2");
    EXPECT_THAT(program_log(), ElementsAre("TP_GO commit", "ask no"))
        << "an unanswered confirmation is answered no, which leaves things as they are";
}

TEST_F(RunnerTest, AnAnswerNoConfirmationTookFails) {
    EXPECT_EQ(run("answer yes\n"
                  "press TP_GO\n"
                  "check TP_MSG = \"нажато 1\"\n"),
              app::script::kFailed);
    EXPECT_EQ(line_of(1),
              "строка 1, t=0.000 с: answer yes: НЕВЕРНО: подтверждения не было, "
              "ответ не понадобился");
    EXPECT_EQ(last_line(), "сценарий остановлен на строке 1");
}

TEST_F(RunnerTest, AnAnswerLeftAtTheEndFails) {
    EXPECT_EQ(run("press TP_GO\n"
                  "answer no\n"),
              app::script::kFailed);
    EXPECT_THAT(line_of(2), HasSubstr("ответ не понадобился"));
}

TEST_F(RunnerTest, WaitLetsTheProgramRunOnTheVirtualClock) {
    EXPECT_EQ(run("press TP_SWITCH      # the timer ticks every 0.1 s\n"
                  "wait 1\n"
                  "check TP_TICKS = 10\n"
                  "press TP_SWITCH\n"
                  "wait 5\n"
                  "check TP_TICKS = 10\n"),
              app::script::kPassed)
        << last_line();
    EXPECT_EQ(line_of(2), "строка 2, t=1.000 с: wait 1: выполнено");
    EXPECT_EQ(line_of(6), "строка 6, t=6.000 с: check TP_TICKS = 10: верно");
}

TEST_F(RunnerTest, WaitCountsFromTheLastActionNotFromTheChecks) {
    EXPECT_EQ(run("press TP_GO\n"
                  "wait 0.25\n"
                  "check TP_MSG = \"нажато 1\"\n"
                  "wait 0.25\n"
                  "press TP_GO\n"
                  "wait 0\n"
                  "wait 1.5\n"
                  "press TP_GO\n"),
              app::script::kPassed)
        << last_line();
    EXPECT_THAT(line_of(4), StartsWith("строка 4, t=0.500 с"));
    EXPECT_THAT(line_of(5), StartsWith("строка 5, t=0.500 с"));
    EXPECT_THAT(line_of(8), StartsWith("строка 8, t=2.000 с"));
}

TEST_F(RunnerTest, TheNextLineWaitsUntilABusyCallbackHasFinished) {
    // The callback processes events once in its middle; the check must not run there.
    EXPECT_EQ(run("press TP_BUSY\n"
                  "check TP_MSG = \"готово\"\n"),
              app::script::kPassed)
        << last_line();
    EXPECT_THAT(program_log(), ElementsAre("TP_BUSY done"));
}

TEST_F(RunnerTest, AfterTheProgramEndsChecksRunAndActionsFail) {
    EXPECT_EQ(run("press TP_GO\n"
                  "press TP_QUIT\n"
                  "wait 1\n"
                  "check TP_MSG = \"нажато 1\"\n"
                  "press TP_GO\n"),
              app::script::kFailed);
    EXPECT_EQ(line_of(3), "строка 3, t=0.000 с: wait 1: программа завершилась, ждать нечего");
    EXPECT_EQ(line_of(4), "строка 4, t=0.000 с: check TP_MSG = \"нажато 1\": верно");
    EXPECT_EQ(line_of(5), "строка 5, t=0.000 с: press TP_GO: ОТКАЗ: программа уже завершилась");
    EXPECT_EQ(run("press TP_QUIT\n"
                  "check TP visible\n"),
              app::script::kPassed);
}

TEST_F(RunnerTest, AnEmptyScriptPasses) {
    EXPECT_EQ(run("# nothing to do\n\n"), app::script::kPassed);
    EXPECT_EQ(last_line(), "сценарий выполнен: действий 0, проверок 0, все верны");
}

TEST_F(RunnerTest, TheEndIsCalledOnceWithTheStatus) {
    app::script::ParseError error;
    auto script = app::script::parse("press TP_GO\ncheck TP_COUNT = 1\n", {}, &error);
    ASSERT_TRUE(script);
    std::vector<int> ends;
    app::script::Runner runner(std::move(*script), nullptr,
                               [&](int status) { ends.push_back(status); });
    runner.start();
    while (!runner.finished()) ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_THAT(ends, ElementsAre(app::script::kFailed));
    EXPECT_EQ(runner.program_ended(), app::script::kFailed) << "the program ending adds nothing";
    EXPECT_THAT(ends, ElementsAre(app::script::kFailed));
}

class FaultTest : public ScriptTest {
  protected:
    void SetUp() override {
        ScriptTest::SetUp();
        sim::install(sim::default_crate());
    }
    void TearDown() override {
        sim::clear_faults();
        ScriptTest::TearDown();
    }
};

TEST_F(FaultTest, LeadingFaultsAreInPlaceBeforeTheProgramStarts) {
    app::script::ParseError error;
    auto script = app::script::parse(
        "fault fail viOpenDefaultRM VI_ERROR_TMO always\n"
        "fault fail kelbase_init 0xBFFF0072 2\n"
        "press TP_GO\n"
        "fault clear viOpenDefaultRM\n",
        {.simulated = true}, &error);
    ASSERT_TRUE(script) << error.reason;
    app::script::Runner runner(std::move(*script), nullptr, nullptr);
    runner.run_prologue();
    EXPECT_EQ(sim::pending_failures("viOpenDefaultRM"), sim::kUntilCleared);
    EXPECT_EQ(sim::pending_failures("kelbase_init"), 2);
    runner.start();
    while (!runner.finished()) ASSERT_EQ(ProcessSystemEventsWaiting(), 0);
    EXPECT_EQ(runner.exit_status(), app::script::kPassed);
    EXPECT_EQ(sim::pending_failures("viOpenDefaultRM"), 0) << "the later fault line ran in turn";
}

TEST_F(FaultTest, TheSimulatorsRefusalStopsTheScript) {
    EXPECT_EQ(run("fault stick 31 1 VXI0::8::INSTR 2\n", true), app::script::kFailed);
    EXPECT_THAT(line_of(1), HasSubstr("ОТКАЗ симулятора: "));
}

}  // namespace
}  // namespace script_test
