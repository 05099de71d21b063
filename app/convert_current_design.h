#pragma once

#include <windows.h>

#include "conversion_plan.h"
#include "design_record.h"
#include "tile.h"

// Builds the design record of the current design from the capture or the file
// image (conversion_plan.h), shows its symbol and repaints the main window.
// Without any picture to read it leaves everything as it is.
void convert_current_design(HWND main_window);

// The pixels of design `position` from the source the plan names, read exactly
// as convert_current_design reads them; false when the plan names none.
bool read_design_tile(const ConversionPlan& plan, DesignPosition position,
                      Rgb* tile);  // kTilePixels

// What the shown design is converted with: the source and the reduction.
ConversionPlan current_conversion_plan();
