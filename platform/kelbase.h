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

/* Opens the carrier by its VISA resource name; the session is a VISA session on the carrier,
 * on which VISA attributes can be read. */
ViStatus _VI_FUNC kelbase_init(ViRsrc resourceName, ViBoolean idQuery, ViBoolean reset,
                               ViSession* vi);
/* What is fitted at a mezzanine position: present is non-zero when a mezzanine is fitted,
 * type is its type code (KELQORM_TYPE_CODE, 12, for a QORM). */
ViStatus _VI_FUNC kelbase_m_type_q(ViSession vi, ViUInt16 position, ViInt16* present,
                                   ViInt16* type);

#ifdef __cplusplus
}
#endif

#endif
