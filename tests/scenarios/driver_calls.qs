# The driver calls each operator action makes, in order: a poll, the latch clearing of one channel
# and of all. The built-in crate's module driver opens session 1 first.
doubleclick SI_LIST 1
press MP_CHECKSTATE
check calls kelqorm_gstart_q kelqorm_state kelqorm_trig_state
check no call kelqorm_reset_trig
press MP_2FIX_7
check calls kelqorm_reset_trig(1, 7) kelqorm_gstart_q kelqorm_state kelqorm_trig_state
press MP_FIXRST
check calls kelqorm_reset_trig(1, 0) kelqorm_gstart_q(1) kelqorm_state(1) kelqorm_trig_state(1)
# A refused action makes no call, and the calls of the action before still count.
expect refused press MP_START
check calls kelqorm_reset_trig kelqorm_gstart_q kelqorm_state kelqorm_trig_state
