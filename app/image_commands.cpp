#include "app_objects.h"
#include "app_state.h"
#include "commands.h"
#include "convert_current_design.h"
#include "design_stepping.h"
#include "dib_image.h"
#include "edited_designs.h"
#include "file_dialog.h"
#include "message_box.h"
#include "message_texts.h"
#include "resource_ids.h"
#include "scan_command.h"

void qr_from_image(HWND main_window, ImageCommand command) {
    const int item =
        command == ImageCommand::median_cut ? IDM_QR_FROM_IMAGE_MEDIAN_CUT : IDM_QR_FROM_IMAGE;
    if (!may_drop_edits(main_window, item)) {
        return;
    }
    wchar_t path[MAX_PATH];
    if (!choose_existing_file(main_window, kImageDialogTitle, kPictureFilter,
                              kPictureDefaultExtension, path)) {
        return;
    }
    open_image_file(main_window, path, command, false);
}

bool open_image_file(HWND main_window, const wchar_t* path, ImageCommand command, bool ask_first) {
    BITMAP description{};
    HBITMAP image = nullptr;
    const PictureLoad load = load_picture_as_dib24(path, &image, &description);
    if (load == PictureLoad::too_large) {
        show_message(main_window, kPictureTooLargeMessage, kErrorCaption);
        return true;
    }
    if (load != PictureLoad::loaded) {
        return false;
    }
    if (ask_first && !may_drop_edits(main_window, kDroppedFileCommand)) {
        DeleteObject(image);
        return true;
    }
    const PictureSize size{description.bmWidth, description.bmHeight};
    if (!image_sides_accepted(size)) {
        // The previous image, its grid and what the window shows all stay.
        show_message(main_window, kImageSizeMessage, kErrorCaption);
        DeleteObject(image);
        return true;
    }
    show_first_design_of(main_window, image, description, command, path);
    return true;
}

void show_first_design_of(HWND main_window, HBITMAP image, const BITMAP& description,
                          ImageCommand command, const wchar_t* path) {
    replace_file_image(image, description);
    remember_file_name(path, app.picture_file_name);
    accept_image(app.shell, PictureSize{description.bmWidth, description.bmHeight}, command);
    if (image_command_drops_capture(command)) {
        release_capture();
    }
    convert_current_design(main_window);
}

void step_design(HWND main_window, StepDirection direction) {
    if (step_found_design(app.shell, direction == StepDirection::forward)) {
        show_found_design(main_window);
        return;
    }
    if (!clicks_step(app.shell)) {
        return;
    }
    app.shell.position = direction == StepDirection::forward
                             ? next_design(app.shell.grid, app.shell.position)
                             : previous_design(app.shell.grid, app.shell.position);
    convert_current_design(main_window);
}

void go_to_end_design(HWND main_window, bool last) {
    if (go_to_end_found_design(app.shell, last)) {
        show_found_design(main_window);
        return;
    }
    if (!clicks_step(app.shell)) {
        return;
    }
    app.shell.position = last ? last_design(app.shell.grid) : first_design();
    convert_current_design(main_window);
}
