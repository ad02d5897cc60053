# Отмена in the selection panel: no carrier, the demo instance.
check SI visible
press SI_CANCEL
check SI hidden
check popup "QORM" "Носитель не найден.\nДемо режим"
check MP title = "QORM кр.1, сл.1, мез.1"
check MP_LED = 0
