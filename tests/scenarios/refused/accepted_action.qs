# An action the script expected to be refused is accepted.
doubleclick SI_LIST 1
expect refused press MP_CHECKSTATE
