# The host program end to end: two front panels from the host's panel, the inner one closed from
# the host, the outer one left through its own exit confirmation.
# Crate: sim/crates/several-carriers.yaml, carrier VXI0::8::INSTR (QORM at positions 2 and 4).
check HOST visible
check HOST title = "Носитель VXI0::8::INSTR"
check HOST_LIST line 1 = "Позиция 1: мезонин типа 7"
check HOST_LIST line 4 = "Позиция 4: QORM"
doubleclick HOST_LIST 2
check MP title = "QORM кр.0, сл.3, мез.2"
check HOST_LIST line 2 = "Позиция 2: QORM (панель открыта)"
doubleclick HOST_LIST 4
check MP title = "QORM кр.0, сл.3, мез.4"
select HOST_LIST 4
press HOST_HIDE
# Of two main panels the shown one is meant: position 4's is hidden now.
check MP title = "QORM кр.0, сл.3, мез.2"
press HOST_CLOSE
check HOST_LIST line 4 = "Позиция 4: QORM"
check MP title = "QORM кр.0, сл.3, мез.2"
press MP_CLOSE
press EXIT_POPUP_EXIT_YES
check HOST_LIST line 2 = "Позиция 2: QORM"
check HOST visible
press HOST_EXIT
check HOST hidden
