#include "nearest_slot.h"

#include <limits>

int nearest_slot(Rgb pixel, const ColourSlots& slots) {
    int best_distance = std::numeric_limits<int32_t>::max();
    int best_slot = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int distance = colour_distance(pixel, slots.colour[slot]);
        if (distance < best_distance) {
            best_distance = distance;
            best_slot = slot;
        }
    }
    return best_slot;
}
