# Where the installed files go, and the helpers each folder uses to mark what it installs.
#
# The layout under the prefix:
#   bin/                      qorm, qorm-render, qorm_host
#   lib/                      libqorm.so.1 and the run-time, its views and the bindings
#   lib/cmake/qorm/           the CMake package (qorm::qorm, qorm::uir, ...)
#   lib/pkgconfig/qorm.pc
#   include/qorm/             the host contract, the three libraries' declarations, the run-time
#   share/qorm/crates/        example crate files for --sim
#   lib/qorm-sim/             stand-ins of the system libraries built from the simulated crate:
#                             a folder of their own, never on the default library path
# Every installed binary finds the libraries relative to itself ($ORIGIN), so an installed tree
# or an extracted package runs from wherever it lies.
#
# On Windows the run-time and the bindings are linked into each program and into qorm.dll, so
# only those are installed, in the folder an operator unpacks (see cmake/Package.cmake):
#   qorm.exe, qorm.dll                  together, as Windows finds a program's DLLs
#   lib/qorm.lib                        the import library with the stdcall names of qorm.h
#   include/                            qorm.h and the C declarations a host compiles with
#   crates/                             example crate files for --sim
#   qorm-sim/                           stand-ins of the system DLLs, apart from the program so
#                                       that a test station's own VISA and drivers are the ones
#                                       qorm.exe finds
include(GNUInstallDirs)

if(WIN32)
  set(QORM_INSTALL_BINDIR .)
  set(QORM_INSTALL_INCLUDEDIR include)
  set(QORM_INSTALL_DATADIR .)
  set(QORM_INSTALL_SIMLIBDIR qorm-sim)
else()
  set(QORM_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
  set(QORM_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/qorm)
  set(QORM_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/qorm)
  set(QORM_INSTALL_SIMLIBDIR ${CMAKE_INSTALL_LIBDIR}/qorm-sim)
endif()
set(QORM_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/qorm)

# The programs look for the libraries from their own folder.
file(RELATIVE_PATH _qorm_bin_to_lib ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
set(CMAKE_INSTALL_RPATH "$ORIGIN/${_qorm_bin_to_lib}")

# qorm_shared_library(<target> <file name> [SOVERSION <version>])
# Names an installed shared library, versions it and adds it to the package's exported targets.
# Without SOVERSION the soname carries the whole version: the C++ interfaces of the run-time and
# the bindings promise no compatibility between releases, so each release is a soname of its own.
function(qorm_shared_library target output_name)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "SOVERSION" "")
  if(NOT arg_SOVERSION)
    set(arg_SOVERSION ${PROJECT_VERSION})
  endif()
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME ${output_name}
    VERSION ${PROJECT_VERSION}
    SOVERSION ${arg_SOVERSION}
    # Beside each other in lib/: each finds the others from its own folder.
    INSTALL_RPATH "$ORIGIN")
  # The package's name for it, in the tree too, so code built both ways names it one way.
  get_target_property(export_name ${target} EXPORT_NAME)
  if(NOT export_name)
    set(export_name ${target})
  endif()
  add_library(qorm::${export_name} ALIAS ${target})
  # On Windows these are static libraries inside the programs and qorm.dll: nothing to install
  # but qorm.dll itself, which cmake/Package.cmake names.
  if(WIN32)
    return()
  endif()
  install(TARGETS ${target} EXPORT qormTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
endfunction()

# qorm_public_headers(FILES <header>... [SUBDIR <folder>])
# qorm_public_headers(DIRECTORY <folder>)
# Installs headers a host program includes, under include/qorm/ (a DIRECTORY keeps its own name:
# include/uir gives include/qorm/uir/), so the installed package is included exactly as the tree
# is: "qorm.h", "visa.h", "uir/runtime.h", "sim/sim.h".
function(qorm_public_headers)
  # A Windows host has qorm.dll only, none of the run-time's libraries: it gets the C headers
  # cmake/Package.cmake names.
  if(WIN32)
    return()
  endif()
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "SUBDIR;DIRECTORY" "FILES")
  if(arg_DIRECTORY)
    install(DIRECTORY ${arg_DIRECTORY} DESTINATION ${QORM_INSTALL_INCLUDEDIR}
            FILES_MATCHING PATTERN "*.h")
  endif()
  if(arg_FILES)
    install(FILES ${arg_FILES} DESTINATION ${QORM_INSTALL_INCLUDEDIR}/${arg_SUBDIR})
  endif()
endfunction()
