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

// The grey at each module's centre and the picture's threshold there.
struct SampledGreys {
    std::array<float, kQrCells> grey;
    std::array<uint8_t, kQrCells> picture_threshold;
};
void sample_greys(const ScanPicture& picture, const SymbolGrid& grid, LocalThreshold kind,
                  SampledGreys& greys);

// kCellDark or kCellLight for each module.
void threshold_cells(const SampledGreys& greys, ModuleThreshold threshold, SampledCells& cells);

// Whether the timing patterns, read straight from the picture, alternate as
// they should: a cheap look before sampling every module.
// A light-on-dark symbol's timing patterns start light.
bool timing_patterns_agree(const ScanPicture& picture, const SymbolGrid& grid, bool light,
                           LocalThreshold kind);

// timing_patterns_agree read from the nearest pixel's dark or light, leaving
// as soon as too many are wrong: a quick look for the many triples of small
// chance finders that noise and print make.
bool timing_patterns_shown(const ScanPicture& picture, const ProjectiveMap& map, bool light);

// Whether both format copies lie near the same format word, of any level and mask.
bool format_copies_agree(const SampledCells& cells);

// Whether the timing patterns alternate as they should and neither
// version-information block reads as another version: false for what cannot
// be a version-19 symbol.
bool could_be_version_19(const SampledCells& cells);

// Whether a version-information block reads as version 19: a symbol beyond
// repair is taken for a design-sized one only then, not when a chance grid
// through a false finder, over a larger symbol or a crooked one, merely reads
// as no other version.
bool version_19_shown(const SampledCells& cells);
