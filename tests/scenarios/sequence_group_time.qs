# A timed sequence with one common time (hardware revision 2.4: step 0.025 s, up to 6.375 s),
# watched to its end by continuous polling.
# Crate: sim/crates/revision-2.yaml.
doubleclick SI_LIST 1
check MP_HW_VER = "2.4"
check MP_T_1 hidden
check MP_T_30 hidden
check MP_SET_GT hidden
check MP_GT dimmed
press MP_CTRL_MODE
check MP_GT not dimmed

# Channels 4 and 9 on line 2, channel 20 on line 1, all for one time between two steps.
set MP_L_4 2
set MP_L_9 2
set MP_L_20 1
set MP_GT 0.51
set MP_START_MODE 1
set MP_STATE_CONT 1
press MP_START
check MP_GT = 0.5
check MP_START = 1
check MP_ST_4 = "2"
check MP_ST_9 = "2"
check MP_ST_20 = "1"
check MP_ST_1 = "-"
wait 0.45
check MP_START = 1
check MP_ST_20 = "1"
wait 0.2
check MP_START = 0
check MP_ST_4 = "-"
check MP_ST_20 = "-"
check MP_2FIX_9 = 1
check MP_1FIX_20 = 1
check MP_1FIX_9 = 0

# The range of the coarse step: a common time past it is held at 6.375.
set MP_GT 7
check MP_GT = 6.375
