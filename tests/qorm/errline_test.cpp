// The error line: errMsg reports a driver status in the driver's words, "OK" clears the line.
#include <cstring>
#include <string>

#include "channel_test.h"

namespace qorm_test {
namespace {

using ::testing::ElementsAre;

constexpr ViStatus kTimeout = VI_ERROR_TMO;
constexpr ViStatus kNoObject = VI_ERROR_INV_OBJECT;
constexpr ViStatus kWarning = static_cast<ViStatus>(0x3FFC0801);

class ErrorLineTest : public ChannelTest {
  protected:
    void SetUp() override {
        ChannelTest::SetUp();
        sim::driver().error_texts[kTimeout] = "Превышено время ожидания";
        sim::driver().error_texts[kNoObject] = "Недопустимый сеанс";
        sim::driver().error_texts[kWarning] = "Модуль открыт с ошибками";
    }
    std::string line() { return text(mp_, MP_ERROR_MESSAGE); }
};

TEST_F(ErrorLineTest, SuccessKeepsTheOlderMessageAndAsksTheDriverNothing) {
    errMsg(mp_, kTimeout);
    fake::clear_log();
    errMsg(mp_, 0);
    EXPECT_EQ(line(), "Превышено время ожидания");
    EXPECT_TRUE(fake::calls().empty());
}

TEST_F(ErrorLineTest, OnlyTheLatestFailureIsShown) {
    errMsg(mp_, kTimeout);
    errMsg(mp_, kNoObject);
    EXPECT_EQ(line(), "Недопустимый сеанс");
    // The translation never needs the instance's session.
    EXPECT_THAT(fake::calls(), ElementsAre("kelqorm_error_message(0, 0xBFFF0015)",
                                           "kelqorm_error_message(0, 0xBFFF000E)"));
}

TEST_F(ErrorLineTest, WarningIsShownLikeAnError) {
    errMsg(mp_, kWarning);
    EXPECT_EQ(line(), "Модуль открыт с ошибками");
}

TEST_F(ErrorLineTest, OkClearsTheLineAndNothingElse) {
    errMsg(mp_, kTimeout);
    SetCtrlVal(mp_, mpStateCtrls[3], "X");
    SetCtrlVal(mp_, mpFix2Ctrls[3], 1);
    std::vector<std::string> before = snapshot(mp_);
    fake::clear_log();

    ASSERT_EQ(press(mp_, MP_ERROR_MESSAGE_OK), 0);
    EXPECT_EQ(line(), "");
    std::vector<std::string> after = snapshot(mp_);
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i) {
        if (before[i].rfind(std::to_string(MP_ERROR_MESSAGE) + " ", 0) == 0) continue;
        EXPECT_EQ(after[i], before[i]);
    }
    EXPECT_TRUE(fake::calls().empty()) << "OK asks the driver nothing";
    EXPECT_EQ(status, 0) << "OK leaves the driver status alone";

    ASSERT_EQ(press(mp_, MP_ERROR_MESSAGE_OK), 0);
    EXPECT_EQ(line(), "") << "an empty line stays empty";
    EXPECT_EQ(snapshot(mp_).size(), before.size());
}

// A driver that gives no text for a status, because the call fails or leaves the buffer empty,
// must not leave the line empty: a text of our own names the status.
TEST_F(ErrorLineTest, StatusWithoutADriverTextIsNamedInHex) {
    fake::fail("kelqorm_error_message", VI_ERROR_INV_OBJECT);
    errMsg(mp_, kTimeout);
    EXPECT_EQ(line(), "Ошибка драйвера BFFF0015");
    fake::hooks().kelqorm_error_message = [](ViSession, ViStatus, ViChar* out) {
        out[0] = '\0';
        return VI_SUCCESS;
    };
    errMsg(mp_, kWarning);
    EXPECT_EQ(line(), "Ошибка драйвера 3FFC0801");
}

TEST_F(ErrorLineTest, DriverTextFillingTheWholeBufferIsCutAtACharacter) {
    // 128 two-byte letters: 256 bytes and no terminating zero.
    fake::hooks().kelqorm_error_message = [](ViSession, ViStatus, ViChar* text) {
        for (int i = 0; i < KELQORM_TEXT_LEN; i += 2) std::memcpy(text + i, "Ж", 2);
        return VI_SUCCESS;
    };
    errMsg(mp_, kTimeout);
    std::string expected;
    for (int i = 0; i < 127; ++i) expected += "Ж";
    EXPECT_EQ(line(), expected);
}

}  // namespace
}  // namespace qorm_test
