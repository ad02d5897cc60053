# The loop-back test without the test connector: the driver's own lines are the whole report.
# Crate: sim/crates/no-test-connector.yaml.
doubleclick SI_LIST 1
set MP_L_3 2
answer yes
choose IMNU_INSTR_ZQORM
check ZQORM visible
check ZQORM_TEXTBOX lines = 2
check ZQORM_TEXTBOX line 1 = "Проверка QORM..."
check ZQORM_TEXTBOX line 2 = "Нет ответа ни по одному каналу: соединитель QORM-Z не подключён"
check MP_L_3 = 0
