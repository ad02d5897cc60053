#include "faults.h"

#include "kinds.h"

namespace uir::rules {

bool shows_fault(const Control& c) {
    const core::KindInfo* k = core::kind_info(c.kind);
    if (!k) return false;
    switch (k->value) {
        case core::ValueKind::Text:
            return !c.fault_text.empty() && c.text == c.fault_text;
        case core::ValueKind::Number:
            return c.fault_if_nonzero && c.number != 0;
        default:
            return false;
    }
}

}  // namespace uir::rules
