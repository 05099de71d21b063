// The `quality` reduction: up to 15 palette colours chosen by k-medoids in CIELAB
// (CIE76), each pixel on its nearest chosen colour; the merge quantiser's record
// instead whenever that one is closer to the tile.
#pragma once

#include <cstdint>

#include "conversion_workspace.h"
#include "tile.h"

// Writes all kDesignRecordSize bytes of record. Uses only *workspace. On return
// the workspace's distance table and points describe this tile (the dither
// reduction builds on them).
void reduce_for_quality(const Rgb* tile, QualityWorkspace* workspace, uint8_t* record);

// The sum over the tile's 1024 pixels, in tile order, of the CIE76 distance from
// the pixel to its design colour (the palette colour of its slot's code). The
// reduction decides between its own record and the merge quantiser's by this sum.
double pointwise_cie76_sum(const Rgb* tile, const uint8_t* record);
