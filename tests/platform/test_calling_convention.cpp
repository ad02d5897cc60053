// Every entry of the three tables, called through a table loaded from a stand-in library whose
// operations are defined with the drivers' own convention. A table entry of the wrong convention
// compiles cleanly, since the loader casts the addresses it finds: on 32-bit Windows a cdecl
// entry calling a stdcall function has the callee and then the caller take the arguments off the
// stack, and the program crashes soon after. Here the stack is checked after each call instead:
// each entry is called twice from one place, and the stand-in tells where its first argument lay
// both times.
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "dynlib.h"
#include "loader.h"
#include "operations.h"

namespace {

// The stand-in's own plain C functions, found in the library the table was loaded from.
struct StandIn {
    void (*reset)() = nullptr;
    int (*calls)() = nullptr;
    int (*last_operation)() = nullptr;
    long (*stack_moved)() = nullptr;
};

StandIn stand_in(const std::string& path) {
    StandIn s;
    void* handle = platform::dynlib::open(path, nullptr);  // already loaded by the table
    if (!handle) return s;
    auto find = [handle](auto& fn, const char* name) {
        fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(
            platform::dynlib::symbol(handle, name));
    };
    find(s.reset, "standin_reset");
    find(s.calls, "standin_calls");
    find(s.last_operation, "standin_last_operation");
    find(s.stack_moved, "standin_stack_moved");
    return s;
}

int place_of(std::string_view name) {
    for (std::size_t i = 0; i < platform::kOperationNames.size(); ++i)
        if (platform::kOperationNames[i] == name) return static_cast<int>(i);
    return -1;
}

// Calls `fn` twice from the same place with zero arguments. The frame is kept by its base
// pointer (alloca forces one), so a call that leaves the stack off by some bytes shows as the
// second call's arguments lying elsewhere, not as a crash on the way out of this function; the
// count is hidden from the optimiser so that both calls are the same instruction.
template <class Fn, class... A>
[[gnu::noinline]] void call_twice(Fn fn, ViStatus (&got)[2]) {
    volatile char* frame_kept = static_cast<char*>(__builtin_alloca(16));
    frame_kept[0] = 0;
    int rounds = 2;
    asm volatile("" : "+r"(rounds));
    for (int i = 0; i < rounds; ++i) got[i & 1] = fn(A{}...);
}

// Each entry is called through its own field's type, the one the loader cast the address to.
template <auto Entry, class Api, class... A>
void expect_balanced(const Api& table, const StandIn& s) {
    const std::string_view name = platform::Operation<Entry>::name;
    s.reset();
    ViStatus got[2] = {0, 0};
    call_twice<std::remove_cvref_t<decltype(table.*Entry)>, A...>(table.*Entry, got);
    EXPECT_EQ(s.calls(), 2) << name;
    EXPECT_EQ(s.last_operation(), place_of(name)) << name << " reached another function";
    EXPECT_EQ(got[0], 1000 + place_of(name)) << name;
    EXPECT_EQ(got[1], 1000 + place_of(name)) << name;
    EXPECT_EQ(s.stack_moved(), 0) << name << " (" << platform::Operation<Entry>::stack_bytes
                                  << " bytes of arguments) left the caller's stack off";
}

class CallingConvention : public ::testing::TestWithParam<const char*> {
  protected:
    std::string path() const { return GetParam(); }
};

#define EXPECT_BALANCED(ret, name, field, ...) \
    expect_balanced<&QORM_TABLE::field, QORM_TABLE, QORM_TYPES(__VA_ARGS__)>(*t, s);

TEST_P(CallingConvention, EveryVisaEntryLeavesTheStackAsItFoundIt) {
    std::string problem;
    const platform::VisaApi* t = platform::load_visa({path()}, &problem);
    ASSERT_TRUE(problem.empty()) << problem;
    const StandIn s = stand_in(path());
    ASSERT_NE(s.stack_moved, nullptr);
#define QORM_TABLE platform::VisaApi
    QORM_VISA_OPERATIONS(EXPECT_BALANCED)
#undef QORM_TABLE
}

TEST_P(CallingConvention, EveryModuleDriverEntryLeavesTheStackAsItFoundIt) {
    std::string problem;
    const platform::KelqormApi* t = platform::load_kelqorm({path()}, &problem);
    ASSERT_TRUE(problem.empty()) << problem;
    const StandIn s = stand_in(path());
    ASSERT_NE(s.stack_moved, nullptr);
#define QORM_TABLE platform::KelqormApi
    QORM_KELQORM_OPERATIONS(EXPECT_BALANCED)
#undef QORM_TABLE
}

TEST_P(CallingConvention, EveryCarrierDriverEntryLeavesTheStackAsItFoundIt) {
    std::string problem;
    const platform::KelbaseApi* t = platform::load_kelbase({path()}, &problem);
    ASSERT_TRUE(problem.empty()) << problem;
    const StandIn s = stand_in(path());
    ASSERT_NE(s.stack_moved, nullptr);
#define QORM_TABLE platform::KelbaseApi
    QORM_KELBASE_OPERATIONS(EXPECT_BALANCED)
#undef QORM_TABLE
}

#undef EXPECT_BALANCED

#if defined(_WIN32) && !defined(_WIN64)
// The check itself: the same stdcall function called through a cdecl pointer, the fault the
// tables must not have, is seen as the stack moved by exactly its arguments' bytes.
TEST_P(CallingConvention, ACdeclEntryForAStdcallFunctionIsSeen) {
    const platform::KelqormApi* t = platform::load_kelqorm({path()});
    const StandIn s = stand_in(path());
    ASSERT_NE(s.stack_moved, nullptr);
    using CdeclCmdConfig = ViStatus (*)(ViSession, ViInt16, ViUInt16, ViReal64);
    auto wrong = reinterpret_cast<CdeclCmdConfig>(reinterpret_cast<void*>(t->cmd_config));
    s.reset();
    ViStatus got[2] = {0, 0};
    call_twice<CdeclCmdConfig, ViSession, ViInt16, ViUInt16, ViReal64>(wrong, got);
    EXPECT_EQ(s.calls(), 2);
    EXPECT_EQ(s.stack_moved(),
              static_cast<long>(platform::Operation<&platform::KelqormApi::cmd_config>::stack_bytes));
}

// The two builds of the stand-in export the names the two ways driver DLLs come: decorated
// (the compiler's default) and plain (a .def file or --kill-at). The loader found every
// operation in both, so it looked the decorated names up where the plain ones were missing.
TEST(CallingConventionExports, TheStandInsExportTheNamesBothWays) {
    void* decorated = platform::dynlib::open(TESTLIB_EVERY, nullptr);
    void* plain = platform::dynlib::open(TESTLIB_EVERY_PLAIN, nullptr);
    ASSERT_NE(decorated, nullptr);
    ASSERT_NE(plain, nullptr);
    const std::string name = platform::decorated_name<&platform::KelqormApi::cmd_config>();
    EXPECT_EQ(name, "kelqorm_cmd_config@20");
    EXPECT_EQ(platform::dynlib::symbol(decorated, "kelqorm_cmd_config"), nullptr);
    EXPECT_NE(platform::dynlib::symbol(decorated, name.c_str()), nullptr);
    EXPECT_NE(platform::dynlib::symbol(plain, "kelqorm_cmd_config"), nullptr);
    EXPECT_EQ(platform::dynlib::symbol(plain, name.c_str()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(DecoratedAndPlainNames, CallingConvention,
                         ::testing::Values(TESTLIB_EVERY, TESTLIB_EVERY_PLAIN));
#else
INSTANTIATE_TEST_SUITE_P(PlainNames, CallingConvention, ::testing::Values(TESTLIB_EVERY));
#endif

}  // namespace
