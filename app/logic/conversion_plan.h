// Where convert_current_design reads the current design from, and with which quantiser.
#pragma once

#include "design_conversion.h"
#include "shell_state.h"

// Size of a loaded picture; {0, 0} when there is none.
struct PictureSize {
    int width;
    int height;
};

enum class TileSource {
    none,                // nothing to read from: the conversion leaves everything as it is
    file_image_rows,     // the design lies inside the file image: its 24-bit rows are read directly
    file_image_clipped,  // the design reaches past the file image: read pixel by pixel,
                         // white outside (a capture grid while the median cut is on)
    capture_bitmap,      // the captured region, pixel by pixel
};

struct ConversionPlan {
    TileSource source;
    Quantizer quantizer;
};

// The median-cut flag reads the file image with the median cut even when a
// capture exists; otherwise a capture wins over the file image.
ConversionPlan plan_conversion(const ShellState& state, bool capture_present,
                               PictureSize file_image);

// Whether design `position` lies wholly inside a picture of `size`.
bool design_inside_picture(DesignPosition position, PictureSize size);
