# cmake -DROOT=<source tree> -DFOLDERS=<folders> -P check_includes.cmake
# Fails, naming each file and line, when a source under FOLDERS includes a header of the
# run-time's core or of its headless backend, by any path.
set(offences "")
foreach(folder IN LISTS FOLDERS)
  file(GLOB_RECURSE sources LIST_DIRECTORIES false
       "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.hpp" "${ROOT}/${folder}/*.cpp")
  foreach(source IN LISTS sources)
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "[<\"]([^>\"]*/)?(core|headless)/[^>\"]*[>\"]"
         OR line MATCHES "[<\"][^>\"]*ui/(core|headless)[^>\"]*[>\"]")
        file(RELATIVE_PATH shown "${ROOT}" "${source}")
        string(STRIP "${line}" line)
        list(APPEND offences "${shown}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(offences)
  list(JOIN offences "\n  " listed)
  message(FATAL_ERROR "run-time internals included outside ui/:\n  ${listed}")
endif()
list(JOIN FOLDERS ", " checked)
message(STATUS "only public run-time headers in ${checked}")
