# A dimmed control cannot be pressed: exit 1 at that line, with the reason.
doubleclick SI_LIST 1
press MP_START
