# What is installed besides the libraries and headers each folder marks: the programs, the
# example crate files, the man page, the desktop entry and icon, the documentation; the CMake
# package and qorm.pc for host programs; and the packages CPack makes of it all (`make package`).
if(WIN32)
  # The Windows zip: what an operator runs, what a host program's author builds with, and the
  # example crates, in one folder. qorm.exe and qorm.dll lie together, as Windows looks for a
  # program's DLLs beside it; the import library is dlltool's (see qorm/), which the linker's
  # file is overwritten with.
  install(TARGETS qorm_app RUNTIME DESTINATION ${QORM_INSTALL_BINDIR})
  install(TARGETS libqorm RUNTIME DESTINATION ${QORM_INSTALL_BINDIR} ARCHIVE DESTINATION lib)
  # What a C host includes: the host contract, the panel and control names, and the three
  # libraries' declarations qorm.h stands on. The run-time's C++ headers are of no use without its
  # libraries, which are inside qorm.dll here.
  install(FILES ${PROJECT_SOURCE_DIR}/qorm/qorm.h ${PROJECT_SOURCE_DIR}/layout/qorm_uir.h
                ${PROJECT_SOURCE_DIR}/platform/visa.h ${PROJECT_SOURCE_DIR}/platform/declare.h
                ${PROJECT_SOURCE_DIR}/platform/kelqorm.h ${PROJECT_SOURCE_DIR}/platform/kelbase.h
          DESTINATION ${QORM_INSTALL_INCLUDEDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/sim/crates/ DESTINATION ${QORM_INSTALL_DATADIR}/crates
          FILES_MATCHING PATTERN "*.yaml")
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION docs FILES_MATCHING PATTERN "*.png")
else()
  include(CMakePackageConfigHelpers)

  set(_programs qorm_app)
  foreach(program qorm_render qorm_host)
    if(TARGET ${program})
      list(APPEND _programs ${program})
    endif()
  endforeach()
  install(TARGETS ${_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

  install(DIRECTORY ${PROJECT_SOURCE_DIR}/sim/crates/ DESTINATION ${QORM_INSTALL_DATADIR}/crates
          FILES_MATCHING PATTERN "*.yaml")

  # The simulated crate as an archive for a host program's own tests (qorm::sim), with the text
  # and path libraries it links. It needs yaml-cpp's development files, so it is an export set of its own that
  # the package configuration loads only where yaml-cpp is found.
  install(TARGETS qorm_sim qorm_ctext qorm_native EXPORT qormSimTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
  # A stripped install (cmake --install --strip, and the packages) strips the archives' debugging
  # information too, which install(TARGETS) leaves in them.
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      foreach(archive libqorm_sim.a libqorm_ctext.a libqorm_native.a)
        execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-debug
          \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/\${archive}\")
      endforeach()
    endif()")
  install(TARGETS qorm_platform_headers uir_headers EXPORT qormTargets)

  install(EXPORT qormTargets NAMESPACE qorm:: DESTINATION ${QORM_INSTALL_CMAKEDIR})
  install(EXPORT qormSimTargets NAMESPACE qorm:: DESTINATION ${QORM_INSTALL_CMAKEDIR})
  configure_package_config_file(${PROJECT_SOURCE_DIR}/packaging/qormConfig.cmake.in
    ${CMAKE_BINARY_DIR}/packaging/qormConfig.cmake INSTALL_DESTINATION ${QORM_INSTALL_CMAKEDIR})
  # The run-time's C++ interfaces change between releases: a host built against 1.2 asks for 1.2.
  write_basic_package_version_file(${CMAKE_BINARY_DIR}/packaging/qormConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/qormConfig.cmake
                ${CMAKE_BINARY_DIR}/packaging/qormConfigVersion.cmake
          DESTINATION ${QORM_INSTALL_CMAKEDIR})

  # qorm.pc finds its prefix from its own folder, so an installed tree may be moved.
  file(RELATIVE_PATH QORM_PC_TO_PREFIX ${CMAKE_INSTALL_FULL_LIBDIR}/pkgconfig ${CMAKE_INSTALL_PREFIX})
  string(REGEX REPLACE "/$" "" QORM_PC_TO_PREFIX "${QORM_PC_TO_PREFIX}")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/qorm.pc.in ${CMAKE_BINARY_DIR}/packaging/qorm.pc
                 @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/qorm.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

  # The man page, compressed as Debian keeps them (-n: no time stamp, the same bytes every build).
  find_program(GZIP_PROGRAM gzip REQUIRED)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/qorm.1.gz
    COMMAND ${GZIP_PROGRAM} -9n -c ${PROJECT_SOURCE_DIR}/docs/qorm.1 > ${CMAKE_BINARY_DIR}/packaging/qorm.1.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/qorm.1 VERBATIM)
  add_custom_target(qorm_man ALL DEPENDS ${CMAKE_BINARY_DIR}/packaging/qorm.1.gz)
  install(FILES ${CMAKE_BINARY_DIR}/packaging/qorm.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

  install(FILES ${PROJECT_SOURCE_DIR}/packaging/qorm.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/qorm.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs
          FILES_MATCHING PATTERN "*.png")
endif()

# The packages. Linux: one .deb with the program, the libraries and what a host program builds
# with. The Windows zip (qorm.exe, qorm.dll, its import library, headers, crate files) is made
# by the ZIP generator from the Windows build's own install rules.
set(CPACK_PACKAGE_NAME qorm)
set(CPACK_PACKAGE_VENDOR "QORM front-panel team")
set(CPACK_PACKAGE_CONTACT "QORM front-panel team <qorm@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "QORM front panel: operator's program and library for VXI carrier host programs")
set(CPACK_PACKAGE_DESCRIPTION "The operator's front panel of the QORM 30-channel current-command \
generator on a VXI carrier: the standalone program qorm, the library libqorm with its four \
operations for host programs, the user-interface run-time it stands on with its Qt view, the \
bindings of VISA and of the module and carrier drivers, and a simulated crate for work without \
hardware.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
if(WIN32)
  # One zip holding every component (the stand-ins' qorm-sim/ too), unpacked into one folder
  # named for the release: qorm-1.2.2-win32/.
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME qorm-${PROJECT_VERSION}-win32)
  set(CPACK_ARCHIVE_COMPONENT_INSTALL OFF)
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Our own libraries, which the programs need, are in the package itself.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_LIBRARY_OUTPUT_DIRECTORY})
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# A host program linked against libqorm.so.1 runs with this release or any later one; the run-time's
# libraries change their soname with each release, so they cannot be mixed up either way.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
# Building a host program against the package: the CMake package, pkg-config, and yaml-cpp for
# qorm::sim.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cmake, pkg-config, libyaml-cpp-dev")
include(CPack)
