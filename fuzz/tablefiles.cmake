vilaron_add_fuzzer(fuzz_tablefile SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_tablefile.cpp LIBS vilaron_tablefiles)
