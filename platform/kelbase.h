/* The VXI carrier board's driver as the standalone start-up calls it (library libkelbase.so,
 * KELBASE_32.dll on Windows). Statuses as in VISA: negative an error, 0 success, positive a
 * warning. */
#ifndef QORM_PLATFORM_KELBASE_H
#define QORM_PLATFORM_KELBASE_H

#include "visa.h"

#ifdef __cplusplus
extern "C" {
#endif

#define KELBASE_POSITIONS 4  /* mezzanine positions 1 to 4 */

/* Every operation of the carrier driver (the notation is declare.h's). */
#define QORM_KELBASE_OPERATIONS(X)                                                             \
    /* Opens the carrier by its VISA resource name; the session is a VISA session on the       \
     * carrier, on which VISA attributes can be read. */                                       \
    X(ViStatus, kelbase_init, init, (text_in, ViRsrc, resourceName), (in, ViBoolean, idQuery), \
      (in, ViBoolean, reset), (out, ViSession*, vi))                                           \
    /* What is fitted at a mezzanine position: present is non-zero when a mezzanine is fitted, \
     * type is its type code (KELQORM_TYPE_CODE, 12, for a QORM). */                           \
    X(ViStatus, kelbase_m_type_q, m_type_q, (in, ViSession, vi), (in, ViUInt16, position),     \
      (out, ViInt16*, present), (out, ViInt16*, type))

QORM_KELBASE_OPERATIONS(QORM_DECLARE_OPERATION)

#ifdef __cplusplus
}
#endif

#endif
