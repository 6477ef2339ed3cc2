# The reply decoders of every parameter family, the logo picture loader and
# the scanner collector.
set(dir ${CMAKE_CURRENT_LIST_DIR})
vilaron_add_fuzzer(fuzz_headerlines_replies SOURCES ${dir}/fuzz_headerlines_replies.cpp LIBS vilaron_headerlines)
vilaron_add_fuzzer(fuzz_taxrates_replies SOURCES ${dir}/fuzz_taxrates_replies.cpp LIBS vilaron_taxrates)
vilaron_add_fuzzer(fuzz_departments_replies SOURCES ${dir}/fuzz_departments_replies.cpp LIBS vilaron_departments)
vilaron_add_fuzzer(fuzz_articles_replies SOURCES ${dir}/fuzz_articles_replies.cpp LIBS vilaron_articles)
vilaron_add_fuzzer(fuzz_groups_replies SOURCES ${dir}/fuzz_groups_replies.cpp LIBS vilaron_groups)
vilaron_add_fuzzer(fuzz_operators_replies SOURCES ${dir}/fuzz_operators_replies.cpp LIBS vilaron_operators)
vilaron_add_fuzzer(fuzz_logorows_replies SOURCES ${dir}/fuzz_logorows_replies.cpp LIBS vilaron_logo)
vilaron_add_fuzzer(fuzz_logorecord_replies SOURCES ${dir}/fuzz_logorecord_replies.cpp
  LIBS vilaron_logo vilaron_passwords)
vilaron_add_fuzzer(fuzz_logopicture SOURCES ${dir}/fuzz_logopicture.cpp LIBS vilaron_logo)
vilaron_add_fuzzer(fuzz_scancollector SOURCES ${dir}/fuzz_scancollector.cpp LIBS vilaron_barcode_logic)
