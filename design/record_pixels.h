// A design's pixels put back into its record from a picture in palette colours,
// the way back from the preview: a picture drawn from a record and brought back
// unchanged gives the record byte for byte, duplicate codes included. No heap.
//
// Each pixel's slot, in this order:
//  1. a pixel of the colour its slot shows in the record keeps its nibble;
//  2. any other pixel takes the lowest slot whose code shows its colour, used or not;
//  3. colours no slot shows, in order of first appearance (rows from the top,
//     left to right), each take the lowest slot no pixel uses by then, and that
//     slot's code becomes the colour's;
//  4. when no slot is free, the lowest slot that shares its code with a lower one
//     is joined to the lowest slot of that code (its pixels move there), and is
//     free. Only when no two slots share a code is the picture refused.
// Slots no pixel uses at the end keep their codes.
#pragma once

#include <cstdint>

#include "design_record.h"
#include "rgb.h"

enum class PixelsFault {
    kNone,
    kRecordNoSlot,      // a record pixel's nibble is 15
    kRecordNoColour,    // a record pixel's slot code names no palette colour
    kNotPaletteColour,  // a picture pixel is no palette colour
    kTooManyColours,    // more than the 15 slots would be needed
};

// Why the pixels were refused, at the first such pixel in rows from the top.
struct PixelsRefusal {
    PixelsFault fault = PixelsFault::kNone;
    int x = 0;
    int y = 0;
    int slot = 0;         // kRecordNoColour: the pixel's slot
    uint8_t code = 0;     // kRecordNoColour: its code; kNotPaletteColour: the nearest palette code
    Rgb colour{0, 0, 0};  // kNotPaletteColour: the pixel's colour
};

// Gives the record's pixels the colours of `pixels` (kTilePixels in tile order) by
// the rules above. On a refusal the record is untouched.
PixelsRefusal set_record_pixels(RecordBytes& record, const Rgb* pixels);
