// The `dither` reduction: the `quality` colours placed so that the design, seen
// from a distance (blurred), comes closest to the tile. Serpentine error
// diffusion in linear light, then direct binary search on the blurred error.
#pragma once

#include <cstdint>

#include "conversion_workspace.h"
#include "tile.h"

inline constexpr int kMaxDitherStrength = 100;

// strength 0 to kMaxDitherStrength (values outside are clamped): the weight of
// the blurred error against the pointwise error (weighted 100 - strength). At 0
// the record is the `quality` record. Writes all kDesignRecordSize bytes of
// record; uses only *workspace.
void reduce_with_dither(const Rgb* tile, int strength, ConversionWorkspace* workspace,
                        uint8_t* record);

// Only the first stage, for comparison: the `quality` colours placed by
// serpentine Floyd-Steinberg diffusion in linear light.
void reduce_with_error_diffusion(const Rgb* tile, ConversionWorkspace* workspace, uint8_t* record);
