# Сброс while a timed sequence runs under continuous polling: the module and the whole panel go
# back to their initial state, and polling stays off.
doubleclick SI_LIST 1
press MP_CTRL_MODE
set MP_L_2 1
set MP_T_2 3
set MP_L_6 2
set MP_T_6 3
set MP_START_MODE 1
set MP_STATE_CONT 1
press MP_START
wait 0.5
check MP_START = 1
check MP_ST_6 = "2"
check MP_2FIX_6 = 1

press MP_RESET
check MP_TIMER not enabled
check MP_STATE_CONT = 0
check MP_CTRL_MODE = 1
check MP_START = 0
check MP_START dimmed
check MP_START_MODE dimmed
check MP_GRP_ON not dimmed
check MP_L_2 = 0
check MP_L_6 = " -"
check MP_T_2 = 0.05
check MP_T_6 = 0.05
check MP_T_6 dimmed
check MP_ST_2 = "-"
check MP_ST_6 = "-"
check MP_SWITCH_6 = 0
check MP_2FIX_6 = 0
check MP_ERROR_MESSAGE = ""

# Nothing runs on afterwards: the module was stopped, not merely the panel.
wait 5
press MP_CHECKSTATE
check MP_START = 0
check MP_ST_6 = "-"
check MP_TIMER not enabled
