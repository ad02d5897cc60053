# Finer faults of the simulated crate: raw latch words with their high bits, one call failing
# among many, and no memory left for the front panel's record.

# Latch words as the module reports them: bit 0 lights line 1's lamp, bit 1 line 2's; the other
# bits are ignored. (Set once the module is open: opening it with a reset clears its latches.)
doubleclick SI_LIST 1
fault latch 5 0x8001
fault latch 6 0xFFFE VXI0::8::INSTR 2
press MP_CHECKSTATE
check MP_1FIX_5 = 1
check MP_2FIX_5 = 0
check MP_1FIX_6 = 0
check MP_2FIX_6 = 1
press MP_1FIX_6                 # clearing the channel's latches clears the word
check calls kelqorm_reset_trig(1, 6) kelqorm_gstart_q kelqorm_state kelqorm_trig_state
check MP_2FIX_6 = 0
check MP_1FIX_5 = 1

# The second poll's state query alone fails: polling goes off without a word, the first poll
# having gone through.
fault fail kelqorm_state VI_ERROR_TMO after 2
set MP_STATE_CONT 1
check MP_TIMER enabled
wait 0.15
check MP_STATE_CONT = 1
wait 0.1
check MP_STATE_CONT = 0
check MP_TIMER not enabled
check MP_ERROR_MESSAGE = ""
