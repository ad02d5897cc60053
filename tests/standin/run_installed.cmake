# Installs the stand-ins alone into a staging prefix and runs the plain host on them there, as a
# host's author runs a host on an installed copy:
#   cmake -DBUILD=<build tree> -DPREFIX=<staging prefix> -DHOST=<plain_host> -DLIBS=<folder of
#         libqorm.so> -P run_installed.cmake
# On Windows (EMULATOR given, wine) LIBS is qorm.dll itself: the host and qorm.dll are copied
# beside the installed DLLs in qorm-sim/, where Windows finds them, and the host runs there.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}"
                        --component qorm-sim
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the stand-ins do not install (status ${status}):\n${out}")
endif()
if(EMULATOR)
  set(folder "${PREFIX}/qorm-sim")
  set(libraries visa32.dll kelqorm_32.dll KELBASE_32.dll qorm_sim_crate.dll)
else()
  set(folder "${PREFIX}/lib/qorm-sim")
  set(libraries libvisa.so libkelqorm.so libkelbase.so libqorm_sim_crate.so)
endif()
foreach(library ${libraries})
  if(NOT EXISTS "${folder}/${library}")
    message(FATAL_ERROR "${library} is not installed in ${folder}:\n${out}")
  endif()
endforeach()
unset(ENV{QORM_SIM_CRATE})
if(EMULATOR)
  file(COPY "${HOST}" "${LIBS}" DESTINATION "${folder}")
  get_filename_component(host_name "${HOST}" NAME)
  execute_process(COMMAND ${EMULATOR} "${folder}/${host_name}" WORKING_DIRECTORY "${PREFIX}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
else()
  set(ENV{LD_LIBRARY_PATH} "${folder}:${LIBS}")
  execute_process(COMMAND "${HOST}" RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
endif()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "plain_host on the installed stand-ins: status ${status}:\n${out}")
endif()
message(STATUS "${out}")
