# The selection panel closed from its frame acts as Отмена.
close SI
check SI hidden
check popup "QORM" "Носитель не найден.\nДемо режим"
check MP_LED = 0
