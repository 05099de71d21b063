#include "app_objects.h"
#include "app_state.h"
#include "chosen_picture.h"
#include "commands.h"
#include "convert_current_design.h"
#include "design_count_dialog.h"
#include "dib_image.h"
#include "resource_ids.h"
#include "message_texts.h"
#include "picture_fit.h"

void open_fitted_picture(HWND main_window) {
    wchar_t path[MAX_PATH];
    Picture picture;
    if (!read_chosen_picture(main_window, IDM_OPEN_FITTED_PICTURE, kImageDialogTitle, nullptr, path,
                             &picture)) {
        return;
    }
    const DesignGrid offered = offered_fit_grid(picture.width, picture.height);
    DesignGrid grid{offered.columns, offered.rows};
    if (run_design_count_dialog(app.instance, main_window, grid, &grid) != DesignCountAnswer::ok) {
        return;
    }
    Picture fitted;
    std::string error;
    if (fit_picture(picture, DesignGrid{grid.columns, grid.rows}, &fitted, &error) != 0) {
        return;
    }
    BITMAP description{};
    HBITMAP image = dib24_of_picture(fitted, &description);
    if (image == nullptr) {
        return;
    }
    show_first_design_of(main_window, image, description, ImageCommand::fitted, path);
}
