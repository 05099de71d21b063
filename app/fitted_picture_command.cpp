#include <vector>

#include "app_objects.h"
#include "app_state.h"
#include "commands.h"
#include "convert_current_design.h"
#include "design_count_dialog.h"
#include "dib_image.h"
#include "file_dialog.h"
#include "message_box.h"
#include "message_texts.h"
#include "picture_fit.h"

namespace {

// TEMPORARY until the one picture reader lands: BMP files through the
// window's loader, as red-green-blue rows top row first.
bool load_picture(const wchar_t* path, BmpImage* picture) {
    BITMAP description{};
    HBITMAP image = load_bmp_as_dib24(path, &description);
    if (image == nullptr) {
        return false;
    }
    picture->width = description.bmWidth;
    picture->height = description.bmHeight;
    picture->rgb.resize(static_cast<size_t>(picture->width) * picture->height * 3);
    const auto* rows = static_cast<const uint8_t*>(description.bmBits);
    for (int y = 0; y < picture->height; ++y) {
        const uint8_t* from =
            rows + static_cast<size_t>(picture->height - 1 - y) * description.bmWidthBytes;
        uint8_t* to = picture->rgb.data() + static_cast<size_t>(y) * picture->width * 3;
        for (int x = 0; x < picture->width; ++x) {
            to[3 * x + 0] = from[3 * x + 2];
            to[3 * x + 1] = from[3 * x + 1];
            to[3 * x + 2] = from[3 * x + 0];
        }
    }
    DeleteObject(image);
    return true;
}

}  // namespace

void open_fitted_picture(HWND main_window) {
    wchar_t path[MAX_PATH];
    if (!choose_existing_file(main_window, kImageDialogTitle, kPictureFilter,
                              kPictureDefaultExtension, path)) {
        return;
    }
    BmpImage picture;
    if (!load_picture(path, &picture)) {
        return;
    }
    const FitGrid offered = offered_fit_grid(picture.width, picture.height);
    DesignGrid grid{offered.columns, offered.rows};
    if (run_design_count_dialog(app.instance, main_window, grid, &grid) != DesignCountAnswer::ok) {
        return;
    }
    BmpImage fitted;
    std::string error;
    if (fit_picture(picture, FitGrid{grid.columns, grid.rows}, &fitted, &error) != 0) {
        return;
    }
    BITMAP description{};
    HBITMAP image = dib24_of_picture(fitted, &description);
    if (image == nullptr) {
        return;
    }
    show_first_design_of(main_window, image, description, ImageCommand::fitted);
}
