# The screenshot decoder, from generated seed screenshots and the committed corpus.
brevane_add_fuzzer(decode_fuzzer decode_fuzzer.cpp)
target_link_libraries(decode_fuzzer PRIVATE brevane_qr)

add_executable(make_decode_seeds make_decode_seeds.cpp)
target_include_directories(make_decode_seeds PRIVATE
  ${PROJECT_SOURCE_DIR}/tests/qr ${PROJECT_SOURCE_DIR}/tests/support)
target_link_libraries(make_decode_seeds PRIVATE brevane_qr)

# A whole screenshot is 400 x 240 x 3 bytes.
brevane_add_seeded_fuzz_run(decode_fuzzer make_decode_seeds ${BREVANE_FUZZ_SECONDS} 288000)
