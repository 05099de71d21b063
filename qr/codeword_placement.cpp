#include <array>

#include "matrix_layout.h"
#include "symbol_buffers.h"

namespace {

constexpr int kTimingColumn = 6;

struct PlacementOrder {
    uint16_t cell[kQrDataModules];
};

// Walks the symbol in two-column strips from the bottom-right corner, upward
// and downward in turn, right column before left, skipping the timing column
// and every function or reserved cell.
PlacementOrder build_placement_order() {
    uint8_t layout[kQrCells] = {};  // only the marks matter
    mark_function_patterns_into(layout);
    PlacementOrder order{};
    int next = 0;
    bool upward = true;
    for (int right = kQrSide - 1; right >= 1; right -= 2) {
        if (right == kTimingColumn)
            right = kTimingColumn - 1;
        for (int step = 0; step < kQrSide; ++step) {
            const int row = upward ? kQrSide - 1 - step : step;
            for (int column = right; column >= right - 1; --column) {
                const int index = row * kQrSide + column;
                if ((layout[index] & kCellFunctionBits) == 0) {
                    order.cell[next++] = static_cast<uint16_t>(index);
                }
            }
        }
        upward = !upward;
    }
    return order;
}

constexpr std::array<uint16_t, kQrTotalCodewords> make_interleaving() {
    std::array<uint16_t, kQrTotalCodewords> position{};
    int k = 0;
    for (int p = 0; p < kQrLongBlockLength; ++p) {
        for (int b = 0; b < kQrBlockCount; ++b) {
            if (p < block_data_length(b))
                position[k++] = static_cast<uint16_t>(block_data_start(b) + p);
        }
    }
    for (int p = 0; p < kQrEcCodewordsPerBlock; ++p) {
        for (int b = 0; b < kQrBlockCount; ++b)
            position[k++] = static_cast<uint16_t>(block_ec_start(b) + p);
    }
    return position;
}

constexpr auto kInterleavedPosition = make_interleaving();

}  // namespace

const uint16_t* data_module_order() {
    static const PlacementOrder order = build_placement_order();  // built once, thread-safely
    return order.cell;
}

int interleaved_position(int k) {
    return kInterleavedPosition[k];
}

void place_codewords(const uint8_t* codewords, uint8_t* working) {
    const uint16_t* cells = data_module_order();
    for (int k = 0; k < kQrTotalCodewords; ++k) {
        const uint8_t codeword = codewords[kInterleavedPosition[k]];
        const uint16_t* target = cells + 8 * k;
        for (int bit = 0; bit < 8; ++bit) {
            if ((codeword >> (7 - bit)) & 1)
                working[target[bit]] = kCellDark;
        }
    }
}

void place_codewords() {
    place_codewords(codeword_buffer, working_matrix);
}
