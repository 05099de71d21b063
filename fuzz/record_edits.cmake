# Random sequences of record edits, and designs' pixels put back into their
# records. The seeds are committed under corpus/record_edits_fuzzer/.
brevane_add_fuzzer(record_edits_fuzzer record_edits_fuzzer.cpp)
target_link_libraries(record_edits_fuzzer PRIVATE brevane_design)
brevane_add_seeded_fuzz_run(record_edits_fuzzer NONE ${BREVANE_FUZZ_SECONDS} 2048)
