/* A host program written in C against qorm.h alone and linked with the library's import library,
 * as a Windows host program is: on Windows its calls carry the stdcall names (_qorm_init@20),
 * which the import library must map onto qorm.dll's plain exports, and the stack must balance
 * after each call. It runs with no VISA, no drivers and no user-interface run-time started by
 * anybody, so every operation takes its failure path, and says what it saw; it exits 0 when each
 * answer is the one a host may rely on. */
#include <stdio.h>
#include <stdlib.h>

#include "qorm.h"

static int failures = 0;

static void expect(int ok, const char* what, long got) {
    printf("%s: %s (%ld)\n", ok ? "ok" : "FAILED", what, got);
    if (!ok) ++failures;
}

int main(void) {
    ModuleInstance* record = NULL;
    ViStatus st;

    st = qorm_init(1, 2, VI_TRUE, VI_TRUE, NULL);
    expect(st == -1, "qorm_init without an instance address returns -1", (long)st);
    st = qorm_hide(NULL);
    expect(st == -1, "qorm_hide(NULL) returns -1", (long)st);
    st = qorm_display(NULL);
    expect(st == -1, "qorm_display(NULL) returns -1", (long)st);
    st = qorm_close(&record);
    expect(st == -1, "qorm_close of a null record returns -1", (long)st);

    /* Without VISA the carrier's attributes cannot be read: a negative status, no record. */
    record = (ModuleInstance*)(intptr_t)7; /* the caller's panel handle goes in this way */
    st = qorm_init(1, 2, VI_TRUE, VI_TRUE, &record);
    expect(st < 0, "qorm_init without VISA fails", (long)st);
    expect(record == NULL, "and leaves the instance null", (long)(record != NULL));

    /* A record of the host's own making, from the same allocator as the library's (the C
     * runtime's calloc): no module, no caller's panel. The front panel cannot show without a
     * view, so qorm_display fails and leaves it open; qorm_close then releases it. */
    record = (ModuleInstance*)calloc(1, sizeof *record);
    if (record == NULL) return 2;
    st = qorm_display(record);
    expect(st == -1, "qorm_display without a view returns -1", (long)st);
    expect(record->display_active == 0, "and leaves the instance open, not displayed",
           (long)record->display_active);
    st = qorm_hide(record);
    expect(st == 0, "qorm_hide of an instance not displayed returns 0", (long)st);
    st = qorm_close(&record);
    expect(st == 0, "qorm_close releases it", (long)st);

    return failures == 0 ? 0 : 1;
}
