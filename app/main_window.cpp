#include "main_window.h"

#include "app_objects.h"
#include "app_state.h"
#include "commands.h"
#include "dropped_files.h"
#include "edited_designs.h"
#include "main_window_scale.h"
#include "message_texts.h"
#include "reduction_menu.h"
#include "resource_ids.h"
#include "screen_capture.h"

namespace {

void resize_to_layout(HWND window) {
    const WindowLayout& layout = main_window_layout();
    SetWindowPos(window, nullptr, 0, 0, layout.window_width, layout.window_height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window moved to a display of another DPI, or the DPI changed: the
// system suggests the new rectangle.
void on_dpi_changed(HWND window, int dpi, const RECT* suggested) {
    lay_out_main_window(dpi);
    SetWindowPos(window, nullptr, suggested->left, suggested->top,
                 suggested->right - suggested->left, suggested->bottom - suggested->top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window, nullptr, TRUE);
}

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
        case WM_DPICHANGED:
            on_dpi_changed(window, LOWORD(wparam), reinterpret_cast<const RECT*>(lparam));
            return 0;
        case WM_CLOSE:
            if (!may_close_with_edits(window)) {
                return 0;
            }
            break;
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
    window_class.hIcon = LoadIconW(instance, IDI_BREVANE_NAME);
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    window_class.lpszMenuName = IDR_MAIN_MENU_NAME;
    window_class.lpszClassName = kMainWindowClassName;
    return RegisterClassW(&window_class) != 0;
}

HWND create_main_window(HINSTANCE instance) {
    lay_out_main_window(static_cast<int>(GetDpiForSystem()));
    const WindowLayout& layout = main_window_layout();
    HWND window = CreateWindowExW(0, kMainWindowClassName, kMainWindowTitle, WS_OVERLAPPEDWINDOW,
                                  CW_USEDEFAULT, CW_USEDEFAULT, layout.window_width,
                                  layout.window_height, nullptr, nullptr, instance, nullptr);
    // The window may open on a display whose DPI is not the system's.
    const int window_dpi = window != nullptr ? static_cast<int>(GetDpiForWindow(window)) : 0;
    if (window_dpi != 0 && window_layout_at(window_dpi).dpi != layout.dpi) {
        lay_out_main_window(window_dpi);
        resize_to_layout(window);
    }
    return window;
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
        case IDM_REDUCE_DITHER_ACROSS_DESIGNS:
            pick_across_designs(window);
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
        case IDM_SCAN_CLIPBOARD:
            scan_clipboard(window);
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
        case IDM_EDIT_DESIGN:
            edit_shown_design(window);
            return true;
        case IDM_NAME_DESIGNS:
            name_all_designs(window);
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
    release_main_window_font();
    PostQuitMessage(0);
}
