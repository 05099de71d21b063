#include "merge_colour_table.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr int16_t kNoEntry = -1;

ColourIndex shared_index;

constexpr uint32_t packed(Rgb colour) {
    return static_cast<uint32_t>(colour.r) << 16 | static_cast<uint32_t>(colour.g) << 8 | colour.b;
}

constexpr int first_index_slot(uint32_t packed_colour) {
    // Fibonacci hashing: the top bits of the product.
    return static_cast<int>((packed_colour * 2654435769u) >> (32 - kColourIndexBits));
}

void clear_entry(ColourTable* table, int index) {
    table->red[index] = 0;
    table->green[index] = 0;
    table->blue[index] = 0;
    table->count[index] = 0;
}

// *xi becomes floor((ci * xi + cj * xj) / (ci + cj)); with non-negative whole
// numbers the integer division rounds down.
void floor_mean(int32_t ci, int32_t cj, float* xi, float xj) {
    const int32_t sum = ci * static_cast<int32_t>(*xi) + cj * static_cast<int32_t>(xj);
    *xi = static_cast<float>(sum / (ci + cj));
}

}  // namespace

void collect_distinct_colours(const Rgb* tile, ColourTable* table) {
    collect_distinct_colours(tile, table, &shared_index, nullptr);
}

void collect_distinct_colours(const Rgb* tile, ColourTable* table, ColourIndex* index,
                              int16_t* entry_of_pixel) {
    int16_t* entry_of_colour = index->entry_of_colour;
    uint32_t* colour_of_index_slot = index->colour_of_slot;
    std::fill(entry_of_colour, entry_of_colour + kColourIndexSlots, kNoEntry);
    table->size = 0;
    for (int p = 0; p < kTilePixels; ++p) {
        const uint32_t key = packed(tile[p]);
        int slot = first_index_slot(key);
        while (entry_of_colour[slot] != kNoEntry && colour_of_index_slot[slot] != key) {
            slot = (slot + 1) & (kColourIndexSlots - 1);
        }
        if (entry_of_colour[slot] != kNoEntry) {
            ++table->count[entry_of_colour[slot]];
            if (entry_of_pixel != nullptr)
                entry_of_pixel[p] = entry_of_colour[slot];
            continue;
        }
        const int entry = table->size++;
        if (entry_of_pixel != nullptr)
            entry_of_pixel[p] = static_cast<int16_t>(entry);
        entry_of_colour[slot] = static_cast<int16_t>(entry);
        colour_of_index_slot[slot] = key;
        table->red[entry] = tile[p].r;
        table->green[entry] = tile[p].g;
        table->blue[entry] = tile[p].b;
        table->count[entry] = 1;
    }
    for (int index = table->size; index < kTilePixels; ++index) {
        clear_entry(table, index);
    }
}

void merge_table_entries(ColourTable* table, int i, int j) {
    const int32_t ci = table->count[i];
    const int32_t cj = table->count[j];
    floor_mean(ci, cj, &table->red[i], table->red[j]);
    floor_mean(ci, cj, &table->green[i], table->green[j]);
    floor_mean(ci, cj, &table->blue[i], table->blue[j]);
    table->count[i] = ci + cj;

    const int last = table->size - 1;
    table->red[j] = table->red[last];
    table->green[j] = table->green[last];
    table->blue[j] = table->blue[last];
    table->count[j] = table->count[last];
    clear_entry(table, last);
    table->size = last;
}
