# The BMP reader on arbitrary files, and the merge quantiser against its
# exhaustive reference on arbitrary tiles: short runs, as tests.
if(NOT TARGET brevane_design_reference)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/design/support
                   ${CMAKE_CURRENT_BINARY_DIR}/design_support)
endif()

brevane_add_fuzzer(bmp_reader_fuzzer bmp_reader_fuzzer.cpp)
target_link_libraries(bmp_reader_fuzzer PRIVATE brevane_bmp)

add_executable(make_bmp_seeds make_bmp_seeds.cpp)
target_link_libraries(make_bmp_seeds PRIVATE brevane_bmp_test_files)

set(bmp_seeds ${CMAKE_CURRENT_BINARY_DIR}/bmp_seeds)
set(bmp_corpus ${CMAKE_CURRENT_BINARY_DIR}/bmp_corpus)
file(MAKE_DIRECTORY ${bmp_corpus})
add_test(NAME bmp_reader_fuzzer_seeds COMMAND make_bmp_seeds ${bmp_seeds})
set_tests_properties(bmp_reader_fuzzer_seeds PROPERTIES FIXTURES_SETUP bmp_seeds)
add_test(NAME bmp_reader_fuzzer
  COMMAND bmp_reader_fuzzer -max_total_time=20 -max_len=4096 -print_final_stats=1
    ${bmp_corpus} ${bmp_seeds})
set_tests_properties(bmp_reader_fuzzer PROPERTIES FIXTURES_REQUIRED bmp_seeds TIMEOUT 300)

brevane_add_fuzzer(merge_quantizer_fuzzer merge_quantizer_fuzzer.cpp)
target_link_libraries(merge_quantizer_fuzzer PRIVATE brevane_design brevane_design_reference)
add_test(NAME merge_quantizer_fuzzer
  COMMAND merge_quantizer_fuzzer -max_total_time=20 -max_len=1025 -len_control=0 -print_final_stats=1)
set_tests_properties(merge_quantizer_fuzzer PROPERTIES TIMEOUT 300)
