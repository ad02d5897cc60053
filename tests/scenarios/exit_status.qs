# The operator ends the front panel: the program has ended as it ends without a script, and the
# caller's panel (the carrier summary) is left shown.
doubleclick SI_LIST 1
choose IMNU_INSTR_EXIT
press EXIT_POPUP_EXIT_YES
check CARRIER visible
check exit = 0
check no popup
