# Hardware revision 2: one common time on the coarse step, 0.025 to 6.375.
doubleclick SI_LIST 1
check MP_GT range = 0.025 6.375 0.025
check MP_GT decimals = 3
check MP_SET_GT hidden
check MP_T_1 hidden
