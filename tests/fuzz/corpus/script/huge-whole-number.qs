check MP_T_1 decimals = 1e308
