# Ten real seconds of continuous polling, for the CPU a real-time headless run costs:
#   /usr/bin/time -f "%e s wall, %U s user, %S s system" \
#       build/bin/qorm --backend=headless --sim --clock=real --script=bench/poll_ten_seconds.qs
doubleclick SI_LIST 1
set MP_STATE_CONT 1
check MP_TIMER enabled
wait 10
check MP_STATE_CONT = 1
check MP_ERROR_MESSAGE = ""
