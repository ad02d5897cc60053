#include "uir/mark.h"

namespace uir::mark {
namespace {

Marked g_marked;

std::function<void(const Marked&)>& listener() {
    static std::function<void(const Marked&)> fn;
    return fn;
}

}  // namespace

void set(int panel, int control) {
    g_marked = panel > 0 ? Marked{panel, control} : Marked{};
    if (listener()) listener()(g_marked);
}

void clear() {
    set(0, 0);
}

Marked current() {
    return g_marked;
}

void on_change(std::function<void(const Marked&)> fn) {
    listener() = std::move(fn);
}

}  // namespace uir::mark
