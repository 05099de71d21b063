// Laying out one quantised design as a design record.
#pragma once

#include <cstdint>

#include "colour_slots.h"
#include "tile.h"

// Writes all kDesignRecordSize bytes of record: the fixed texts and numbers, the
// palette codes of slots 0..n-1 (zero above), the fixed bytes, and for every tile
// pixel its nearest slot.
void write_design_record(const Rgb* tile, const ColourSlots& slots, uint8_t* record);

// The same layout from palette codes chosen directly: codes[0..code_count-1] for
// slots 0..code_count-1 (zero above) and the slot of each pixel in tile order.
void write_design_record(const uint8_t* codes, int code_count, const uint8_t* slot_of_pixel,
                         uint8_t* record);
