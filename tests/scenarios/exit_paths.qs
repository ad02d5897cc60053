# The ways out of the front panel, and the ones that only look like it.
# Crate: the built-in one (one carrier at VXI0::8::INSTR, a QORM at position 2).

check SI visible
check SI title = "Выбор носителя"
check SI_LIST lines = 1
check SI_LIST line 1 = "   0          0         3         8     155"
press SI_OK
check SI hidden
check MP visible
check MP title = "QORM кр.0, сл.3, мез.2"
check EXIT_POPUP hidden

# ВЫХОД asks; НЕТ keeps the front panel running.
press MP_CLOSE
check EXIT_POPUP visible
check EXIT_POPUP title = "QORM кр.0, сл.3, мез.2"
check EXIT_POPUP_TEXTMSG = "Завершить работу с мезонином QORM?"
check MP visible
press EXIT_POPUP_EXIT_NO
check EXIT_POPUP hidden
check MP visible

# The main panel's close box asks the same; the confirmation's own close box answers НЕТ.
close MP
check EXIT_POPUP visible
close EXIT_POPUP
check EXIT_POPUP hidden
check MP visible

# The confirmation is no modal popup: the front panel stays usable while it is shown.
choose IMNU_INSTR_EXIT
check EXIT_POPUP visible
press MP_CHECKSTATE
check MP_ST_1 = "-"

# ДА ends the run: the panels go and the caller's panel (the carrier summary) comes back.
press EXIT_POPUP_EXIT_YES
check CARRIER visible
check CARRIER_RESOURCE = "VXI0::8::INSTR"
check CARRIER_POSITIONS line 2 = "Позиция 2: QORM"
check no popup
