// The loop-back test with the test connector QORM-Z, run from the menu: confirmation, reset,
// the driver's running commentary in the connector-test panel, the closing line.
#include <cstring>
#include <string>
#include <vector>

#include "channel_test.h"

namespace qorm_test {
namespace {

using ::testing::ElementsAre;

constexpr char kOpening[] = "Проверка QORM...";
constexpr char kNoFaults[] = "Проверка завершена. Ошибок не найдено.";

// One line the driver sends through the text callback during the test.
struct TextLine {
    std::string text;
    ViInt16 channel = 0;  // 0: a line about the whole module
    ViInt32 kind = KELQORM_LINE_PROGRESS;
};

class ConnectorTest : public ChannelTest {
  protected:
    void SetUp() override {
        ChannelTest::SetUp();
        zqorm_ = record_.zqorm_panel;
        loopback_lines = {
            {"Канал 1: линия 1 - норма, линия 2 - норма", 1, KELQORM_LINE_PROGRESS},
            {"Канал 2: линия 2 - нет ответа", 2, KELQORM_LINE_FAULT},
            {"Проверка каналов закончена", 0, KELQORM_LINE_PROGRESS},
        };
        // The driver's test: these lines through the installed callback, then the result,
        // leaving the text as it was.
        fake::hooks().kelqorm_zqorm_test = [this](ViSession vi, ViInt16* result, ViChar*) {
            send_lines(vi);
            *result = loopback_result;
            return VI_SUCCESS;
        };
    }
    // Sends the lines through the callback the session has installed, as the driver does: each
    // in a buffer of the driver's, valid during the call.
    void send_lines(ViSession vi) {
        const std::vector<TextLine> lines = loopback_lines;
        for (const TextLine& line : lines) {
            kelqorm_TextCallback callback = sim::text_callback(vi);
            if (callback == nullptr) return;
            std::vector<ViChar> buffer(line.text.begin(), line.text.end());
            buffer.push_back('\0');
            callback(vi, line.channel, line.kind, buffer.data());
        }
    }
    // The operator chooses "Проверка с QORM-Z" and answers the confirmation.
    void run_test(bool confirm) {
        uir::headless::answer_confirm(confirm);
        ASSERT_EQ(uir::automation::choose_menu_item(mp_, IMNU_INSTR_ZQORM), 0);
        ProcessSystemEvents();
    }
    std::vector<std::string> transcript() { return textbox_lines(zqorm_, ZQORM_TEXTBOX); }
    int zqorm_ = 0;
    std::vector<TextLine> loopback_lines;
    ViInt16 loopback_result = 0;
};

TEST_F(ConnectorTest, DecliningChangesNothing) {
    ResetTextBox(zqorm_, ZQORM_TEXTBOX, "прежний протокол");
    set_continuous_polling(true);
    SetCtrlVal(mp_, mpLineCtrls[2], static_cast<short>(1));
    const std::vector<std::string> main_before = snapshot(mp_);
    fake::clear_log();
    run_test(false);

    ASSERT_EQ(uir::headless::popups().size(), 1u);
    EXPECT_EQ(uir::headless::popups()[0].kind, "confirm");
    EXPECT_EQ(uir::headless::popups()[0].title, "QORM");
    EXPECT_EQ(uir::headless::popups()[0].text, "Подлючите соединитель контрольный QORM-Z");
    EXPECT_TRUE(fake::calls().empty()) << "no driver call at all";
    EXPECT_EQ(snapshot(mp_), main_before);
    EXPECT_FALSE(panel_visible(zqorm_));
    EXPECT_THAT(transcript(), ElementsAre("прежний протокол"));
}

TEST_F(ConnectorTest, PassingTestResetsFirstThenTranscribesTheDriversLines) {
    set_continuous_polling(true);
    ASSERT_EQ(press(mp_, MP_COMMANDBUTTON_2), 0);
    struct {
        bool reset_before = false, panel_shown = false, polling_off = false;
        std::vector<std::string> lines;
        int target = -1;
    } during;
    fake::hooks().kelqorm_zqorm_test = [&](ViSession vi, ViInt16* result, ViChar*) {
        during.reset_before = fake::count("kelqorm_reset") == 1;
        during.panel_shown = panel_visible(zqorm_);
        during.polling_off = !timer_enabled(mp_) && short_value(mp_, MP_L_1) == 0;
        during.lines = transcript();
        during.target = zqormPanel;
        send_lines(vi);
        *result = 0;
        return VI_SUCCESS;
    };
    fake::clear_log();
    run_test(true);

    EXPECT_TRUE(during.reset_before);
    EXPECT_TRUE(during.panel_shown);
    EXPECT_TRUE(during.polling_off);
    EXPECT_THAT(during.lines, ElementsAre(kOpening)) << "drawn before the test blocks";
    EXPECT_EQ(during.target, zqorm_);
    EXPECT_THAT(transcript(), ElementsAre(kOpening, "Канал 1: линия 1 - норма, линия 2 - норма",
                                          "Канал 2: линия 2 - нет ответа",
                                          "Проверка каналов закончена", kNoFaults));
    EXPECT_THAT(fake::calls(),
                ElementsAre("kelqorm_reset(5)", "kelqorm_gstart_q(5)", "kelqorm_state(5)",
                            "kelqorm_trig_state(5)", "kelqorm_sft_interface(5, callback)",
                            "kelqorm_zqorm_test(5)", "kelqorm_sft_interface(5, null)"));
    EXPECT_EQ(sim::text_callback(kSession), nullptr) << "the callback is removed";
    EXPECT_TRUE(panel_visible(zqorm_)) << "the panel stays open";
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "");
}

TEST_F(ConnectorTest, FailingTestHasNoClosingLineAndTheResetStillCameFirst) {
    set_continuous_polling(true);
    loopback_result = 2;
    fake::clear_log();
    run_test(true);
    EXPECT_THAT(transcript(),
                ElementsAre(kOpening, "Канал 1: линия 1 - норма, линия 2 - норма",
                            "Канал 2: линия 2 - нет ответа", "Проверка каналов закончена"));
    EXPECT_EQ(fake::calls().front(), "kelqorm_reset(5)");
    EXPECT_FALSE(timer_enabled(mp_));
    EXPECT_EQ(int_value(mp_, MP_CTRL_MODE), 1);
    EXPECT_EQ(fake::last(), "kelqorm_sft_interface(5, null)");
    EXPECT_EQ(text(mp_, MP_ERROR_MESSAGE), "") << "the error line is not used";
}

TEST_F(ConnectorTest, TestThatCouldNotRunIsNeverReportedAsPassed) {
    sim::driver().error_texts[VI_ERROR_INV_OBJECT] = "Недопустимый сеанс";
    fake::fail("kelqorm_zqorm_test", VI_ERROR_INV_OBJECT);
    run_test(true);
    EXPECT_THAT(transcript(), ElementsAre(kOpening, "Недопустимый сеанс"));
    EXPECT_EQ(fake::last(), "kelqorm_sft_interface(5, null)");

    fake::fail("kelqorm_zqorm_test", VI_ERROR_INV_OBJECT);
    fake::hooks().kelqorm_error_message = [](ViSession, ViStatus, ViChar*) { return VI_SUCCESS; };
    run_test(true);
    EXPECT_THAT(transcript(), ElementsAre(kOpening, "Ошибка драйвера BFFF000E"))
        << "without the driver's text, a text of our own names the status";
}

// Without its text callback the driver's lines cannot reach the transcript; the transcript says
// so, and the test's own verdict (its result, and its text when the result is not 0) takes their
// place instead of an empty report.
TEST_F(ConnectorTest, WithoutTheTextCallbackTheTranscriptStillHasTheVerdict) {
    sim::driver().error_texts[VI_ERROR_NSUP_OPER] = "Операция не поддерживается";
    fake::fail("kelqorm_sft_interface", VI_ERROR_NSUP_OPER);
    // The driver's test with its lines sent (nowhere, without a callback), its result and text.
    fake::hooks().kelqorm_zqorm_test = [this](ViSession vi, ViInt16* result, ViChar* text) {
        send_lines(vi);
        *result = loopback_result;
        if (loopback_result != 0) std::strcpy(text, "Каналы 2, 7, 9: нет ответа");
        return VI_SUCCESS;
    };
    loopback_result = 3;
    run_test(true);
    EXPECT_THAT(transcript(),
                ElementsAre(kOpening, "Ход проверки не отображается: Операция не поддерживается",
                            "Проверка завершена, результат 3", "Каналы 2, 7, 9: нет ответа"));
    EXPECT_EQ(fake::count("kelqorm_zqorm_test"), 1) << "the test runs all the same";

    fake::fail("kelqorm_sft_interface", VI_ERROR_NSUP_OPER);
    fake::fail("kelqorm_error_message", VI_ERROR_NSUP_OPER);
    loopback_result = 0;
    run_test(true);
    EXPECT_THAT(transcript(), ElementsAre(kOpening,
                                          "Ход проверки не отображается: Ошибка драйвера "
                                          "BFFF0067",
                                          kNoFaults));
}

TEST_F(ConnectorTest, SecondTestReplacesTheFirstTranscript) {
    run_test(true);
    loopback_lines = {{"Канал 30: норма", 30, KELQORM_LINE_PROGRESS}};
    loopback_result = 1;
    run_test(true);
    EXPECT_THAT(transcript(), ElementsAre(kOpening, "Канал 30: норма"));
}

TEST_F(ConnectorTest, DriverTextOutsideATestNeverReachesTheTextBox) {
    char line[] = "посторонняя строка";
    EXPECT_EQ(zqorm_interface(kSession, 0, KELQORM_LINE_PROGRESS, line), 0);
    EXPECT_TRUE(transcript().empty()) << "before any test";

    // A driver that keeps the callback and calls it later, and one that talks while the
    // callback is being installed or removed.
    kelqorm_TextCallback kept = nullptr;
    fake::hooks().kelqorm_sft_interface = [&](ViSession vi, kelqorm_TextCallback callback) {
        if (callback) kept = callback;
        sim::kelqorm_api()->sft_interface(vi, callback);
        if (kept) kept(vi, 0, KELQORM_LINE_PROGRESS, line);
        return VI_SUCCESS;
    };
    run_test(true);
    const std::vector<std::string> after_test = transcript();
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept(kSession, 0, KELQORM_LINE_PROGRESS, line), 0);
    EXPECT_EQ(kept(kSession, 0, KELQORM_LINE_FAULT, nullptr), 0);
    EXPECT_EQ(transcript(), after_test);
    EXPECT_THAT(after_test, ElementsAre(kOpening, "Канал 1: линия 1 - норма, линия 2 - норма",
                                        "Канал 2: линия 2 - нет ответа",
                                        "Проверка каналов закончена", kNoFaults));
}

TEST_F(ConnectorTest, UnterminatedDriverLineIsCutAtACharacter) {
    fake::hooks().kelqorm_zqorm_test = [](ViSession vi, ViInt16* result, ViChar*) {
        // A whole text buffer of two-byte letters and no terminating zero.
        std::vector<ViChar> line(KELQORM_TEXT_LEN);
        for (int i = 0; i < KELQORM_TEXT_LEN; i += 2) std::memcpy(line.data() + i, "Щ", 2);
        sim::text_callback(vi)(vi, 0, KELQORM_LINE_FAULT, line.data());
        *result = 1;
        return VI_SUCCESS;
    };
    run_test(true);
    std::string expected;
    for (int i = 0; i < 127; ++i) expected += "Щ";
    EXPECT_THAT(transcript(), ElementsAre(kOpening, expected));
}

TEST_F(ConnectorTest, OkHidesThePanel) {
    run_test(true);
    ASSERT_EQ(press(zqorm_, ZQORM_COMMANDBUTTON), 0);
    EXPECT_FALSE(panel_visible(zqorm_));
    EXPECT_EQ(transcript().size(), 5u) << "the transcript stays until the next test";
}

}  // namespace
}  // namespace qorm_test
