#include "view.h"

#include <QGuiApplication>
#include <algorithm>

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

void View::add_control(PanelEntry& e, const Control& c) {
    std::unique_ptr<ControlView> view = make_control_view(c, e.window->client(), *this);
    if (view) e.controls[c.id] = std::move(view);
}

void View::panel_created(int panel) {
    const Panel* p = model::find_panel(panel);
    if (!p) return;
    PanelEntry& e = panels_[panel];
    e.window = std::make_unique<PanelWindow>([panel] { automation::close_panel(panel); });
    e.window->show_geometry(*p);
    e.window->show_title(*p, suffix_);
    e.window->show_colour(*p);
    for (int id : p->controls)
        if (const Control* c = model::find_control(panel, id)) add_control(e, *c);
    menu_bar_changed(panel);
    if (p->visible) panel_shown(panel);
}

void View::panel_discarded(int panel) {
    panels_.erase(panel);
}

void View::panel_shown(int panel) {
    PanelWindow* w = window(panel);
    if (!w) return;
    w->show();
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
                w->show_title(*p, suffix_);
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
    if (e && c) add_control(*e, *c);
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
    if (v && c) v->show_attribute(*c, attribute);
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

void View::press(int panel, int control) {
    automation::press(panel, control);
    show_model_value(panel, control);
}

void View::set_number(int panel, int control, double value) {
    automation::set_value(panel, control, value);
    show_model_value(panel, control);
}

void View::set_text(int panel, int control, const std::string& value) {
    automation::set_value(panel, control, value.c_str());
    show_model_value(panel, control);
}

void View::select(int panel, int control, int index) {
    automation::select_index(panel, control, index);
    show_model_value(panel, control);
}

void View::highlight(int panel, int control, int index) {
    automation::highlight(panel, control, index);
    show_model_value(panel, control);
}

void View::double_click(int panel, int control, int index) {
    automation::double_click(panel, control, index);
    show_model_value(panel, control);
}

}  // namespace uir::qt
