// Commands 130, 131 and 132: QR codes read from a picture file, from a region
// of the screen or from the clipboard's picture, then the designs found shown
// one at a time.
#include <windows.h>

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <new>
#include <utility>
#include <vector>

#include "app_state.h"
#include "capture_overlay.h"
#include "chosen_picture.h"
#include "clipboard_picture.h"
#include "commands.h"
#include "design_scanner.h"
#include "edited_designs.h"
#include "keep_and_share.h"
#include "message_box.h"
#include "message_texts.h"
#include "progress_window.h"
#include "resource_ids.h"
#include "scan_command.h"
#include "screen_grab.h"

namespace {

// The scan's progress window, shown once the scan has run a while; messages
// are handled between decodes only while it is up, with the main window disabled.
class ScanProgress {
  public:
    explicit ScanProgress(HWND owner) : owner_(owner), start_ms_(GetTickCount64()) {}
    ~ScanProgress() {
        if (shown_) {
            end_progress(run_);
        }
    }
    ScanProgress(const ScanProgress&) = delete;
    ScanProgress& operator=(const ScanProgress&) = delete;

    // False once the user has cancelled.
    bool keep_going() {
        const uint64_t elapsed = GetTickCount64() - start_ms_;
        if (!shown_) {
            if (!scan_progress_due(elapsed)) {
                return true;
            }
            begin_progress(owner_, kScanProgressTitle, kScanProgressText, kScanBarSteps, &run_);
            shown_ = true;
        }
        return continue_progress(run_, scan_bar_position(elapsed), kScanBarSteps);
    }

  private:
    HWND owner_;
    uint64_t start_ms_;
    bool shown_ = false;
    ProgressRun run_;
};

// A message box whose text holds `count` where the format's %d stands.
void show_count_message(HWND owner, const wchar_t* format, int count, const wchar_t* caption) {
    wchar_t text[128];
    std::swprintf(text, std::size(text), format, count);
    show_message(owner, text, caption);
}

void copy_name(const wchar_t* name, wchar_t (&to)[MAX_PATH]) {
    std::wcsncpy(to, name, MAX_PATH - 1);
    to[MAX_PATH - 1] = L'\0';
}

// Scans the picture and shows the first design found; `source_name` names it
// in proposed file names and an export's title.
void scan_and_show(HWND main_window, const Picture& picture, const wchar_t* source_name) {
    // Messages are handled while a scan runs; a second one must not start inside it.
    static bool scanning = false;
    if (scanning) {
        return;
    }
    scanning = true;
    ScanResult result;
    bool out_of_memory = false;
    {
        ScanProgress progress(main_window);
        try {
            result = scan_designs(picture, [&progress] { return progress.keep_going(); });
        } catch (const std::bad_alloc&) {
            out_of_memory = true;
        }
    }
    scanning = false;
    if (out_of_memory) {
        show_message(main_window, kPictureTooLargeMessage, kErrorCaption);
        return;
    }
    const int found = static_cast<int>(result.designs.size());
    switch (answer_of_scan(result.outcome == ScanOutcome::cancelled, found)) {
        case ScanAnswer::unchanged:
            return;
        case ScanAnswer::none_found:
            if (result.unread_symbols > 0) {
                show_count_message(main_window, kOnlyUnreadSymbolsFormat, result.unread_symbols,
                                   kPlainErrorCaption);
            } else {
                show_message(main_window, kNoDesignFoundMessage, kPlainErrorCaption);
            }
            return;
        case ScanAnswer::found: {
            std::vector<RecordBytes> records;
            records.reserve(result.designs.size());
            for (const ScannedDesign& design : result.designs) {
                records.push_back(design.record);
            }
            app.found_designs = std::move(records);
            copy_name(source_name, app.found_source_name);
            accept_found_designs(app.shell, found);
            show_found_design(main_window);
            if (result.unread_symbols > 0) {
                UpdateWindow(main_window);  // the first design shows behind the message
                show_count_message(main_window, kUnreadSymbolsFormat, result.unread_symbols,
                                   kNoticeCaption);
            }
            return;
        }
    }
}

}  // namespace

void scan_picture_file(HWND main_window) {
    // Refused as a dropped picture is: for its size, or as a file that can't be opened.
    wchar_t path[MAX_PATH];
    Picture picture;
    if (!read_chosen_picture(main_window, IDM_SCAN_PICTURE, kScanPictureDialogTitle,
                             kCannotOpenFileMessage, path, &picture)) {
        return;
    }
    scan_and_show(main_window, picture, last_path_component(path));
}

void scan_screen(HWND main_window) {
    if (!may_drop_edits(main_window, IDM_SCAN_SCREEN)) {
        return;
    }
    ShowWindow(main_window, SW_HIDE);
    Sleep(kRedrawWaitMs);
    // Without an overlay nothing would ever bring the main window back.
    if (app.capture_overlay == nullptr || !grab_screen(&app.scan_grab)) {
        ShowWindow(main_window, SW_RESTORE);
        show_message(main_window, kScreenCaptureErrorMessage, kPlainErrorCaption);
        return;
    }
    show_scan_overlay(app.capture_overlay);
}

void finish_screen_scan(HWND main_window, bool has_region, CaptureRegion region) {
    const CaptureRegion read =
        scan_region(has_region, region, app.scan_grab.width, app.scan_grab.height);
    Picture picture;
    const bool copied = read_grab_region(app.scan_grab, read, &picture);
    release_screen_grab(&app.scan_grab);
    ShowWindow(main_window, SW_RESTORE);
    if (!copied) {
        show_message(main_window, kScreenCaptureErrorMessage, kPlainErrorCaption);
        return;
    }
    scan_and_show(main_window, picture, kScreenSourceName);
}

void cancel_screen_scan(HWND main_window) {
    release_screen_grab(&app.scan_grab);
    ShowWindow(main_window, SW_RESTORE);
}

void scan_clipboard(HWND main_window) {
    Picture picture;
    switch (read_clipboard_picture(main_window, &picture)) {
        case PictureLoad::loaded:
            // Asked once the picture is known, as for a drop: no refusal follows a yes.
            if (may_drop_edits(main_window, IDM_SCAN_CLIPBOARD))
                scan_and_show(main_window, picture, kClipboardSourceName);
            return;
        case PictureLoad::too_large:
            show_message(main_window, kPictureTooLargeMessage, kErrorCaption);
            return;
        case PictureLoad::unreadable:
            show_message(main_window, kNoClipboardPictureMessage, kPlainErrorCaption);
            return;
    }
}

void show_found_design(HWND main_window) {
    const RecordBytes* edited = edited_record_of(app.shell.found.shown);
    const RecordBytes& record =
        edited != nullptr ? *edited : app.found_designs[static_cast<size_t>(app.shell.found.shown)];
    std::copy(record.begin(), record.end(), app.design_record);
    InvalidateRect(main_window, nullptr, TRUE);
}
