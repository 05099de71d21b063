#include "progress_window.h"
// windows.h first: commctrl.h needs its types.
#include <commctrl.h>

#include <cwchar>

#include "app_state.h"
#include "resource_ids.h"

namespace {

// Puts the window in the middle of its owner.
void centre_on_owner(HWND window) {
    RECT owner{};
    RECT own{};
    GetWindowRect(GetWindow(window, GW_OWNER), &owner);
    GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    SetWindowPos(window, nullptr, (owner.left + owner.right - width) / 2,
                 (owner.top + owner.bottom - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR CALLBACK progress_window_procedure(HWND window, UINT message, WPARAM wparam,
                                           LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(window, GWLP_USERDATA, lparam);
            centre_on_owner(window);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wparam) == IDCANCEL) {
                auto* run =
                    reinterpret_cast<ProgressRun*>(GetWindowLongPtrW(window, GWLP_USERDATA));
                run->cancelled = true;
                EnableWindow(GetDlgItem(window, IDCANCEL), FALSE);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void show_count(const ProgressRun& run, int done, int total) {
    if (run.window == nullptr) {
        return;
    }
    wchar_t text[128];
    std::swprintf(text, 128, run.count_format, done, total);
    SetDlgItemTextW(run.window, IDC_EXPORT_STATUS, text);
    HWND bar = GetDlgItem(run.window, IDC_EXPORT_BAR);
    SendMessageW(bar, PBM_SETRANGE32, 0, total);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
}

// Handles whatever is waiting. A quit message ends the work and is put back.
void pump_messages(ProgressRun& run) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            run.cancelled = true;
            return;
        }
        if (run.window == nullptr || !IsDialogMessageW(run.window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

}  // namespace

void begin_progress(HWND owner, const wchar_t* caption, const wchar_t* count_format, int total,
                    ProgressRun* run) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    run->owner = owner;
    run->count_format = count_format;
    run->cancelled = false;
    run->window = CreateDialogParamW(app.instance, IDD_EXPORT_PROGRESS_NAME, owner,
                                     progress_window_procedure, reinterpret_cast<LPARAM>(run));
    EnableWindow(owner, FALSE);
    if (run->window != nullptr) {
        SetWindowTextW(run->window, caption);
    }
    show_count(*run, 0, total);
    pump_messages(*run);
}

bool continue_progress(ProgressRun& run, int done, int total) {
    show_count(run, done, total);
    pump_messages(run);
    return !run.cancelled;
}

void end_progress(ProgressRun& run) {
    // The owner is enabled first, so that it gets the focus back.
    EnableWindow(run.owner, TRUE);
    if (run.window != nullptr) {
        DestroyWindow(run.window);
        run.window = nullptr;
    }
}
