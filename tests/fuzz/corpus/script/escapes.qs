# texts with every escape
check popup "QORM" "a\n\r\t\"\\\\ \xFF\x00b"
set MP_T_1 0x10
wait 86400
