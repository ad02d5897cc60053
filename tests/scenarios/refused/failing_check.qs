# A check that does not hold: exit 1 at its line, with the expected and the actual value.
doubleclick SI_LIST 1
check MP_LED = 0
check MP_LED = 1
