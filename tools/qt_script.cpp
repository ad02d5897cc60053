#include "qt_script.h"

#include <QTimer>

namespace tools {

Script::Script()
    : ScriptSteps([](int ms, std::function<void()> fn) { QTimer::singleShot(ms, std::move(fn)); }) {
}

}  // namespace tools
