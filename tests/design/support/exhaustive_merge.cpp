#include "exhaustive_merge.h"

namespace {

void collect_colours_by_linear_search(const Rgb* tile, ExhaustiveColourTable* table) {
    for (int e = 0; e < kTilePixels; ++e) {
        table->colour[e] = Rgb{0, 0, 0};
        table->count[e] = 0;
    }
    table->size = 0;
    for (int p = 0; p < kTilePixels; ++p) {
        int e = 0;
        while (table->count[e] != 0 && !(table->colour[e] == tile[p])) {
            ++e;
        }
        if (table->count[e] == 0) {
            table->colour[e] = tile[p];
            table->size = e + 1;
        }
        ++table->count[e];
    }
}

uint8_t weighted_mean(int ci, uint8_t xi, int cj, uint8_t xj) {
    return static_cast<uint8_t>((ci * xi + cj * xj) / (ci + cj));
}

void merge_closest_pair(ExhaustiveColourTable* table) {
    const int n = table->size;
    int best_distance = 0x30000;  // beyond any distance: the first pair is always taken
    int best_i = 0;
    int best_j = 1;
    for (int i = 0; i < n; ++i) {
        for (int j = i + 1; j < n; ++j) {
            const int distance = colour_distance(table->colour[i], table->colour[j]);
            if (distance < best_distance) {
                best_distance = distance;
                best_i = i;
                best_j = j;
            }
        }
    }
    Rgb& a = table->colour[best_i];
    const Rgb b = table->colour[best_j];
    const int ca = table->count[best_i];
    const int cb = table->count[best_j];
    a = Rgb{weighted_mean(ca, a.r, cb, b.r), weighted_mean(ca, a.g, cb, b.g),
            weighted_mean(ca, a.b, cb, b.b)};
    table->count[best_i] = ca + cb;
    table->colour[best_j] = table->colour[n - 1];
    table->count[best_j] = table->count[n - 1];
    table->colour[n - 1] = Rgb{0, 0, 0};
    table->count[n - 1] = 0;
    table->size = n - 1;
}

}  // namespace

void merge_tile_colours_exhaustively(const Rgb* tile, ExhaustiveColourTable* table) {
    collect_colours_by_linear_search(tile, table);
    while (table->size > kSlotCount) {
        merge_closest_pair(table);
    }
}
