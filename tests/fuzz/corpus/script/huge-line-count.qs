check SI_LIST lines = 3.6e31
