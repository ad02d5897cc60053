# Runs a program and checks its exit status and what it printed (stdout and stderr together).
#   cmake [-DEMULATOR=wine] -DPROGRAM=... -DARGS="a;b" -DEXIT=1 -DOUTPUT=regex -P expect_run.cmake
# A Windows program ends its lines with CR LF; the expected output is written with LF alone.
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${ARGS} RESULT_VARIABLE status OUTPUT_VARIABLE out
                ERROR_VARIABLE out)
string(REPLACE "\r\n" "\n" out "${out}")
if(NOT status STREQUAL EXIT)
  message(FATAL_ERROR "exit status ${status}, expected ${EXIT}; output:\n${out}")
endif()
if(DEFINED OUTPUT AND NOT out MATCHES "${OUTPUT}")
  message(FATAL_ERROR "the output does not match \"${OUTPUT}\":\n${out}")
endif()
