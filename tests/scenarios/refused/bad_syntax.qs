# A script that cannot be read: exit 2 before anything runs.
doubleclick SI_LIST 1
prss MP_START
