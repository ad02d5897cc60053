# Records a scenario run through the program and replays the recording headless: the replay must
# go through as well, and the recording must hold the confirmation's answer before its action.
#   cmake -DPROGRAM=... -DCRATE=... -DSCRIPT=... -DRECORD=... -P record_replay.cmake
execute_process(COMMAND ${PROGRAM} --backend=headless --sim=${CRATE} --script=${SCRIPT}
                        --record=${RECORD}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the recorded run failed (${status}):\n${out}")
endif()
file(READ ${RECORD} recorded)
if(NOT recorded MATCHES "answer yes\nchoose IMNU_INSTR_ZQORM\n")
  message(FATAL_ERROR "the answer does not precede its action in the recording:\n${recorded}")
endif()
execute_process(COMMAND ${PROGRAM} --backend=headless --sim=${CRATE} --script=${RECORD}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the replay failed (${status}):\n${out}\nrecording:\n${recorded}")
endif()
