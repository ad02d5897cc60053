#include "state.h"

namespace uir::core {

namespace {
int g_last_handle = 0;
std::uint64_t g_dispatched = 0;
}  // namespace

Runtime& rt() {
    static Runtime runtime;
    return runtime;
}

int next_handle() {
    return ++g_last_handle;
}

void count_dispatched() {
    ++g_dispatched;
}

int find_panel(int panel, PanelRec*& p) {
    Runtime& r = rt();
    if (!r.started) return not_started();
    auto it = r.panels.find(panel);
    if (it == r.panels.end()) return UIE_INVALID_PANEL;
    p = it->second.get();
    return 0;
}

CtrlRec* ctrl_of(PanelRec& p, int control) {
    auto it = p.ctrls.find(control);
    return it == p.ctrls.end() ? nullptr : it->second.get();
}

int find_ctrl(int panel, int control, PanelRec*& p, CtrlRec*& c) {
    if (int st = find_panel(panel, p); st < 0) return st;
    c = ctrl_of(*p, control);
    return c ? 0 : UIE_INVALID_CONTROL;
}

int find_bar(int menu_bar, MenuBarRec*& b) {
    Runtime& r = rt();
    if (!r.started) return not_started();
    auto it = r.bars.find(menu_bar);
    if (it == r.bars.end()) return UIE_INVALID_MENU;
    b = it->second.get();
    return 0;
}

}  // namespace uir::core

namespace uir {

Backend* active_backend() {
    core::Runtime& r = core::rt();
    if (r.backend) return r.backend.get();
    return r.chosen.get();
}

bool events_pending() {
    return !core::rt().queue.empty();
}

std::uint64_t events_dispatched() {
    return core::g_dispatched;
}

namespace model {

std::vector<int> panel_handles() {
    std::vector<int> out;
    for (const auto& [handle, p] : core::rt().panels) out.push_back(handle);
    return out;
}

const Panel* find_panel(int panel) {
    core::PanelRec* p = nullptr;
    return core::find_panel(panel, p) == 0 ? p : nullptr;
}

const Control* find_control(int panel, int control) {
    core::PanelRec* p = nullptr;
    core::CtrlRec* c = nullptr;
    return core::find_ctrl(panel, control, p, c) == 0 ? c : nullptr;
}

const MenuBar* find_menu_bar(int menu_bar) {
    core::MenuBarRec* b = nullptr;
    return core::find_bar(menu_bar, b) == 0 ? b : nullptr;
}

}  // namespace model

}  // namespace uir
