#include <span>
#include <string>

#include "app_state.h"
#include "commands.h"
#include "decoder.h"
#include "dib_image.h"
#include "edited_designs.h"
#include "resource_ids.h"
#include "file_dialog.h"
#include "message_box.h"
#include "message_texts.h"
#include "file_commands.h"
#include "whole_files.h"

void decode_screenshot(HWND main_window) {
    if (!may_drop_edits(main_window, IDM_DECODE_SCREENSHOT)) {
        return;
    }
    wchar_t path[MAX_PATH];
    if (!choose_existing_file(main_window, kScreenshotDialogTitle, kPictureFilter,
                              kPictureDefaultExtension, path)) {
        return;
    }
    BITMAP description{};
    HBITMAP screenshot = nullptr;
    const PictureLoad load = load_picture_as_dib24(path, &screenshot, &description);
    if (load == PictureLoad::too_large) {
        // Whatever its size, it is not 400 x 240.
        show_message(main_window, kScreenshotSizeMessage, kErrorCaption);
        return;
    }
    if (load != PictureLoad::loaded) {
        return;
    }
    if (!screenshot_size_accepted(PictureSize{description.bmWidth, description.bmHeight})) {
        show_message(main_window, kScreenshotSizeMessage, kErrorCaption);
        DeleteObject(screenshot);
        return;
    }
    // 400 pixels of 3 bytes: the rows are exactly the 1200 bytes the sampler expects.
    sample_screenshot(static_cast<const uint8_t*>(description.bmBits));
    DeleteObject(screenshot);
    accept_screenshot(app.shell);
    const int decoded = decode_qr(app.design_record);
    InvalidateRect(main_window, nullptr, TRUE);
    if (decoded != 0) {
        // Nothing is written: an existing "output.dat" keeps its record.
        show_message(main_window, kDecodeFailedMessage, kErrorCaption);
        return;
    }
    std::string unwritten;
    if (write_file_atomically(kDecodeOutputFileName,
                              std::span<const uint8_t>(app.design_record, kDesignRecordSize),
                              &unwritten)) {
        show_message(main_window, kDecodeWrittenMessage, kSuccessCaption);
    }
}
