# The chosen carrier is held by another program: the operator is told, and the front panel runs
# on the demo instance.
# Crate: sim/crates/busy-carrier.yaml.
doubleclick SI_LIST 1
check popup "Носитель" "          Ошибка инициализации.\nУстройство занято либо не сконфигурировано\n          Менеджером Ресурсов."
check no popup
check MP title = "QORM кр.1, сл.1, мез.1"
check MP_LED = 0
check CARRIER_RESOURCE = "VXI0::8::INSTR"
check CARRIER_POSITIONS = "Носитель не открыт"
