#include "script_checks.h"

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

CheckOutcome check_popup(const Step& step, std::size_t* checked) {
    const auto& popups = uir::headless::popups();
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

CheckOutcome check_no_popup(const std::size_t* checked) {
    const auto& popups = uir::headless::popups();
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

CheckOutcome check_title(const Step& step) {
    const Target t = find_panel(step.name);
    if (t.kind == Target::Kind::none) {
        if (find_any(step.name).kind != Target::Kind::none)
            return problem("заголовок есть только у панели, а " + step.name + " не панель");
        return not_found(step.name);
    }
    return compare_text(uir::model::find_panel(t.panel)->title, step);
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

CheckOutcome evaluate_check(const Step& step, std::size_t* popups_checked) {
    switch (step.property) {
        case Property::popup:
            return check_popup(step, popups_checked);
        case Property::no_popup:
            return check_no_popup(popups_checked);
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
    return check_lines(step, *c);
}

}  // namespace app::script
