// The widgets that show the model, for the render tool and the view's tests: the window of a
// panel and the body and label of a control, or nullptr when the running backend is not the Qt
// one or shows no such thing.
#pragma once

#include <QLabel>
#include <QMenuBar>
#include <QWidget>

namespace uir::qt {

QWidget* window_of(int panel);
QWidget* widget_of(int panel, int control);
QLabel* label_of(int panel, int control);
QMenuBar* menu_bar_of(int panel);
// The frame the view draws for the run-time's mark (uir/mark.h), nullptr when none is shown.
QWidget* mark_of();

}  // namespace uir::qt
