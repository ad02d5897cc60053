#include "script_checks.h"

#include <cstdio>

#include "script_target.h"
#include "script_text.h"
#include "uir/headless.h"
#include "uir/model.h"

namespace app::script {
namespace {

CheckOutcome problem(std::string text) {
    CheckOutcome o;
    o.problem = std::move(text);
    return o;
}

CheckOutcome not_found(const std::string& name) {
    return problem("нет панели, элемента или пункта меню " + name);
}

CheckOutcome compare_text(const std::string& actual, const Step& step) {
    CheckOutcome o;
    o.actual = quote(actual);
    if (step.contains) {
        o.expected = "текст, где есть " + quote(step.value.text);
        o.held = actual.find(step.value.text) != std::string::npos;
    } else {
        o.expected = quote(step.value.text);
        o.held = actual == step.value.text;
    }
    return o;
}

std::string popup_text(const uir::headless::Popup& p) {
    return quote(p.title) + " " + quote(p.text);
}

CheckOutcome check_popup(const Step& step, const std::vector<uir::headless::Popup>& popups,
                         std::size_t* checked) {
    CheckOutcome o;
    o.expected = quote(step.title) + " " + quote(step.value.text);
    if (*checked >= popups.size()) {
        o.actual = "окон больше не было";
        return o;
    }
    const uir::headless::Popup& p = popups[(*checked)++];
    o.actual = popup_text(p);
    o.held = p.title == step.title && p.text == step.value.text;
    return o;
}

CheckOutcome check_no_popup(const std::vector<uir::headless::Popup>& popups,
                            const std::size_t* checked) {
    CheckOutcome o;
    o.expected = "новых окон нет";
    o.held = *checked >= popups.size();
    o.actual = o.held ? o.expected : "окно " + popup_text(popups[*checked]);
    return o;
}

const uir::MenuItem* menu_item(const Target& t) {
    const uir::Panel* p = uir::model::find_panel(t.panel);
    const uir::MenuBar* bar = p ? uir::model::find_menu_bar(p->menu_bar) : nullptr;
    if (bar == nullptr) return nullptr;
    for (const uir::Menu& menu : bar->menus)
        for (const uir::MenuItem& item : menu.items)
            if (item.id == t.id) return &item;
    return nullptr;
}

// dimmed, visible, enabled: a yes-or-no state of a panel, control or menu item.
CheckOutcome check_state(const Step& step) {
    const Target t = find_any(step.name);
    if (t.kind == Target::Kind::none) return not_found(step.name);
    const uir::Panel* p = uir::model::find_panel(t.panel);
    const uir::Control* c =
        t.kind == Target::Kind::control ? uir::model::find_control(t.panel, t.id) : nullptr;
    bool state = false;
    const char* yes = "";
    const char* no = "";
    switch (step.property) {
        case Property::dimmed:
            yes = "затенён";
            no = "не затенён";
            if (c) {
                state = c->dimmed;
            } else if (const uir::MenuItem* item =
                           t.kind == Target::Kind::menu_item ? menu_item(t) : nullptr) {
                state = item->dimmed;
            } else {
                return problem("у панели " + step.name + " нет затенения: проверяют visible");
            }
            break;
        case Property::visible:
            yes = "виден";
            no = "скрыт";
            if (t.kind == Target::Kind::menu_item)
                return problem("пункт меню виден вместе с панелью: проверяют dimmed");
            state = p != nullptr && p->visible && (c == nullptr || c->visible);
            break;
        case Property::enabled:
            yes = "включён";
            no = "выключен";
            if (c == nullptr || c->kind != CTRL_TIMER)
                return problem(step.name + " не таймер: enabled проверяют у таймеров");
            state = c->enabled;
            break;
        default:
            return problem("не состояние");
    }
    CheckOutcome o;
    const bool wanted = !step.negated;
    o.expected = wanted ? yes : no;
    o.actual = state ? yes : no;
    o.held = state == wanted;
    return o;
}

// A panel's title, or a menu's title on a menu bar.
CheckOutcome check_title(const Step& step) {
    const Target t = find_panel(step.name);
    if (t.kind == Target::Kind::none) {
        if (const uir::Menu* menu = find_menu(step.name))
            return compare_text(uir::split_label(menu->title).text, step);
        if (find_any(step.name).kind != Target::Kind::none)
            return problem("заголовок есть только у панели и у меню, а " + step.name +
                           " не панель и не меню");
        return not_found(step.name);
    }
    return compare_text(uir::model::find_panel(t.panel)->title, step);
}

CheckOutcome check_menu_text(const Step& step) {
    const Target t = find_menu_item(step.name);
    if (t.kind == Target::Kind::none) {
        if (find_menu(step.name) != nullptr)
            return problem(step.name + " — меню: его текст проверяют как title");
        if (find_any(step.name).kind != Target::Kind::none)
            return problem("text проверяют у пунктов меню, а " + step.name +
                           " не пункт меню: у элементов проверяют label или значение");
        return not_found(step.name);
    }
    const uir::MenuItem* item = menu_item(t);
    if (item == nullptr) return not_found(step.name);
    return compare_text(uir::split_label(item->name).text, step);
}

std::string numbers_text(const std::vector<double>& numbers) {
    std::string out;
    for (double n : numbers) out += (out.empty() ? "" : " ") + number_text(n);
    return out;
}

CheckOutcome compare_numbers(const std::vector<double>& actual, const Step& step) {
    CheckOutcome o;
    o.expected = numbers_text(step.numbers);
    o.actual = numbers_text(actual);
    o.held = actual == step.numbers;
    return o;
}

// geometry, size and position of a control or a panel, in pixels.
CheckOutcome check_shape(const Step& step) {
    const Target t = find_any(step.name);
    if (t.kind == Target::Kind::none) return not_found(step.name);
    if (t.kind == Target::Kind::menu_item)
        return problem(step.name + " — пункт меню: у него нет места на панели");
    const uir::Panel* p = uir::model::find_panel(t.panel);
    if (t.kind == Target::Kind::panel) {
        if (step.property == Property::geometry)
            return problem(step.name + " — панель: у неё проверяют position и size");
        if (step.property == Property::position)
            return compare_numbers({double(p->top), double(p->left)}, step);
        return compare_numbers({double(p->height), double(p->width)}, step);
    }
    const uir::Control* c = uir::model::find_control(t.panel, t.id);
    if (c == nullptr) return not_found(step.name);
    if (step.property == Property::position)
        return problem(step.name + " — элемент: его место на панели проверяют как geometry");
    if (step.property == Property::size)
        return compare_numbers({double(c->height), double(c->width)}, step);
    return compare_numbers({double(c->top), double(c->left), double(c->height), double(c->width)},
                           step);
}

// range and decimals: only a numeric field has them.
CheckOutcome check_numeric(const Step& step, const uir::Control& c) {
    if (c.kind != CTRL_NUMERIC)
        return problem(step.name + " (" + kind_name(c.kind) + ") не числовое поле: " +
                       (step.property == Property::range ? "диапазона" : "знаков после запятой") +
                       " у него нет");
    if (step.property == Property::decimals) return compare_numbers({double(c.precision)}, step);
    CheckOutcome o;
    o.expected = numbers_text(step.numbers);
    o.actual = number_as_held(c.data_type, c.min) + " " + number_as_held(c.data_type, c.max) + " " +
               number_as_held(c.data_type, c.incr);
    // The limits are held in the field's own type: compared as it holds them.
    o.held = same_number(c.data_type, c.min, step.numbers[0]) &&
             same_number(c.data_type, c.max, step.numbers[1]) &&
             same_number(c.data_type, c.incr, step.numbers[2]);
    return o;
}

std::string colour_text(int colour) {
    if (colour < 0) return "цвет не задан";
    char text[8];
    std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(colour) & 0xFFFFFFu);
    return text;
}

CheckOutcome check_colour(const Step& step) {
    const Target t = find_any(step.name);
    if (t.kind == Target::Kind::none) return not_found(step.name);
    if (t.kind == Target::Kind::menu_item)
        return problem(step.name + " — пункт меню: его цвета задаёт система");
    int colour = -1;
    if (t.kind == Target::Kind::panel) {
        if (step.colour != ColourPart::main && step.colour != ColourPart::back)
            return problem(step.name + " — панель: у неё есть только цвет фона (back)");
        colour = uir::model::find_panel(t.panel)->back_color;
    } else {
        const uir::Control* c = uir::model::find_control(t.panel, t.id);
        if (c == nullptr) return not_found(step.name);
        const bool button = c->kind == CTRL_COMMAND_BUTTON || c->kind == CTRL_TOGGLE_BUTTON;
        switch (step.colour) {
            case ColourPart::main:
                colour = button ? c->cmd_button_color : c->back_color;
                break;
            case ColourPart::face:
                if (!button)
                    return problem(step.name + " (" + kind_name(c->kind) +
                                   ") не кнопка: цвета кнопки (face) у него нет");
                colour = c->cmd_button_color;
                break;
            case ColourPart::back:
                colour = c->back_color;
                break;
            case ColourPart::text:
                colour = c->text_color;
                break;
            case ColourPart::text_back:
                colour = c->text_bg_color;
                break;
        }
    }
    CheckOutcome o;
    o.expected = colour_text(static_cast<int>(step.numbers[0]));
    o.actual = colour_text(colour);
    o.held = colour >= 0 && (colour & 0xFFFFFF) == static_cast<int>(step.numbers[0]);
    return o;
}

std::string call_text(const ExpectedCall& call) {
    return call.with_arguments ? call.operation + "(" + call.arguments + ")" : call.operation;
}

std::string calls_text(const std::vector<ExpectedCall>& calls, const Step& step) {
    if (calls.empty()) return "вызовов не было";
    std::string out;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        // Arguments are shown where the script gave them for that place, so the two lines read
        // side by side.
        const bool with = i < step.calls.size() && step.calls[i].with_arguments;
        out += (i ? " " : "") + (with ? call_text(calls[i]) : calls[i].operation);
    }
    return out;
}

CheckOutcome check_calls(const Step& step, const std::vector<ExpectedCall>* calls) {
    if (calls == nullptr) return problem("вызовы драйверов не записываются");
    CheckOutcome o;
    if (step.property == Property::no_call) {
        const std::string& op = step.calls[0].operation;
        std::size_t n = 0;
        for (const ExpectedCall& c : *calls) n += c.operation == op;
        o.expected = "ни одного вызова " + op;
        o.actual = n == 0 ? o.expected : "вызовов " + op + ": " + std::to_string(n);
        o.held = n == 0;
        return o;
    }
    std::string expected;
    for (const ExpectedCall& c : step.calls)
        expected += (expected.empty() ? "" : " ") + call_text(c);
    o.expected = expected;
    o.actual = calls_text(*calls, step);
    o.held = calls->size() == step.calls.size();
    for (std::size_t i = 0; o.held && i < calls->size(); ++i) {
        const ExpectedCall& want = step.calls[i];
        const ExpectedCall& got = (*calls)[i];
        o.held = got.operation == want.operation &&
                 (!want.with_arguments || got.arguments == want.arguments);
    }
    return o;
}

CheckOutcome check_exit(const Step& step, const CheckContext& context) {
    if (!context.program_ended)
        return problem("программа ещё работает: код выхода проверяют после её завершения");
    CheckOutcome o;
    o.expected = "код выхода " + number_text(step.numbers[0]);
    o.actual = "код выхода " + std::to_string(context.program_exit);
    o.held = context.program_exit == step.numbers[0];
    return o;
}

// The lines of a text box, or the item labels of a list or ring.
bool lines_of(const uir::Control& c, std::vector<std::string>* lines) {
    const ValueShape shape = value_shape(c);
    if (shape == ValueShape::lines) {
        *lines = c.lines;
        return true;
    }
    if (shape == ValueShape::items) {
        lines->clear();
        for (const uir::ListItem& item : c.items) lines->push_back(item.label);
        return true;
    }
    return false;
}

CheckOutcome check_lines(const Step& step, const uir::Control& c) {
    std::vector<std::string> lines;
    if (!lines_of(c, &lines))
        return problem(step.name + " (" + kind_name(c.kind) + ") не состоит из строк");
    if (step.property == Property::lines) {
        CheckOutcome o;
        o.expected = number_text(step.value.number) + " строк";
        o.actual = std::to_string(lines.size()) + " строк";
        o.held = static_cast<double>(lines.size()) == step.value.number;
        return o;
    }
    if (step.line_number > static_cast<int>(lines.size())) {
        CheckOutcome o;
        o.expected = "строка " + std::to_string(step.line_number) + ": " + quote(step.value.text);
        o.actual = "строк всего " + std::to_string(lines.size());
        return o;
    }
    return compare_text(lines[step.line_number - 1], step);
}

CheckOutcome check_value(const Step& step, const uir::Control& c) {
    const ValueShape shape = value_shape(c);
    const std::string what = step.name + " (" + kind_name(c.kind) + ")";
    const bool text = step.value.kind == Value::Kind::text;
    switch (shape) {
        case ValueShape::none:
            return problem(what + " не имеет значения");
        case ValueShape::number: {
            if (text) {
                // A two-state control is also known by the text it shows in each state.
                if (c.on_text.empty() && c.off_text.empty())
                    return problem(what + ": ожидаемое значение пишется числом");
                return compare_text(c.number != 0 ? c.on_text : c.off_text, step);
            }
            CheckOutcome o;
            o.expected = number_text(step.value.number);
            o.actual = shown_value(c);
            o.held = same_number(c, step.value.number);
            return o;
        }
        case ValueShape::text:
        case ValueShape::lines: {
            if (!text) return problem(what + ": ожидаемое значение пишется текстом в кавычках");
            std::string all;
            if (shape == ValueShape::text) {
                all = c.text;
            } else {
                for (std::size_t i = 0; i < c.lines.size(); ++i)
                    all += (i ? "\n" : "") + c.lines[i];
            }
            return compare_text(all, step);
        }
        case ValueShape::items: {
            const bool selected = c.index >= 0 && c.index < static_cast<int>(c.items.size());
            if (text) {
                CheckOutcome o = compare_text(selected ? c.items[c.index].label : "", step);
                if (!selected) o.actual = "нет пунктов";
                return o;
            }
            CheckOutcome o;
            o.expected = number_text(step.value.number);
            o.actual = shown_value(c);
            o.held = selected && c.items[c.index].value == step.value.number;
            return o;
        }
    }
    return problem(what + " не имеет значения");
}

}  // namespace

CheckOutcome evaluate_check(const Step& step, const CheckContext& context) {
    std::size_t none_checked = 0;
    std::size_t* popups_checked = context.popups_checked ? context.popups_checked : &none_checked;
    static const std::vector<uir::headless::Popup> kNoPopups;
    const auto& popups = context.popups ? *context.popups : kNoPopups;
    switch (step.property) {
        case Property::popup:
            return check_popup(step, popups, popups_checked);
        case Property::no_popup:
            return check_no_popup(popups, popups_checked);
        case Property::text:
            return check_menu_text(step);
        case Property::geometry:
        case Property::size:
        case Property::position:
            return check_shape(step);
        case Property::colour:
            return check_colour(step);
        case Property::calls:
        case Property::no_call:
            return check_calls(step, context.calls);
        case Property::exit:
            return check_exit(step, context);
        case Property::label:
        case Property::range:
        case Property::decimals:
            break;
        case Property::dimmed:
        case Property::visible:
        case Property::enabled:
            return check_state(step);
        case Property::title:
            return check_title(step);
        case Property::value:
        case Property::line:
        case Property::lines:
            break;
    }
    const Target t = find_control(step.name);
    if (t.kind == Target::Kind::none) {
        if (find_panel(step.name).kind != Target::Kind::none)
            return problem(step.name +
                           " — панель: у неё проверяют title, visible или hidden, а не значение");
        return not_found(step.name);
    }
    const uir::Control* c = uir::model::find_control(t.panel, t.id);
    if (c == nullptr) return not_found(step.name);
    if (step.property == Property::value) return check_value(step, *c);
    if (step.property == Property::label)
        return compare_text(uir::split_label(c->label).text, step);
    if (step.property == Property::range || step.property == Property::decimals)
        return check_numeric(step, *c);
    return check_lines(step, *c);
}

}  // namespace app::script
