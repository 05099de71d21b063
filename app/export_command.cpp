// Command 122: every design of the grid into a folder, on the one thread, with
// a progress window whose cancel button stops before the next design.
#include <windows.h>
// windows.h first: commctrl.h needs its types.
#include <commctrl.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app_state.h"
#include "commands.h"
#include "convert_current_design.h"
#include "design_export.h"
#include "export_page.h"
#include "file_dialog.h"
#include "keep_and_share.h"
#include "keep_failure.h"
#include "message_texts.h"
#include "resource_ids.h"
#include "utf8_path.h"

namespace {

// What the progress window and the export share.
struct ExportRun {
    HWND progress_window = nullptr;
    bool cancelled = false;
};

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
                auto* run = reinterpret_cast<ExportRun*>(GetWindowLongPtrW(window, GWLP_USERDATA));
                run->cancelled = true;
                EnableWindow(GetDlgItem(window, IDCANCEL), FALSE);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

void show_progress(const ExportRun& run, int done, int total) {
    wchar_t text[128];
    std::swprintf(text, 128, kExportProgressFormat, done, total);
    SetDlgItemTextW(run.progress_window, IDC_EXPORT_STATUS, text);
    HWND bar = GetDlgItem(run.progress_window, IDC_EXPORT_BAR);
    SendMessageW(bar, PBM_SETRANGE32, 0, total);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(done), 0);
}

// Handles whatever is waiting, so that every window keeps painting and the
// cancel button can be pressed. A quit message ends the export and is put back.
void pump_messages(ExportRun& run) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            run.cancelled = true;
            return;
        }
        if (!IsDialogMessageW(run.progress_window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// A folder that already holds an export's page is written into only once the user agrees.
bool folder_may_be_written(HWND main_window, const std::filesystem::path& folder) {
    const std::filesystem::path page = folder / kExportPageName;
    if (GetFileAttributesW(page.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    return MessageBoxW(main_window, kExportOverwriteMessage, kExportOverwriteCaption,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

}  // namespace

void export_all_designs(HWND main_window) {
    // Messages are handled while an export runs; a second one must not start inside it.
    static bool exporting = false;
    if (exporting || !grid_on_show(app.shell)) {
        return;
    }
    const ConversionPlan plan = current_conversion_plan();
    if (plan.source == TileSource::none) {
        return;
    }
    wchar_t folder_path[MAX_PATH];
    if (!choose_folder(main_window, kExportFolderTitle, folder_path)) {
        return;
    }
    const std::filesystem::path folder(folder_path);
    if (!folder_may_be_written(main_window, folder)) {
        return;
    }
    const DesignGrid grid = app.shell.grid;
    // Each tile is read as stepping reads it, so the export writes what stepping shows.
    const ExportDesigns designs = converted_designs(
        grid,
        [&plan](int column, int row, Rgb* tile) {
            read_design_tile(plan, DesignPosition{column, row}, tile);
        },
        plan.reduction);
    const wchar_t* title = plan.source == TileSource::capture_bitmap
                               ? kCaptureSourceStem
                               : last_path_component(app.picture_file_name);

    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    ExportRun run;
    run.progress_window =
        CreateDialogParamW(app.instance, IDD_EXPORT_PROGRESS_NAME, main_window,
                           progress_window_procedure, reinterpret_cast<LPARAM>(&run));
    exporting = true;
    EnableWindow(main_window, FALSE);
    if (run.progress_window != nullptr) {
        show_progress(run, 0, grid.columns * grid.rows);
    }
    pump_messages(run);
    const ExportResult result =
        export_designs(designs, path_to_utf8(std::filesystem::path(title)), folder,
                       [&run](int done, int total) {
                           if (run.progress_window != nullptr) {
                               show_progress(run, done, total);
                           }
                           pump_messages(run);
                           return !run.cancelled;
                       });
    exporting = false;
    // The main window is enabled first, so that it gets the focus back.
    EnableWindow(main_window, TRUE);
    if (run.progress_window != nullptr) {
        DestroyWindow(run.progress_window);
    }
    if (result.outcome == ExportOutcome::failed) {
        show_write_failure(main_window, result.failed_file.c_str());
    }
}
