// The backend: the steady clock (QueryPerformanceCounter), waiting in MsgWaitForMultipleObjectsEx
// until input or the next due timer, modal dialogs for the popups, and the model's notifications
// passed to the view.
#include "uir/win32.h"

#include <windows.h>

#include <commctrl.h>

#include <climits>
#include <cmath>
#include <utility>

#include "drawn_window.h"
#include "look.h"
#include "module.h"
#include "panel_window.h"
#include "popups.h"
#include "text16.h"
#include "uir/win32_windows.h"
#include "view.h"

namespace uir::win32 {
namespace {

View* g_view = nullptr;

// Milliseconds to wait for `seconds`, rounded up so a wake-up never comes before the deadline.
DWORD wait_ms(double seconds) {
    const double ms = std::ceil(seconds * 1000.0);
    if (ms >= static_cast<double>(INFINITE - 1)) return INFINITE - 1;
    return static_cast<DWORD>(std::max(1.0, ms));
}

class Win32Backend final : public Backend {
  public:
    explicit Win32Backend(Options options) : options_(std::move(options)) {}
    ~Win32Backend() override { stop(); }

    int start() override {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS};
        if (!InitCommonControlsEx(&icc)) return UIE_BACKEND_FAILED;
        if (!GetSystemMetrics(SM_CXSCREEN)) return UIE_BACKEND_FAILED;
        // Where the system makes no windows (a host of qorm.dll run without a desktop) the view
        // does not start, so the first panel load fails at once with the run-time's status
        // instead of a front panel nobody can see waiting for an operator.
        if (!display_available(nullptr)) return UIE_BACKEND_FAILED;
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&origin_);
        PanelWindow::register_class(this_module());
        register_drawn_class(this_module());
        look_ = std::make_unique<Look>();
        set_look(look_.get());
        view_ = std::make_unique<View>(widen(options_.title_suffix));
        g_view = view_.get();
        quit_ = false;
        started_ = true;
        return 0;
    }

    void quit(int) override { quit_ = true; }

    void stop() override {
        if (!started_) return;
        started_ = false;
        if (g_view == view_.get()) g_view = nullptr;
        view_.reset();
        set_look(nullptr);
        look_.reset();
        unregister_drawn_class(this_module());
        PanelWindow::unregister_class(this_module());
        // A quit message taken from the queue is handed back to whoever runs the loop next.
        if (system_quit_) PostQuitMessage(system_quit_code_);
        system_quit_ = false;
    }

    double now() const override {
        LARGE_INTEGER t;
        QueryPerformanceCounter(&t);
        return static_cast<double>(t.QuadPart - origin_.QuadPart) /
               static_cast<double>(frequency_.QuadPart);
    }

    // Everything queued for the thread's windows; the operator's gestures reach automation from
    // the window procedures. Never blocks.
    void collect_input() override {
        took_messages_ = false;
        if (system_quit_) return;
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) {
                // The system asked the program to end: no more input is taken, and waiting ends.
                system_quit_ = true;
                system_quit_code_ = static_cast<int>(m.wParam);
                return;
            }
            took_messages_ = true;
            if (view_ && view_->pre_translate(m)) continue;
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
    }

    // Sleeps until a message arrives for the thread (operator input, a repaint, anything the
    // program posted) or the deadline passes. The turn then returns, so a loop sees a flag that
    // code outside the run-time's callbacks set.
    int wait(double deadline) override {
        if (events_pending()) return 0;
        if (quit_ || system_quit_) return UIE_WAIT_NEVER_ENDS;
        if (deadline == kNever && !view_->any_panel_visible()) return UIE_WAIT_NEVER_ENDS;
        // A message this turn delivered may have been the host's own (its thread timer, its own
        // window) and changed what the loop around is waiting for: qorm_close from a host's timer
        // sets the flag the front panel's loop looks at. The turn returns so that loop looks;
        // sleeping here would wait for some further message, which may never come.
        if (std::exchange(took_messages_, false)) return 0;
        DWORD ms = INFINITE;
        if (std::isfinite(deadline)) {
            const double left = deadline - now();
            if (left <= 0) return 0;
            ms = wait_ms(left);
        }
        MsgWaitForMultipleObjectsEx(0, nullptr, ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        return 0;
    }

    // Sleeps; whatever the operator does meanwhile waits in the queue for the next turn.
    int delay(double seconds) override {
        const double until = now() + seconds;
        for (double left = seconds; left > 0; left = until - now()) Sleep(wait_ms(left));
        return 0;
    }

    int message_popup(const std::string& title, const std::string& text) override {
        const int st = run_popup(view_->popup_owner(), widen(title + options_.title_suffix),
                                 with_crlf(widen(text)), false);
        return st < 0 ? UIE_BACKEND_FAILED : 0;
    }

    int confirm_popup(const std::string& title, const std::string& text) override {
        const int st = run_popup(view_->popup_owner(), widen(title + options_.title_suffix),
                                 with_crlf(widen(text)), true);
        return st < 0 ? UIE_BACKEND_FAILED : st;
    }

    // Panels are centred in the work area: the screen without the task bar.
    ScreenSize screen_size() const override {
        RECT r{};
        if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) return {1024, 768};
        return {r.right - r.left, r.bottom - r.top};
    }

    void panel_created(int panel) override { view_->panel_created(panel); }
    void panel_discarded(int panel) override { view_->panel_discarded(panel); }
    void panel_shown(int panel) override { view_->panel_shown(panel); }
    void panel_hidden(int panel) override { view_->panel_hidden(panel); }
    void panel_raised(int panel) override { view_->panel_raised(panel); }
    void panel_attribute_changed(int panel, int attribute) override {
        view_->panel_attribute_changed(panel, attribute);
    }
    void control_created(int panel, int control) override {
        view_->control_created(panel, control);
    }
    void control_discarded(int panel, int control) override {
        view_->control_discarded(panel, control);
    }
    void control_value_changed(int panel, int control) override {
        view_->control_value_changed(panel, control);
    }
    void control_attribute_changed(int panel, int control, int attribute) override {
        view_->control_attribute_changed(panel, control, attribute);
    }
    void list_changed(int panel, int control) override { view_->list_changed(panel, control); }
    void text_box_changed(int panel, int control) override {
        view_->text_box_changed(panel, control);
    }
    void menu_bar_changed(int panel, int) override { view_->menu_bar_changed(panel); }

  private:
    Options options_;
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER origin_{};
    std::unique_ptr<Look> look_;
    std::unique_ptr<View> view_;
    bool started_ = false;
    bool quit_ = false;
    bool system_quit_ = false;
    int system_quit_code_ = 0;
    // Whether the latest collect_input delivered any message (see wait).
    bool took_messages_ = false;
};

}  // namespace

std::unique_ptr<uir::Backend> make_backend(const Options& options) {
    return std::make_unique<Win32Backend>(options);
}

// A window of the system's own class, made and taken down at once, hidden: only where the system
// can make windows does that succeed (under wine without an X display it cannot).
bool display_available(std::string* why) {
    HWND probe = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    if (probe) {
        DestroyWindow(probe);
        return true;
    }
    const DWORD code = GetLastError();
    if (why) {
        *why = "нет рабочего стола: система не создаёт окна";
        if (code != 0) *why += ", код " + std::to_string(code);
    }
    return false;
}

HWND window_of(int panel) {
    PanelWindow* w = g_view ? g_view->window(panel) : nullptr;
    return w ? w->hwnd() : nullptr;
}

HWND body_of(int panel, int control) {
    ControlView* v = g_view ? g_view->control(panel, control) : nullptr;
    return v ? v->body() : nullptr;
}

HWND label_of(int panel, int control) {
    ControlView* v = g_view ? g_view->control(panel, control) : nullptr;
    return v ? v->label() : nullptr;
}

}  // namespace uir::win32
