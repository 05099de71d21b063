#include "record_pixels.h"

#include "palette.h"
#include "record_edits.h"

namespace {

// The slot each pixel is given, and how many pixels each slot holds.
struct SlotPlan {
    uint8_t slot[kTilePixels];
    uint8_t code[kSlotCount];
    int users[kSlotCount];
};

PixelsRefusal refusal_at(PixelsFault fault, int pixel) {
    PixelsRefusal refusal;
    refusal.fault = fault;
    refusal.x = pixel % kTileSide;
    refusal.y = pixel / kTileSide;
    return refusal;
}

// The first record pixel with no colour to show, or kNone.
PixelsRefusal check_record(const RecordBytes& record) {
    for (int i = 0; i < kTilePixels; ++i) {
        const int slot = record_pixel_slot(record, i % kTileSide, i / kTileSide);
        if (slot == kNoSlot)
            return refusal_at(PixelsFault::kRecordNoSlot, i);
        if (palette_index(record_slot_code(record, slot)) < 0) {
            PixelsRefusal refusal = refusal_at(PixelsFault::kRecordNoColour, i);
            refusal.slot = slot;
            refusal.code = record_slot_code(record, slot);
            return refusal;
        }
    }
    return {};
}

// Each pixel's palette code, or the first pixel that is no palette colour.
PixelsRefusal read_codes(const Rgb* pixels, uint8_t* codes) {
    for (int i = 0; i < kTilePixels; ++i) {
        codes[i] = nearest_palette_code(pixels[i]);
        Rgb nearest{};
        palette_colour(codes[i], &nearest);
        if (!(nearest == pixels[i])) {
            PixelsRefusal refusal = refusal_at(PixelsFault::kNotPaletteColour, i);
            refusal.colour = pixels[i];
            refusal.code = codes[i];
            return refusal;
        }
    }
    return {};
}

int lowest_slot_of_code(const SlotPlan& plan, uint8_t code) {
    for (int s = 0; s < kSlotCount; ++s) {
        if (plan.code[s] == code)
            return s;
    }
    return kNoSlot;
}

void give_slot(SlotPlan& plan, int pixel, int slot) {
    plan.slot[pixel] = static_cast<uint8_t>(slot);
    ++plan.users[slot];
}

// Rules 1 and 2: pixels whose colour some slot already shows.
void keep_shown_colours(const RecordBytes& record, const uint8_t* codes, SlotPlan& plan) {
    for (int i = 0; i < kTilePixels; ++i) {
        const int nibble = record_pixel_slot(record, i % kTileSide, i / kTileSide);
        const int slot =
            plan.code[nibble] == codes[i] ? nibble : lowest_slot_of_code(plan, codes[i]);
        plan.slot[i] = kNoSlot;
        if (slot != kNoSlot)
            give_slot(plan, i, slot);
    }
}

// Rule 4: joins the lowest slot that shares its code with a lower one into the
// lowest slot of that code and returns it, now free; kNoSlot when codes are all
// different.
int join_shared_code(SlotPlan& plan) {
    for (int s = 1; s < kSlotCount; ++s) {
        const int lowest = lowest_slot_of_code(plan, plan.code[s]);
        if (lowest == s)
            continue;
        for (uint8_t& slot : plan.slot) {
            if (slot == s)
                slot = static_cast<uint8_t>(lowest);
        }
        plan.users[lowest] += plan.users[s];
        plan.users[s] = 0;
        return s;
    }
    return kNoSlot;
}

int free_slot(SlotPlan& plan) {
    for (int s = 0; s < kSlotCount; ++s) {
        if (plan.users[s] == 0)
            return s;
    }
    return join_shared_code(plan);
}

// Rule 3: colours no slot shows, in order of first appearance.
PixelsRefusal place_new_colours(const uint8_t* codes, SlotPlan& plan) {
    for (int i = 0; i < kTilePixels; ++i) {
        if (plan.slot[i] != kNoSlot)
            continue;
        const int slot = free_slot(plan);
        if (slot == kNoSlot)
            return refusal_at(PixelsFault::kTooManyColours, i);
        plan.code[slot] = codes[i];
        for (int j = i; j < kTilePixels; ++j) {
            if (plan.slot[j] == kNoSlot && codes[j] == codes[i])
                give_slot(plan, j, slot);
        }
    }
    return {};
}

}  // namespace

PixelsRefusal set_record_pixels(RecordBytes& record, const Rgb* pixels) {
    PixelsRefusal refusal = check_record(record);
    if (refusal.fault != PixelsFault::kNone)
        return refusal;
    uint8_t codes[kTilePixels];
    refusal = read_codes(pixels, codes);
    if (refusal.fault != PixelsFault::kNone)
        return refusal;

    SlotPlan plan{};
    for (int s = 0; s < kSlotCount; ++s)
        plan.code[s] = record_slot_code(record, s);
    keep_shown_colours(record, codes, plan);
    refusal = place_new_colours(codes, plan);
    if (refusal.fault != PixelsFault::kNone)
        return refusal;

    for (int i = 0; i < kTilePixels; ++i)
        set_record_pixel_slot(record, i % kTileSide, i / kTileSide, plan.slot[i]);
    for (int s = 0; s < kSlotCount; ++s)
        set_record_slot_code(record, s, plan.code[s]);
    return {};
}
