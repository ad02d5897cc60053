#include "panel_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QWindow>
#include <algorithm>

#include "core/placement.h"
#include "look.h"

namespace uir::qt {
namespace {

// Room the window system's title bar takes besides the title: the icon and three buttons.
constexpr int kTitleReserve = 112;

// The frame of the last window the window system framed; until one has been, an estimate that
// errs on the large side, so a window near the screen's edge is not placed partly off it.
QMargins g_seen_margins;
bool g_margins_seen = false;

bool offscreen() {
    return QGuiApplication::platformName() == QLatin1String("offscreen");
}

QMargins estimated_margins() {
    if (g_margins_seen) return g_seen_margins;
    return offscreen() ? QMargins() : QMargins(4, 28, 4, 4);
}

rules::Rect rect_of(const QRect& r) {
    return {r.left(), r.top(), r.width(), r.height()};
}

QRect available_area(QPoint at) {
    QScreen* screen = QGuiApplication::screenAt(at);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

// The title bar's font, as far as a program can know it: the application font, bold.
int title_width(std::string_view text) {
    QFont f = QApplication::font();
    f.setBold(true);
    return QFontMetrics(f).horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

// " [симуляция]" as the menu bar's corner shows it: "симуляция".
QString mark_text(const std::string& suffix) {
    QString s = QString::fromStdString(suffix).trimmed();
    if (s.startsWith('[') && s.endsWith(']')) s = s.mid(1, s.size() - 2).trimmed();
    return s;
}

}  // namespace

QMargins known_frame_margins() {
    return estimated_margins();
}

PanelWindow::PanelWindow(std::function<void()> close_requested, std::string suffix)
    : QWidget(nullptr, Qt::Window),
      close_requested_(std::move(close_requested)),
      scroll_(new QScrollArea(this)),
      client_(new QWidget),
      mark_(nullptr),
      suffix_(std::move(suffix)) {
    setFont(panel_font());
    setAttribute(Qt::WA_QuitOnClose, false);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(false);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidget(client_);
    scroll_->viewport()->setAutoFillBackground(false);
    client_->setAutoFillBackground(false);
    mark_ = new FocusMark(client_);
}

int PanelWindow::bar_height() const {
    return bar_ ? bar_->sizeHint().height() : 0;
}

// A window system that frames windows reports the frame once it has framed this one.
QMargins PanelWindow::frame_margins() const {
    if (const QWindow* w = windowHandle(); w && w->handle()) {
        const QMargins m = w->frameMargins();
        if (!m.isNull()) {
            g_seen_margins = m;
            g_margins_seen = true;
            return m;
        }
    }
    return estimated_margins();
}

void PanelWindow::set_menu_bar(QMenuBar* bar) {
    delete bar_;
    bar_ = bar;
    if (bar_) {
        const QString mark = mark_text(suffix_);
        if (!mark.isEmpty()) {
            auto* label = new QLabel(mark, bar_);
            label->setObjectName(QStringLiteral("crate_mark"));
            QFont f = panel_font();
            f.setPixelSize(kFontPixels - 2);
            label->setFont(f);
            label->setStyleSheet(QStringLiteral(
                "QLabel { background: #F4D27A; color: #3A2A00; border: 1px solid "
                "#B89020; border-radius: 3px; padding: 0px 4px; margin: 2px 4px; }"));
            bar_->setCornerWidget(label, Qt::TopRightCorner);
            crate_mark_ = label;
        }
        bar_->show();
        if (!f10_) {
            f10_ = new QShortcut(QKeySequence(Qt::Key_F10), this);
            f10_->setContext(Qt::WindowShortcut);
            QObject::connect(f10_, &QShortcut::activated, this, [this] { open_menu(); });
        }
    }
    if (f10_) f10_->setEnabled(bar_ != nullptr);
    place();
    show_title();
}

void PanelWindow::open_menu() {
    if (!bar_) return;
    for (QAction* a : bar_->actions()) {
        if (a->isEnabled() && a->menu()) {
            bar_->setActiveAction(a);
            return;
        }
    }
}

void PanelWindow::show_geometry(const Panel& p) {
    client_size_ = QSize(p.width, p.height);
    panel_pos_ = QPoint(p.left, p.top);
    place();
    show_title();
}

void PanelWindow::set_offset(QPoint offset) {
    if (offset == offset_) return;
    offset_ = offset;
    place();
}

// Fits the window into the available area. When it must scroll, the scroll bars take their room
// from the area too.
void PanelWindow::place() {
    const int h = bar_height();
    const QMargins m = frame_margins();
    placed_with_ = m;
    const rules::Margins frame{m.left(), m.top(), m.right(), m.bottom()};
    const QPoint frame_pos = panel_pos_ + offset_;
    QSize content(client_size_.width(), client_size_.height() + h);
    const rules::Rect wanted{frame_pos.x() + m.left(), frame_pos.y() + m.top(), content.width(),
                             content.height()};
    const rules::Rect area = rect_of(available_area(frame_pos));
    rules::Placement fit = rules::fit_window(wanted, frame, area);
    if (fit.scrolls) {
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        if (fit.client.height < content.height()) content.rwidth() += bar;
        if (fit.client.width < content.width()) content.rheight() += bar;
        fit = rules::fit_window({wanted.left, wanted.top, content.width(), content.height()}, frame,
                                area);
    }
    const auto policy = fit.scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
    if (scroll_->verticalScrollBarPolicy() != policy) {
        scroll_->setVerticalScrollBarPolicy(policy);
        scroll_->setHorizontalScrollBarPolicy(policy);
    }
    if (client_->size() != client_size_) client_->setFixedSize(client_size_);
    const int width = fit.client.width;
    const int height = fit.client.height;
    if (bar_) bar_->setGeometry(0, 0, width, h);
    const QRect scroll_rect(0, h, width, std::max(0, height - h));
    if (scroll_->geometry() != scroll_rect) scroll_->setGeometry(scroll_rect);
    if (size() != QSize(width, height)) setFixedSize(width, height);
    const QPoint to(fit.client.left - m.left(), fit.client.top - m.top());
    if (pos() != to) move(to);
}

void PanelWindow::show_title(const Panel& p) {
    title_ = p.title;
    show_title();
}

// Panels with a menu bar carry the mark in its corner; the others after their title when it
// fits. A tooltip keeps what had to go.
void PanelWindow::show_title() {
    const int room = width() - kTitleReserve;
    const std::string full = title_ + suffix_;
    std::string shown;
    if (!bar_ && !suffix_.empty() && title_width(full) <= room) {
        shown = full;
    } else {
        shown = rules::fit_title(title_, room, title_width);
    }
    const QString title = QString::fromStdString(shown);
    if (windowTitle() != title) setWindowTitle(title);
    const bool all_shown = shown == full || (bar_ && shown == title_);
    const QString tip = all_shown ? QString() : QString::fromStdString(full);
    if (toolTip() != tip) setToolTip(tip);
    if (crate_mark_) crate_mark_->setToolTip(QString::fromStdString(full));
}

void PanelWindow::show_colour(const Panel& p) {
    if (p.back_color < 0) return;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colour(p.back_color));
    setPalette(pal);
    setAutoFillBackground(true);
}

void PanelWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (close_requested_) close_requested_();
}

// Keys no control took: Escape.
void PanelWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && escape_) {
        event->accept();
        escape_();
        return;
    }
    QWidget::keyPressEvent(event);
}

// The window system frames a window after it is shown; with a frame other than the one assumed,
// the window is placed again.
bool PanelWindow::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if ((event->type() == QEvent::Move || event->type() == QEvent::Show) &&
        frame_margins() != placed_with_)
        place();
    return handled;
}

QMenuBar* build_menu_bar(const MenuBar& bar, QWidget* parent, std::function<void(int)> chosen) {
    auto* qbar = new QMenuBar(parent);
    qbar->setNativeMenuBar(false);  // the bar belongs to its panel, on every platform
    for (const Menu& menu : bar.menus) {
        QMenu* qmenu = qbar->addMenu(menu_title_text(menu.title));
        qmenu->setEnabled(!menu.dimmed);
        for (const MenuItem& item : menu.items) {
            if (item.separator) {
                qmenu->addSeparator();
                continue;
            }
            QAction* action = qmenu->addAction(mnemonic_text(item.name));
            action->setEnabled(!item.dimmed);
            const int id = item.id;
            QObject::connect(action, &QAction::triggered, qbar, [chosen, id] { chosen(id); });
        }
    }
    return qbar;
}

}  // namespace uir::qt
