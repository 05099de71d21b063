// `dither` across designs: one dither over a whole grid of designs, so that the
// designs laid side by side show no seams. Each design keeps its `quality`
// colours, filled up to 15 with the palette colours nearest to its pixels; the
// error diffusion and the blurred search run over the whole picture, across the
// borders between designs, each pixel choosing among its own design's colours.
// Then each full design trades a colour for one its neighbours show near their
// borders, and the whole picture is dithered again.
// It holds the whole picture in memory (about 100 bytes a pixel).
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "design_count.h"
#include "design_record.h"
#include "dither_reduction.h"
#include "tile.h"
#include "tile_sources.h"

struct MuralOptions {
    int strength = kMaxDitherStrength;  // as `dither`'s; at 0 every record is the `quality` record
    int threads = 1;                    // the records are the same for any number
    // Full designs take their neighbours' colours and the picture is dithered
    // again (see neighbour_colours.h); off only to measure what that brings.
    bool neighbours_colours = true;
};

// The steps the progress counts for a grid: a design's colours, then in each of
// the two dithers a row of designs' blurs and each row of designs in each pass of
// the search. The count reaches the total even when a search ends early or the
// second dither is not needed.
int mural_progress_steps(DesignGrid grid);

// The memory the whole picture of a grid takes while it is dithered, in bytes.
uint64_t mural_bytes(DesignGrid grid);

// The records of every design of the grid in row-major order; empty when the
// progress cancelled. `progress` counts steps of the dither, of mural_progress_steps. Tiles are read on the calling thread, one at a time.
// Throws std::bad_alloc, before any tile is read, when the whole picture does
// not fit in memory.
std::vector<RecordBytes> dither_across_designs(DesignGrid grid, const TileReader& read_tile,
                                               const MuralOptions& options,
                                               const GridProgress& progress = {});
