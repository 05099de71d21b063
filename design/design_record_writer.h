// Laying out one quantised design as a design record.
#pragma once

#include <cstdint>

#include "tile.h"

// Writes all kDesignRecordSize bytes of record: the fixed texts and numbers, the
// palette codes of slots 0..n-1 (zero above), the fixed bytes, and for every tile
// pixel its nearest slot.
void write_design_record(const Rgb* tile, const ColourSlots& slots, uint8_t* record);
