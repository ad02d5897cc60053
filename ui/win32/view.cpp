#include "view.h"

#include <algorithm>

#include "look.h"
#include "text16.h"

namespace uir::win32 {
namespace {

enum class PanelAspect { Title, Geometry, Colour };

struct PanelAttributeAspect {
    int attribute;
    PanelAspect aspect;
};

// The close control and the constant name change nothing on the screen.
constexpr PanelAttributeAspect kPanelAspects[] = {
    {ATTR_TITLE, PanelAspect::Title},     {ATTR_TOP, PanelAspect::Geometry},
    {ATTR_LEFT, PanelAspect::Geometry},   {ATTR_WIDTH, PanelAspect::Geometry},
    {ATTR_HEIGHT, PanelAspect::Geometry}, {ATTR_BACKCOLOR, PanelAspect::Colour},
};

bool usable(HWND w) {
    return w && IsWindow(w) && IsWindowVisible(w) && IsWindowEnabled(w);
}

bool key_down(int vk) {
    return (GetKeyState(vk) & 0x8000) != 0;
}

}  // namespace

View::View(std::wstring title_suffix) : suffix_(std::move(title_suffix)) {}

// The windows go before the model might (at the process's end the run-time's panels are gone
// first): no window hands a message to the view while it is taken down.
View::~View() {
    for (auto& [handle, e] : panels_) e.window->detach();
    for (auto& [handle, e] : panels_) {
        e.controls.clear();
        e.window.reset();
    }
    panels_.clear();
}

View::PanelEntry* View::entry(int panel) {
    auto it = panels_.find(panel);
    return it == panels_.end() ? nullptr : &it->second;
}

const View::PanelEntry* View::entry(int panel) const {
    auto it = panels_.find(panel);
    return it == panels_.end() ? nullptr : &it->second;
}

PanelWindow* View::window(int panel) const {
    const PanelEntry* e = entry(panel);
    return e ? e->window.get() : nullptr;
}

ControlView* View::control(int panel, int control) const {
    const PanelEntry* e = entry(panel);
    if (!e) return nullptr;
    auto c = e->controls.find(control);
    return c == e->controls.end() ? nullptr : c->second.get();
}

int View::panel_of(HWND hwnd) const {
    if (!hwnd) return 0;
    HWND root = GetAncestor(hwnd, GA_ROOT);
    for (const auto& [handle, e] : panels_)
        if (e.window->hwnd() == root) return handle;
    return 0;
}

bool View::any_panel_visible() const {
    return std::any_of(panels_.begin(), panels_.end(),
                       [](const auto& e) { return IsWindowVisible(e.second.window->hwnd()); });
}

HWND View::popup_owner() const {
    const int owner = rules::popup_owner(running_callback_panels(), [this](int panel) {
        const PanelWindow* w = window(panel);
        return w && IsWindowVisible(w->hwnd());
    });
    const PanelWindow* w = window(owner);
    return w ? w->hwnd() : nullptr;
}

void View::add_control(PanelEntry& e, const Control& c) {
    std::unique_ptr<ControlView> view = make_control_view(c, e.window->hwnd(), *this);
    if (view) e.controls[c.id] = std::move(view);
}

void View::adopt_window(int panel, HWND window, ControlView* view) {
    if (PanelEntry* e = entry(panel)) e->windows[window] = view;
}

void View::drop_window(int panel, HWND window) {
    PanelEntry* e = entry(panel);
    if (!e) return;
    e->windows.erase(window);
    e->window->forget_focus(window);
}

ControlView* View::view_of(int panel, HWND window) {
    PanelEntry* e = entry(panel);
    if (!e) return nullptr;
    auto it = e->windows.find(window);
    return it == e->windows.end() ? nullptr : it->second;
}

void View::panel_created(int panel) {
    const Panel* p = model::find_panel(panel);
    if (!p) return;
    PanelEntry& e = panels_[panel];
    e.window = std::make_unique<PanelWindow>(panel, *this, suffix_);
    e.window->show_title(*p);
    e.window->show_colour(*p);
    // A new child window goes to the bottom of its siblings, so the controls are made in the
    // stacking order wanted, topmost first: a control built later stands above one built before,
    // each label under its control, and the frames behind all the rest (a frame built later above
    // one built before, so a frame within a frame stays visible).
    for (bool frames : {false, true}) {
        for (auto id = p->controls.rbegin(); id != p->controls.rend(); ++id) {
            const Control* c = model::find_control(panel, *id);
            if (c && (c->kind == CTRL_DECORATION) == frames) add_control(e, *c);
        }
    }
    apply_list_headers(panel);
    menu_bar_changed(panel);
    e.window->show_geometry(*p);
    if (p->visible) panel_shown(panel);
}

void View::panel_discarded(int panel) {
    auto it = panels_.find(panel);
    if (it == panels_.end()) return;
    it->second.window->detach();
    it->second.controls.clear();
    panels_.erase(it);
}

// A small panel of a front panel keeps its layout offset from the front panel's main panel,
// wherever that main panel stands now.
POINT View::anchor_offset(int panel) const {
    std::vector<rules::PanelKey> keys;
    for (const auto& [handle, e] : panels_)
        if (const Panel* p = model::find_panel(handle))
            keys.push_back({handle, p->layout_file, p->callback_data});
    const int anchor = rules::anchor_panel(panel, keys);
    const PanelWindow* w = window(anchor);
    const auto layout = anchor ? rules::layout_place(anchor) : std::nullopt;
    if (!w || !layout) return {0, 0};
    POINT origin{0, 0};
    ClientToScreen(w->hwnd(), &origin);
    return {origin.x - layout->left, origin.y - layout->top};
}

void View::panel_shown(int panel) {
    PanelWindow* w = window(panel);
    if (!w) return;
    // A panel coming up has the focus at the start of its chain: channel 1's line selector on the
    // main panel, the list of the carrier selection.
    if (!IsWindowVisible(w->hwnd())) {
        w->set_offset(anchor_offset(panel));
        w->forget_focus();
    }
    ShowWindow(w->hwnd(), SW_SHOW);
    panel_raised(panel);
    // Drawn at once: the program may go on into a long driver call before it next waits.
    UpdateWindow(w->hwnd());
}

void View::panel_hidden(int panel) {
    if (PanelWindow* w = window(panel)) ShowWindow(w->hwnd(), SW_HIDE);
}

void View::panel_raised(int panel) {
    PanelWindow* w = window(panel);
    if (!w) return;
    if (IsIconic(w->hwnd())) ShowWindow(w->hwnd(), SW_RESTORE);
    SetWindowPos(w->hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(w->hwnd());
}

void View::panel_attribute_changed(int panel, int attribute) {
    PanelWindow* w = window(panel);
    const Panel* p = model::find_panel(panel);
    if (!w || !p) return;
    for (const PanelAttributeAspect& a : kPanelAspects) {
        if (a.attribute != attribute) continue;
        switch (a.aspect) {
            case PanelAspect::Title:
                w->show_title(*p);
                return;
            case PanelAspect::Geometry:
                w->show_geometry(*p);
                return;
            case PanelAspect::Colour:
                w->show_colour(*p);
                return;
        }
    }
}

void View::control_created(int panel, int control) {
    PanelEntry* e = entry(panel);
    const Control* c = model::find_control(panel, control);
    if (!e || !c) return;
    add_control(*e, *c);
    stack_new(panel, control);
    apply_list_headers(panel);
}

void View::apply_list_headers(int panel) {
    const Panel* p = model::find_panel(panel);
    if (!p) return;
    for (int id : p->controls) {
        const Control* list = model::find_control(panel, id);
        if (!list || list->kind != CTRL_LIST_BOX) continue;
        const int header_id = rules::list_header_of(panel, id);
        ControlView* header = control(panel, header_id);
        const Control* hc = model::find_control(panel, header_id);
        if (!header || !hc || header->body_font() == look().list_font()) continue;
        header->set_body_font(look().list_font());
        header->show_attribute(*hc, ATTR_WIDTH);  // it measures its text again
    }
}

// A control built in code stands above the others, a frame above the other frames and behind
// every other control.
void View::stack_new(int panel, int control) {
    PanelEntry* e = entry(panel);
    ControlView* v = this->control(panel, control);
    if (!e || !v) return;
    HWND after = HWND_TOP;
    if (v->stays_behind()) {
        for (HWND w = GetWindow(e->window->hwnd(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
            const ControlView* owner = view_of(panel, w);
            if (owner && owner != v && owner->stays_behind()) break;
            if (!v->owns(w) && w != v->label()) after = w;
        }
    }
    for (HWND w : v->windows()) {
        SetWindowPos(w, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        after = w;
    }
}

void View::control_discarded(int panel, int control) {
    if (PanelEntry* e = entry(panel)) e->controls.erase(control);
}

void View::control_value_changed(int panel, int control) {
    ControlView* v = this->control(panel, control);
    const Control* c = model::find_control(panel, control);
    if (v && c) v->show_value(*c);
}

void View::control_attribute_changed(int panel, int control, int attribute) {
    ControlView* v = this->control(panel, control);
    const Control* c = model::find_control(panel, control);
    if (!v || !c) return;
    v->show_attribute(*c, attribute);
    // A header found by geometry may come or go when a control moves.
    if (attribute == ATTR_TOP || attribute == ATTR_LEFT || attribute == ATTR_WIDTH ||
        attribute == ATTR_HEIGHT)
        apply_list_headers(panel);
}

void View::list_changed(int panel, int control) {
    ControlView* v = this->control(panel, control);
    const Control* c = model::find_control(panel, control);
    if (v && c) v->show_items(*c);
}

void View::text_box_changed(int panel, int control) {
    ControlView* v = this->control(panel, control);
    const Control* c = model::find_control(panel, control);
    if (v && c) v->show_lines(*c);
}

void View::menu_bar_changed(int panel) {
    PanelEntry* e = entry(panel);
    const Panel* p = model::find_panel(panel);
    if (!e || !p) return;
    const MenuBar* bar = p->menu_bar ? model::find_menu_bar(p->menu_bar) : nullptr;
    if (bar)
        e->window->set_menu(build_menu(*bar, e->window->mark()), *p);
    else if (e->window->menu())
        e->window->set_menu(nullptr, *p);
}

void View::show_model_value(int panel, int control) {
    control_value_changed(panel, control);
}

void View::close_requested(int panel) {
    automation::close_panel(panel);
}

void View::menu_chosen(int panel, int item) {
    automation::choose_menu_item(panel, item);
}

// Tab walks the panel as ui/core/tab_chain.h reads it, passing over what is dimmed or hidden at
// the moment.
std::vector<int> View::chain(int panel) const {
    std::vector<int> ids;
    for (int id : rules::panel_tab_chain(panel)) {
        const ControlView* v = control(panel, id);
        if (v && v->takes_focus()) ids.push_back(id);
    }
    return ids;
}

HWND View::focus_on_activation(int panel) {
    PanelWindow* w = window(panel);
    if (!w) return nullptr;
    if (usable(w->saved_focus())) return w->saved_focus();
    const std::vector<int> ids = chain(panel);
    if (ids.empty()) return nullptr;
    return control(panel, ids.front())->focus_window();
}

void View::move_focus(int panel, HWND from, bool backwards) {
    const std::vector<int> ids = chain(panel);
    if (ids.empty()) return;
    PanelEntry* e = entry(panel);
    ControlView* current = e ? view_of(panel, from) : nullptr;
    auto at = current ? std::find(ids.begin(), ids.end(), current->control()) : ids.end();
    std::size_t next = 0;
    if (at == ids.end()) {
        next = backwards ? ids.size() - 1 : 0;
    } else {
        const std::size_t i = static_cast<std::size_t>(at - ids.begin());
        next = backwards ? (i + ids.size() - 1) % ids.size() : (i + 1) % ids.size();
    }
    if (ControlView* v = control(panel, ids[next])) SetFocus(v->focus_window());
}

bool View::shortcut(int panel, wchar_t letter) {
    const Panel* p = model::find_panel(panel);
    if (!p || letter == 0) return false;
    wchar_t lower[2] = {letter, 0};
    CharLowerW(lower);
    for (int id : p->controls) {
        ControlView* v = control(panel, id);
        if (v && v->shortcut_letter() == lower[0] && v->takes_focus()) {
            v->shortcut();
            return true;
        }
    }
    return false;
}

bool View::pre_translate(const MSG& m) {
    const UINT msg = m.message;
    if (msg != WM_KEYDOWN && msg != WM_SYSCHAR && msg != WM_MOUSEWHEEL) return false;
    const int panel = panel_of(m.hwnd);
    if (panel == 0) return false;
    ControlView* focused = view_of(panel, m.hwnd);

    if (msg == WM_MOUSEWHEEL) {
        // Only the field that has the focus turns; scrolling past a field changes nothing.
        if (!focused) return false;
        if (GetFocus() != m.hwnd) return true;
        const int steps = GET_WHEEL_DELTA_WPARAM(m.wParam) / WHEEL_DELTA;
        return focused->wheel(steps);
    }
    if (msg == WM_SYSCHAR) return shortcut(panel, static_cast<wchar_t>(m.wParam));

    const auto vk = static_cast<UINT>(m.wParam);
    if (vk == VK_TAB) {
        if (key_down(VK_CONTROL) || key_down(VK_MENU)) return false;
        move_focus(panel, m.hwnd, key_down(VK_SHIFT));
        return true;
    }
    if (focused && focused->key(vk)) return true;
    if (vk == VK_ESCAPE) {
        const Panel* p = model::find_panel(panel);
        if (p && p->close_ctrl != 0) {
            automation::close_panel(panel);
            return true;
        }
    }
    return false;
}

}  // namespace uir::win32
