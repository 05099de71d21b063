#include "design_edits.h"

#include <string_view>

#include "design_stepping.h"
#include "resource_ids.h"

int editable_design_count(const ShellState& state) {
    switch (state.display_mode) {
        case DisplayMode::design_file:
            return 1;
        case DisplayMode::current_design:
            return design_count(state.grid);
        case DisplayMode::found_design:
            return state.found.count;
        case DisplayMode::placeholder:
            break;
    }
    return 0;
}

int shown_design_index(const ShellState& state) {
    switch (state.display_mode) {
        case DisplayMode::current_design:
            return design_number(state.grid, state.position) - 1;
        case DisplayMode::found_design:
            return state.found.shown;
        default:
            return 0;
    }
}

void mark_design_edited(ShellState& state, DesignEditMark* marks, int index) {
    marks[index] = DesignEditMark{true, true};
    state.edits_held = true;
}

bool any_unsaved(const DesignEditMark* marks, int count) {
    for (int i = 0; i < count; ++i) {
        if (marks[i].unsaved) {
            return true;
        }
    }
    return false;
}

void mark_design_saved(DesignEditMark* marks, int index) {
    marks[index].unsaved = false;
}

void mark_all_saved(DesignEditMark* marks, int count) {
    for (int i = 0; i < count; ++i) {
        marks[i].unsaved = false;
    }
}

bool command_asks_before_dropping_edits(const ShellState& state, int command, bool unsaved) {
    if (!state.edits_held || !unsaved) {
        return false;
    }
    switch (command) {
        case IDM_OPEN_DESIGN_FILE:
        case IDM_DECODE_SCREENSHOT:
        case IDM_QR_FROM_IMAGE:
        case IDM_QR_FROM_IMAGE_MEDIAN_CUT:
        case IDM_CAPTURE:
        case IDM_OPEN_FITTED_PICTURE:
        case IDM_SCAN_PICTURE:
        case IDM_SCAN_SCREEN:
        case IDM_SCAN_CLIPBOARD:
        case kDroppedFileCommand:
            return true;
        case IDM_REDUCE_MERGE:
        case IDM_REDUCE_MEDIAN_CUT:
        case IDM_REDUCE_QUALITY:
        case IDM_REDUCE_DITHER:
        case IDM_REDUCE_DITHER_ACROSS_DESIGNS:
            return state.display_mode == DisplayMode::current_design;
        default:
            return false;
    }
}

int fitted_text_length(RecordTextField field, const char16_t* text, int length) {
    int kept = length < field.max_units ? length : field.max_units;
    if (kept > 0 && is_high_surrogate(text[kept - 1])) {
        --kept;
    }
    return kept;
}

int expand_design_name(const char16_t* pattern, int length, int number, char16_t* out,
                       int capacity) {
    const int needed =
        expand_design_number(std::u16string_view(pattern, static_cast<size_t>(length)), number,
                             out, capacity);
    return needed <= capacity ? needed : -1;
}
