#include "screen_capture.h"

#include "app_objects.h"
#include "app_state.h"
#include "capture_command.h"
#include "capture_overlay.h"
#include "design_count_dialog.h"
#include "edited_designs.h"
#include "resource_ids.h"
#include "message_box.h"
#include "message_texts.h"
#include "screen_grab.h"

namespace {

// The whole primary screen, 1:1, into a new capture bitmap (the previous one
// is released first). False, with nothing kept, when the bitmap can't be made.
bool grab_whole_screen() {
    release_capture();
    ScreenGrab grab;
    if (!grab_screen(&grab)) {
        return false;
    }
    replace_capture(grab.dc, grab.original_bitmap, grab.bitmap, grab.width, grab.height);
    return true;
}

}  // namespace

void report_capture_failure(HWND main_window) {
    ShowWindow(main_window, SW_RESTORE);
    note_capture_failed(app.shell);
    InvalidateRect(main_window, nullptr, TRUE);
    show_message(main_window, kScreenCaptureErrorMessage, kPlainErrorCaption);
}

void capture_screen(HWND main_window) {
    if (!may_drop_edits(main_window, IDM_CAPTURE)) {
        return;
    }
    // The dialog opens at 1 x 1 whatever the grid. One that could not open
    // counts as OK with the grid as it stands.
    DesignGrid chosen{1, 1};
    const DesignCountAnswer answer =
        run_design_count_dialog(app.instance, main_window, DesignGrid{1, 1}, &chosen);
    if (answer == DesignCountAnswer::cancelled) {
        return;
    }
    if (answer == DesignCountAnswer::ok) {
        accept_design_count(app.shell, chosen);
    }
    ShowWindow(main_window, SW_HIDE);
    Sleep(kRedrawWaitMs);
    // Without an overlay nothing would ever bring the main window back.
    if (app.capture_overlay == nullptr || !grab_whole_screen()) {
        report_capture_failure(main_window);
        return;
    }
    show_capture_overlay(app.capture_overlay);
}
