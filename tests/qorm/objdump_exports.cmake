# A DLL as objdump -p shows it: exactly the expected plain names in the export table, and in the
# import table DLLs of Windows itself, or those named as allowed.
#   cmake -DOBJDUMP=i686-w64-mingw32-objdump -DDLL=qorm.dll
#         [-DEXPECTED="a;b;c" | -DEXPECTED_DEF=x.def] [-DALSO_IMPORTS="y.dll"]
#         -P objdump_exports.cmake
# Without EXPECTED or EXPECTED_DEF, the four operations of qorm.dll are expected; EXPECTED_DEF
# takes the names of a .def file's EXPORTS lines.
cmake_policy(SET CMP0057 NEW)  # if(... IN_LIST ...)
if(DEFINED EXPECTED_DEF)
  file(STRINGS "${EXPECTED_DEF}" lines REGEX "^[ \t]+[A-Za-z_]")
  set(EXPECTED "")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" name)
    list(APPEND EXPECTED "${name}")
  endforeach()
elseif(NOT DEFINED EXPECTED)
  set(EXPECTED qorm_close qorm_display qorm_hide qorm_init)
endif()
list(SORT EXPECTED)
if(NOT EXPECTED)
  message(FATAL_ERROR "no names expected of ${DLL}")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${DLL} RESULT_VARIABLE status OUTPUT_VARIABLE dump)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed (${status})")
endif()

# The name table: lines "\t[   0] +base[   1] 0000 qorm_close" after "[Ordinal/Name Pointer] Table".
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([^\n]*\\[ *[0-9]+\\][^\n]*\n)*)" table "${dump}")
string(REGEX MATCHALL "[A-Za-z_@0-9]+\n" names "${CMAKE_MATCH_1}")
string(REPLACE "\n" "" names "${names}")
list(SORT names)
if(NOT names STREQUAL EXPECTED)
  message(FATAL_ERROR "exports: ${names}\nexpected: ${EXPECTED}\n${dump}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" dlls "${dump}")
set(system kernel32.dll user32.dll gdi32.dll comctl32.dll uxtheme.dll advapi32.dll shell32.dll ole32.dll
    msvcrt.dll)
string(TOLOWER "${ALSO_IMPORTS}" allowed)
foreach(line IN LISTS dlls)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST system AND NOT dll IN_LIST allowed)
    message(FATAL_ERROR "${DLL} imports ${dll}, which is not one of Windows' own DLLs")
  endif()
endforeach()
if(NOT dlls)
  message(FATAL_ERROR "no import table in:\n${dump}")
endif()
