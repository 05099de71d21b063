#include "chosen_picture.h"

#include "edited_designs.h"
#include "file_dialog.h"
#include "message_box.h"
#include "message_texts.h"
#include "whole_files.h"

bool read_chosen_picture(HWND main_window, int item, const wchar_t* title,
                         const wchar_t* unreadable_message, wchar_t (&path)[MAX_PATH],
                         Picture* picture) {
    if (!may_drop_edits(main_window, item) ||
        !choose_existing_file(main_window, title, kPictureFilter, kPictureDefaultExtension, path)) {
        return false;
    }
    const PictureLoad load = read_picture_file(path, picture);
    if (load == PictureLoad::too_large) {
        show_message(main_window, kPictureTooLargeMessage, kErrorCaption);
    } else if (load == PictureLoad::unreadable && unreadable_message != nullptr) {
        show_message(main_window, unreadable_message, kPlainErrorCaption);
    }
    return load == PictureLoad::loaded;
}
