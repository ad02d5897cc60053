# A module that opens with faults but passes its self-test: the operator is told, and the front
# panel runs on the module.
# Crate: sim/crates/connect-warning.yaml.
doubleclick SI_LIST 1
check popup "QORM" "Инициализация прошла с ошибками(тест +)"
check MP_LED = 1
check MP_MEZ_NUM = 2
