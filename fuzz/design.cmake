# The merge quantiser against its exhaustive reference on arbitrary tiles: a
# short run, as a test.
if(NOT TARGET brevane_design_reference)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/design/support
                   ${CMAKE_CURRENT_BINARY_DIR}/design_support)
endif()

brevane_add_fuzzer(merge_quantizer_fuzzer merge_quantizer_fuzzer.cpp)
target_link_libraries(merge_quantizer_fuzzer PRIVATE brevane_design brevane_design_reference)
brevane_add_seeded_fuzz_run(merge_quantizer_fuzzer NONE ${BREVANE_FUZZ_SECONDS} 1025 -len_control=0)
