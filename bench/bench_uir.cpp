// The run-time's cost per operator event on the headless backend: an automation press queued
// and dispatched to its callback by ProcessSystemEvents. Goal: at most 2 microseconds.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

#include "uir/automation.h"
#include "uir/headless.h"
#include "uir/runtime.h"
#include "userint.h"

namespace {

int g_commits = 0;

int UIR_CALLBACK countCB(int, int, int event, void*, int, int) {
    if (event == EVENT_COMMIT) ++g_commits;
    return 0;
}

// A shown panel with `controls` command buttons (the main panel has a couple of hundred
// controls); returns the panel and the id of its last button.
struct Bench {
    int panel = 0;
    int button = 0;
};

Bench set_up(int controls) {
    uir::shutdown();
    uir::use_backend(uir::headless::make_backend());
    if (InitUserInterface() < 0) std::abort();
    Bench b;
    b.panel = NewPanel(0, "bench", 0, 0, 600, 600);
    for (int i = 0; i < controls; ++i) {
        b.button = NewCtrl(b.panel, CTRL_COMMAND_BUTTON, "OK", i, 0);
        SetCtrlAttribute(b.panel, b.button, ATTR_CALLBACK_FUNCTION_POINTER, countCB);
    }
    DisplayPanel(b.panel);
    return b;
}

void BM_CommitDispatch(benchmark::State& state) {
    const Bench b = set_up(static_cast<int>(state.range(0)));
    g_commits = 0;
    for (auto _ : state) {
        uir::automation::press(b.panel, b.button);
        ProcessSystemEvents();
    }
    if (g_commits != static_cast<int>(state.iterations())) state.SkipWithError("lost commits");
    state.SetItemsProcessed(state.iterations());
    uir::shutdown();
}
BENCHMARK(BM_CommitDispatch)->Arg(1)->Arg(230);

}  // namespace

BENCHMARK_MAIN();
