#include "matrix_layout.h"
#include "symbol_buffers.h"

namespace {

// The mask conditions repeat every 12 rows and columns (lcm of 2, 3, 4 and 6
// covers i div 2 and j div 3 too), so 12 rows per mask say it all; each row is
// spelt out across the whole symbol so that a row is masked without division.
constexpr int kMaskPeriod = 12;

struct MaskTiles {
    uint8_t invert[8][kMaskPeriod][kQrSide];
};

constexpr MaskTiles make_mask_tiles() {
    MaskTiles t{};
    for (int m = 0; m < 8; ++m) {
        for (int i = 0; i < kMaskPeriod; ++i) {
            for (int j = 0; j < kQrSide; ++j) {
                t.invert[m][i][j] = mask_inverts(m, i, j) ? 1 : 0;
            }
        }
    }
    return t;
}

constexpr MaskTiles kMaskTiles = make_mask_tiles();

}  // namespace

void apply_mask(const uint8_t* working, uint8_t* modules, int size, int mask) {
    const auto& tile = kMaskTiles.invert[mask & 7];
    for (int i = 0; i < size; ++i) {
        const uint8_t* in = working + i * kQrSide;
        uint8_t* out = modules + i * kQrSide;
        const uint8_t* tile_row = tile[i % kMaskPeriod];
        for (int j = 0; j < size; ++j) {
            const uint8_t c = in[j];
            const uint8_t is_data = (c & kCellFunctionBits) == 0 ? 1 : 0;
            out[j] = static_cast<uint8_t>((c & 1) ^ (is_data & tile_row[j]));
        }
    }
}

void apply_mask(int size, int mask) {
    apply_mask(working_matrix, module_matrix, size, mask);
}
