# The merge quantiser against its exhaustive reference on arbitrary tiles: a
# short run, as a test.
if(NOT TARGET brevane_design_reference)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/design/support
                   ${CMAKE_CURRENT_BINARY_DIR}/design_support)
endif()

brevane_add_fuzzer(merge_quantizer_fuzzer merge_quantizer_fuzzer.cpp)
target_link_libraries(merge_quantizer_fuzzer PRIVATE brevane_design brevane_design_reference)
add_test(NAME merge_quantizer_fuzzer
  COMMAND merge_quantizer_fuzzer -max_total_time=20 -max_len=1025 -len_control=0 -print_final_stats=1)
set_tests_properties(merge_quantizer_fuzzer PROPERTIES TIMEOUT 300)
