// The pixels of the designs on show, read from the source a conversion plan
// names (the file image's DIB rows or the capture's DC): one reader for
// stepping, the dither across designs and the export alike.
#pragma once

#include "conversion_plan.h"
#include "tile.h"
#include "tile_sources.h"

// The pixels of design `position`; false when the plan names no source.
bool read_design_tile(const ConversionPlan& plan, DesignPosition position,
                      Rgb* tile);  // kTilePixels

// read_design_tile over the whole grid, for export/ and mural/; holds its own
// copy of the plan.
TileReader design_tile_reader(const ConversionPlan& plan);
