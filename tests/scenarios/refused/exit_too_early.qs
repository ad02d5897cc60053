# The exit status is known only once the program has ended.
doubleclick SI_LIST 1
check exit = 0
