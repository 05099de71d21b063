# The BMP reader on arbitrary files, and the merge quantiser against its
# exhaustive reference on arbitrary tiles.
if(NOT TARGET brevane_design_reference)
  add_subdirectory(${PROJECT_SOURCE_DIR}/tests/design/support
                   ${CMAKE_CURRENT_BINARY_DIR}/design_support)
endif()

brevane_add_fuzzer(bmp_reader_fuzzer bmp_reader_fuzzer.cpp)
target_link_libraries(bmp_reader_fuzzer PRIVATE brevane_bmp)

add_executable(make_bmp_seeds make_bmp_seeds.cpp)
target_link_libraries(make_bmp_seeds PRIVATE brevane_bmp_test_files)

brevane_add_seeded_fuzz_run(bmp_reader_fuzzer make_bmp_seeds ${BREVANE_FUZZ_SECONDS} 4096)

brevane_add_fuzzer(merge_quantizer_fuzzer merge_quantizer_fuzzer.cpp)
target_link_libraries(merge_quantizer_fuzzer PRIVATE brevane_design brevane_design_reference)
brevane_add_seeded_fuzz_run(merge_quantizer_fuzzer NONE ${BREVANE_FUZZ_SECONDS} 1025 -len_control=0)
