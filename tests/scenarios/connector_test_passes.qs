# The loop-back test with the test connector QORM-Z plugged in.
doubleclick SI_LIST 1

# Declined: nothing happens, the selections stay.
set MP_L_3 2
answer no
choose IMNU_INSTR_ZQORM
check popup "QORM" "Подлючите соединитель контрольный QORM-Z"
check ZQORM hidden
check MP_L_3 = 2

# Accepted: the module and the panel are reset first, then the transcript fills.
set MP_STATE_CONT 1
answer yes
choose IMNU_INSTR_ZQORM
check popup "QORM" "Подлючите соединитель контрольный QORM-Z"
check ZQORM visible
check ZQORM title contains "Проверка с соединителем QORM-Z"
check MP_L_3 = 0
check MP_STATE_CONT = 0
check MP_TIMER not enabled
check ZQORM_TEXTBOX lines = 32
check ZQORM_TEXTBOX line 1 = "Проверка QORM..."
check ZQORM_TEXTBOX line 2 = "Канал 1: линия 1 - норма, линия 2 - норма"
check ZQORM_TEXTBOX line 31 = "Канал 30: линия 1 - норма, линия 2 - норма"
check ZQORM_TEXTBOX line 32 = "Проверка завершена. Ошибок не найдено."
check MP_ERROR_MESSAGE = ""
press ZQORM_COMMANDBUTTON
check ZQORM hidden

# A second test replaces the transcript instead of adding to it.
answer yes
choose IMNU_INSTR_ZQORM
check popup "QORM" "Подлючите соединитель контрольный QORM-Z"
check ZQORM_TEXTBOX lines = 32
close ZQORM
check ZQORM hidden
check no popup
