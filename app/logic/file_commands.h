// What the file commands leave in the state: a design file shown (100), a
// screenshot read back (101), an image opened (102, 103 and 110).
#pragma once

#include <cstdint>

#include "conversion_plan.h"
#include "screenshot_layout.h"
#include "shell_state.h"

// ---- Command 100: a design file shown as its symbol.

// Bytes of a design file that go into the record, from its start: the whole of
// a file up to 620 bytes (the rest of the record keeps what it held), the first
// 620 of a longer one.
int design_file_bytes_taken(uint64_t file_size);

// The symbol of the record is shown with the design file heading; the grid,
// the indices and the median-cut flag stay.
void accept_design_file(ShellState& state);

// ---- Command 101: a 400 x 240 screenshot read back into "output.dat".

inline constexpr PictureSize kScreenshotSize{kScreenshotWidth, kScreenshotHeight};

bool screenshot_size_accepted(PictureSize size);

// Once the screenshot is sampled the window goes back to the placeholder,
// whether or not the symbol decodes; grid, indices and flag stay.
void accept_screenshot(ShellState& state);

// ---- Commands 102, 103 and 110, once an image is loaded.

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
