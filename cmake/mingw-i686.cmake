# Cross-building for 32-bit Windows with Debian's MinGW-w64 (the posix-threads compilers, whose
# C++ runtime has std::thread and std::mutex), running the built programs under wine.
#
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
#         -DQORM_WINDOWS_DEPS=<prefix made by scripts/install-windows-deps>
#
# QORM_WINDOWS_DEPS holds yaml-cpp, GoogleTest and Google Benchmark built for this target; it may
# also come from the environment. Programs and DLLs link the C and C++ runtimes in statically, so
# what is built needs only Windows' own DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(QORM_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${QORM_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QORM_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${QORM_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${QORM_MINGW_TRIPLET}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${QORM_MINGW_TRIPLET}-ranlib CACHE FILEPATH "")
set(CMAKE_DLLTOOL ${QORM_MINGW_TRIPLET}-dlltool CACHE FILEPATH "")
set(CMAKE_OBJDUMP ${QORM_MINGW_TRIPLET}-objdump CACHE FILEPATH "")

if(NOT QORM_WINDOWS_DEPS AND DEFINED ENV{QORM_WINDOWS_DEPS})
  set(QORM_WINDOWS_DEPS $ENV{QORM_WINDOWS_DEPS})
endif()
set(QORM_WINDOWS_DEPS "${QORM_WINDOWS_DEPS}" CACHE PATH
    "Prefix of the libraries cross-built for i686 Windows (scripts/install-windows-deps)")
# try_compile projects see the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES QORM_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${QORM_MINGW_TRIPLET})
if(QORM_WINDOWS_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${QORM_WINDOWS_DEPS})
endif()
# Programs (ninja, wine) come from the build machine; headers, libraries and CMake packages only
# from the target's folders.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# libgcc, libstdc++ and winpthread linked in: no MinGW DLL has to travel with the binaries.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# ctest, gtest_discover_tests and the scenario scripts run the .exe files through wine, by
# scripts/wine-run, which passes everything through and runs once more only when wine itself
# crashes (see there). It starts nothing itself; scripts/with-wine prepares the prefix and its
# server once per run.
find_program(QORM_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
