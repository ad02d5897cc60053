#include "script_operator.h"

namespace app::script {

Operator headless_operator() {
    Operator op;
    op.schedule = [](double delay, std::function<void()> step) {
        uir::headless::schedule(delay, std::move(step));
    };
    op.popups = [] { return uir::headless::popups(); };
    op.answer_confirm = [](bool yes) { uir::headless::answer_confirm(yes); };
    op.on_failure = [](std::function<void(const std::string&)> handler) {
        uir::headless::on_failure(std::move(handler));
    };
    return op;
}

}  // namespace app::script
