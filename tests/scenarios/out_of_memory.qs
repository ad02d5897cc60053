# No memory for the module's record when the front panel opens it: the operator is told, the
# driver session opened for it is closed, and the program ends without a front panel (the
# record the start-up would run it on does not exist).
fault fail memory
doubleclick SI_LIST 1
check popup "QORM" "Не хватает оперативной памяти"
check no popup
check exit = 0
