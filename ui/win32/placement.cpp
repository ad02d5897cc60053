#include "placement.h"

#include <algorithm>

namespace uir::win32 {

Box fit_into(Box window, const Box& work) {
    const int w = window.width(), h = window.height();
    const int left = std::max(work.left, std::min(window.left, work.right - w));
    const int top = std::max(work.top, std::min(window.top, work.bottom - h));
    return {left, top, left + w, top + h};
}

}  // namespace uir::win32
