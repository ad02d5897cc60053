#include "attributes.h"

#include "text.h"

namespace uir::core {

int convert_arg(const AttrArg& in, AttrType want, AttrArg& out) {
    out = in;
    out.type = want;
    if (in.null) {
        out.p = nullptr;
        out.cb = nullptr;
        if (want == AttrType::Data || want == AttrType::Callback) return 0;
        return want == AttrType::Text ? UIE_NULL_POINTER : UIE_TYPE_MISMATCH;
    }
    if (in.type == want) return want == AttrType::Text ? check_text(in.s) : 0;
    if (in.type == AttrType::Int && want == AttrType::Double) {
        out.d = in.i;
        return 0;
    }
    return UIE_TYPE_MISMATCH;
}

bool is_colour(int v) {
    return v == -1 || (v >= 0 && v <= 0xFFFFFF);
}

}  // namespace uir::core
