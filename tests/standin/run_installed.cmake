# Installs the stand-ins alone into a staging prefix and runs the plain host on them there, as a
# host's author runs a host on an installed copy:
#   cmake -DBUILD=<build tree> -DPREFIX=<staging prefix> -DHOST=<plain_host> -DLIBS=<folder of
#         libqorm.so> -P run_installed.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}"
                        --component qorm-sim
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the stand-ins do not install (status ${status}):\n${out}")
endif()
foreach(library libvisa.so libkelqorm.so libkelbase.so libqorm_sim_crate.so)
  if(NOT EXISTS "${PREFIX}/lib/qorm-sim/${library}")
    message(FATAL_ERROR "${library} is not installed in lib/qorm-sim/:\n${out}")
  endif()
endforeach()
set(ENV{LD_LIBRARY_PATH} "${PREFIX}/lib/qorm-sim:${LIBS}")
unset(ENV{QORM_SIM_CRATE})
execute_process(COMMAND "${HOST}" RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "plain_host on the installed stand-ins: status ${status}:\n${out}")
endif()
message(STATUS "${out}")
