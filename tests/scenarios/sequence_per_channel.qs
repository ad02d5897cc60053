# A timed sequence with a time per channel (hardware revision 4.2: step 0.005 s, up to 10.235 s),
# watched to its end by continuous polling.
doubleclick SI_LIST 1
check MP_HW_VER = "4.2"
press MP_CTRL_MODE
check MP_CTRL_MODE = "Переключение по таймеру"
check MP_START not dimmed
check MP_SET_GT visible

# Channel 1 on line 1 for 0.5 s, channel 2 on line 2 for 1 s, channel 3 asks for a time between
# two steps and gets the nearest one.
set MP_L_1 1
check MP_T_1 not dimmed
check MP_T_2 dimmed
set MP_T_1 0.5
set MP_L_2 2
set MP_T_2 20                 # typed past the range: the field keeps to 10.235
check MP_T_2 = 10.235
set MP_T_2 1
set MP_L_3 1
set MP_T_3 0.7263
set MP_START_MODE 1
set MP_STATE_CONT 1
check MP_TIMER enabled
press MP_START
check MP_T_3 = 0.725
check MP_START = 1
check MP_ST_1 = "1"
check MP_ST_2 = "2"
check MP_ST_3 = "1"
check MP_ST_4 = "-"

# Polled every 0.1 s: channel 1 ends first, the run flag falls when the last one has ended.
wait 0.6
check MP_ST_1 = "-"
check MP_ST_2 = "2"
check MP_ST_3 = "1"
check MP_START = 1
wait 0.25
check MP_ST_3 = "-"
check MP_START = 1
wait 0.3
check MP_ST_2 = "-"
check MP_START = 0
check MP_1FIX_1 = 1
check MP_2FIX_2 = 1
check MP_1FIX_3 = 1
check MP_1FIX_4 = 0
check MP_ERROR_MESSAGE = ""

# A common time copied into every channel, and a stop that ends a run early.
set MP_GT 2
press MP_SET_GT
check MP_T_1 = 2
check MP_T_30 = 2
check MP_T_30 dimmed
press MP_START
check MP_START = 1
check MP_ST_1 = "1"
wait 1
press MP_START
check MP_START = 0
check MP_ST_1 = "-"
check MP_ST_2 = "-"
check MP_STATE_CONT = 1
