#include "neighbour_colours.h"

#include <vector>

namespace {

constexpr int kBorderBand = 8;       // a neighbour's pixels this close to the shared border count
constexpr int kLeastTakenCount = 8;  // a colour shown by fewer of them is not taken

struct Trade {
    int entry = -1;  // none
    int slot = 0;
};

// The pixels [from, to) along one axis of the band of the neighbour one design
// away in direction step (-1, 0 or 1) from the design starting at `start`.
struct Span {
    int from, to;
};
Span band(int start, int step) {
    if (step < 0)
        return {start - kBorderBand, start};
    if (step > 0)
        return {start + kTileSide, start + kTileSide + kBorderBand};
    return {start, start + kTileSide};
}

// The pixels of each palette entry in the bands of the design's 4 neighbours.
void count_neighbours_colours(const MuralCanvas& c, int design, int* counts) {
    constexpr int kSteps[4][2] = {{0, -1}, {-1, 0}, {1, 0}, {0, 1}};
    const int column = design % c.grid.columns;
    const int row = design / c.grid.columns;
    for (const auto& step : kSteps) {
        const int k = column + step[0];
        const int r = row + step[1];
        if (k < 0 || k >= c.grid.columns || r < 0 || r >= c.grid.rows)
            continue;
        const SlotColours& theirs = c.colours[static_cast<size_t>(r) * c.grid.columns + k];
        const Span xs = band(column * kTileSide, step[0]);
        const Span ys = band(row * kTileSide, step[1]);
        for (int y = ys.from; y < ys.to; ++y) {
            for (int x = xs.from; x < xs.to; ++x) {
                ++counts[theirs.entry[c.slot[static_cast<size_t>(y) * c.width + x]]];
            }
        }
    }
}

// The full design's trade: the most counted entry it lacks, if counted often
// enough (ties to the lower entry), for its least shown slot (ties to the lower slot).
Trade choose_trade(const MuralCanvas& c, int design) {
    Trade trade;
    if (c.own_colours[design] < kSlotCount)
        return trade;
    int counts[kPaletteSize] = {};
    count_neighbours_colours(c, design, counts);
    const SlotColours& s = c.colours[design];
    for (int slot = 0; slot < s.count; ++slot) {
        counts[s.entry[slot]] = 0;
    }
    int best_count = kLeastTakenCount - 1;
    for (int entry = 0; entry < kPaletteSize; ++entry) {
        if (counts[entry] > best_count) {
            best_count = counts[entry];
            trade.entry = entry;
        }
    }
    if (trade.entry < 0)
        return trade;
    int shown[kSlotCount] = {};
    const int x0 = design % c.grid.columns * kTileSide;
    const int y0 = design / c.grid.columns * kTileSide;
    for (int y = y0; y < y0 + kTileSide; ++y) {
        for (int x = x0; x < x0 + kTileSide; ++x) {
            ++shown[c.slot[static_cast<size_t>(y) * c.width + x]];
        }
    }
    for (int slot = 1; slot < s.count; ++slot) {
        if (shown[slot] < shown[trade.slot])
            trade.slot = slot;
    }
    return trade;
}

}  // namespace

bool take_neighbours_colours(MuralCanvas* c) {
    const int designs = c->grid.columns * c->grid.rows;
    std::vector<Trade> trades(designs);
    for (int design = 0; design < designs; ++design) {
        trades[design] = choose_trade(*c, design);
    }
    bool traded = false;
    for (int design = 0; design < designs; ++design) {
        if (trades[design].entry >= 0) {
            set_design_colour(c, design, trades[design].slot, trades[design].entry);
            traded = true;
        }
    }
    return traded;
}
