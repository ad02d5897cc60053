// Loading a driver or VISA from explicit places: a complete library, one lacking a function,
// a library that does not exist, and a search list.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "loader.h"
#include "trace.h"

#ifdef _WIN32
#include <windows.h>

#include "native.h"
#else
#include <dlfcn.h>
#endif

namespace {

// What the stand-in driver recorded last (it is loaded once per process, whoever opened it).
std::string last_call_of(const char* path) {
#ifdef _WIN32
    HMODULE handle = GetModuleHandleW(platform::native::to_utf16(path).c_str());
    if (!handle) return "(not loaded)";
    auto fn = reinterpret_cast<const char* (*)()>(
        reinterpret_cast<void*>(GetProcAddress(handle, "testlib_last_call")));
    return fn ? fn() : "(no testlib_last_call)";
#else
    void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (!handle) return "(not loaded)";
    auto fn = reinterpret_cast<const char* (*)()>(dlsym(handle, "testlib_last_call"));
    std::string out = fn ? fn() : "(no testlib_last_call)";
    dlclose(handle);
    return out;
#endif
}

// The system's reason for a library that is not there.
std::string not_found_reason() {
#ifdef _WIN32
    return platform::native::error_text(ERROR_MOD_NOT_FOUND);
#else
    return "No such file";
#endif
}

// The text of a library that could not be opened. On Windows it ends with the system's reason,
// in the user's language.
std::string missing_library_text(const std::string& label) {
    std::string text = "Не найдена библиотека " + label;
#ifdef _WIN32
    text += " (" + not_found_reason() + ")";
#endif
    return text;
}

// Calls every operation of a module driver table with harmless arguments; true when each one
// returned `expected`. Out-pointers are null: a table without its library must not touch them.
bool every_operation_returns(const platform::KelqormApi& t, ViStatus expected) {
    const ViStatus got[] = {
        t.init(nullptr, 0, 0, nullptr),
        t.connect(1, 2, 3, 0, 0),
        t.close(1),
        t.reset(1),
        t.self_test(1, nullptr, nullptr),
        t.error_message(0, 0, nullptr),
        t.revision_query(0, nullptr, nullptr),
        t.manual_cmd(1, 1, 1, 1),
        t.manual_group_cmd(1, 1, nullptr),
        t.cmd_config(1, 1, 1, 0.5),
        t.set_cmd_time(1, 0, 0.5),
        t.cmd_time_q(1, 1, nullptr),
        t.config_trigger(1, 0),
        t.set_line(1, 1, 1),
        t.start(1, nullptr),
        t.stop(1),
        t.gstart_q(1, nullptr),
        t.state(1, nullptr),
        t.trig_state(1, nullptr),
        t.reset_trig(1, 0),
        t.sft_interface(1, nullptr),
        t.zqorm_test(1, nullptr, nullptr),
    };
    for (ViStatus s : got)
        if (s != expected) return false;
    return true;
}

// The error text as the forwarding functions get it: through the table's context.
std::string error_text(const platform::KelqormApi& t, ViStatus status) {
    std::array<char, KELQORM_TEXT_LEN> text{};
    platform::call<&platform::KelqormApi::error_message>(t, 0, status, text.data());
    return text.data();
}

TEST(Loader, CompleteLibraryIsCalledDirectly) {
    std::string problem = "not cleared";
    const platform::KelqormApi* t = platform::load_kelqorm({TESTLIB_KELQORM}, &problem);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(problem, "");
    EXPECT_STREQ(t->origin, TESTLIB_KELQORM);
    EXPECT_FALSE(t->simulated);

    EXPECT_EQ(t->manual_cmd(5, 7, 2, 1), 0);
    EXPECT_EQ(last_call_of(TESTLIB_KELQORM), "manual_cmd 5 7 2 1");
    EXPECT_EQ(t->reset_trig(5, 30), 0);
    EXPECT_EQ(last_call_of(TESTLIB_KELQORM), "reset_trig 5 30");
    ViReal64 time = 0;
    EXPECT_EQ(t->cmd_time_q(5, 4, &time), 0);
    EXPECT_DOUBLE_EQ(time, 0.125);
    // The library's own error texts are used.
    EXPECT_EQ(error_text(*t, VI_ERROR_LIBRARY_NFOUND), "testlib text BFFF009E");
}

TEST(Loader, MissingFunctionDisablesTheWholeTableAndIsNamed) {
    std::string problem;
    const platform::KelqormApi* t = platform::load_kelqorm({TESTLIB_KELQORM_PARTIAL}, &problem);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(every_operation_returns(*t, VI_ERROR_LIBRARY_NFOUND));
    std::string expected =
        std::string("В библиотеке ") + TESTLIB_KELQORM_PARTIAL + " нет функции kelqorm_zqorm_test";
#ifdef _WIN32
    // With Windows' reason; the problem also names the decorated name that was looked for.
    expected += " (" + platform::native::error_text(ERROR_PROC_NOT_FOUND) + ")";
    EXPECT_EQ(error_text(*t, VI_ERROR_LIBRARY_NFOUND), expected);
    EXPECT_EQ(problem.rfind(expected, 0), 0u) << problem;
    EXPECT_NE(problem.find("kelqorm_zqorm_test (kelqorm_zqorm_test@12)"), std::string::npos)
        << problem;
#else
    EXPECT_EQ(error_text(*t, VI_ERROR_LIBRARY_NFOUND), expected);
    EXPECT_EQ(problem, expected);
#endif
}

TEST(Loader, MissingLibraryFailsEveryCallAndIsNamed) {
    std::string problem;
    const platform::KelqormApi* t =
        platform::load_kelqorm({"/nonexistent/libkelqorm.so"}, &problem);
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(every_operation_returns(*t, VI_ERROR_LIBRARY_NFOUND));
    EXPECT_EQ(error_text(*t, VI_ERROR_LIBRARY_NFOUND),
              missing_library_text("/nonexistent/libkelqorm.so"));
    // The problem adds the system's reason.
    EXPECT_EQ(problem.rfind("Не найдена библиотека /nonexistent/libkelqorm.so (", 0), 0u);
    EXPECT_NE(problem.find(not_found_reason()), std::string::npos) << problem;
    // Another status cannot be translated without the driver, but the text still says why.
    EXPECT_EQ(error_text(*t, VI_ERROR_TMO),
              "Ошибка BFFF0015. " + missing_library_text("/nonexistent/libkelqorm.so"));
}

TEST(Loader, EachFailedTableKeepsItsOwnText) {
    const platform::KelqormApi* missing = platform::load_kelqorm({"/nonexistent/a.so"});
    const platform::KelqormApi* partial = platform::load_kelqorm({TESTLIB_KELQORM_PARTIAL});
    EXPECT_EQ(error_text(*missing, VI_ERROR_LIBRARY_NFOUND),
              missing_library_text("/nonexistent/a.so"));
    EXPECT_NE(error_text(*partial, VI_ERROR_LIBRARY_NFOUND).find("kelqorm_zqorm_test"),
              std::string::npos);
}

TEST(Loader, EveryFailedTableKeepsItsOwnTextHoweverManyWereLoaded) {
    auto path = [](int i) { return "/nonexistent/driver-" + std::to_string(i) + ".so"; };
    std::vector<const platform::KelqormApi*> tables;
    for (int i = 0; i < 50; ++i) tables.push_back(platform::load_kelqorm({path(i)}));
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(error_text(*tables[i], VI_ERROR_LIBRARY_NFOUND), missing_library_text(path(i)))
            << "load " << i;
    }
    // Bound, each answers the system's kelqorm_error_message with its own text; traced too.
    for (int i : {0, 17, 49}) {
        ASSERT_EQ(platform::bind_kelqorm(tables[i]), VI_SUCCESS);
        std::array<char, KELQORM_TEXT_LEN> text{};
        EXPECT_EQ(kelqorm_error_message(0, VI_ERROR_TMO, text.data()), VI_ERROR_LIBRARY_NFOUND);
        EXPECT_EQ(std::string(text.data()), "Ошибка BFFF0015. " + missing_library_text(path(i)));
    }
    platform::bind_kelqorm(nullptr);
    EXPECT_EQ(error_text(*platform::traced(tables[3]), VI_ERROR_LIBRARY_NFOUND),
              missing_library_text(path(3)));
    // Called past its table, the entry cannot tell which library it stands for, and says only
    // that the driver is missing: never another table's library.
    std::array<char, KELQORM_TEXT_LEN> text{};
    EXPECT_EQ(tables[5]->error_message(0, VI_ERROR_LIBRARY_NFOUND, text.data()),
              VI_ERROR_LIBRARY_NFOUND);
    EXPECT_STREQ(text.data(), "Не найдена библиотека драйвера модуля");
}

TEST(Loader, LongMissingTextStaysInsideTheCallersBuffer) {
    std::string path = "/nonexistent/";
    for (int i = 0; i < 40; ++i) path += "каталог/";
    path += "libkelqorm.so";
    const platform::KelqormApi* t = platform::load_kelqorm({path});
    std::array<char, KELQORM_TEXT_LEN + 16> buffer;
    buffer.fill('Z');
    platform::call<&platform::KelqormApi::error_message>(*t, 0, VI_ERROR_LIBRARY_NFOUND,
                                                         buffer.data());
    std::size_t length = std::strlen(buffer.data());
    EXPECT_LE(length, KELQORM_TEXT_LEN - 1u);
    EXPECT_EQ(buffer[KELQORM_TEXT_LEN], 'Z');
    // Cut on a character boundary: the last byte kept does not start a two-byte letter.
    EXPECT_NE(static_cast<unsigned char>(buffer[length - 1]) & 0xE0, 0xC0);
    // A null buffer is refused, not written.
    EXPECT_EQ(t->error_message(0, VI_ERROR_LIBRARY_NFOUND, nullptr), VI_ERROR_LIBRARY_NFOUND);
}

TEST(Loader, SearchListTakesTheFirstCompleteCandidate) {
    std::string problem = "not cleared";
    // Missing, then a library without the VISA functions, then VISA.
    const platform::VisaApi* t =
        platform::load_visa({"/nonexistent/libvisa.so", TESTLIB_KELQORM, TESTLIB_VISA}, &problem);
    EXPECT_EQ(problem, "");
    EXPECT_STREQ(t->origin, TESTLIB_VISA);
    ViSession rm = 0;
    EXPECT_EQ(t->open_default_rm(&rm), 0);
    EXPECT_EQ(rm, 4242u);
    EXPECT_EQ(t->get_attribute(1, VI_ATTR_SLOT, nullptr), 5);
}

TEST(Loader, NoCompleteCandidateReportsTheIncompleteOne) {
    std::string problem;
    const platform::VisaApi* t =
        platform::load_visa({"/nonexistent/libvisa.so", TESTLIB_KELQORM}, &problem);
    ViSession rm = 77;
    EXPECT_EQ(t->open_default_rm(&rm), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(rm, 77u);
    EXPECT_EQ(t->close(1), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(problem.rfind(std::string("В библиотеке ") + TESTLIB_KELQORM +
                                " нет функций viOpenDefaultRM, viFindRsrc, viFindNext, viOpen, "
                                "viClose, viGetAttribute",
                            0),
              0u);
    EXPECT_NE(problem.find("/nonexistent/libvisa.so"), std::string::npos);
}

TEST(Loader, CarrierDriverWithoutItsLibrary) {
    std::string problem;
    const platform::KelbaseApi* t = platform::load_kelbase({}, &problem);
    ViSession vi = 3;
    ViInt16 present = 1, type = 12;
    EXPECT_EQ(t->init(nullptr, 1, 1, &vi), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(t->m_type_q(vi, 1, &present, &type), VI_ERROR_LIBRARY_NFOUND);
    EXPECT_EQ(vi, 3u);
    EXPECT_EQ(present, 1);
    EXPECT_FALSE(problem.empty());
}

}  // namespace
