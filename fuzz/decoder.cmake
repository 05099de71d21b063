# The screenshot decoder: a short run from generated seed screenshots, as a test.
brevane_add_fuzzer(decode_fuzzer decode_fuzzer.cpp)
target_link_libraries(decode_fuzzer PRIVATE brevane_qr)

add_executable(make_decode_seeds make_decode_seeds.cpp)
target_include_directories(make_decode_seeds PRIVATE
  ${PROJECT_SOURCE_DIR}/tests/qr ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(make_decode_seeds PRIVATE brevane_qr)

set(decode_seeds ${CMAKE_CURRENT_BINARY_DIR}/decode_seeds)
set(decode_corpus ${CMAKE_CURRENT_BINARY_DIR}/decode_corpus)
file(MAKE_DIRECTORY ${decode_corpus})
add_test(NAME decode_fuzzer_seeds COMMAND make_decode_seeds ${decode_seeds})
set_tests_properties(decode_fuzzer_seeds PROPERTIES FIXTURES_SETUP decode_seeds)
# New inputs go to decode_corpus; a whole screenshot is 400 x 240 x 3 bytes.
add_test(NAME decode_fuzzer
  COMMAND decode_fuzzer -max_total_time=30 -max_len=288000 -print_final_stats=1
    ${decode_corpus} ${decode_seeds})
set_tests_properties(decode_fuzzer PROPERTIES FIXTURES_REQUIRED decode_seeds TIMEOUT 300)
