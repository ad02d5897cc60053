# cmake -DGROFF=<groff> -DPAGE=<page.1> -DPROGRAM=<qorm> -P check_man_page.cmake
# Renders the page as man does (UTF-8 input through preconv, -k) with every warning on (-ww),
# as plain text; fails on any warning, on a missing section an operator looks for, and on an
# option of the program's own --help that the page does not describe.
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8
                        ${GROFF} -k -man -Tutf8 -P-cbou -ww ${PAGE}
                RESULT_VARIABLE status OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
  message(FATAL_ERROR "groff: status ${status}\n${warnings}")
endif()
foreach(section "ОБЗОР" "ПАРАМЕТРЫ" "ФАЙЛЫ КРЕЙТА" "СЦЕНАРИИ" "СОСТОЯНИЕ ВЫХОДА" "ОКРУЖЕНИЕ")
  string(FIND "${page}" "${section}" at)
  if(at LESS 0)
    message(FATAL_ERROR "the man page has no section ${section}")
  endif()
endforeach()

execute_process(COMMAND ${PROGRAM} --help RESULT_VARIABLE status OUTPUT_VARIABLE help)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help: status ${status}")
endif()
string(REGEX MATCHALL "--[a-z][a-z-]*" options "${help}")
list(REMOVE_DUPLICATES options)
list(LENGTH options count)
if(count LESS 5)
  message(FATAL_ERROR "${PROGRAM} --help names only ${count} options: ${options}")
endif()
set(undescribed "")
foreach(option IN LISTS options)
  # In the options section each is a paragraph of its own: at the start of its line.
  if(NOT page MATCHES "\n +(-[a-z], )?${option}[][ =\n,]")
    list(APPEND undescribed ${option})
  endif()
endforeach()
if(undescribed)
  message(FATAL_ERROR "options the man page does not describe: ${undescribed}")
endif()
message(STATUS "${count} options described")
