// Numbering the designs of a grid and stepping through them with the mouse.
#pragma once

#include "shell_state.h"

int design_count(DesignGrid grid);

// Row-major number of the design, from 1 to design_count.
int design_number(DesignGrid grid, DesignPosition position);

// Clicks step only while the current design is on show and the grid has more than one.
bool clicks_step(const ShellState& state);

// The next design in row-major order; the last wraps to the first.
DesignPosition next_design(DesignGrid grid, DesignPosition position);

// The previous design in row-major order; the first wraps to the last.
DesignPosition previous_design(DesignGrid grid, DesignPosition position);

// The first and the last design of the grid, for the Home and End keys.
DesignPosition first_design();
DesignPosition last_design(DesignGrid grid);
