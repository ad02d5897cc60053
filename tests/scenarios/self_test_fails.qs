# A module that opens with faults and fails its self-test.
# Crate: sim/crates/self-test-fails.yaml.
doubleclick SI_LIST 1
check popup "QORM" "Инициализация прошла с ошибками\r\nОшибка регистра управления каналов 1-8"
check no popup
check MP visible
check MP_LED = 1
press MP_SELFTEST
check ST_RESULT = 5
check ST_MSG = "Ошибка регистра управления каналов 1-8"
check ST_CLOSE not dimmed
check MP_ERROR_MESSAGE = ""
