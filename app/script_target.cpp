#include "script_target.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

#include "script_text.h"
#include "uir/automation.h"
#include "uir/model.h"

namespace app::script {
namespace {

// Of the panels for which `id_on` finds the name, the newest shown one, else the newest.
template <class IdOn>
Target newest(Target::Kind kind, IdOn id_on) {
    Target best;
    bool best_shown = false;
    for (int handle : uir::model::panel_handles()) {
        const int id = id_on(handle);
        if (id < 0) continue;
        const uir::Panel* p = uir::model::find_panel(handle);
        const bool shown = p != nullptr && p->visible;
        if (best.kind == Target::Kind::none || shown || !best_shown) {
            best = {kind, handle, id};
            best_shown = shown;
        }
    }
    return best;
}

struct KindName {
    int kind;
    const char* name;
};
constexpr std::array<KindName, 14> kKindNames{{
    {CTRL_COMMAND_BUTTON, "кнопка"},
    {CTRL_TOGGLE_BUTTON, "кнопка с фиксацией"},
    {CTRL_CHECK_BOX, "флажок"},
    {CTRL_BINARY_SWITCH, "переключатель"},
    {CTRL_LED, "лампа"},
    {CTRL_NUMERIC, "числовое поле"},
    {CTRL_STRING, "строка"},
    {CTRL_RING, "выбор из списка"},
    {CTRL_LIST_BOX, "список"},
    {CTRL_TEXT_BOX, "текстовое поле"},
    {CTRL_TEXT_MSG, "надпись"},
    {CTRL_DECORATION, "оформление"},
    {CTRL_PICTURE, "картинка"},
    {CTRL_TIMER, "таймер"},
}};

std::string not_operable(const Target& target, std::string_view name) {
    const uir::Panel* p = uir::model::find_panel(target.panel);
    const std::string panel_name = p && !p->constant_name.empty() ? p->constant_name : "панель";
    if (p && !p->visible) return "панель " + panel_name + " скрыта";
    if (target.kind == Target::Kind::panel) {
        return "у панели " + std::string(name) + " закрытие сейчас недоступно";
    }
    if (target.kind == Target::Kind::menu_item) {
        return "пункт меню " + std::string(name) + " недоступен";
    }
    const uir::Control* c = uir::model::find_control(target.panel, target.id);
    if (c == nullptr) return std::string(name) + " больше нет";
    if (c->kind == CTRL_TIMER) return std::string(name) + " — таймер, оператор его не трогает";
    if (!c->visible) return std::string(name) + " скрыт";
    if (c->dimmed) return std::string(name) + " затенён: сейчас недоступен";
    if (c->mode == VAL_INDICATOR)
        return std::string(name) + " — индикатор (" + kind_name(c->kind) +
               "), оператор его не меняет";
    return std::string(name) + " сейчас недоступен";
}

}  // namespace

Target find_panel(std::string_view name) {
    return newest(Target::Kind::panel, [&](int handle) {
        return uir::automation::constant_name(handle) == name ? 0 : -1;
    });
}

Target find_control(std::string_view name) {
    return newest(Target::Kind::control,
                  [&](int handle) { return uir::automation::find_control(handle, name); });
}

Target find_menu_item(std::string_view name) {
    return newest(Target::Kind::menu_item,
                  [&](int handle) { return uir::automation::find_menu_item(handle, name); });
}

Target find_any(std::string_view name) {
    for (Target (*find)(std::string_view) : {find_panel, find_control, find_menu_item}) {
        if (Target t = find(name); t.kind != Target::Kind::none) return t;
    }
    return {};
}

const uir::Menu* find_menu(std::string_view name) {
    const auto menu_on = [&](int handle) -> const uir::Menu* {
        const uir::Panel* p = uir::model::find_panel(handle);
        const uir::MenuBar* bar = p ? uir::model::find_menu_bar(p->menu_bar) : nullptr;
        if (bar == nullptr) return nullptr;
        for (const uir::Menu& menu : bar->menus)
            if (menu.constant_name == name) return &menu;
        return nullptr;
    };
    const Target t = newest(Target::Kind::panel,
                            [&](int handle) { return menu_on(handle) != nullptr ? 0 : -1; });
    return t.kind == Target::Kind::none ? nullptr : menu_on(t.panel);
}

std::string kind_name(int kind) {
    for (const KindName& k : kKindNames)
        if (k.kind == kind) return k.name;
    return "элемент";
}

std::string refusal(const Target& target, std::string_view name, int status) {
    const uir::Control* c = target.kind == Target::Kind::control
                                ? uir::model::find_control(target.panel, target.id)
                                : nullptr;
    const std::string what =
        std::string(name) + (c ? " (" + kind_name(c->kind) + ")" : std::string());
    switch (status) {
        case UIE_NOT_OPERABLE:
            return not_operable(target, name);
        case UIE_INVALID_ARGUMENT:
            return what + " не принимает такое действие";
        case UIE_TYPE_MISMATCH:
            return what + " не принимает значение такого вида";
        case UIE_OUT_OF_RANGE:
            return what + ": значение или номер строки вне допустимого";
        case UIE_NO_ITEM:
            return what + ": нет пункта с таким значением";
        case UIE_NO_VALUE:
            return what + " не имеет значения";
        case UIE_INVALID_MENU:
            return "у панели нет пункта меню " + std::string(name);
        default:
            return what + ": " + GetUILErrorString(status);
    }
}

ValueShape value_shape(const uir::Control& c) {
    switch (c.kind) {
        case CTRL_TOGGLE_BUTTON:
        case CTRL_CHECK_BOX:
        case CTRL_BINARY_SWITCH:
        case CTRL_LED:
        case CTRL_NUMERIC:
            return ValueShape::number;
        case CTRL_STRING:
        case CTRL_TEXT_MSG:
            return ValueShape::text;
        case CTRL_TEXT_BOX:
            return ValueShape::lines;
        case CTRL_RING:
        case CTRL_LIST_BOX:
            return ValueShape::items;
        default:
            return ValueShape::none;
    }
}

bool same_number(int data_type, double actual, double expected) {
    if (data_type == VAL_FLOAT) return static_cast<float>(actual) == static_cast<float>(expected);
    if (data_type == VAL_DOUBLE)
        return std::fabs(actual - expected) <= 1e-9 * std::max(1.0, std::fabs(expected));
    return actual == expected;
}

std::string number_as_held(int data_type, double value) {
    if (data_type != VAL_FLOAT) return number_text(value);
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value));
    return std::string(buffer, r.ptr);
}

bool same_number(const uir::Control& c, double expected) {
    return same_number(c.data_type, c.number, expected);
}

std::string shown_value(const uir::Control& c) {
    switch (value_shape(c)) {
        case ValueShape::number:
            return number_as_held(c.data_type, c.number);
        case ValueShape::text:
            return quote(c.text);
        case ValueShape::lines: {
            std::string all;
            for (std::size_t i = 0; i < c.lines.size(); ++i) all += (i ? "\n" : "") + c.lines[i];
            return quote(all);
        }
        case ValueShape::items:
            if (c.index < 0 || c.index >= static_cast<int>(c.items.size())) return "нет пунктов";
            return std::to_string(c.items[c.index].value) + " (" + quote(c.items[c.index].label) +
                   ")";
        case ValueShape::none:
            break;
    }
    return "нет значения";
}

}  // namespace app::script
