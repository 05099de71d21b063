# The scanner over arbitrary grey pictures, from generated seed pictures and
# the committed corpus. A run that takes over 10 s on one input fails.
brevane_add_fuzzer(scan_fuzzer scan_fuzzer.cpp)
target_link_libraries(scan_fuzzer PRIVATE brevane_scan)

add_executable(make_scan_seeds make_scan_seeds.cpp)
target_link_libraries(make_scan_seeds PRIVATE brevane_qr)

# Four header bytes and a picture of at most 400 x 400 grey pixels.
brevane_add_seeded_fuzz_run(scan_fuzzer make_scan_seeds ${BREVANE_FUZZ_SECONDS} 160004 -timeout=10)
