# cmake -DROOT=<source tree> -DLIST=<exported_includes.txt> -P check_exports.cmake
# Each line of LIST is TARGET=DIR;DIR;... Fails for a target that exports the project's root or
# one of its shared folders (ui/, ui/core, ui/headless, platform/, sim/) as an include folder.
cmake_policy(SET CMP0057 NEW)  # if(IN_LIST)
set(raw "${ROOT}" "${ROOT}/ui" "${ROOT}/ui/core" "${ROOT}/ui/headless" "${ROOT}/platform"
        "${ROOT}/sim")
file(STRINGS "${LIST}" lines)
set(offences "")
foreach(line IN LISTS lines)
  if(NOT line MATCHES "^([^=]+)=(.*)$")
    continue()
  endif()
  set(target "${CMAKE_MATCH_1}")
  set(dirs "${CMAKE_MATCH_2}")
  foreach(dir IN LISTS dirs)
    # The folders a target exports in the build tree count; those of an installed package lie
    # under its prefix.
    if(dir MATCHES "^\\$<BUILD_INTERFACE:(.*)>$")
      set(dir "${CMAKE_MATCH_1}")
    elseif(dir MATCHES "^\\$<INSTALL_INTERFACE:")
      continue()
    endif()
    string(REGEX REPLACE "/+$" "" dir "${dir}")
    if(dir IN_LIST raw)
      list(APPEND offences "${target} exports ${dir}")
    endif()
  endforeach()
endforeach()
if(offences)
  list(JOIN offences "\n  " listed)
  message(FATAL_ERROR "raw project folders exported:\n  ${listed}")
endif()
list(LENGTH lines count)
message(STATUS "${count} targets export include folders of their own")
