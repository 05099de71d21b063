// Start-up and the message loop of the window program.
#include <objbase.h>
#include <windows.h>

#include "app_state.h"
#include "capture_overlay.h"
#include "dropped_files.h"
#include "main_window.h"
#include "resource_ids.h"
#include "window_availability.h"

namespace {

// The keys are the main window's own: nothing else gets them translated, and
// not while the overlay, a dialog, a message box or an export is up.
bool translate_main_window_key(HACCEL keys, MSG* message) {
    return keys != nullptr && message->hwnd == app.main_window &&
           main_window_is_free(app.main_window, app.capture_overlay) &&
           TranslateAcceleratorW(app.main_window, keys, message);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_state) {
    // The folder picker is a COM object of this thread's apartment.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
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

    HACCEL keys = LoadAcceleratorsW(instance, IDR_ACCELERATORS_NAME);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (translate_main_window_key(keys, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return static_cast<int>(message.wParam);
}
