# The article import's readers; seeds are the committed fixtures of the
# spreadsheet programs (fuzz/corpus/fuzz_import_*).
foreach(kind IN ITEMS csv xlsx ods)
  vilaron_add_fuzzer(fuzz_import_${kind} SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_import_${kind}.cpp
    LIBS vilaron_import_readers)
  target_include_directories(fuzz_import_${kind} PRIVATE ${CMAKE_CURRENT_LIST_DIR})
endforeach()
