# A button has no range: a clear failure, not a crash.
doubleclick SI_LIST 1
check MP_START range = 0 1 1
