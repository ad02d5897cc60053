# What an operator sees besides the values: labels, menu texts, places and sizes, the ranges and
# decimals of the time fields, the selection panel's colours.
# Crate: the built-in one (a QORM at mezzanine position 2, hardware revision 4.2: the fine step).

# The selection panel: its controls where they belong, light grey throughout, the list's text
# area white.
check SI size = 335 317
check SI_OK geometry = 41 208 25 103
check SI_CANCEL geometry = 84 209 25 103
check SI_LIST size = 303 185
check SI_OK label = "Выбрать"
check SI_CANCEL label = "Отмена"
check SI_TEXTMSG = "Интф.  Кр.ЛА   Слот   ЛА   Тип"
check SI colour = C0C0C0
check SI_OK colour = C0C0C0
check SI_CANCEL colour face = C0C0C0
check SI_LIST colour = C0C0C0
check SI_LIST colour textback = FFFFFF
check SI_TEXTMSG colour textback = C0C0C0
doubleclick SI_LIST 1

# The main panel, moved 20 pixels down and right for position 2; its menu.
check MP size = 558 630
check MP position = 70 71
check IMNU_INSTR title = "Инструмент"
check IMNU_INSTR_BASE_PANEL text = "Панель носителя"
check IMNU_INSTR_ZQORM text = "Проверка с QORM-Z"
check IMNU_INSTR_ABOUT text = "О программе"
check IMNU_INSTR_EXIT text = "Выход"
check MP_L_1 label = "1"
check MP_L_30 label = "30"

# The fine step: 0.005 to 10.235 on the common time and on every channel's time, three decimals.
check MP_GT range = 0.005 10.235 0.005
check MP_T_1 range = 0.005 10.235 0.005
check MP_T_30 range = 0.005 10.235 0.005
check MP_T_1 decimals = 3

# Small panels: the shortcut marker is not shown.
choose IMNU_INSTR_ABOUT
check ABOUT size = 206 364
check ABOUT_COMMANDBUTTON label = "Выход"
check ABOUT_COMMANDBUTTON label contains "Вых"
press ABOUT_COMMANDBUTTON
choose IMNU_INSTR_EXIT
check EXIT_POPUP size = 98 252
check EXIT_POPUP_EXIT_YES label = "ДА"
check EXIT_POPUP_EXIT_NO label = "НЕТ"
