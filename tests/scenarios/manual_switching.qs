# Manual control: single channels by their switches, all selected channels by the group buttons.
doubleclick SI_LIST 1
check MP_CTRL_MODE = "Ручное управление"
check MP_GRP_ON not dimmed
check MP_START dimmed

# A channel with a line selected goes onto that line; its latch of that line is set.
set MP_L_5 "Л1"
press MP_SWITCH_5
check MP_SWITCH_5 = 1
check MP_ST_5 = "1"
check MP_1FIX_5 = 1
check MP_2FIX_5 = 0
set MP_L_7 2
press MP_SWITCH_7
check MP_ST_7 = "2"
check MP_2FIX_7 = 1

# A click on the switch of an active channel switches it off at once.
press MP_SWITCH_5
check MP_SWITCH_5 = 0
check MP_ST_5 = "-"
check MP_ST_7 = "2"
check MP_1FIX_5 = 1

# Turned on without a line, a channel stays idle and its switch goes back off.
press MP_SWITCH_6
check MP_SWITCH_6 = 0
check MP_ST_6 = "-"
check MP_ERROR_MESSAGE = ""

# Group switching: every channel onto line 2, then all released.
press MP_COMMANDBUTTON_4
check MP_L_1 = "Л2"
check MP_L_30 = 2
press MP_GRP_ON
check MP_ST_1 = "2"
check MP_ST_18 = "2"
check MP_ST_30 = "2"
check MP_2FIX_30 = 1
check MP_SWITCH_1 = 0
press MP_GRP_OFF
check MP_ST_1 = "-"
check MP_ST_7 = "-"
check MP_ST_30 = "-"

# Line 1 for all, then no line: the group command leaves unselected channels as they are.
press MP_COMMANDBUTTON_2
check MP_L_12 = 1
set MP_L_12 0
press MP_GRP_ON
check MP_ST_11 = "1"
check MP_ST_12 = "-"
check MP_ST_13 = "1"
press MP_COMMANDBUTTON_3
check MP_L_11 = 0
press MP_GRP_OFF
check MP_ST_11 = "1"

# Timed switching dims the group buttons; manual control gives them back.
press MP_CTRL_MODE
check MP_GRP_ON dimmed
check MP_GRP_OFF dimmed
check MP_START not dimmed
check MP_T_1 dimmed
check MP_T_12 dimmed
press MP_CTRL_MODE
check MP_GRP_OFF not dimmed
