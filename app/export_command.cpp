// Command 122: every design of the grid into a folder, on the one thread, with
// a progress window whose cancel button stops before the next design.
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "across_designs_records.h"
#include "app_state.h"
#include "commands.h"
#include "convert_current_design.h"
#include "design_export.h"
#include "design_tiles.h"
#include "edited_designs.h"
#include "export_page.h"
#include "file_dialog.h"
#include "keep_and_share.h"
#include "message_box.h"
#include "message_texts.h"
#include "progress_window.h"
#include "reduction_menu.h"
#include "resource_ids.h"
#include "scan_command.h"
#include "utf8_path.h"

namespace {

// A folder that already holds an export's page is written into only once the user agrees.
bool folder_may_be_written(HWND main_window, const std::filesystem::path& folder) {
    const std::filesystem::path page = folder / kExportPageName;
    if (GetFileAttributesW(page.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    return MessageBoxW(main_window, kExportOverwriteMessage, kExportOverwriteCaption,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

// The designs as they are read or converted: the designs a scan found, titled
// with their picture's file name or "画面"; or every design of the grid with
// the reduction in use (the dither across designs computed first if it is not
// yet), titled with the picture's file name or "キャプチャ".
bool designs_without_edits(HWND main_window, ExportDesigns* designs, const wchar_t** title) {
    if (app.shell.display_mode == DisplayMode::found_design) {
        const int count = static_cast<int>(app.found_designs.size());
        *designs = ready_designs(app.found_designs, found_page_columns(count));
        *title = app.found_source_name;
        return true;
    }
    const ConversionPlan plan = current_conversion_plan();
    if (plan.source == TileSource::none) {
        return false;
    }
    const DesignGrid grid = app.shell.grid;
    if (across_designs_in_force(app.shell)) {
        if (!across_designs_records_ready(main_window, plan)) {
            return false;
        }
        *designs = ready_designs(kept_across_designs_records(), grid.columns);
    } else {
        // Each tile is read as stepping reads it, so the export writes what stepping shows.
        *designs = converted_designs(grid, design_tile_reader(plan), plan.reduction);
    }
    *title = plan.source == TileSource::capture_bitmap
                 ? kCaptureSourceStem
                 : last_path_component(app.picture_file_name);
    return true;
}

}  // namespace

bool designs_on_show(HWND main_window, ExportDesigns* designs, const wchar_t** title) {
    if (!designs_without_edits(main_window, designs, title)) {
        return false;
    }
    if (app.shell.edits_held) {
        // Copied: the edits may change while the designs are read.
        designs->record = [edits = app.edit_marks, records = app.edited_records,
                           made = std::move(designs->record)](int index) {
            const size_t at = static_cast<size_t>(index);
            return at < edits.size() && edits[at].edited ? records[at] : made(index);
        };
    }
    return true;
}

void export_all_designs(HWND main_window) {
    // Messages are handled while an export runs; a second one must not start inside it.
    static bool exporting = false;
    if (exporting || !designs_to_export_on_show(app.shell)) {
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
    ExportDesigns designs;
    const wchar_t* title = nullptr;
    if (!designs_on_show(main_window, &designs, &title)) {
        return;
    }

    ProgressRun run;
    exporting = true;
    begin_progress(main_window, kExportProgressTitle, kExportProgressFormat, designs.count, &run);
    const ExportResult result = export_designs(
        designs, path_to_utf8(std::filesystem::path(title)), folder,
        [&run](int done, int total) { return continue_progress(run, done, total); });
    exporting = false;
    end_progress(run);
    if (result.outcome == ExportOutcome::failed) {
        show_write_failure(main_window, result.failed_file.c_str());
    } else if (result.outcome == ExportOutcome::finished) {
        mark_all_designs_saved();
    }
}
