// Converting one 32 x 32 design of a picture into a design record.
#pragma once

#include <cstdint>

#include "conversion_workspace.h"
#include "dither_reduction.h"
#include "tile.h"
#include "tile_sources.h"

// merge and median_cut are the window program's two quantisers; quality and
// dither are the perceptual reductions a user can choose instead.
enum class ReductionKind { merge, median_cut, quality, dither };

struct Reduction {
    ReductionKind kind = ReductionKind::merge;
    int dither_strength = kMaxDitherStrength;  // dither only: 0 to kMaxDitherStrength
};

// Quantises the tile and writes all 620 bytes of the design record. merge and
// median_cut work in static buffers (one call at a time); quality and dither are
// handed to the overload below with a static workspace of their own.
void convert_tile_to_record(const Rgb* tile, ReductionKind quantizer, uint8_t* record);

// Any reduction. quality and dither use only *workspace, so that several designs
// can be converted at once, each with its own workspace; merge and median_cut
// ignore it.
void convert_tile_to_record(const Rgb* tile, const Reduction& reduction,
                            ConversionWorkspace* workspace, uint8_t* record);
