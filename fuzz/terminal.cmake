vilaron_add_fuzzer(fuzz_terminalfiles SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_terminalfiles.cpp
  LIBS vilaron_terminalfiles)
