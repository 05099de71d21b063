#include "matrix_layout.h"
#include "symbol_buffers.h"

namespace {
constexpr uint8_t S = kQrSide;
}  // namespace

// Copy 1 runs up column 8 beside the top-left finder and along row 8 to its
// left; copy 2 runs along row 8 under the top-right finder and down column 8
// beside the bottom-left one. Entry i holds bit i (bit 0 the least significant).
const ModulePosition kFormatCopy1[15] = {{0, 8}, {1, 8}, {2, 8}, {3, 8}, {4, 8},
                                         {5, 8}, {7, 8}, {8, 8}, {8, 7}, {8, 5},
                                         {8, 4}, {8, 3}, {8, 2}, {8, 1}, {8, 0}};
const ModulePosition kFormatCopy2[15] = {
    {8, S - 1}, {8, S - 2}, {8, S - 3}, {8, S - 4}, {8, S - 5}, {8, S - 6}, {8, S - 7}, {8, S - 8},
    {S - 7, 8}, {S - 6, 8}, {S - 5, 8}, {S - 4, 8}, {S - 3, 8}, {S - 2, 8}, {S - 1, 8}};

namespace {

constexpr ModulePosition kDarkModule = {S - 8, 8};
constexpr int kVersionBits = 18;

void set_module(uint8_t* modules, ModulePosition p, int value) {
    modules[p.row * kQrSide + p.column] = static_cast<uint8_t>(value);
}

}  // namespace

void write_format_and_version_info(uint8_t* modules) {
    set_module(modules, kDarkModule, 1);
    for (int i = 0; i < 15; ++i) {
        const int bit = (kFormatWordMask3 >> i) & 1;
        set_module(modules, kFormatCopy1[i], bit);
        set_module(modules, kFormatCopy2[i], bit);
    }
    for (int i = 0; i < kVersionBits; ++i) {
        const int bit = (kVersionWord >> i) & 1;
        const uint8_t a = static_cast<uint8_t>(i / 3);
        const uint8_t b = static_cast<uint8_t>(S - 11 + i % 3);
        set_module(modules, {a, b}, bit);
        set_module(modules, {b, a}, bit);
    }
}

void write_format_and_version_info() {
    write_format_and_version_info(module_matrix);
}
