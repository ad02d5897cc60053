// The front panel's costs that an operator feels, on the headless run-time:
// - one poll (mpCheckState: run flag, thirty states, sixty lamps, thirty switches), goal at most
//   10 microseconds, measured when it changes nothing and when it changes every control;
// - a front-panel start: the five panels loaded and set up by mpInitPanels, goal at most 1 ms;
// - the same poll on the simulated crate, goal at most 10 microseconds;
// - the CPU an idle front panel takes while it waits, and while it polls ten times a second,
//   goal at most 0.5 % of a core: a virtual hour of qorm_display on the headless waiting turn,
//   its process CPU time set against the hour.
// The recording fake formats and keeps a log line per call and lets the simulated module answer;
// the same poll with a driver table that only answers shows what the front panel itself costs.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

#include "fake/fake.h"
#include "qorm_internal.h"
#include "qorm_uir.h"
#include "sim/sim.h"
#include "uir/automation.h"
#include "uir/headless.h"
#include "uir/runtime.h"
#include "userint.h"

namespace {

using Clock = std::chrono::steady_clock;

ModuleInstance g_record{};

void start_run_time() {
    uir::shutdown();
    uir::use_backend(uir::headless::make_backend());
    if (InitUserInterface() < 0) std::abort();
    fake::reset();
    fake::bind_all();
    qorm_register_callbacks();
}

void load_panels(ModuleInstance* record) {
    int panels[kFrontPanelCount + 1] = {};
    for (int k = 0; k < kFrontPanelCount; ++k) {
        panels[k] = LoadPanelEx(0, QORM_UIR_FILE, kFrontPanels[k].layout_id, nullptr);
        record->*kFrontPanels[k].handle = panels[k];
    }
    if (mpInitPanels(record, panels) < 0) std::abort();
}

void discard_panels(ModuleInstance* record) {
    for (const FrontPanel& panel : kFrontPanels) DiscardPanel(record->*panel.handle);
}

// A shown main panel of module session 5, as the front panel has it during a run.
int set_up_main_panel() {
    start_run_time();
    if (fake::open_module(fake::open_session()) != 5) std::abort();
    g_record = ModuleInstance{};
    g_record.session = 5;
    g_record.mainframe_la = 1;
    g_record.slot = 5;
    g_record.mezzanine_number = 2;
    load_panels(&g_record);
    DisplayPanel(g_record.mp_panel);
    return g_record.mp_panel;
}

// The module's answers to a poll, driven so that it changes every control of the panel: before
// each poll the panel shows every channel active with both latches and every switch on, and the
// module reports everything idle.
void show_everything_active(int mp) {
    SetCtrlVal(mp, MP_START, 1);
    for (int k = 0; k < QORM_CHANNELS; ++k) {
        SetCtrlVal(mp, mpStateCtrls[k], "X");
        SetCtrlVal(mp, mpFix1Ctrls[k], 1);
        SetCtrlVal(mp, mpFix2Ctrls[k], 1);
        SetCtrlVal(mp, mpSwitchCtrls[k], 1);
    }
}

// Times `poll` alone; `prepare` runs untimed before each poll.
template <class Prepare>
void time_polls(benchmark::State& state, int mp, Prepare prepare) {
    for (auto _ : state) {
        prepare();
        const auto begin = Clock::now();
        mpCheckState(mp, MP_CHECKSTATE, EVENT_COMMIT, nullptr, 0, 0);
        const auto end = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
    }
    if (status != 0) state.SkipWithError("a poll failed");
    state.SetItemsProcessed(state.iterations());
    uir::shutdown();
}

// The poll of an idle module with the recording fake; its log is cleared (untimed) before each
// poll.
void BM_PollUnchanged(benchmark::State& state) {
    const int mp = set_up_main_panel();
    mpCheckState(mp, MP_CHECKSTATE, EVENT_COMMIT, nullptr, 0, 0);
    time_polls(state, mp, [] { fake::clear_log(); });
}
BENCHMARK(BM_PollUnchanged)->UseManualTime();

void BM_PollChangingEverything(benchmark::State& state) {
    const int mp = set_up_main_panel();
    time_polls(state, mp, [mp] {
        fake::clear_log();
        show_everything_active(mp);
    });
}
BENCHMARK(BM_PollChangingEverything)->UseManualTime();

// A module driver that only answers the three queries of a poll: the front panel's own cost.
ViStatus silent_gstart_q(ViSession, ViInt16* running) {
    *running = 0;
    return 0;
}
ViStatus silent_codes(ViSession, ViInt16* codes) {
    for (int k = 0; k < KELQORM_CHANNELS; ++k) codes[k] = 0;
    return 0;
}

const platform::KelqormApi* silent_table() {
    static platform::KelqormApi table = [] {
        platform::KelqormApi t = *fake::kelqorm_table();
        t.origin = "bench";
        t.gstart_q = &silent_gstart_q;
        t.state = &silent_codes;
        t.trig_state = &silent_codes;
        return t;
    }();
    return &table;
}

void BM_PollUnchangedSilentDriver(benchmark::State& state) {
    const int mp = set_up_main_panel();
    platform::bind_kelqorm(silent_table());
    mpCheckState(mp, MP_CHECKSTATE, EVENT_COMMIT, nullptr, 0, 0);
    time_polls(state, mp, [] {});
    platform::bind_kelqorm(nullptr);
}
BENCHMARK(BM_PollUnchangedSilentDriver)->UseManualTime();

void BM_PollChangingEverythingSilentDriver(benchmark::State& state) {
    const int mp = set_up_main_panel();
    platform::bind_kelqorm(silent_table());
    time_polls(state, mp, [mp] { show_everything_active(mp); });
    platform::bind_kelqorm(nullptr);
}
BENCHMARK(BM_PollChangingEverythingSilentDriver)->UseManualTime();

// What the recording fake and the simulated module cost for the three calls of a poll, log kept
// and cleared.
void BM_FakeCallsOfOnePoll(benchmark::State& state) {
    start_run_time();
    if (fake::open_module(fake::open_session()) != 5) std::abort();
    ViInt16 running = 0;
    ViInt16 codes[KELQORM_CHANNELS];
    for (auto _ : state) {
        fake::clear_log();
        kelqorm_gstart_q(5, &running);
        kelqorm_state(5, codes);
        kelqorm_trig_state(5, codes);
        benchmark::DoNotOptimize(codes);
    }
    uir::shutdown();
}
BENCHMARK(BM_FakeCallsOfOnePoll);

// A front-panel start: the five panels loaded and set up; discarding them is not timed.
void BM_LoadAndInitPanels(benchmark::State& state) {
    start_run_time();
    if (fake::open_module(fake::open_session()) != 5) std::abort();
    ModuleInstance record{};
    record.session = 5;
    record.mezzanine_number = 2;
    for (auto _ : state) {
        fake::clear_log();
        const auto begin = Clock::now();
        load_panels(&record);
        const auto end = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
        discard_panels(&record);
    }
    state.SetItemsProcessed(state.iterations());
    uir::shutdown();
}
BENCHMARK(BM_LoadAndInitPanels)->UseManualTime()->Unit(benchmark::kMicrosecond);

// ---- On the simulated crate ---------------------------------------------------------------------

// The built-in crate bound on the headless clock, with its QORM opened as the start-up opens it.
ViSession open_simulated_module() {
    sim::install(sim::default_crate());
    sim::set_clock([] { return Timer(); });
    platform::bind_visa(sim::visa_api());
    platform::bind_kelqorm(sim::kelqorm_api());
    platform::bind_kelbase(sim::kelbase_api());
    char carrier_name[] = "VXI0::8::INSTR";
    ViSession carrier = 0, session = 0;
    if (kelbase_init(carrier_name, 1, 1, &carrier) < 0) std::abort();
    if (kelqorm_init(carrier_name, 1, 1, &session) < 0) std::abort();
    if (kelqorm_connect(session, carrier, 2, 1, 1) < 0) std::abort();
    return session;
}

void unbind_simulator() {
    platform::bind_visa(nullptr);
    platform::bind_kelqorm(nullptr);
    platform::bind_kelbase(nullptr);
}

void BM_PollUnchangedOnTheSimulator(benchmark::State& state) {
    const int mp = set_up_main_panel();
    g_record.session = open_simulated_module();
    mpCheckState(mp, MP_CHECKSTATE, EVENT_COMMIT, nullptr, 0, 0);
    time_polls(state, mp, [] {});
    unbind_simulator();
}
BENCHMARK(BM_PollUnchangedOnTheSimulator)->UseManualTime();

// The CPU time of this process so far, in seconds.
double process_cpu_seconds() {
#ifdef _WIN32
    FILETIME created, ended, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user)) return 0;
    auto seconds = [](const FILETIME& t) {
        return (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) * 1e-7;
    };
    return seconds(kernel) + seconds(user);
#else
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
#endif
}

// A virtual hour of a front panel on the simulated crate, idle (argument 0) or polling
// continuously (argument 1), run by qorm_display and ended as a host ends it, by qorm_close.
// The counter cpu_percent is the process CPU time of the run against the hour: what the front
// panel would take of a core if the hour were real.
void BM_FrontPanelVirtualHour(benchmark::State& state) {
    constexpr double kHour = 3600;
    const bool polling = state.range(0) != 0;
    double cpu = 0;
    for (auto _ : state) {
        start_run_time();
        uir::headless::set_time_limit(2 * kHour);
        auto* record = static_cast<ModuleInstance*>(std::calloc(1, sizeof(ModuleInstance)));
        record->session = open_simulated_module();
        record->mezzanine_number = 2;
        if (polling)
            uir::headless::schedule(
                0, [record] { uir::automation::press(record->mp_panel, MP_STATE_CONT); });
        uir::headless::schedule(kHour, [record]() mutable { qorm_close(&record); });
        const double before = process_cpu_seconds();
        if (qorm_display(record) != 0) state.SkipWithError("the front panel did not run");
        cpu += process_cpu_seconds() - before;
        if (Timer() < kHour) state.SkipWithError("the run ended before the hour");
        unbind_simulator();
        uir::shutdown();
    }
    state.counters["cpu_percent"] = 100 * cpu / (kHour * static_cast<double>(state.iterations()));
}
BENCHMARK(BM_FrontPanelVirtualHour)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
