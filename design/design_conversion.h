// Converting one 32 x 32 design of a picture into a design record.
#pragma once

#include <cstdint>

#include "tile.h"
#include "tile_sources.h"

enum class Quantizer { merge, median_cut };

// Quantises the tile and writes all 620 bytes of the design record.
void convert_tile_to_record(const Rgb* tile, Quantizer quantizer, uint8_t* record);
