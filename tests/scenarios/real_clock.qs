# The simulated crate on real seconds (--clock=real), as a real module runs: a sequence of half a
# second, watched by continuous polling, is over a second later, and the wait itself takes a
# second of real time. The checks leave half a second either side, so a busy machine cannot
# turn them.
doubleclick SI_LIST 1
press MP_CTRL_MODE
set MP_L_1 1
set MP_T_1 0.5
set MP_START_MODE 1
set MP_STATE_CONT 1
press MP_START
check MP_ST_1 = "1"
check MP_START = 1
wait 1.0
check MP_ST_1 = "-"
check MP_START = 0
check MP_1FIX_1 = 1
