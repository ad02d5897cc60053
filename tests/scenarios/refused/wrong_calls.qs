# A poll makes three calls, not two.
doubleclick SI_LIST 1
press MP_CHECKSTATE
check calls kelqorm_gstart_q kelqorm_state
