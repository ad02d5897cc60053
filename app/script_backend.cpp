#include "script_backend.h"

namespace app::script {

void ScriptBackend::collect_input() {
    if (!waited_) return;
    waited_ = false;
    HeadlessBackend::collect_input();
}

// A wait with nothing due now returns at once when a step is due, so a waiting turn still
// reaches its steps without moving the clock.
int ScriptBackend::wait(double deadline) {
    const int st = HeadlessBackend::wait(deadline);
    waited_ = st == 0;
    return st;
}

}  // namespace app::script
