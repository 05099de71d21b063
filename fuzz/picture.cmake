# The picture reader on every format, and brevane-cli's commands in process:
# short runs from the committed seed corpora under corpus/, as tests.
if(NOT TARGET brevane_cli_core)
  add_subdirectory(${PROJECT_SOURCE_DIR}/cli ${CMAKE_CURRENT_BINARY_DIR}/cli)
endif()

brevane_add_fuzzer(picture_reader_fuzzer picture_reader_fuzzer.cpp)
target_link_libraries(picture_reader_fuzzer PRIVATE brevane_picture)
brevane_add_seeded_fuzz_run(picture_reader_fuzzer NONE ${BREVANE_FUZZ_SECONDS} 8192)

brevane_add_fuzzer(cli_fuzzer cli_fuzzer.cpp)
target_link_libraries(cli_fuzzer PRIVATE brevane_cli_core)
brevane_add_seeded_fuzz_run(cli_fuzzer NONE ${BREVANE_FUZZ_SECONDS} 8192)
