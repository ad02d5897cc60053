# Records a scenario run through the program and replays the recording headless: the replay must
# go through as well, and the recording must hold the confirmation's answer before its action.
#   cmake [-DEMULATOR=wine -DRUN_PREFIX=Z:] -DPROGRAM=... -DCRATE=... -DSCRIPT=... -DRECORD=...
#         -P record_replay.cmake
# RECORD is a path of this machine; the program is given it with RUN_PREFIX in front. A Windows
# program writes the recording with CR LF line ends.
execute_process(COMMAND ${EMULATOR} ${PROGRAM} --backend=headless --sim=${CRATE} --script=${SCRIPT}
                        --record=${RUN_PREFIX}${RECORD}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the recorded run failed (${status}):\n${out}")
endif()
file(READ ${RECORD} recorded)
string(REPLACE "\r\n" "\n" recorded "${recorded}")
if(NOT recorded MATCHES "answer yes\nchoose IMNU_INSTR_ZQORM\n")
  message(FATAL_ERROR "the answer does not precede its action in the recording:\n${recorded}")
endif()
execute_process(COMMAND ${EMULATOR} ${PROGRAM} --backend=headless --sim=${CRATE}
                        --script=${RUN_PREFIX}${RECORD}
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the replay failed (${status}):\n${out}\nrecording:\n${recorded}")
endif()
