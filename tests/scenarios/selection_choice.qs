# The selection panel with several carriers: each line a carrier of the front panel's models.
# Crate: sim/crates/several-carriers.yaml.
check SI visible
check SI title = "Выбор носителя"
check SI_TEXTMSG = "Интф.  Кр.ЛА   Слот   ЛА   Тип"
check SI_LIST lines = 5
check SI_LIST line 1 = "   0          0         3         8     155"
check SI_LIST line 2 = "   0          0         5        16     10D"
check SI_LIST line 3 = "   1          0         7        40     155"
check SI_LIST line 4 = "  12          0         2        48     155"   # board 12: the whole number
check SI_LIST line 5 = "   0          0         9        56     155"
check SI_LIST = "   0          0         3         8     155"

# The older carrier model, with a QORM of revision 3.1 at position 1: one common time.
doubleclick SI_LIST 2
check SI hidden
check MP title = "QORM кр.0, сл.5, мез.1"
check MP_S = 5
check MP_MEZ_NUM = 1
check MP_HW_VER = "3.1"
check MP_T_1 hidden
check MP_SET_GT hidden
check MP_LED = 1
check CARRIER_RESOURCE = "VXI0::16::INSTR"
check CARRIER_MODEL = "10D"
check CARRIER_POSITIONS line 1 = "Позиция 1: QORM"
check CARRIER_POSITIONS line 2 = "Позиция 2: пусто"
check no popup
