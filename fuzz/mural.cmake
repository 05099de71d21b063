# Arbitrary small grids through the dither across designs, records checked for
# their invariants, with one thread and with three. Seeds under corpus/mural_fuzzer/.
brevane_add_fuzzer(mural_fuzzer mural_fuzzer.cpp)
target_link_libraries(mural_fuzzer PRIVATE brevane_mural)
brevane_add_seeded_fuzz_run(mural_fuzzer NONE ${BREVANE_FUZZ_SECONDS} 3075)
