// What commands 102, 103 and 110 leave in the state once an image is loaded.
#pragma once

#include "conversion_plan.h"
#include "shell_state.h"

enum class ImageCommand {
    merge,       // 102: drops any capture, clears the median-cut flag, resets the reduction
    median_cut,  // 103: keeps any capture, sets the median-cut flag, keeps the reduction
    fitted,      // 110: as 102, for a picture already fitted to its grid
};

// Both sides positive multiples of 32. A refused image leaves the state,
// the file image and the grid as they were.
bool image_sides_accepted(PictureSize size);

// The grid becomes width/32 x height/32 with its first design current, and the
// median-cut flag and the chosen reduction follow the command. The conversion
// comes next.
void accept_image(ShellState& state, PictureSize size, ImageCommand command);

bool image_command_drops_capture(ImageCommand command);
