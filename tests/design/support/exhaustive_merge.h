// The merge quantiser as a plain exhaustive closest-pair scan, written straight
// from its description. The production quantiser must match it pass for pass.
#pragma once

#include "colour_slots.h"
#include "tile.h"

struct ExhaustiveColourTable {
    Rgb colour[kTilePixels];
    int count[kTilePixels];  // 0 marks a free entry
    int size;
};

// Distinct colours by linear search in order of first appearance, then merged,
// one closest pair per pass, until at most 15 entries remain.
void merge_tile_colours_exhaustively(const Rgb* tile, ExhaustiveColourTable* table);
