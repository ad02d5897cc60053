# Самоконтроль on a module that passes: the verdict on the self-test panel.
doubleclick SI_LIST 1
check ST hidden
press MP_SELFTEST
check ST visible
check ST title contains "Самоконтроль"
check ST_RESULT = 0
check ST_MSG = "Самоконтроль завершен успешно"
check ST_CLOSE not dimmed
check MP_ERROR_MESSAGE = ""
press ST_CLOSE
check ST hidden

# Again, closed from the frame this time.
press MP_SELFTEST
check ST visible
close ST
check ST hidden
