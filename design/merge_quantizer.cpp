#include "merge_quantizer.h"

#include "closest_pair_cache.h"

namespace {

ColourTable working_table;
ClosestPairCache working_cache;

void merge_table_to_slots(ColourTable* table, ClosestPairCache* cache) {
    if (table->size <= kSlotCount) {
        return;
    }
    ColourPair pair = build_closest_pair_cache(*table, cache);
    while (table->size > kSlotCount) {
        merge_table_entries(table, pair.i, pair.j);
        pair = update_cache_after_merge(*table, pair, cache);
    }
}

}  // namespace

void merge_tile_colours(const Rgb* tile, ColourTable* table) {
    collect_distinct_colours(tile, table);
    merge_table_to_slots(table, &working_cache);
}

void merge_tile_colours(const Rgb* tile, ColourTable* table, MergeBuffers* buffers) {
    collect_distinct_colours(tile, table, &buffers->index, nullptr);
    merge_table_to_slots(table, &buffers->cache);
}

void quantize_by_merging(const Rgb* tile, ColourSlots* slots) {
    merge_tile_colours(tile, &working_table);
    slots->count = working_table.size;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        slots->colour[slot] = entry_colour(working_table, slot);  // free entries are (0, 0, 0)
    }
}
