// The picture a design record carries, read from the record alone: the codes at
// 88 to 102 and the nibbles from 108. A pixel whose slot's code is not a palette
// colour, or whose nibble names no slot (15), is marked: it is drawn as a black
// and white checkerboard that no palette colour looks like, so a damaged design
// shows as damaged. The window's preview, the CLI's preview and the export's
// preview PNG all draw it this way.
#pragma once

#include <cstdint>

#include "colour_slots.h"
#include "tile.h"

struct DesignPixel {
    Rgb colour;   // the palette colour; (0, 0, 0) when marked
    bool marked;  // no palette colour to show
};

// The slot a record gives design pixel (x, y); kSlotCount (the nibble 15) names none.
int design_pixel_slot(const uint8_t* record, int x, int y);

// The colours of the record's slots, one more entry (index kSlotCount) for the
// nibble that names no slot; entries whose code names no palette colour are marked.
void read_slot_colours(const uint8_t* record, DesignPixel (&slots)[kSlotCount + 1]);

// Whether drawn pixel (x, y), counted from the top left of the drawing, is the
// dark square of a marked pixel's checkerboard.
constexpr bool marked_cell_dark(int x, int y) {
    return (x + y) % 2 == 0;
}

// The colour of drawn pixel (x, y) for a design pixel drawn there.
constexpr Rgb drawn_colour(const DesignPixel& pixel, int x, int y) {
    constexpr Rgb kDark = {0, 0, 0};
    constexpr Rgb kLight = {255, 255, 255};
    return !pixel.marked ? pixel.colour : (marked_cell_dark(x, y) ? kDark : kLight);
}
