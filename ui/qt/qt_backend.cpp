// The backend: the steady clock, waiting in Qt's event dispatcher, modal message boxes, and the
// model's notifications passed to the view.
#include "uir/qt.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <thread>
#include <utility>

#include "core/placement.h"
#include "panel_window.h"
#include "uir/automation.h"
#include "uir/mark.h"
#include "uir/qt_widgets.h"
#include "uir/runtime.h"
#include "userint.h"
#include "view.h"

namespace uir::qt {
namespace {

using Clock = std::chrono::steady_clock;

View* g_view = nullptr;

// Qt keeps pointers to argc and argv for the life of the application.
int g_argc = 1;
char g_arg0[] = "qorm";
char* g_argv[] = {g_arg0, nullptr};

// The application this backend made, when there was none (a test or a host may bring its own).
QApplication* g_owned_app = nullptr;

class QtBackend;
QtBackend* g_running = nullptr;
bool g_exiting = false;
void abandon_at_exit();

// What a process that ends without uir::shutdown leaves: kept reachable, never destroyed.
struct Abandoned {
    QTimer* timer = nullptr;
    View* view = nullptr;
};
Abandoned g_abandoned;

// A message box that comes up centred over the window of the panel that raised it (or the
// screen), kept on the screen, and stacked with that window. It does not become the window's
// child: the panel may go while the box is open.
class PlacedBox : public QMessageBox {
  public:
    PlacedBox(Icon icon, const QString& title, const QString& text, QWidget* owner)
        : QMessageBox(icon, title, text), owner_(owner) {
        setTextFormat(Qt::PlainText);
        if (owner_ && owner_->windowHandle()) {
            winId();
            if (QWindow* w = windowHandle()) w->setTransientParent(owner_->windowHandle());
        }
    }

  protected:
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        const QMargins m = known_frame_margins();
        const QSize frame = size().grownBy(m);
        const QRect over = owner_ ? owner_->frameGeometry() : QRect();
        QScreen* screen = owner_ ? owner_->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
        const rules::Rect r = rules::popup_frame({over.x(), over.y(), over.width(), over.height()},
                                                 {0, 0, frame.width(), frame.height()},
                                                 {area.x(), area.y(), area.width(), area.height()});
        move(r.left, r.top);
    }

  private:
    QPointer<QWidget> owner_;
};

// Milliseconds to wait for `seconds`, rounded up so a wake-up never comes before the deadline.
int wait_ms(double seconds) {
    const double ms = std::ceil(seconds * 1000.0);
    return ms >= INT_MAX ? INT_MAX : static_cast<int>(std::max(0.0, ms));
}

class QtBackend final : public Backend {
  public:
    explicit QtBackend(Options options) : options_(std::move(options)) {}
    ~QtBackend() override {
        if (g_exiting)
            abandon();
        else
            stop();
    }

    // The process is ending: nothing of Qt is touched any more.
    void abandon() {
        if (g_running == this) g_running = nullptr;
        if (g_view == view_.get()) g_view = nullptr;
        if (wake_) g_abandoned.timer = wake_.release();
        if (view_) g_abandoned.view = view_.release();
    }

    int start() override {
        if (!QApplication::instance()) {
            std::string why;
            if (!display_available(&why)) return UIE_BACKEND_FAILED;
            g_owned_app = new QApplication(g_argc, g_argv);
            QApplication::setStyle(QStringLiteral("Fusion"));
        }
        // A program that ends without uir::shutdown destroys the run-time's statics, and this
        // backend with them, after Qt's own statics are gone: the windows must not be deleted
        // then. This handler runs before the run-time's statics are destroyed.
        static const bool registered = std::atexit(abandon_at_exit) == 0;
        (void)registered;
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) return UIE_BACKEND_FAILED;
        QApplication::setQuitOnLastWindowClosed(false);
        origin_ = Clock::now();
        view_ = std::make_unique<View>(options_.title_suffix);
        wake_ = std::make_unique<QTimer>();
        wake_->setSingleShot(true);
        wake_->setTimerType(Qt::PreciseTimer);
        g_view = view_.get();
        g_running = this;
        quit_ = false;
        uir::mark::on_change([](const uir::mark::Marked& m) {
            if (g_view) g_view->show_mark(m.panel, m.control);
        });
        return 0;
    }

    void quit(int) override { quit_ = true; }

    void stop() override {
        uir::mark::on_change(nullptr);
        if (g_running == this) g_running = nullptr;
        if (g_view == view_.get()) g_view = nullptr;
        wake_.reset();
        view_.reset();
        if (g_owned_app) {
            delete g_owned_app;
            g_owned_app = nullptr;
        }
    }

    double now() const override {
        return std::chrono::duration<double>(Clock::now() - origin_).count();
    }

    // What QCoreApplication::processEvents does, keeping whether anything was delivered.
    void collect_input() override {
        QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
        took_events_ = dispatcher != nullptr && dispatcher->processEvents(QEventLoop::AllEvents);
    }

    // Sleeps in the event dispatcher until Qt delivers something: operator input (which comes
    // through automation), the single-shot timer at the deadline, or anything else the program
    // set up in Qt itself. The turn then returns, so a loop sees a flag that code outside the
    // run-time's callbacks set (a host's own Qt timer calling qorm_close, say).
    int wait(double deadline) override {
        if (events_pending()) return 0;
        if (quit_) return UIE_WAIT_NEVER_ENDS;
        // The scripted operator acts only here, when the program waits for the operator.
        if (run_due_actions()) return 0;
        if (!scheduled_.empty()) deadline = std::min(deadline, scheduled_.front().due);
        const double left = deadline - now();
        if (left <= 0) return 0;
        if (deadline == kNever && !view_->any_panel_visible()) return UIE_WAIT_NEVER_ENDS;
        // Something this turn delivered may have been the program's own (a host's Qt timer that
        // was already due) and changed what the loop around is waiting for. The turn returns so
        // that loop looks; sleeping here would wait for some further event, which may never come.
        if (std::exchange(took_events_, false)) return 0;
        if (std::isfinite(deadline)) wake_->start(wait_ms(left));
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        wake_->stop();
        return 0;
    }

    int delay(double seconds) override {
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        return 0;
    }

    int message_popup(const std::string& title, const std::string& text) override {
        if (options_.scripted) popups_.push_back({"message", title, text, 0});
        PlacedBox box(QMessageBox::Information, window_title(title), QString::fromStdString(text),
                      view_->popup_owner());
        QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
        if (options_.scripted) {
            answer_after_a_moment(box, ok);
            return 0;
        }
        box.exec();
        return 0;
    }

    // Closing the box from its frame or with Escape answers "Нет".
    int confirm_popup(const std::string& title, const std::string& text) override {
        PlacedBox box(QMessageBox::Question, window_title(title), QString::fromStdString(text),
                      view_->popup_owner());
        QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        if (options_.scripted) {
            // Without a queued answer: "no", the answer that leaves things as they are.
            int answer = 0;
            if (answers_.empty()) {
                fail("ConfirmPopup \"" + title + "\" (\"" + text + "\") has no answer queued");
            } else {
                answer = answers_.front() ? 1 : 0;
                answers_.pop_front();
            }
            popups_.push_back({"confirm", title, text, answer});
            answer_after_a_moment(box, answer ? yes : no);
            return answer;
        }
        box.exec();
        return box.clickedButton() == yes ? 1 : 0;
    }

    // ---- The scripted operator -------------------------------------------------------------
    void schedule(double delay, std::function<void()> action) {
        if (!action) return;
        if (!std::isfinite(delay) || delay < 0) delay = 0;
        Scheduled item{now() + delay, next_seq_++, std::move(action)};
        auto pos = std::upper_bound(scheduled_.begin(), scheduled_.end(), item,
                                    [](const Scheduled& a, const Scheduled& b) {
                                        return a.due < b.due || (a.due == b.due && a.seq < b.seq);
                                    });
        scheduled_.insert(pos, std::move(item));
    }
    const std::vector<Popup>& popups() const { return popups_; }
    void answer_confirm(bool yes) { answers_.push_back(yes); }
    void on_failure(std::function<void(const std::string&)> handler) {
        failure_ = std::move(handler);
    }
    bool scripted() const { return options_.scripted; }

    ScreenSize screen_size() const override {
        const QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen) return {1024, 768};
        const QRect r = screen->availableGeometry();
        return {r.width(), r.height()};
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
    struct Scheduled {
        double due;
        std::uint64_t seq;
        std::function<void()> action;
    };

    QString window_title(const std::string& title) const {
        return QString::fromStdString(title + options_.title_suffix);
    }

    // The box stands for the step delay, so a watcher can read it, then takes the scripted
    // answer; with no delay it is not shown at all.
    void answer_after_a_moment(PlacedBox& box, QPushButton* button) {
        if (!(options_.step_delay > 0)) return;
        QTimer::singleShot(wait_ms(options_.step_delay), &box, [button] { button->click(); });
        box.exec();
    }

    // Actions scheduled while these run wait for the next waiting turn, so a step that schedules
    // the next one cannot hold a turn for ever. True when any ran.
    bool run_due_actions() {
        const std::uint64_t before = next_seq_;
        bool ran = false;
        while (!scheduled_.empty() && scheduled_.front().due <= now() &&
               scheduled_.front().seq < before) {
            std::function<void()> action = std::move(scheduled_.front().action);
            scheduled_.erase(scheduled_.begin());
            ran = true;
            action();
        }
        return ran;
    }

    void fail(const std::string& reason) {
        if (failure_) failure_(reason);
    }

    Options options_;
    std::vector<Scheduled> scheduled_;  // by due time, then by order of scheduling
    std::uint64_t next_seq_ = 0;
    std::vector<Popup> popups_;
    std::deque<bool> answers_;
    std::function<void(const std::string&)> failure_;
    Clock::time_point origin_ = Clock::now();
    std::unique_ptr<View> view_;
    std::unique_ptr<QTimer> wake_;
    bool quit_ = false;
    // Whether the latest collect_input delivered anything (see wait).
    bool took_events_ = false;
};

void abandon_at_exit() {
    g_exiting = true;
    if (g_running) g_running->abandon();
}

}  // namespace

std::unique_ptr<uir::Backend> make_backend(const Options& options) {
    return std::make_unique<QtBackend>(options);
}

namespace {

// The Qt backend that runs or is chosen, when it was made for a scripted operator.
QtBackend* scripted_backend() {
    auto* b = dynamic_cast<QtBackend*>(uir::active_backend());
    return b && b->scripted() ? b : nullptr;
}

}  // namespace

void schedule(double delay, std::function<void()> action) {
    if (QtBackend* b = scripted_backend()) b->schedule(delay, std::move(action));
}

const std::vector<Popup>& popups() {
    static const std::vector<Popup> none;
    QtBackend* b = scripted_backend();
    return b ? b->popups() : none;
}

void answer_confirm(bool yes) {
    if (QtBackend* b = scripted_backend()) b->answer_confirm(yes);
}

void on_failure(std::function<void(const std::string& reason)> handler) {
    if (QtBackend* b = scripted_backend()) b->on_failure(std::move(handler));
}

QWidget* window_of(int panel) {
    return g_view ? g_view->window(panel) : nullptr;
}

QWidget* widget_of(int panel, int control) {
    ControlView* v = g_view ? g_view->control(panel, control) : nullptr;
    return v ? v->body() : nullptr;
}

QLabel* label_of(int panel, int control) {
    ControlView* v = g_view ? g_view->control(panel, control) : nullptr;
    return v ? v->label() : nullptr;
}

QWidget* mark_of() {
    return g_view ? g_view->mark() : nullptr;
}

QMenuBar* menu_bar_of(int panel) {
    PanelWindow* w = g_view ? g_view->window(panel) : nullptr;
    return w ? w->menu_bar() : nullptr;
}

}  // namespace uir::qt
