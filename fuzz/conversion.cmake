# Arbitrary tiles through every reduction, records checked for their invariants.
# The seeds are committed under corpus/conversion_fuzzer/.
brevane_add_fuzzer(conversion_fuzzer conversion_fuzzer.cpp)
target_link_libraries(conversion_fuzzer PRIVATE brevane_design)
brevane_add_seeded_fuzz_run(conversion_fuzzer NONE ${BREVANE_FUZZ_SECONDS} 3075)
