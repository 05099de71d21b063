#include "tile_families.h"

#include <algorithm>
#include <random>
#include <unordered_set>
#include <vector>

namespace {

// std::mt19937's sequence is fixed by the standard; the distributions are not, so
// values are taken from raw draws to stay the same on every compiler.
struct Random {
    std::mt19937 engine;
    int below(int bound) { return static_cast<int>(engine() % static_cast<uint32_t>(bound)); }
    int between(int low, int high) { return low + below(high - low + 1); }
    uint8_t byte() { return static_cast<uint8_t>(engine() >> 24); }
};

uint32_t packed(Rgb c) {
    return uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b;
}

void fill_distinct(Random& random, Rgb* tile) {
    std::unordered_set<uint32_t> seen;
    for (int p = 0; p < kTilePixels; ++p) {
        Rgb c;
        do {
            c = Rgb{random.byte(), random.byte(), random.byte()};
        } while (!seen.insert(packed(c)).second);
        tile[p] = c;
    }
}

void fill_from_values(Random& random, const uint8_t* values, int value_count, Rgb* tile) {
    for (int p = 0; p < kTilePixels; ++p) {
        tile[p] = Rgb{values[random.below(value_count)], values[random.below(value_count)],
                      values[random.below(value_count)]};
    }
}

void fill_from_colours(Random& random, const std::vector<Rgb>& colours, Rgb* tile) {
    for (int p = 0; p < kTilePixels; ++p) {
        tile[p] = colours[static_cast<size_t>(random.below(static_cast<int>(colours.size())))];
    }
}

void fill_subset_0_to_7(Random& random, Rgb* tile) {
    std::vector<Rgb> colours(static_cast<size_t>(random.between(20, 250)));
    for (Rgb& c : colours) {
        c = Rgb{static_cast<uint8_t>(random.below(8)), static_cast<uint8_t>(random.below(8)),
                static_cast<uint8_t>(random.below(8))};
    }
    fill_from_colours(random, colours, tile);
}

uint8_t clamp_channel(int value) {
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

void fill_gradient(Random& random, Rgb* tile) {
    const Rgb from{random.byte(), random.byte(), random.byte()};
    const Rgb to{random.byte(), random.byte(), random.byte()};
    const bool along_x = random.below(2) == 0;
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const int t = along_x ? x : y;
            auto channel = [&](uint8_t a, uint8_t b) {
                return clamp_channel(a + (b - a) * t / (kTileSide - 1) + random.below(2));
            };
            tile[y * kTileSide + x] =
                Rgb{channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b)};
        }
    }
}

// Half the time the colours sit on a lattice of step 4-16, where many pairs are
// equally far apart; otherwise they are arbitrary.
void fill_blocks(Random& random, Rgb* tile) {
    std::vector<Rgb> colours(static_cast<size_t>(random.between(16, 40)));
    const bool lattice = random.below(2) == 0;
    const int step = random.between(4, 16);
    for (Rgb& c : colours) {
        if (lattice) {
            c = Rgb{clamp_channel(step * random.below(6)), clamp_channel(step * random.below(6)),
                    clamp_channel(step * random.below(6))};
        } else {
            c = Rgb{random.byte(), random.byte(), random.byte()};
        }
    }
    constexpr int kBlock = 4;
    for (int by = 0; by < kTileSide; by += kBlock) {
        for (int bx = 0; bx < kTileSide; bx += kBlock) {
            const Rgb c =
                colours[static_cast<size_t>(random.below(static_cast<int>(colours.size())))];
            for (int y = by; y < by + kBlock; ++y) {
                for (int x = bx; x < bx + kBlock; ++x) {
                    tile[y * kTileSide + x] = c;
                }
            }
        }
    }
}

}  // namespace

void make_family_tile(TileFamily family, uint32_t seed, Rgb* tile) {
    Random random{std::mt19937(seed)};
    static constexpr uint8_t kZeroToSeven[] = {0, 1, 2, 3, 4, 5, 6, 7};
    static constexpr uint8_t kQuarters[] = {0, 85, 170, 255};
    static constexpr uint8_t kZeroToThree[] = {0, 1, 2, 3};
    switch (family) {
        case TileFamily::distinct_1024:
            fill_distinct(random, tile);
            break;
        case TileFamily::values_0_to_7:
            fill_from_values(random, kZeroToSeven, 8, tile);
            break;
        case TileFamily::subset_0_to_7:
            fill_subset_0_to_7(random, tile);
            break;
        case TileFamily::values_0_85_170_255:
            fill_from_values(random, kQuarters, 4, tile);
            break;
        case TileFamily::values_0_to_3:
            fill_from_values(random, kZeroToThree, 4, tile);
            break;
        case TileFamily::gradient_noise:
            fill_gradient(random, tile);
            break;
        case TileFamily::blocks_16_to_40:
            fill_blocks(random, tile);
            break;
    }
}

int count_distinct_colours(const Rgb* tile) {
    std::unordered_set<uint32_t> seen;
    for (int p = 0; p < kTilePixels; ++p) {
        seen.insert(packed(tile[p]));
    }
    return static_cast<int>(seen.size());
}

TileFamily mix_family(const TileMix& mix, int tile_number) {
    // Large tiles are spread through the run rather than bunched at its start.
    constexpr TileFamily kSmall[] = {TileFamily::subset_0_to_7, TileFamily::values_0_85_170_255,
                                     TileFamily::values_0_to_3, TileFamily::gradient_noise,
                                     TileFamily::blocks_16_to_40};
    const int spacing = mix.large > 0 ? mix.total / mix.large : mix.total + 1;
    if (tile_number % spacing == 0 && tile_number / spacing < mix.large) {
        return (tile_number / spacing) % 2 == 0 ? TileFamily::distinct_1024
                                                : TileFamily::values_0_to_7;
    }
    return kSmall[tile_number % 5];
}
