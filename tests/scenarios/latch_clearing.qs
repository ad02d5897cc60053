# Switching latches: set when a channel goes onto a line, cleared per channel by a click on
# either lamp, or all at once.
doubleclick SI_LIST 1
set MP_L_5 1
press MP_SWITCH_5
press MP_SWITCH_5
set MP_L_7 2
press MP_SWITCH_7
press MP_SWITCH_7
set MP_L_8 1
press MP_SWITCH_8
set MP_L_8 2
press MP_SWITCH_8
check MP_1FIX_5 = 1
check MP_2FIX_7 = 1
check MP_1FIX_8 = 1
check MP_2FIX_8 = 0
check MP_ST_8 = "-"

# The switch of an active channel only switches it off: a second click puts it on line 2.
press MP_SWITCH_8
check MP_ST_8 = "2"
check MP_2FIX_8 = 1
press MP_SWITCH_8

# A click on either lamp clears both latches of that channel only.
press MP_2FIX_8
check MP_1FIX_8 = 0
check MP_2FIX_8 = 0
check MP_1FIX_5 = 1
check MP_2FIX_7 = 1
press MP_1FIX_7
check MP_2FIX_7 = 0
check MP_1FIX_5 = 1

# Сброс триггеров clears every channel's latches.
press MP_FIXRST
check MP_1FIX_5 = 0
check MP_ERROR_MESSAGE = ""

# A lamp that is dark clears nothing and lights nothing.
press MP_1FIX_30
check MP_1FIX_30 = 0
