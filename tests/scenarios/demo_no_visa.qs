# No VISA library: no carrier is found, and the front panel runs on the demo instance.
# Crate: sim/crates/no-visa.yaml.
check popup "QORM" "Носитель не найден.\nДемо режим"
check no popup
check MP visible
check MP title = "QORM кр.1, сл.1, мез.1"
check MP_LED = 0
check MP_I = 0
check MP_K = 1
check MP_S = 1
check MP_MEZ_NUM = 1
check MP_HW_VER = ""
check MP_T_1 visible

# Without a module the commands fail on the error line, and nothing else breaks.
set MP_L_1 1
press MP_SWITCH_1
check MP_ERROR_MESSAGE = "Неверный или закрытый сеанс (дескриптор)"
check MP_SWITCH_1 = 1
press MP_ERROR_MESSAGE_OK
set MP_STATE_CONT 1
wait 0.5
check MP_STATE_CONT = 0
check MP_ERROR_MESSAGE = ""
# A self-test that cannot run is never shown as passed: the driver's text for the failure.
press MP_SELFTEST
check ST_MSG = "Неверный или закрытый сеанс (дескриптор)"

# The carrier panel says there is none.
press MP_BAZA
check CARRIER visible
check CARRIER_RESOURCE = "нет (демо режим)"
check CARRIER_POSITIONS = "Носитель не открыт"
press CARRIER_CLOSE
check CARRIER hidden
choose IMNU_INSTR_BASE_PANEL
check CARRIER visible
close CARRIER
check CARRIER hidden

choose IMNU_INSTR_ABOUT
check ABOUT visible
check ABOUT_SOFT_VERSION = "1.2.2"
check ABOUT_HRDW_VERSION = ""
