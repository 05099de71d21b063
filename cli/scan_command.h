// brevane-cli scan: every design code in one picture or in several.
#pragma once

#include "arguments.h"

// One picture file: its designs as DIR/design-NNN.dat. Several pictures, or a
// folder standing for the pictures in it: each picture's designs as
// DIR/<stem>-NNN.dat, every line printed after the picture's path.
int run_scan(const Arguments& arguments);
