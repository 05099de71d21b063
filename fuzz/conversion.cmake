# Arbitrary tiles through every reduction, records checked for their invariants.
# The seeds are committed under corpus/conversion_fuzzer/.
brevane_add_fuzzer(conversion_fuzzer conversion_fuzzer.cpp)
target_link_libraries(conversion_fuzzer PRIVATE brevane_design)
brevane_add_seeded_fuzz_run(conversion_fuzzer
  "${CMAKE_COMMAND};-E;copy_directory;${CMAKE_CURRENT_SOURCE_DIR}/corpus/conversion_fuzzer"
  60 3075)
