// Reading every module of a located symbol into a 93 x 93 grid of working-matrix
// cells, and the cheap checks that tell a version-19 symbol before decoding it.
#pragma once

#include <array>
#include <cstdint>

#include "qr_profile.h"
#include "scan_picture.h"
#include "symbol_grid.h"

using SampledCells = std::array<uint8_t, kQrCells>;

enum class ModuleThreshold {
    picture,  // the picture's local threshold
    symbol,   // the mean of the modules around each module
};

// kCellDark or kCellLight for each module, from the grey at its centre.
void sample_symbol(const ScanPicture& picture, const SymbolGrid& grid, ModuleThreshold threshold,
                   SampledCells& cells);

// Whether the timing patterns alternate as they should and neither
// version-information block reads as another version: false for what cannot
// be a version-19 symbol.
bool could_be_version_19(const SampledCells& cells);
