#include "panel_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>

#include "look.h"

namespace uir::qt {

PanelWindow::PanelWindow(std::function<void()> close_requested)
    : QWidget(nullptr, Qt::Window),
      close_requested_(std::move(close_requested)),
      client_(new QWidget(this)) {
    setFont(panel_font());
    setAttribute(Qt::WA_QuitOnClose, false);
}

int PanelWindow::bar_height() const {
    return bar_ ? bar_->sizeHint().height() : 0;
}

void PanelWindow::set_menu_bar(QMenuBar* bar) {
    delete bar_;
    bar_ = bar;
    const int h = bar_height();
    if (bar_) {
        bar_->setGeometry(0, 0, client_size_.width(), h);
        bar_->show();
    }
    client_->move(0, h);
    setFixedSize(client_size_.width(), client_size_.height() + h);
}

void PanelWindow::show_geometry(const Panel& p) {
    client_size_ = QSize(p.width, p.height);
    const int h = bar_height();
    client_->setGeometry(0, h, p.width, p.height);
    if (bar_) bar_->setGeometry(0, 0, p.width, h);
    setFixedSize(p.width, p.height + h);
    if (pos() != QPoint(p.left, p.top)) move(p.left, p.top);
}

void PanelWindow::show_title(const Panel& p, const std::string& suffix) {
    const QString title = QString::fromStdString(p.title + suffix);
    if (windowTitle() != title) setWindowTitle(title);
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

QMenuBar* build_menu_bar(const MenuBar& bar, QWidget* parent, std::function<void(int)> chosen) {
    auto* qbar = new QMenuBar(parent);
    qbar->setNativeMenuBar(false);  // the bar belongs to its panel, on every platform
    for (const Menu& menu : bar.menus) {
        QMenu* qmenu = qbar->addMenu(mnemonic_text(menu.title));
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
