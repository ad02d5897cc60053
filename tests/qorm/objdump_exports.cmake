# qorm.dll as objdump -p shows it: exactly the four plain names in the export table, and DLLs of
# Windows itself in the import table.
#   cmake -DOBJDUMP=i686-w64-mingw32-objdump -DDLL=qorm.dll -P objdump_exports.cmake
cmake_policy(SET CMP0057 NEW)  # if(... IN_LIST ...)
execute_process(COMMAND ${OBJDUMP} -p ${DLL} RESULT_VARIABLE status OUTPUT_VARIABLE dump)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed (${status})")
endif()

# The name table: lines "\t[   0] +base[   1] 0000 qorm_close" after "[Ordinal/Name Pointer] Table".
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([^\n]*\\[ *[0-9]+\\][^\n]*\n)*)" table "${dump}")
string(REGEX MATCHALL "[A-Za-z_@0-9]+\n" names "${CMAKE_MATCH_1}")
string(REPLACE "\n" "" names "${names}")
list(SORT names)
if(NOT names STREQUAL "qorm_close;qorm_display;qorm_hide;qorm_init")
  message(FATAL_ERROR "exports: ${names}\n${dump}")
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" dlls "${dump}")
set(system kernel32.dll user32.dll gdi32.dll comctl32.dll advapi32.dll shell32.dll ole32.dll
    msvcrt.dll)
foreach(line IN LISTS dlls)
  string(REPLACE "DLL Name: " "" dll "${line}")
  string(TOLOWER "${dll}" dll)
  if(NOT dll IN_LIST system)
    message(FATAL_ERROR "qorm.dll imports ${dll}, which is not one of Windows' own DLLs")
  endif()
endforeach()
if(NOT dlls)
  message(FATAL_ERROR "no import table in:\n${dump}")
endif()
