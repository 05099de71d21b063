#include "screenshot_command.h"

bool screenshot_size_accepted(PictureSize size) {
    return size.width == kScreenshotSize.width && size.height == kScreenshotSize.height;
}

void accept_screenshot(ShellState& state) {
    state.display_mode = DisplayMode::placeholder;
}
