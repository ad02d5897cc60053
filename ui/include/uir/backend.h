// The boundary between the run-time's model and whatever shows it: the headless backend for tests
// and scripts, the Qt backend for an operator. A backend owns three things the model does not:
// the clock, the operator's input and the popups. It is also told about every change of the
// model so it can redraw exactly what changed.
//
// Contract for implementers:
// - All calls come on the one user-interface thread.
// - Operator input goes through uir::automation (uir/automation.h), never straight into the model;
// that
//   is where a dimmed, hidden or indicator control is refused.
// - Notifications are sent only for a real change: writing the value a control already shows,
//   or an attribute it already has, sends nothing. During a notification the model is consistent
//   and may be read through uir/model.h, but the backend must not change it (no run-time
//   calls that write, no automation) from inside a notification.
// - A panel loaded from a layout is announced once, by panel_created, when it is complete with
//   its controls and its menu bar; its controls are not announced one by one.
#pragma once

#include <cstdint>
#include <limits>
#include <string>

namespace uir {

struct ScreenSize {
    int width = 0;
    int height = 0;
};

class Backend {
  public:
    virtual ~Backend() = default;

    // ---- Life cycle ------------------------------------------------------------------------
    // Called by InitUserInterface. Negative when the backend cannot run (no display).
    virtual int start() = 0;
    // QuitUserInterface: the program wants its run to end. Panels stay valid.
    virtual void quit(int return_code) { (void)return_code; }
    // uir::shutdown: the model is already empty; release what start() acquired.
    virtual void stop() {}

    // ---- Time -------------------------------------------------------------------------------
    // Seconds on the backend's monotonic clock. Serves the timers, Delay and Timer().
    virtual double now() const = 0;

    // ---- Input and waiting ------------------------------------------------------------------
    // Start of every event-processing turn: deliver the operator input that arrived since the
    // last turn (through uir::automation). Never blocks.
    virtual void collect_input() = 0;
    // ProcessSystemEventsWaiting with nothing pending: block until `deadline` (seconds on now();
    // +infinity when no timer is due) or until operator input arrives, whichever comes first.
    // Negative when the wait can never end or must not go on.
    virtual int wait(double deadline) = 0;
    // ProcessSystemEvents found nothing to do. `next_due` is the next timer's due time
    // (+infinity when none). A backend whose clock is virtual may treat a long run of idle turns
    // as a wait in disguise and move its clock on; it returns true when it did, so the turn
    // looks again. A real-time backend returns false.
    virtual bool idle_turn(double next_due) {
        (void)next_due;
        return false;
    }
    // Delay: wait `seconds` (>= 0) without delivering events. Negative when it must not.
    virtual int delay(double seconds) = 0;

    // ---- Popups -----------------------------------------------------------------------------
    // Both wait for the operator. Texts are UTF-8. message_popup returns 0 when dismissed;
    // confirm_popup returns 1 for yes, 0 for no.
    virtual int message_popup(const std::string& title, const std::string& text) = 0;
    virtual int confirm_popup(const std::string& title, const std::string& text) = 0;

    // The screen panels are centred on (VAL_AUTO_CENTER).
    virtual ScreenSize screen_size() const = 0;

    // ---- Change notifications (default: ignore) ---------------------------------------------
    // Panels. panel_raised: DisplayPanel on a panel already shown (bring it to the front).
    virtual void panel_created(int panel) { (void)panel; }
    virtual void panel_discarded(int panel) { (void)panel; }
    virtual void panel_shown(int panel) { (void)panel; }
    virtual void panel_hidden(int panel) { (void)panel; }
    virtual void panel_raised(int panel) { (void)panel; }
    // ATTR_TITLE, ATTR_TOP, ATTR_LEFT, ATTR_WIDTH, ATTR_HEIGHT, ATTR_BACKCOLOR, ATTR_CLOSE_CTRL,
    // ATTR_CONSTANT_NAME. Visibility goes through panel_shown / panel_hidden.
    virtual void panel_attribute_changed(int panel, int attribute) {
        (void)panel;
        (void)attribute;
    }

    // Controls built in code (NewCtrl) and discarded (DiscardCtrl).
    virtual void control_created(int panel, int control) {
        (void)panel;
        (void)control;
    }
    virtual void control_discarded(int panel, int control) {
        (void)panel;
        (void)control;
    }
    // The value the control shows: Control::number, Control::text, or for rings and list boxes
    // Control::index. Text boxes report through text_box_changed instead.
    virtual void control_value_changed(int panel, int control) {
        (void)panel;
        (void)control;
    }
    // Any ATTR_... that changes how the control looks or behaves (dimmed, visible, label,
    // geometry, colours, limits, mode, timer state...).
    virtual void control_attribute_changed(int panel, int control, int attribute) {
        (void)panel;
        (void)control;
        (void)attribute;
    }
    // The items of a ring or list box were inserted, deleted or cleared: re-read `items` and
    // `index` (the selection keeps to its item when others come or go before it). When the
    // selected item itself went away, control_value_changed follows.
    virtual void list_changed(int panel, int control) {
        (void)panel;
        (void)control;
    }
    // The lines of a text box changed.
    virtual void text_box_changed(int panel, int control) {
        (void)panel;
        (void)control;
    }
    // A menu bar was created, discarded, or its menus or items changed (added, dimmed, renamed).
    // After DiscardMenuBar the handle no longer resolves; `panel` says whose bar it was.
    virtual void menu_bar_changed(int panel, int menu_bar) {
        (void)panel;
        (void)menu_bar;
    }
};

// The backend that runs (after InitUserInterface), else the one chosen with use_backend, else
// nullptr.
Backend* active_backend();

// Events waiting in the queue; a real-time backend's wait() ends early when this becomes true.
bool events_pending();

// How many events have been dispatched since the process started. A backend compares it between
// turns to tell progress from an idle spin.
std::uint64_t events_dispatched();

inline constexpr double kNever = std::numeric_limits<double>::infinity();

}  // namespace uir
