#pragma once

#include <windows.h>

#include "conversion_plan.h"

// Builds the design record of the current design from the capture or the file
// image (conversion_plan.h), shows its symbol and repaints the main window.
// Without any picture to read it leaves everything as it is.
void convert_current_design(HWND main_window);

// What the shown design is converted with: the source and the reduction.
ConversionPlan current_conversion_plan();
