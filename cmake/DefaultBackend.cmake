# The run-time's default backend as a build choice.
#
# A backend target that may serve as the default says how to make one, by two properties:
#   UIR_BACKEND_HEADER   the public header that declares its factory ("uir/qt.h")
#   UIR_BACKEND_FACTORY  an expression that makes one ("uir::qt::make_backend()")
# uir_default_backend(<name> <backend>) makes <name>: an object library that registers <backend>
# with uir::set_default_backend when the library or program linking it is loaded; for "none", an
# empty interface library. The headless backend is refused: a program that forgot to choose its
# backend must never run unseen on a virtual clock.

# Fails the configuration for a value that may not be the default; usable in script mode.
function(uir_check_default_backend backend)
  if(backend MATCHES "headless")
    message(FATAL_ERROR "QORM_DEFAULT_BACKEND=${backend}: the headless backend is never the "
                        "default; programs and tests that run headless choose it themselves")
  endif()
endfunction()

function(uir_default_backend name backend)
  uir_check_default_backend("${backend}")
  if(backend STREQUAL "" OR backend STREQUAL "none")
    add_library(${name} INTERFACE)
    return()
  endif()
  if(NOT TARGET ${backend})
    message(FATAL_ERROR "QORM_DEFAULT_BACKEND=${backend}: no such backend target in this build")
  endif()
  get_target_property(header ${backend} UIR_BACKEND_HEADER)
  get_target_property(factory ${backend} UIR_BACKEND_FACTORY)
  if(NOT header OR NOT factory)
    message(FATAL_ERROR "QORM_DEFAULT_BACKEND=${backend}: the target does not say how to make "
                        "its backend (UIR_BACKEND_HEADER, UIR_BACKEND_FACTORY)")
  endif()
  set(UIR_BACKEND_HEADER "${header}")
  set(UIR_BACKEND_FACTORY "${factory}")
  set(source ${CMAKE_CURRENT_BINARY_DIR}/${name}.cpp)
  configure_file(${CMAKE_CURRENT_FUNCTION_LIST_DIR}/default_backend.cpp.in ${source} @ONLY)
  add_library(${name} OBJECT ${source})
  target_link_libraries(${name} PUBLIC ${backend})
endfunction()
