// A stand-in system library: every operation of one declaration list under its system name and
// signature, forwarding to the process's one simulated crate (crate_library.h).
//
// The stand-ins are built with hidden visibility; the library's own header is included with
// default visibility first, so its prototypes, and only they, are exported:
//     #pragma GCC visibility push(default)
//     #include "visa.h"
//     #pragma GCC visibility pop
//     #include "standin.h"
//     QORM_VISA_OPERATIONS(QORM_STANDIN_OPERATION)
// with QORM_STANDIN_TABLE defined as the list's table type and QORM_STANDIN_CRATE as the crate's
// function that gives the table.
#pragma once

#include "crate_library.h"

#define QORM_STANDIN_OPERATION(ret, name, field, ...)                              \
    extern "C" ret QORM_VI_FUNC name(QORM_PARAMS(__VA_ARGS__)) {                   \
        return platform::call<&QORM_STANDIN_TABLE::field>(*QORM_STANDIN_CRATE(),   \
                                                          QORM_ARGS(__VA_ARGS__)); \
    }
