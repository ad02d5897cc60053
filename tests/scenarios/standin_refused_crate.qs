# On the stand-in libraries with a crate file they refuse: VISA reports itself missing, so no
# carrier is found and the front panel runs on the demo instance; the module driver's text on
# the error line names the file and the reason.
check popup "QORM" "Носитель не найден.\nДемо режим"
check no popup
check MP visible
check MP_LED = 0
set MP_L_1 1
press MP_SWITCH_1
check MP_ERROR_MESSAGE contains "Файл крейта не принят: "
check MP_ERROR_MESSAGE contains "slot_99.yaml:5: "
check MP_ERROR_MESSAGE contains "slot 99"
