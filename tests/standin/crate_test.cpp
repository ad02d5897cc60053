// The one crate behind the three stand-ins, called by the system names as a program calls them.
// A process reads its crate at its first call, so every case runs in a child process of its own
// with its own QORM_SIM_CRATE; the child reports what it found wrong on its error output.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <type_traits>

#include "crate_library.h"
#include "ctext/ctext.h"
#include "kelbase.h"
#include "kelqorm.h"
#include "visa.h"

namespace {

// What a child found wrong, one line each.
class Findings {
  public:
    void expect(bool holds, const std::string& what) {
        if (!holds) text_ += what + "\n";
    }
    void expect_status(ViStatus got, ViStatus wanted, const std::string& call) {
        char line[160];
        std::snprintf(line, sizeof line, "%s: status %08X, expected %08X", call.c_str(),
                      static_cast<unsigned>(got), static_cast<unsigned>(wanted));
        expect(got == wanted, line);
    }
    const std::string& text() const { return text_; }

  private:
    std::string text_;
};

// Runs `check` in a child process with QORM_SIM_CRATE set to `crate` (unset when null); passes
// when the child finds nothing wrong.
void in_own_process(const char* crate, const std::function<void(Findings&)>& check) {
    EXPECT_EXIT(
        {
            if (crate != nullptr)
                setenv("QORM_SIM_CRATE", crate, 1);
            else
                unsetenv("QORM_SIM_CRATE");
            Findings findings;
            check(findings);
            std::fputs(findings.text().c_str(), stderr);
            std::fflush(stderr);
            std::_Exit(findings.text().empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

std::string crate_path(const char* name) {
    return std::string(QORM_SIM_CRATES_DIR) + "/" + name;
}

// The crate's QORM as the front panel reaches it: the carrier through the carrier driver, the
// module session through the module driver on that carrier session.
void open_built_in_module(Findings& f, ViSession* carrier, ViSession* module) {
    f.expect_status(kelbase_init(const_cast<char*>("VXI0::8::INSTR"), VI_TRUE, VI_TRUE, carrier),
                    VI_SUCCESS, "kelbase_init");
    f.expect_status(kelqorm_init(const_cast<char*>("VXI0::8::INSTR"), VI_TRUE, VI_TRUE, module),
                    VI_SUCCESS, "kelqorm_init");
    f.expect_status(kelqorm_connect(*module, *carrier, 2, VI_TRUE, VI_TRUE), VI_SUCCESS,
                    "kelqorm_connect");
}

TEST(StandInCrate, TheThreeLibrariesShareTheBuiltInCrate) {
    in_own_process(nullptr, [](Findings& f) {
        f.expect(qorm_sim_open_sessions() == 0, "sessions open before the first call");
        ViSession carrier = 0, module = 0;
        open_built_in_module(f, &carrier, &module);

        // The carrier driver's session is a VISA session of the same crate.
        char name[VI_FIND_BUFLEN] = "";
        f.expect_status(viGetAttribute(carrier, VI_ATTR_RSRC_NAME, name), VI_SUCCESS,
                        "viGetAttribute");
        f.expect(std::strcmp(name, "VXI0::8::INSTR") == 0, std::string("carrier named ") + name);

        // A switching command through the module driver is seen in the module's state.
        f.expect_status(kelqorm_manual_cmd(module, 5, 1, 1), VI_SUCCESS, "kelqorm_manual_cmd");
        ViInt16 states[KELQORM_CHANNELS] = {};
        f.expect_status(kelqorm_state(module, states), VI_SUCCESS, "kelqorm_state");
        f.expect(states[4] == 1 && states[3] == 0, "channel 5 is not the one on line 1");
        f.expect(qorm_sim_open_sessions() == 2, "the carrier and the module session are open");

        f.expect_status(kelqorm_close(module), VI_SUCCESS, "kelqorm_close");
        f.expect_status(viClose(carrier), VI_SUCCESS, "viClose");
        f.expect(qorm_sim_open_sessions() == 0, "sessions left open");

        // The built-in crate has one carrier; the file's others are not there.
        f.expect_status(
            kelbase_init(const_cast<char*>("VXI0::16::INSTR"), VI_TRUE, VI_TRUE, &carrier),
            VI_ERROR_RSRC_NFOUND, "kelbase_init of another carrier");
    });
}

TEST(StandInCrate, AnEmptyVariableMeansTheBuiltInCrate) {
    in_own_process("", [](Findings& f) {
        ViSession carrier = 0, module = 0;
        open_built_in_module(f, &carrier, &module);
    });
}

TEST(StandInCrate, TheVariableNamesTheCrateFile) {
    const std::string file = crate_path("several-carriers.yaml");
    in_own_process(file.c_str(), [](Findings& f) {
        ViSession carrier = 0;
        f.expect_status(
            kelbase_init(const_cast<char*>("VXI0::16::INSTR"), VI_TRUE, VI_TRUE, &carrier),
            VI_SUCCESS, "kelbase_init of the older carrier");
        ViInt16 present = 0, type = 0;
        f.expect_status(kelbase_m_type_q(carrier, 1, &present, &type), VI_SUCCESS,
                        "kelbase_m_type_q");
        f.expect(present == 1 && type == KELQORM_TYPE_CODE, "no QORM at position 1");
        ViSession module = 0;
        f.expect_status(
            kelqorm_init(const_cast<char*>("VXI0::16::INSTR"), VI_TRUE, VI_TRUE, &module),
            VI_SUCCESS, "kelqorm_init");
        f.expect_status(kelqorm_connect(module, carrier, 1, VI_TRUE, VI_TRUE), VI_SUCCESS,
                        "kelqorm_connect");
        char driver[KELQORM_REVISION_LEN] = "", hardware[KELQORM_REVISION_LEN] = "";
        f.expect_status(kelqorm_revision_query(module, driver, hardware), VI_SUCCESS,
                        "kelqorm_revision_query");
        f.expect(std::strcmp(hardware, "3.1") == 0, std::string("hardware revision ") + hardware);
    });
}

// Every operation of the three lists, called with zero for each argument.
#define QORM_ZERO_ARGUMENT(kind, type, name) \
    std::type_identity_t<type> {}
#define QORM_CALL_WITH_ZEROS(ret, name, field, ...)                                           \
    f.expect_status(name(QORM_MAP(QORM_ZERO_ARGUMENT, __VA_ARGS__)), VI_ERROR_LIBRARY_NFOUND, \
                    #name);

void expect_every_operation_missing(Findings& f){
    QORM_VISA_OPERATIONS(QORM_CALL_WITH_ZEROS) QORM_KELQORM_OPERATIONS(QORM_CALL_WITH_ZEROS)
        QORM_KELBASE_OPERATIONS(QORM_CALL_WITH_ZEROS)}

// The module driver's error text for `status`, in a buffer that shows a write past its end.
std::string error_text(Findings& f, ViStatus status) {
    char message[KELQORM_TEXT_LEN + 8];
    std::memset(message, 'Z', sizeof message);
    f.expect_status(kelqorm_error_message(0, status, message), VI_ERROR_LIBRARY_NFOUND,
                    "kelqorm_error_message");
    for (std::size_t i = KELQORM_TEXT_LEN; i < sizeof message; ++i)
        f.expect(message[i] == 'Z', "the error text was written past its 256 bytes");
    message[KELQORM_TEXT_LEN - 1] = '\0';
    return message;
}

class RefusedCrate : public ::testing::Test {
  protected:
    void SetUp() override {
        path_ = ::testing::TempDir() + "standin-refused-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".yaml";
        std::ofstream(path_) << "name: bad\ninstruments:\n  - resource: VXI0::8::INSTR\n"
                                "    slot: 99\n";
    }
    void TearDown() override { std::filesystem::remove(path_); }
    std::string path_;
};

TEST_F(RefusedCrate, EveryOperationReportsItsLibraryMissingAndTheTextSaysWhy) {
    const std::string expected_start = "Файл крейта не принят: " + path_ + ":4: ";
    in_own_process(path_.c_str(), [&](Findings& f) {
        expect_every_operation_missing(f);
        const std::string text = error_text(f, VI_ERROR_LIBRARY_NFOUND);
        f.expect(text.rfind(expected_start, 0) == 0 && text.find("slot 99") != std::string::npos,
                 "error text: " + text);
        f.expect(error_text(f, VI_ERROR_INV_OBJECT) == text,
                 "another status gets another text, though no driver can translate it");
        ViSession carrier = 77;
        f.expect_status(
            kelbase_init(const_cast<char*>("VXI0::8::INSTR"), VI_TRUE, VI_TRUE, &carrier),
            VI_ERROR_LIBRARY_NFOUND, "kelbase_init");
        f.expect(qorm_sim_open_sessions() == 0, "sessions counted on a refused crate");
        // No buffer, no text, and no crash.
        f.expect_status(kelqorm_error_message(0, VI_ERROR_LIBRARY_NFOUND, nullptr),
                        VI_ERROR_LIBRARY_NFOUND, "kelqorm_error_message without a buffer");
    });
}

TEST_F(RefusedCrate, AMissingFileIsRefusedByName) {
    const std::string missing = path_ + ".absent";
    in_own_process(missing.c_str(), [&](Findings& f) {
        expect_every_operation_missing(f);
        const std::string text = error_text(f, VI_ERROR_LIBRARY_NFOUND);
        f.expect(text == "Файл крейта не принят: " + missing + ": cannot open the file",
                 "error text: " + text);
    });
}

TEST_F(RefusedCrate, AReasonTooLongForTheTextIsCutBetweenCharacters) {
    // 300 Cyrillic letters, two bytes each: the text is cut well inside the name.
    std::string name = "/nonexistent/";
    for (int i = 0; i < 300; ++i) name += "ж";
    in_own_process(name.c_str(), [](Findings& f) {
        const std::string text = error_text(f, VI_ERROR_LIBRARY_NFOUND);
        f.expect(text.size() <= KELQORM_TEXT_LEN - 1u, "longer than the buffer");
        f.expect(text.size() >= KELQORM_TEXT_LEN - 2u, "cut shorter than needed");
        f.expect(ctext::fitting_length(text, text.size()) == text.size() &&
                     text.rfind("ж") == text.size() - std::strlen("ж"),
                 "cut inside a letter: " + text);
    });
}

// The loop-back test calls the host's text callback while the driver works; the callback may
// call the driver again on the same thread.
int g_lines = 0;
ViStatus g_inner_status = VI_SUCCESS;
ViStatus QORM_VI_FUNC count_line(ViSession vi, ViInt16, ViInt32, ViChar[]) {
    ++g_lines;
    ViInt16 running = 0;
    const ViStatus st = kelqorm_gstart_q(vi, &running);
    if (st != VI_SUCCESS) g_inner_status = st;
    return 0;
}

TEST(StandInCrate, TheTextCallbackMayCallTheDriverAgain) {
    in_own_process(nullptr, [](Findings& f) {
        ViSession carrier = 0, module = 0;
        open_built_in_module(f, &carrier, &module);
        f.expect_status(kelqorm_sft_interface(module, &count_line), VI_SUCCESS,
                        "kelqorm_sft_interface");
        ViInt16 result = -1;
        char message[KELQORM_TEXT_LEN] = "";
        f.expect_status(kelqorm_zqorm_test(module, &result, message), VI_SUCCESS,
                        "kelqorm_zqorm_test");
        f.expect(result == 0, "the loop-back test with the connector fitted failed");
        f.expect(g_lines == KELQORM_CHANNELS, "not one line for each channel");
        f.expect_status(g_inner_status, VI_SUCCESS, "kelqorm_gstart_q inside the callback");
    });
}

}  // namespace
