#include "recorder.h"

#include "script_text.h"

namespace app {

using Kind = uir::automation::Action::Kind;
using script::number_text;
using script::quote;

std::string action_line(const uir::automation::Action& a) {
    const std::string& name = a.control_name;
    const std::string line_number = number_text(a.number + 1);
    switch (a.kind) {
        case Kind::press:
            return name.empty() ? "" : "press " + name;
        case Kind::set_number:
            return name.empty() ? "" : "set " + name + " " + number_text(a.number);
        case Kind::set_text:
            return name.empty() ? "" : "set " + name + " " + quote(a.text);
        case Kind::select_index:
            return name.empty() ? "" : "select " + name + " " + line_number;
        case Kind::double_click:
            return name.empty() ? "" : "doubleclick " + name + " " + line_number;
        case Kind::highlight:
            return name.empty() ? "" : "highlight " + name + " " + line_number;
        case Kind::close_panel:
            return a.panel_name.empty() ? "" : "close " + a.panel_name;
        case Kind::choose_menu_item:
            return name.empty() ? "" : "choose " + name;
        case Kind::message_popup:
        case Kind::confirm_popup:
            break;
    }
    return "";
}

Recorder::Recorder(Sink sink, Clock clock) : sink_(std::move(sink)), clock_(std::move(clock)) {}

void Recorder::write_line(const std::string& line) {
    if (sink_) sink_(line);
}

void Recorder::flush() {
    for (const std::string& line : held_) write_line(line);
    held_.clear();
    holding_ = false;
}

void Recorder::observe(const uir::automation::Action& a) {
    const std::string popup_check = "check popup " + quote(a.title) + " " + quote(a.text);
    if (a.kind == Kind::message_popup) {
        if (holding_)
            held_.push_back(popup_check);
        else
            write_line(popup_check);
        return;
    }
    if (a.kind == Kind::confirm_popup) {
        const std::string answer = a.number != 0 ? "answer yes" : "answer no";
        if (holding_) {
            held_.insert(held_.begin() + static_cast<std::ptrdiff_t>(action_at_), answer);
            ++action_at_;
            held_.push_back(popup_check);
        } else {
            // Raised before any action (during start-up): a leading answer is ready in time.
            write_line(answer);
            write_line(popup_check);
        }
        return;
    }

    const double now = clock_ ? clock_() : 0;
    flush();
    const std::string line = action_line(a);
    if (line.empty()) {
        write_line("# не записано: действие на панели или элементе без имени (панель " +
                   std::to_string(a.panel) + ", элемент " + std::to_string(a.control) + ")");
        return;
    }
    if (any_action_) {
        const std::string gap = script::seconds_text(now - last_action_);
        if (gap != "0") write_line("wait " + gap);
    }
    last_action_ = now;
    any_action_ = true;
    // A refused action raises nothing: it is written at once, as the refusal a replay expects.
    if (a.refused) {
        write_line("expect refused " + line);
        return;
    }
    held_.push_back(line);
    action_at_ = 0;
    holding_ = true;
}

}  // namespace app
