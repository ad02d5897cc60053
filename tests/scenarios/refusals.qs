# What the operator cannot do is refused as it would be for a person: indicators, dimmed controls,
# controls of a hidden panel.
doubleclick SI_LIST 1
expect refused set MP_ERROR_MESSAGE "x"
expect refused set MP_ST_1 "1"
expect refused press MP_START          # dimmed in manual control
expect refused set MP_T_1 0.5          # dimmed in manual control
expect refused press ABOUT_COMMANDBUTTON
check MP_ERROR_MESSAGE = ""
press MP_CTRL_MODE
set MP_L_1 1
set MP_T_1 0.5
check MP_T_1 = 0.5
