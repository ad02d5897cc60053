// Recording: the run-time's observer of operator actions, the recorder's script lines, and the
// round trip: a recorded session replays headless to the same panels.
#include <gmock/gmock.h>

#include "recorder.h"
#include "script_fixture.h"
#include "script_runner.h"
#include "uir/automation.h"
#include "uir/headless.h"
#include "userint.h"

namespace script_test {
namespace {

using Action = uir::automation::Action;
using Kind = Action::Kind;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
namespace ua = uir::automation;

class ObserverTest : public ScriptTest {
  protected:
    void SetUp() override {
        ScriptTest::SetUp();
        ua::set_observer([this](const Action& a) { seen.push_back(a); });
    }
    void TearDown() override {
        ua::set_observer(nullptr);
        ScriptTest::TearDown();
    }
    std::vector<Action> seen;
};

TEST_F(ObserverTest, SeesEachAcceptedActionWithItsNamesBeforeTheCallback) {
    ASSERT_EQ(ua::press(tp, TP_GO), 0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(program_log().empty()) << "the callback runs at the next turn, after the observer";
    ASSERT_EQ(ua::set_value(tp, TP_COUNT, 5), 0);
    ASSERT_EQ(ua::set_value(tp, TP_TIME, 0.125), 0);
    ASSERT_EQ(ua::set_value(tp, TP_NAME, "текст"), 0);
    ASSERT_EQ(ua::select_index(tp, TP_LIST, 2), 0);
    ASSERT_EQ(ua::double_click(tp, TP_LIST, 1), 0);
    ASSERT_EQ(ua::highlight(tp, TP_LIST, 0), 0);
    ASSERT_EQ(ua::choose_menu_item(tp, TPMNU_FILE_ASK), 0);
    ASSERT_EQ(ua::close_panel(tp), 0);

    ASSERT_EQ(seen.size(), 9u);
    const Kind kinds[] = {Kind::press,     Kind::set_number,       Kind::set_number,
                          Kind::set_text,  Kind::select_index,     Kind::double_click,
                          Kind::highlight, Kind::choose_menu_item, Kind::close_panel};
    for (std::size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].kind, kinds[i]) << i;
        EXPECT_EQ(seen[i].panel, tp) << i;
        EXPECT_EQ(seen[i].panel_name, "TP") << i;
    }
    EXPECT_EQ(seen[0].control_name, "TP_GO");
    EXPECT_EQ(seen[0].control, TP_GO);
    EXPECT_EQ(seen[1].number, 5);
    EXPECT_EQ(seen[2].number, 0.125);
    EXPECT_EQ(seen[3].text, "текст");
    EXPECT_EQ(seen[4].number, 2);
    EXPECT_EQ(seen[5].number, 1);
    EXPECT_EQ(seen[6].number, 0);
    EXPECT_EQ(seen[7].control_name, "TPMNU_FILE_ASK");
    EXPECT_EQ(seen[7].control, TPMNU_FILE_ASK);
    EXPECT_EQ(seen[8].control_name, "");
}

TEST_F(ObserverTest, RefusalsOfAPersonAreSeenMarkedOthersAreNot) {
    EXPECT_EQ(ua::press(tp, TP_DIM), UIE_NOT_OPERABLE);
    EXPECT_EQ(ua::press(tq, TQ_OK), UIE_NOT_OPERABLE);
    EXPECT_EQ(ua::set_value(tp, TP_SWITCH, 2), UIE_OUT_OF_RANGE);
    EXPECT_EQ(ua::choose_menu_item(tp, TPMNU_FILE_OFF), UIE_NOT_OPERABLE);
    EXPECT_EQ(ua::press(tp, 999), UIE_INVALID_CONTROL);
    EXPECT_EQ(ua::set_value(tp, TP_LAMP, 1), UIE_NOT_OPERABLE);
    ASSERT_EQ(seen.size(), 4u) << "malformed requests are no gesture of a person";
    for (const Action& a : seen) EXPECT_TRUE(a.refused);
    EXPECT_EQ(seen[0].kind, Kind::press);
    EXPECT_EQ(seen[0].control_name, "TP_DIM");
    EXPECT_EQ(seen[1].panel_name, "TQ");
    EXPECT_EQ(seen[2].kind, Kind::choose_menu_item);
    EXPECT_EQ(seen[2].control_name, "TPMNU_FILE_OFF");
    EXPECT_EQ(seen[3].kind, Kind::set_number);
    EXPECT_EQ(seen[3].number, 1);
    EXPECT_THAT(program_log(), ::testing::IsEmpty());
}

TEST_F(ObserverTest, SeesPopupsWithTheirAnswers) {
    uir::headless::answer_confirm(true);
    EXPECT_EQ(ConfirmPopup("Вопрос", "Продолжить?"), 1);
    EXPECT_EQ(MessagePopup("QORM", "Сообщение"), 0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].kind, Kind::confirm_popup);
    EXPECT_EQ(seen[0].title, "Вопрос");
    EXPECT_EQ(seen[0].text, "Продолжить?");
    EXPECT_EQ(seen[0].number, 1);
    EXPECT_EQ(seen[1].kind, Kind::message_popup);
    EXPECT_EQ(seen[1].text, "Сообщение");
    EXPECT_EQ(MessagePopup("QORM", nullptr), UIE_NULL_POINTER);
    EXPECT_EQ(seen.size(), 2u) << "a popup that was never shown is not seen";
}

TEST_F(ObserverTest, RemovedOrFailingObserverLeavesActionsAlone) {
    ua::set_observer(nullptr);
    EXPECT_EQ(ua::press(tp, TP_GO), 0);
    EXPECT_TRUE(seen.empty());
    ua::set_observer([](const Action&) { throw std::runtime_error("observer broke"); });
    EXPECT_EQ(ua::press(tp, TP_GO), 0);
    ASSERT_EQ(ProcessSystemEvents(), 0);
    EXPECT_THAT(program_log(), ElementsAre("TP_GO commit", "TP_GO commit"));
}

// The recorder on its own, fed actions at given times.
class RecorderLines : public ::testing::Test {
  protected:
    app::Recorder recorder{[this](const std::string& line) { lines.push_back(line); },
                           [this] { return now; }};
    std::vector<std::string> lines;
    double now = 0;

    static Action action(Kind kind, std::string control = "TP_GO", double number = 0,
                         std::string text = {}) {
        Action a;
        a.kind = kind;
        a.panel = 7;
        a.panel_name = "TP";
        a.control = 3;
        a.control_name = std::move(control);
        a.number = number;
        a.text = std::move(text);
        return a;
    }
    static Action popup(Kind kind, std::string title, std::string text, int answer = 0) {
        Action a;
        a.kind = kind;
        a.title = std::move(title);
        a.text = std::move(text);
        a.number = answer;
        return a;
    }
};

TEST_F(RecorderLines, EachActionAsItsLineWithTheGapsBetween) {
    recorder.observe(action(Kind::press));
    now = 1.25;
    recorder.observe(action(Kind::set_number, "TP_TIME", 0.125));
    recorder.observe(action(Kind::set_number, "TP_COUNT", -7));
    now = 3;
    recorder.observe(action(Kind::set_text, "TP_NAME", 0, "Канал \"7\"\nдва"));
    recorder.observe(action(Kind::select_index, "TP_LIST", 0));
    recorder.observe(action(Kind::double_click, "TP_LIST", 2));
    recorder.observe(action(Kind::highlight, "TP_LIST", 1));
    recorder.observe(action(Kind::choose_menu_item, "TPMNU_FILE_ASK"));
    now = 3.0000004;  // below a microsecond: no wait
    recorder.observe(action(Kind::close_panel, ""));
    recorder.flush();
    EXPECT_THAT(
        lines, ElementsAre("press TP_GO", "wait 1.25", "set TP_TIME 0.125", "set TP_COUNT -7",
                           "wait 1.75", "set TP_NAME \"Канал \\\"7\\\"\\nдва\"", "select TP_LIST 1",
                           "doubleclick TP_LIST 3", "highlight TP_LIST 2", "choose TPMNU_FILE_ASK",
                           "close TP"));
}

TEST_F(RecorderLines, AnAnswerGoesBeforeTheActionThatRaisedTheConfirmation) {
    recorder.observe(action(Kind::press));
    now = 0.5;
    recorder.observe(action(Kind::choose_menu_item, "TPMNU_FILE_ASK"));
    recorder.observe(popup(Kind::message_popup, "QORM", "первое"));
    recorder.observe(popup(Kind::confirm_popup, "Вопрос", "Продолжить?", 1));
    recorder.observe(popup(Kind::confirm_popup, "Вопрос", "Точно?", 0));
    EXPECT_THAT(lines, ElementsAre("press TP_GO", "wait 0.5"))
        << "the action is held back while a confirmation may still come";
    recorder.flush();
    EXPECT_THAT(lines, ElementsAre("press TP_GO", "wait 0.5", "answer yes", "answer no",
                                   "choose TPMNU_FILE_ASK", "check popup \"QORM\" \"первое\"",
                                   "check popup \"Вопрос\" \"Продолжить?\"",
                                   "check popup \"Вопрос\" \"Точно?\""));
}

TEST_F(RecorderLines, PopupsBeforeAnyActionAreWrittenAtOnce) {
    recorder.observe(popup(Kind::message_popup, "QORM", "Носитель не найден.\nДемо режим"));
    recorder.observe(popup(Kind::confirm_popup, "QORM", "Начать?", 0));
    EXPECT_THAT(lines, ElementsAre("check popup \"QORM\" \"Носитель не найден.\\nДемо режим\"",
                                   "answer no", "check popup \"QORM\" \"Начать?\""));
}

TEST_F(RecorderLines, ARefusedActionIsWrittenAsExpectedRefused) {
    recorder.observe(action(Kind::choose_menu_item, "TPMNU_FILE_ASK"));
    now = 2;
    Action dimmed = action(Kind::press, "TP_DIM");
    dimmed.refused = true;
    recorder.observe(dimmed);
    recorder.observe(popup(Kind::message_popup, "QORM", "после"));
    EXPECT_THAT(lines, ElementsAre("choose TPMNU_FILE_ASK", "wait 2", "expect refused press TP_DIM",
                                   "check popup \"QORM\" \"после\""))
        << "the action before is written first, with its popups";
}

TEST_F(RecorderLines, AnActionWithoutNamesIsNotedNotReplayed) {
    recorder.observe(action(Kind::press, ""));
    recorder.flush();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_THAT(lines[0], HasSubstr("# не записано"));
    EXPECT_EQ(app::action_line(action(Kind::press, "")), "");
    EXPECT_EQ(app::action_line(popup(Kind::message_popup, "a", "b")), "");
}

// A session recorded on the test panels replays to the same panels.
class RoundTrip : public ScriptTest {};

TEST_F(RoundTrip, RecordedSessionReplaysToTheSameState) {
    std::vector<std::string> recorded;
    app::Recorder recorder([&](const std::string& line) { recorded.push_back(line); },
                           [] { return Timer(); });
    ua::set_observer([&](const Action& a) { recorder.observe(a); });
    ASSERT_EQ(run("press TP_GO\n"
                  "set TP_COUNT 42\n"
                  "press TP_SWITCH\n"
                  "wait 0.35\n"
                  "press TP_SWITCH\n"
                  "set TP_NAME \"Имя\"\n"
                  "set TP_RING \"Л2\"\n"
                  "select TP_LIST 3\n"
                  "press TP_NOTE\n"
                  "answer yes\n"
                  "choose TPMNU_FILE_ASK\n"
                  "wait 2\n"
                  "close TP\n"),
              app::script::kPassed)
        << last_line();
    ua::set_observer(nullptr);
    recorder.flush();
    const std::string first = snapshot();
    EXPECT_THAT(first, HasSubstr("TP_TICKS = 3\n")) << "the timer ran 0.35 s";

    std::string replay;
    for (const std::string& line : recorded) replay += line + "\n";
    EXPECT_THAT(replay, HasSubstr("press TP_SWITCH\nwait 0.35\npress TP_SWITCH\n"));
    EXPECT_THAT(replay, HasSubstr("answer yes\nchoose TPMNU_FILE_ASK\n"
                                  "check popup \"Вопрос\" \"Продолжить?\"\nwait 2\nclose TP\n"));

    reload();
    ASSERT_EQ(run(replay), app::script::kPassed) << last_line() << "\n" << replay;
    EXPECT_EQ(snapshot(), first);
}

}  // namespace
}  // namespace script_test
