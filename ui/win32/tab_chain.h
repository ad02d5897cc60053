// The order in which Tab moves the focus over a panel's controls, and where the focus starts.
#pragma once

#include <vector>

#include "runtime_access.h"

namespace uir::win32 {

// The panel's controls in Tab order, of those `takes_focus` admits. The chain follows the
// layout's order; the panel's first focus is the chain's first control.
template <class TakesFocus>
std::vector<int> tab_chain(const Panel& p, TakesFocus&& takes_focus) {
    std::vector<int> chain;
    for (int id : p.controls)
        if (takes_focus(id)) chain.push_back(id);
    return chain;
}

}  // namespace uir::win32
