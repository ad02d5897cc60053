# The loop-back test on a module with broken and stuck channels: each fault on its line, and no
# closing line.
# Crate: sim/crates/faulty-channels.yaml.
doubleclick SI_LIST 1
answer yes
choose IMNU_INSTR_ZQORM
check ZQORM_TEXTBOX lines = 31
check ZQORM_TEXTBOX line 2 = "Канал 1: линия 1 - норма, линия 2 - норма"
check ZQORM_TEXTBOX line 8 = "Канал 7: линия 1 - нет ответа, линия 2 - нет ответа"
check ZQORM_TEXTBOX line 13 = "Канал 12: не переключается, всегда состояние 1"
check ZQORM_TEXTBOX line 22 = "Канал 21: линия 1 - нет ответа, линия 2 - нет ответа"
check ZQORM_TEXTBOX line 31 = "Канал 30: не переключается, всегда состояние 3"

# The faults show on the main panel too: a broken channel switched on reports a fault.
press ZQORM_COMMANDBUTTON
press MP_CHECKSTATE
check MP_ST_12 = "1"
check MP_ST_30 = "X"
set MP_L_7 1
press MP_SWITCH_7
check MP_ST_7 = "X"
check MP_SWITCH_7 = 1
check MP_1FIX_7 = 0
press MP_SWITCH_7
check MP_ST_7 = "-"
