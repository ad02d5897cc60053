# The front panel as it comes up on the built-in crate, the about panel and the carrier panel.
doubleclick SI_LIST 1
check MP_LED = 1
check MP_I = 0
check MP_K = 0
check MP_S = 3
check MP_MEZ_NUM = 2
check MP_CTRL_MODE = 1
check MP_STATE_CONT = 0
check MP_T_1 = 0.05
check MP_T_1 dimmed
check MP_L_1 = " -"
check MP_ST_1 = ""
check MP_START = 0
check MP_ERROR_MESSAGE = ""
check IMNU_INSTR_ZQORM not dimmed

choose IMNU_INSTR_ABOUT
check ABOUT visible
check ABOUT title = "О программе... QORM кр.0, сл.3, мез.2"
check ABOUT_DRVR_VERSION = "QORM-SIM 1.0"
check ABOUT_HRDW_VERSION = "4.2"
check ABOUT_SOFT_VERSION = "1.2.2"
press ABOUT_COMMANDBUTTON
check ABOUT hidden
choose IMNU_INSTR_ABOUT
close ABOUT
check ABOUT hidden

press MP_BAZA
check CARRIER visible
check CARRIER_MODEL = "155"
check CARRIER_SLOT = "3"
check CARRIER_LA = "8"
check CARRIER_POSITIONS lines = 4
check CARRIER_POSITIONS line 2 = "Позиция 2: QORM"
check CARRIER_POSITIONS line 3 = "Позиция 3: пусто"
check MP visible
