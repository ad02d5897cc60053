# A new check form written wrong is refused before anything runs.
doubleclick SI_LIST 1
check MP_T_1 range = 0.005 10.235
