// Command 100: a design file shown as its symbol.
#pragma once

#include <cstdint>

#include "shell_state.h"

// Bytes of a design file that go into the record, from its start: the whole of
// a file up to 620 bytes (the rest of the record keeps what it held), the first
// 620 of a longer one.
int design_file_bytes_taken(uint64_t file_size);

// The symbol of the record is shown with the design file heading; the grid,
// the indices and the median-cut flag stay.
void accept_design_file(ShellState& state);
