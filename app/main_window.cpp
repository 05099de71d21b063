#include "main_window.h"

#include "app_objects.h"
#include "app_state.h"
#include "commands.h"
#include "dropped_files.h"
#include "message_texts.h"
#include "reduction_menu.h"
#include "resource_ids.h"
#include "screen_capture.h"
#include "window_layout.h"

namespace {

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT:
            on_paint(window);
            return 0;
        case WM_COMMAND:
            if (on_command(window, LOWORD(wparam))) {
                return 0;
            }
            break;
        case WM_INITMENUPOPUP:
            check_reduction_item(reinterpret_cast<HMENU>(wparam));
            enable_keeping_items(reinterpret_cast<HMENU>(wparam));
            return 0;
        case WM_LBUTTONDOWN:
            on_left_button_down(window);
            return 0;
        case WM_DROPFILES:
            on_drop_files(window, reinterpret_cast<HDROP>(wparam));
            return 0;
        case WM_RBUTTONDOWN:
            on_right_button_down(window);
            return 0;
        case WM_DESTROY:
            on_destroy();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

bool register_main_window_class(HINSTANCE instance) {
    WNDCLASSW window_class{};
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = main_window_procedure;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    window_class.lpszMenuName = IDR_MAIN_MENU_NAME;
    window_class.lpszClassName = kMainWindowClassName;
    return RegisterClassW(&window_class) != 0;
}

HWND create_main_window(HINSTANCE instance) {
    return CreateWindowExW(0, kMainWindowClassName, kMainWindowTitle, WS_OVERLAPPEDWINDOW,
                           CW_USEDEFAULT, CW_USEDEFAULT, kMainWindowWidth, kMainWindowHeight,
                           nullptr, nullptr, instance, nullptr);
}

bool on_command(HWND window, int command) {
    ReductionKind reduction = ReductionKind::merge;
    if (reduction_of_menu_item(command, &reduction)) {
        pick_reduction(window, reduction);
        return true;
    }
    switch (command) {
        case IDM_OPEN_DESIGN_FILE:
            open_design_file(window);
            return true;
        case IDM_DECODE_SCREENSHOT:
            decode_screenshot(window);
            return true;
        case IDM_QR_FROM_IMAGE:
            qr_from_image(window, ImageCommand::merge);
            return true;
        case IDM_QR_FROM_IMAGE_MEDIAN_CUT:
            qr_from_image(window, ImageCommand::median_cut);
            return true;
        case IDM_CAPTURE:
            capture_screen(window);
            return true;
        case IDM_OPEN_FITTED_PICTURE:
            open_fitted_picture(window);
            return true;
        case IDM_SAVE_QR_PICTURE:
            save_qr_picture(window);
            return true;
        case IDM_SAVE_DESIGN_FILE:
            save_design_file(window);
            return true;
        case IDM_EXPORT_ALL:
            export_all_designs(window);
            return true;
        case IDM_COPY_QR_PICTURE:
            copy_qr_picture(window);
            return true;
        case IDM_SCAN_PICTURE:
            scan_picture_file(window);
            return true;
        case IDM_SCAN_SCREEN:
            scan_screen(window);
            return true;
        case IDM_STEP_FORWARD:
            step_design(window, StepDirection::forward);
            return true;
        case IDM_STEP_BACKWARD:
            step_design(window, StepDirection::backward);
            return true;
        case IDM_FIRST_DESIGN:
            go_to_end_design(window, false);
            return true;
        case IDM_LAST_DESIGN:
            go_to_end_design(window, true);
            return true;
        default:
            return false;
    }
}

void on_left_button_down(HWND window) {
    step_design(window, StepDirection::forward);
}

void on_right_button_down(HWND window) {
    step_design(window, StepDirection::backward);
}

void on_destroy() {
    release_file_image();
    release_capture();
    release_screen_grab(&app.scan_grab);
    PostQuitMessage(0);
}
