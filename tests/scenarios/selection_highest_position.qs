# A carrier with QORM modules at positions 2 and 4: the higher one is opened.
# Crate: sim/crates/several-carriers.yaml.
# A click on a line is a choice already (the list commits on a click).
select SI_LIST 1
check SI hidden
check MP title = "QORM кр.0, сл.3, мез.4"
check MP_MEZ_NUM = 4
check CARRIER_POSITIONS = "Позиция 1: мезонин типа 7\nПозиция 2: QORM\nПозиция 3: пусто\nПозиция 4: QORM"
