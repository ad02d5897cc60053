/* A C host that knows the library only from its installed header and pkg-config: it is built
 * with `cc c_host.c $(pkg-config --cflags --libs qorm)` against an installed prefix and checks
 * the answers of the four operations that need no carrier. Prints one line per check; exits 0
 * when all hold. */
#include <stdio.h>

#include "qorm.h"

static int failures = 0;

static void check(int holds, const char* what, long value) {
    printf("%s: %s (%ld)\n", holds ? "ok" : "FAILED", what, value);
    if (!holds) ++failures;
}

int main(void) {
    ModuleInstance* instance = NULL;
    ViStatus st;

    st = qorm_init(0, 2, VI_TRUE, VI_FALSE, NULL);
    check(st == -1, "qorm_init without an instance variable returns -1", (long)st);

    /* Session 0 is no carrier: whatever VISA the machine has, or none, the init fails and
     * leaves no record. */
    st = qorm_init(0, 2, VI_TRUE, VI_FALSE, &instance);
    check(st < 0, "qorm_init on no carrier fails", (long)st);
    check(instance == NULL, "and leaves the variable null", (long)(instance != NULL));

    st = qorm_close(&instance);
    check(st == -1, "qorm_close of a null record returns -1", (long)st);
    st = qorm_close(NULL);
    check(st == -1, "qorm_close without a variable returns -1", (long)st);
    st = qorm_hide(NULL);
    check(st == -1, "qorm_hide of a null record returns -1", (long)st);
    st = qorm_display(NULL);
    check(st == -1, "qorm_display of a null record returns -1", (long)st);

    check(sizeof(ViSession) == 4 && sizeof(ViStatus) == 4, "VISA sessions and statuses are 4 bytes",
          (long)sizeof(ViSession));
    return failures == 0 ? 0 : 1;
}
