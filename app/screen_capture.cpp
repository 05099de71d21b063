#include "screen_capture.h"

#include "app_objects.h"
#include "app_state.h"
#include "capture_command.h"
#include "capture_overlay.h"
#include "design_count_dialog.h"
#include "message_box.h"
#include "message_texts.h"

namespace {

// Time for what lay behind the hidden main window to be drawn again.
constexpr DWORD kRedrawWaitMs = 500;

// The whole primary screen, 1:1, into a new capture bitmap (the previous one
// is released first). False, with nothing kept, when the bitmap can't be made.
bool grab_whole_screen() {
    release_capture();
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = memory != nullptr ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    if (bitmap != nullptr) {
        HGDIOBJ original = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        replace_capture(memory, original, bitmap, width, height);
    } else if (memory != nullptr) {
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    return bitmap != nullptr;
}

}  // namespace

void report_capture_failure(HWND main_window) {
    ShowWindow(main_window, SW_RESTORE);
    note_capture_failed(app.shell);
    InvalidateRect(main_window, nullptr, TRUE);
    show_message(main_window, kScreenCaptureErrorMessage, kPlainErrorCaption);
}

void capture_screen(HWND main_window) {
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
