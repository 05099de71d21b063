#include "design_file_command.h"

#include "design_record.h"

int design_file_bytes_taken(uint64_t file_size) {
    return file_size < kDesignRecordSize ? static_cast<int>(file_size) : kDesignRecordSize;
}

void accept_design_file(ShellState& state) {
    state.display_mode = DisplayMode::design_file;
}
