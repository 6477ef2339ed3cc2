# The program's version lives in one place, the project() call; the C++ code
# reads it from this generated header through the vilaron_version target.
configure_file(${CMAKE_CURRENT_LIST_DIR}/vilaronversion.h.in
               ${PROJECT_BINARY_DIR}/generated/vilaronversion.h @ONLY)
add_library(vilaron_version INTERFACE)
target_include_directories(vilaron_version INTERFACE ${PROJECT_BINARY_DIR}/generated)
