#include "view.h"

#include <QGuiApplication>
#include <algorithm>

#include "core/list_columns.h"
#include "core/placement.h"
#include "core/running_callbacks.h"
#include "core/tab_chain.h"
#include "look.h"
#include "script_mark.h"
#include "uir/automation.h"
#include "uir/model.h"

namespace uir::qt {
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

// What the Tab chain is read from: where a control stands and whether it is operable.
constexpr int kChainAttributes[] = {ATTR_TOP, ATTR_LEFT, ATTR_WIDTH, ATTR_HEIGHT, ATTR_CTRL_MODE};

// The offscreen platform has no stacking of windows and says so on each raise.
void bring_forward(QWidget* w) {
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) return;
    w->raise();
    w->activateWindow();
}

}  // namespace

View::View(std::string title_suffix) : suffix_(std::move(title_suffix)) {}

View::~View() = default;

View::PanelEntry* View::entry(int panel) {
    auto it = panels_.find(panel);
    return it == panels_.end() ? nullptr : &it->second;
}

PanelWindow* View::window(int panel) const {
    auto it = panels_.find(panel);
    return it == panels_.end() ? nullptr : it->second.window.get();
}

ControlView* View::control(int panel, int control) const {
    auto it = panels_.find(panel);
    if (it == panels_.end()) return nullptr;
    auto c = it->second.controls.find(control);
    return c == it->second.controls.end() ? nullptr : c->second.get();
}

bool View::any_panel_visible() const {
    return std::any_of(panels_.begin(), panels_.end(),
                       [](const auto& e) { return e.second.window->isVisible(); });
}

QWidget* View::popup_owner() const {
    const int owner = rules::popup_owner(running_callback_panels(), [this](int panel) {
        const PanelWindow* w = window(panel);
        return w && w->isVisible();
    });
    return window(owner);
}

void View::add_control(PanelEntry& e, const Control& c) {
    std::unique_ptr<ControlView> view = make_control_view(c, e.window->client(), *this);
    if (view) e.controls[c.id] = std::move(view);
}

// Tab walks the panel as ui/core/tab_chain.h reads it; the controls outside the chain take no
// tab stop. Dimmed and hidden controls Qt passes over by itself.
void View::apply_tab_chain(int panel) {
    PanelEntry* e = entry(panel);
    if (!e) return;
    e->chain.clear();
    for (int id : rules::panel_tab_chain(panel))
        if (ControlView* v = control(panel, id); v && v->body()) e->chain.push_back(v->body());
    for (std::size_t i = 1; i < e->chain.size(); ++i)
        QWidget::setTabOrder(e->chain[i - 1], e->chain[i]);
}

// A list's column header (the text message right above it) is drawn in the list's narrow font,
// as its lines are, so its captions stand over their columns and within the list's width.
void View::apply_list_headers(int panel) {
    const Panel* p = model::find_panel(panel);
    if (!p) return;
    for (int id : p->controls) {
        const Control* list = model::find_control(panel, id);
        if (!list || list->kind != CTRL_LIST_BOX) continue;
        const int header_id = rules::list_header_of(panel, id);
        ControlView* header = control(panel, header_id);
        const Control* hc = model::find_control(panel, header_id);
        if (!header || !hc || !header->body() || header->body()->font() == list_font()) continue;
        header->body()->setFont(list_font());
        header->show_attribute(*hc, ATTR_WIDTH);  // it measures its text again
    }
}

// A panel coming up has the focus at the start of its chain: channel 1's line selector on the
// main panel, the list of the carrier selection.
void View::focus_first(int panel) {
    PanelEntry* e = entry(panel);
    if (!e) return;
    for (QWidget* w : e->chain) {
        if (w && w->isEnabled() && w->isVisibleTo(e->window.get()) &&
            (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

// A small panel of a front panel keeps its layout offset from the front panel's main panel,
// wherever that main panel stands now.
QPoint View::anchor_offset(int panel) const {
    std::vector<rules::PanelKey> keys;
    for (const auto& [handle, e] : panels_)
        if (const Panel* p = model::find_panel(handle))
            keys.push_back({handle, p->layout_file, p->callback_data});
    const int anchor = rules::anchor_panel(panel, keys);
    const PanelWindow* w = window(anchor);
    const auto layout = anchor ? rules::layout_place(anchor) : std::nullopt;
    if (!w || !layout) return {};
    return w->pos() - QPoint(layout->left, layout->top);
}

void View::panel_created(int panel) {
    const Panel* p = model::find_panel(panel);
    if (!p) return;
    PanelEntry& e = panels_[panel];
    e.window = std::make_unique<PanelWindow>([panel] { automation::close_panel(panel); }, suffix_);
    e.window->on_escape([panel] {
        const Panel* now = model::find_panel(panel);
        if (now && now->close_ctrl != 0) automation::close_panel(panel);
    });
    e.window->show_geometry(*p);
    e.window->show_title(*p);
    e.window->show_colour(*p);
    for (int id : p->controls)
        if (const Control* c = model::find_control(panel, id)) add_control(e, *c);
    menu_bar_changed(panel);
    apply_tab_chain(panel);
    apply_list_headers(panel);
    if (p->visible) panel_shown(panel);
}

void View::panel_discarded(int panel) {
    panels_.erase(panel);
}

void View::panel_shown(int panel) {
    PanelWindow* w = window(panel);
    if (!w) return;
    const bool coming_up = !w->isVisible();
    if (coming_up) w->set_offset(anchor_offset(panel));
    w->show();
    if (coming_up) focus_first(panel);
    bring_forward(w);
}

void View::panel_hidden(int panel) {
    if (PanelWindow* w = window(panel)) w->hide();
}

void View::panel_raised(int panel) {
    if (PanelWindow* w = window(panel)) bring_forward(w);
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
    apply_tab_chain(panel);
    apply_list_headers(panel);
}

void View::control_discarded(int panel, int control) {
    PanelEntry* e = entry(panel);
    if (!e) return;
    e->controls.erase(control);
    apply_tab_chain(panel);
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
    if (std::find(std::begin(kChainAttributes), std::end(kChainAttributes), attribute) !=
        std::end(kChainAttributes)) {
        apply_tab_chain(panel);
        apply_list_headers(panel);
    }
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
    QMenuBar* qbar = nullptr;
    if (bar) {
        qbar = build_menu_bar(*bar, e->window.get(),
                              [panel](int item) { automation::choose_menu_item(panel, item); });
    }
    if (qbar || e->window->menu_bar()) e->window->set_menu_bar(qbar);
}

void View::show_model_value(int panel, int control) {
    control_value_changed(panel, control);
}

void View::show_mark(int panel, int control) {
    delete mark_.data();
    ControlView* v = panel > 0 && control > 0 ? this->control(panel, control) : nullptr;
    QWidget* target = v ? v->body() : nullptr;
    if (target == nullptr || target->parentWidget() == nullptr) return;
    mark_ = new ScriptMark(target);
}

}  // namespace uir::qt
