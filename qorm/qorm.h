/* The QORM front panel as a host program uses it: one instance per opened mezzanine, four
 * exported operations. A host opens an instance with qorm_init on its carrier session, runs the
 * front panel with qorm_display (which consumes the instance when the operator leaves), may hide
 * it with qorm_hide, and ends an instance it does not display with qorm_close. */
#ifndef QORM_QORM_H
#define QORM_QORM_H

#include "visa.h"

/* The four operations' one export macro, in the calling-convention place of each declaration.
 * 32-bit Windows: __stdcall, the convention of the host contract; the DLL's export names are
 * listed by its .def file, so nothing is marked for export here. Elsewhere: the operations are
 * visible from the shared library, whatever visibility the rest of it is built with. */
#if defined(_WIN32)
#if defined(_M_IX86) || defined(__i386__)
#define QORM_API __stdcall
#else
#define QORM_API
#endif
#else
#define QORM_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define QORM_CHANNELS 30
#define QORM_LOCATION_LEN 256
/* qorm_init's status when the record cannot be allocated. Positive: a caller that tests only for
 * a negative status must also check the instance variable. */
#define QORM_NO_MEMORY ((ViStatus)0x3FFC0C01)

/* One record per opened module, allocated zero-filled by qorm_init (calloc) and freed exactly
 * once (free), by qorm_close or at the end of qorm_display. The field order is part of the host
 * contract. The record's address is the instance handle; the four operations keep track of the
 * records that are live and return -1, doing nothing else, for any other address (a record
 * already closed or consumed by its run, or one the library never created). */
typedef struct ModuleInstance {
    ViSession session;                     /* module driver session; 0: no module (demo) */
    char location_text[QORM_LOCATION_LEN]; /* where the module sits, for the caller */
    ViInt32 interface_number;              /* never set, so always 0 */
    ViInt32 mainframe_la;                  /* carrier's mainframe logical address; -1 unknown */
    ViInt32 slot;                          /* carrier's slot; -1 unknown */
    ViInt32 mezzanine_number;              /* position 1 to 4; 0: none found */
    ViInt16 display_active;                /* 1 while qorm_display has its panels */
    ViInt32 mp_panel;
    ViInt32 st_panel;
    ViInt32 about_panel;
    ViInt32 zqorm_panel;
    ViInt32 exit_panel;
    ViInt32 carrier_panel;                /* the caller's own panel; 0: none */
    ViInt32 exit_requested;               /* ends the front panel's run */
    ViInt32 fine_time_step;               /* from the hardware revision */
    ViInt32 group_time_mode;              /* from the hardware revision */
    ViInt16 channel_codes[QORM_CHANNELS]; /* line selections, or state codes read back */
    ViInt16 latch_words[QORM_CHANNELS];   /* bit 0 latch of line 1, bit 1 latch of line 2 */
    float channel_times[QORM_CHANNELS];
} ModuleInstance;

/* Opens an instance. *instance holds the caller's own panel handle (or 0) on entry and the new
 * record (or null) on return. */
ViStatus QORM_API qorm_init(ViSession carrier, ViUInt16 mezzanine, ViBoolean idQuery,
                            ViBoolean reset, ModuleInstance** instance);
/* Runs the front panel until the operator leaves it, then releases the instance. */
ViStatus QORM_API qorm_display(ModuleInstance* instance);
/* Hides the front panel of a running instance; it goes on running. */
ViStatus QORM_API qorm_hide(ModuleInstance* instance);
/* Ends an instance: at once when it is not displayed, else at the next turn of its run. */
ViStatus QORM_API qorm_close(ModuleInstance** instance);

#ifdef __cplusplus
}
#endif

#endif
