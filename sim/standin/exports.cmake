# The export files of a stand-in DLL for 32-bit Windows, made from its library's declaration list.
#
#   cmake -DMODE=def -DCC=<C compiler> -DINCLUDE=<folder of visa.h> -DHEADER=visa.h
#         -DLIST=QORM_VISA_OPERATIONS -DDLL=visa32.dll -DOUT=visa32.def -P exports.cmake
# writes the .def the DLL is linked with: every operation of the list under its plain name
# (viOpen). The operations are stdcall, so the compiled symbols carry the size of their
# arguments (viOpen@16); the linker resolves each plain name to its decorated symbol.
#
#   cmake -DMODE=implib -DNM=<nm> -DDLLTOOL=<dlltool> -DDEF=visa32.def -DOBJECTS="a.obj;..."
#         -DDLL=visa32.dll -DOUT=<import library> -P exports.cmake
# writes the DLL's import library. A program compiled against visa.h refers to the decorated
# names (_viOpen@16); the import library maps each onto the plain export, as the vendors' import
# libraries do. The sizes are those the compiler gave the stand-in's own definitions.
cmake_minimum_required(VERSION 3.20)

if(MODE STREQUAL "def")
  set(probe "${OUT}.c")
  file(WRITE "${probe}" "#include \"${HEADER}\"\n"
                        "#define QORM_EXPORT_NAME(ret, name, field, ...) name\n"
                        "QORM_EXPORTED_OPERATIONS ${LIST}(QORM_EXPORT_NAME)\n")
  execute_process(COMMAND "${CC}" -E -P -x c "-I${INCLUDE}" "${probe}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE expanded ERROR_VARIABLE errors)
  file(REMOVE "${probe}")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${LIST} of ${HEADER} does not expand:\n${errors}")
  endif()
  string(FIND "${expanded}" "QORM_EXPORTED_OPERATIONS" at REVERSE)
  if(at LESS 0)
    message(FATAL_ERROR "no ${LIST} in the expansion of ${HEADER}")
  endif()
  string(SUBSTRING "${expanded}" ${at} -1 tail)
  string(REPLACE "QORM_EXPORTED_OPERATIONS" "" tail "${tail}")
  string(REGEX MATCHALL "[A-Za-z_][A-Za-z_0-9]*" names "${tail}")
  if(NOT names)
    message(FATAL_ERROR "${LIST} of ${HEADER} lists no operation")
  endif()
  list(SORT names)
  set(text "; ${DLL}: the operations of ${LIST} (${HEADER}) under their plain names.\n")
  string(APPEND text "; Made by sim/standin/exports.cmake from the declaration list.\n")
  string(APPEND text "LIBRARY ${DLL}\nEXPORTS\n")
  foreach(name IN LISTS names)
    string(APPEND text "    ${name}\n")
  endforeach()
  # Written only when it changes, so the DLL is linked again only when the list changes.
  if(EXISTS "${OUT}")
    file(READ "${OUT}" old)
  endif()
  if(NOT old STREQUAL text)
    file(WRITE "${OUT}" "${text}")
  endif()

elseif(MODE STREQUAL "implib")
  file(STRINGS "${DEF}" lines REGEX "^    [A-Za-z_]")
  set(symbols "")
  foreach(object IN LISTS OBJECTS)
    execute_process(COMMAND "${NM}" --defined-only "${object}"
                    RESULT_VARIABLE status OUTPUT_VARIABLE listing ERROR_VARIABLE errors)
    if(NOT status EQUAL 0)
      message(FATAL_ERROR "${NM} ${object}: ${errors}")
    endif()
    string(APPEND symbols "${listing}")
  endforeach()
  set(text "LIBRARY ${DLL}\nEXPORTS\n")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" name)
    # "00000000 T _viOpen@16": the stdcall definition of the operation.
    if(NOT symbols MATCHES "[ \t]T _${name}@([0-9]+)\n")
      message(FATAL_ERROR "${DLL}: no stdcall definition of ${name} in ${OBJECTS}")
    endif()
    string(APPEND text "    ${name}@${CMAKE_MATCH_1}\n")
  endforeach()
  set(import_def "${OUT}.def")
  file(WRITE "${import_def}" "${text}")
  execute_process(COMMAND "${DLLTOOL}" -m i386 --kill-at -D "${DLL}" -d "${import_def}"
                          -l "${OUT}"
                  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${DLLTOOL} for ${DLL}: ${out}")
  endif()

else()
  message(FATAL_ERROR "MODE must be def or implib")
endif()
