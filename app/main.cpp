// Start-up and the message loop of the window program.
#include <windows.h>

#include "app_state.h"
#include "capture_overlay.h"
#include "dropped_files.h"
#include "main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_state) {
    if (!register_main_window_class(instance)) {
        return 0;
    }
    app.instance = instance;
    app.main_window = create_main_window(instance);
    if (app.main_window == nullptr) {
        return 1;  // without a window no quit message would ever end the loop
    }
    ShowWindow(app.main_window, show_state);
    UpdateWindow(app.main_window);
    app.capture_overlay = create_capture_overlay(instance);
    DragAcceptFiles(app.main_window, TRUE);
    open_command_line_file(app.main_window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
