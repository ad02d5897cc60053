#include "script_runner.h"

#include <cstdio>
#include <limits>

#include "call_log.h"
#include "script_checks.h"
#include "script_target.h"
#include "script_text.h"
#include "sim/faults.h"
#include "uir/automation.h"
#include "uir/backend.h"
#include "uir/headless.h"
#include "uir/mark.h"
#include "uir/model.h"

namespace app::script {
namespace {

std::string at_time(int line, double t) {
    char text[64];
    std::snprintf(text, sizeof text, "строка %d, t=%.3f с: ", line, t);
    return text;
}

// The index of the line (list item, ring item) with this label, or -1.
int item_index(const uir::Control& c, const std::string& label) {
    for (std::size_t i = 0; i < c.items.size(); ++i)
        if (c.items[i].label == label) return static_cast<int>(i);
    return -1;
}

bool fits_int(double v) {
    return v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max();
}

}  // namespace

Runner::Runner(Script script, Print print, End end, Operator op)
    : script_(std::move(script)),
      print_(std::move(print)),
      end_(std::move(end)),
      operator_(std::move(op)) {}

Runner::~Runner() {
    if (uir::active_backend() != nullptr) operator_.on_failure(nullptr);
}

std::size_t Runner::confirms_so_far() {
    std::size_t n = 0;
    for (const Popup& p : operator_.popups())
        if (p.kind == "confirm") ++n;
    return n;
}

void Runner::print(const Step& step, const std::string& outcome) {
    if (print_) print_(at_time(step.line, Timer()) + step.source + ": " + outcome);
}

void Runner::fail(const Step& step, const std::string& reason) {
    print(step, reason);
    if (print_) print_("сценарий остановлен на строке " + std::to_string(step.line));
    finish(kFailed);
}

void Runner::finish(int exit_status) {
    if (finished_) return;
    finished_ = true;
    exit_status_ = exit_status;
    if (exit_status == kPassed && print_) {
        print_("сценарий выполнен: действий " + std::to_string(actions_) + ", проверок " +
               std::to_string(checks_) + ", все верны");
    }
    if (!program_gone_ && end_) end_(exit_status);
}

void Runner::schedule(double delay) {
    std::weak_ptr<int> alive = alive_;
    operator_.schedule(delay, [this, alive] {
        if (alive.expired() || finished_ || program_gone_) return;
        run_steps();
    });
}

// The popups and confirmations before the script began are none of its business.
void Runner::note_baseline() {
    if (counted_confirms_) return;
    confirms_before_ = confirms_so_far();
    popups_checked_ = operator_.popups().size();
    counted_confirms_ = true;
}

void Runner::run_prologue() {
    note_baseline();
    while (!finished_ && next_ < script_.steps.size()) {
        const Step& step = script_.steps[next_];
        if (step.command != Command::fault && step.command != Command::answer) break;
        ++next_;
        current_ = &step;
        if (!(step.command == Command::fault ? run_fault(step) : run_answer(step))) return;
    }
}

void Runner::start() {
    note_baseline();
    std::weak_ptr<int> alive = alive_;
    operator_.on_failure([this, alive](const std::string& reason) {
        if (!alive.expired()) headless_failure(reason);
    });
    if (!finished_) schedule(0);
}

int Runner::program_ended(int program_exit) {
    program_gone_ = true;
    program_exit_ = program_exit;
    if (!finished_) {
        if (waiting_ != nullptr) {
            print(*waiting_, "программа завершилась, не дождавшись");
            waiting_ = nullptr;
        }
        run_steps();
    }
    return exit_status_;
}

void Runner::headless_failure(const std::string& reason) {
    if (finished_) return;
    const Step* step = current_ ? current_ : (script_.steps.empty() ? nullptr : &script_.steps[0]);
    const bool unanswered = reason.rfind("ConfirmPopup", 0) == 0;
    const std::string text = unanswered
                                 ? "НЕВЕРНО: подтверждение осталось без ответа (" + reason +
                                       "): перед действием нужна строка answer yes или answer no"
                                 : "НЕВЕРНО: программа не может идти дальше: " + reason;
    if (step != nullptr) {
        fail(*step, text);
    } else {
        if (print_) print_(text);
        finish(kFailed);
    }
}

// An answer is for the confirmation of the action that follows it; once that action has run,
// an answer still unused means the confirmation the script expected never came.
bool Runner::answers_used(bool at_end) {
    const std::size_t taken = confirms_so_far() - confirms_before_;
    if (answers_.size() <= taken || (!acted_since_answer_ && !at_end)) return true;
    fail(*answers_[taken], "НЕВЕРНО: подтверждения не было, ответ не понадобился");
    return false;
}

void Runner::run_steps() {
    while (!finished_) {
        if (waiting_ != nullptr) {
            print(*waiting_, "выполнено");
            mark_ = Timer();
            waiting_ = nullptr;
        }
        if (!marked_) {
            mark_ = Timer();
            marked_ = true;
        }
        const bool at_end = next_ >= script_.steps.size();
        if (!answers_used(at_end)) return;
        if (at_end) {
            finish(kPassed);
            return;
        }
        const Step& step = script_.steps[next_++];
        current_ = &step;
        switch (step.command) {
            case Command::wait: {
                const double now = Timer();
                const double due = mark_ + step.seconds;
                if (program_gone_) {
                    print(step, "программа завершилась, ждать нечего");
                } else if (due > now) {
                    waiting_ = &step;
                    schedule(due - now);
                    return;
                } else {
                    print(step, "выполнено");
                    mark_ = now;
                }
                break;
            }
            case Command::check:
                if (!run_check(step)) return;
                break;
            case Command::answer:
                if (!run_answer(step)) return;
                break;
            case Command::fault:
                if (!run_fault(step)) return;
                break;
            default:
                if (operator_.step_delay > 0 && marked_step_ != &step) {
                    // A watcher sees the control marked for a moment, then the action.
                    marked_step_ = &step;
                    mark_target(step);
                    --next_;
                    schedule(operator_.step_delay);
                    return;
                }
                if (marked_step_ != nullptr) {
                    uir::mark::clear();
                    marked_step_ = nullptr;
                }
                if (!run_action(step)) return;
                // The next step comes when the program waits again: the callback has run.
                schedule(0);
                return;
        }
    }
}

bool Runner::run_check(const Step& step) {
    const std::vector<Popup> popups = operator_.popups();
    CheckContext context;
    context.popups = &popups;
    context.popups_checked = &popups_checked_;
    context.calls = call_log_ ? &call_log_->calls() : nullptr;
    context.program_ended = program_gone_;
    context.program_exit = program_exit_;
    const CheckOutcome o = evaluate_check(step, context);
    if (!o.problem.empty()) {
        fail(step, "НЕВЕРНО: " + o.problem);
        return false;
    }
    if (!o.held) {
        fail(step, "НЕВЕРНО: ожидалось " + o.expected + ", на деле " + o.actual);
        return false;
    }
    ++checks_;
    print(step, "верно");
    return true;
}

bool Runner::run_answer(const Step& step) {
    operator_.answer_confirm(step.yes);
    answers_.push_back(&step);
    acted_since_answer_ = false;
    print(step,
          std::string("следующее подтверждение получит ответ «") + (step.yes ? "да" : "нет") + "»");
    return true;
}

bool Runner::run_fault(const Step& step) {
    const std::string why = sim::fault_command(step.fault);
    if (!why.empty()) {
        fail(step, "ОТКАЗ симулятора: " + why);
        return false;
    }
    print(step, "выполнено");
    return true;
}

Target Runner::target_of(const Step& step) {
    switch (step.command) {
        case Command::close:
            return find_panel(step.name);
        case Command::choose:
            return find_menu_item(step.name);
        default:
            return find_control(step.name);
    }
}

void Runner::mark_target(const Step& step) {
    const Target t = target_of(step);
    if (t.kind == Target::Kind::control)
        uir::mark::set(t.panel, t.id);
    else
        uir::mark::set(t.panel, 0);
}

bool Runner::run_action(const Step& step) {
    if (program_gone_) {
        fail(step, "ОТКАЗ: программа уже завершилась");
        return false;
    }
    const std::string& name = step.name;
    const Target t = target_of(step);
    if (t.kind == Target::Kind::none) {
        const bool elsewhere = find_any(name).kind != Target::Kind::none;
        const char* what = step.command == Command::close    ? "панели"
                           : step.command == Command::choose ? "пункта меню"
                                                             : "элемента";
        fail(step, std::string("ОТКАЗ: нет ") + what + " " + name +
                       (elsewhere ? " (это имя другого рода)" : " ни на одной панели"));
        return false;
    }

    int st = 0;
    const uir::Control* c = uir::model::find_control(t.panel, t.id);
    // The calls a `check calls` looks at are those this action causes. A refusal causes none,
    // so the log is cleared only once the action is taken.
    std::vector<ExpectedCall> before;
    if (call_log_ != nullptr) {
        before = call_log_->calls();
        call_log_->clear();
    }
    switch (step.command) {
        case Command::press:
            st = uir::automation::press(t.panel, t.id);
            break;
        case Command::set:
            if (step.value.kind == Value::Kind::text) {
                if (c != nullptr && value_shape(*c) == ValueShape::items) {
                    // A ring is set by choosing the item with that label.
                    const int index = item_index(*c, step.value.text);
                    if (index < 0) {
                        fail(step, "ОТКАЗ: у " + name + " нет пункта " + quote(step.value.text));
                        return false;
                    }
                    st = uir::automation::set_value(t.panel, t.id, c->items[index].value);
                } else {
                    st = uir::automation::set_value(t.panel, t.id, step.value.text.c_str());
                }
            } else if (step.value.integer && fits_int(step.value.number)) {
                st = uir::automation::set_value(t.panel, t.id, static_cast<int>(step.value.number));
            } else {
                st = uir::automation::set_value(t.panel, t.id, step.value.number);
            }
            break;
        case Command::select:
        case Command::doubleclick:
        case Command::highlight: {
            int index = static_cast<int>(step.value.number) - 1;
            if (step.value.kind == Value::Kind::text) {
                index = c != nullptr ? item_index(*c, step.value.text) : -1;
                if (index < 0) {
                    fail(step, "ОТКАЗ: в " + name + " нет строки " + quote(step.value.text));
                    return false;
                }
            }
            if (step.command == Command::select) {
                st = uir::automation::select_index(t.panel, t.id, index);
            } else if (step.command == Command::doubleclick) {
                st = uir::automation::double_click(t.panel, t.id, index);
            } else {
                st = uir::automation::highlight(t.panel, t.id, index);
            }
            break;
        }
        case Command::close:
            st = uir::automation::close_panel(t.panel);
            break;
        case Command::choose:
            st = uir::automation::choose_menu_item(t.panel, t.id);
            break;
        default:
            break;
    }
    if (st < 0 && call_log_ != nullptr) call_log_->restore(std::move(before));
    if (step.expect_refused) {
        if (st < 0) {
            ++checks_;
            print(step, "верно: отказ: " + refusal(t, name, st));
            return true;
        }
        ++actions_;
        fail(step, "НЕВЕРНО: действие принято, а ожидался отказ");
        return false;
    }
    if (st < 0) {
        fail(step, "ОТКАЗ: " + refusal(t, name, st));
        return false;
    }
    ++actions_;
    acted_since_answer_ = true;
    mark_ = Timer();
    print(step, "выполнено");
    return true;
}

}  // namespace app::script
