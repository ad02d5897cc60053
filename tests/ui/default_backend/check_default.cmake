# cmake -DBACKEND=<value> -DMODULE=<DefaultBackend.cmake> -P check_default.cmake
include(${MODULE})
uir_check_default_backend("${BACKEND}")
message(STATUS "accepted as the default backend: ${BACKEND}")
