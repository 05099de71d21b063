// Command 101: a 400 x 240 screenshot read back into "output.dat".
#pragma once

#include "conversion_plan.h"
#include "screenshot_layout.h"
#include "shell_state.h"

inline constexpr PictureSize kScreenshotSize{kScreenshotWidth, kScreenshotHeight};

bool screenshot_size_accepted(PictureSize size);

// Once the screenshot is sampled the window goes back to the placeholder,
// whether or not the symbol decodes; grid, indices and flag stay.
void accept_screenshot(ShellState& state);
