#include "median_cut_quantizer.h"

#include <algorithm>

namespace {

constexpr int kPassCount = 4;  // 1, 2, 4 and 8 parts
constexpr int kRunCount = 16;
constexpr int kRunLength = kTilePixels / kRunCount;     // 64
constexpr int kLastSlot = kSlotCount - 1;               // 14: the last two runs together
constexpr int kLastSlotStart = kLastSlot * kRunLength;  // 896
static_assert(kSlotCount == kRunCount - 1);
static_assert((kTilePixels >> (kPassCount - 1)) == 2 * kRunLength);  // last parts: two runs

Rgb working_pixels[kTilePixels];

struct Spread {
    int low;
    int high;
};

void widen(Spread* spread, int value) {
    spread->low = std::min(spread->low, value);
    spread->high = std::max(spread->high, value);
}

// Per channel, floor(sum / count).
Rgb mean_colour(const Rgb* pixels, int count) {
    int red = 0;
    int green = 0;
    int blue = 0;
    for (int p = 0; p < count; ++p) {
        red += pixels[p].r;
        green += pixels[p].g;
        blue += pixels[p].b;
    }
    return Rgb{static_cast<uint8_t>(red / count), static_cast<uint8_t>(green / count),
               static_cast<uint8_t>(blue / count)};
}

}  // namespace

Channel widest_channel(const Rgb* pixels, int count) {
    Spread red{255, 0};
    Spread green{255, 0};
    Spread blue{255, 0};
    for (int p = 0; p < count; ++p) {
        widen(&red, pixels[p].r);
        widen(&green, pixels[p].g);
        widen(&blue, pixels[p].b);
    }
    const int red_spread = red.high - red.low;
    const int green_spread = green.high - green.low;
    const int blue_spread = blue.high - blue.low;
    if (red_spread > green_spread && red_spread > blue_spread) {
        return Channel::red;
    }
    if (green_spread > red_spread && green_spread > blue_spread) {
        return Channel::green;
    }
    return Channel::blue;
}

void quantize_by_median_cut(const Rgb* tile, ColourSlots* slots) {
    std::copy(tile, tile + kTilePixels, working_pixels);
    for (int pass = 0; pass < kPassCount; ++pass) {
        const int part_length = kTilePixels >> pass;
        for (int start = 0; start < kTilePixels; start += part_length) {
            Rgb* part = working_pixels + start;
            partition_sort(part, 0, part_length - 1, widest_channel(part, part_length));
        }
    }
    for (int slot = 0; slot < kLastSlot; ++slot) {
        slots->colour[slot] = mean_colour(working_pixels + slot * kRunLength, kRunLength);
    }
    slots->colour[kLastSlot] =
        mean_colour(working_pixels + kLastSlotStart, kTilePixels - kLastSlotStart);
    slots->count = kSlotCount;
}
