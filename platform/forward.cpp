// The operations under the system's own names, each forwarding to the bound table.
#include "bindings.h"

#define QORM_FORWARD(ret, name, field, ...)                                                    \
    ret QORM_VI_FUNC name(QORM_PARAMS(__VA_ARGS__)) {                                          \
        return platform::call<&QORM_TABLE::field>(QORM_BOUND_TABLE(), QORM_ARGS(__VA_ARGS__)); \
    }

extern "C" {

#define QORM_TABLE platform::VisaApi
#define QORM_BOUND_TABLE platform::visa_api
QORM_VISA_OPERATIONS(QORM_FORWARD)
#undef QORM_TABLE
#undef QORM_BOUND_TABLE

#define QORM_TABLE platform::KelqormApi
#define QORM_BOUND_TABLE platform::kelqorm_api
QORM_KELQORM_OPERATIONS(QORM_FORWARD)
#undef QORM_TABLE
#undef QORM_BOUND_TABLE

#define QORM_TABLE platform::KelbaseApi
#define QORM_BOUND_TABLE platform::kelbase_api
QORM_KELBASE_OPERATIONS(QORM_FORWARD)
#undef QORM_TABLE
#undef QORM_BOUND_TABLE

}  // extern "C"
