// A full design, its own `quality` colours taking all 15 slots, has no room for
// the colours its neighbours dither with, and its borders show. After a dither of
// the whole picture, each full design trades the two colours it shows least for
// the two colours it lacks that its neighbours show most near their shared borders.
#pragma once

#include "mural_canvas.h"

// Chooses every full design's trade from the dither in c->slot, then makes them
// all, so that no trade depends on another; returns whether any design traded.
// Counts only: the same trades on every build.
bool take_neighbours_colours(MuralCanvas* c);
