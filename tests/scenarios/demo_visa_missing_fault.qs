# VISA made "missing" before the start-up by a leading fault line, on the built-in crate.
fault visa missing
check popup "QORM" "Носитель не найден.\nДемо режим"
check MP_LED = 0
check MP title = "QORM кр.1, сл.1, мез.1"
