# Driver errors during the run go to the error line in the driver's own words; the panel still
# shows what the module reports.
doubleclick SI_LIST 1

# A failing single-channel command: the text on the error line, the channel as the module has it.
set MP_L_3 1
fault fail kelqorm_manual_cmd VI_ERROR_TMO
press MP_SWITCH_3
check MP_ERROR_MESSAGE = "Истекло время ожидания операции"
check MP_ST_3 = "-"
check MP_SWITCH_3 = 0

# The next command succeeds; the old error stays until OK clears it.
press MP_SWITCH_3
check MP_ST_3 = "1"
check MP_ERROR_MESSAGE = "Истекло время ожидания операции"
press MP_ERROR_MESSAGE_OK
check MP_ERROR_MESSAGE = ""
press MP_ERROR_MESSAGE_OK
check MP_ERROR_MESSAGE = ""

# A failing group command.
fault fail kelqorm_manual_group_cmd KELQORM_ERROR_NOT_CONNECTED
press MP_GRP_OFF
check MP_ERROR_MESSAGE = "Сеанс не подключён к модулю QORM"
check MP_ST_3 = "1"
press MP_ERROR_MESSAGE_OK

# A failing poll switches continuous polling off without a word.
set MP_STATE_CONT 1
fault fail kelqorm_state VI_ERROR_TMO always
wait 0.2
check MP_STATE_CONT = 0
check MP_TIMER not enabled
check MP_ERROR_MESSAGE = ""

# The state read before a switch fails: nothing is sent, the error is shown.
set MP_STATE_CONT 1
press MP_SWITCH_3
check MP_ERROR_MESSAGE = "Истекло время ожидания операции"
check MP_STATE_CONT = 0
fault clear kelqorm_state
press MP_CHECKSTATE
check MP_ST_3 = "1"
press MP_ERROR_MESSAGE_OK

# A start that fails half-way leaves MP_START pressed until the next refresh.
press MP_CTRL_MODE
set MP_L_3 0
set MP_L_4 2
set MP_T_4 1
set MP_START_MODE 1
fault fail kelqorm_cmd_config KELQORM_ERROR_TIME_RANGE
press MP_START
check MP_ERROR_MESSAGE = "Время вне допустимого диапазона модуля"
check MP_START = 1
check MP_ST_4 = "-"
press MP_CHECKSTATE
check MP_START = 0

# A warning is shown too, and the start goes on.
fault fail kelqorm_config_trigger 0x3FFC0801
press MP_START
check MP_ERROR_MESSAGE = "Модуль инициализирован с ошибками"
check MP_START = 1
check MP_ST_4 = "2"

# A failing reset is reported, and the panel is reset all the same.
fault fail kelqorm_reset VI_ERROR_TMO
press MP_RESET
check MP_ERROR_MESSAGE = "Истекло время ожидания операции"
check MP_CTRL_MODE = 1
check MP_L_4 = 0
