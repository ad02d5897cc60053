# A confirmation the script does not answer: exit 1 at the action that raised it.
doubleclick SI_LIST 1
choose IMNU_INSTR_ZQORM
