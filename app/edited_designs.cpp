#include "edited_designs.h"

#include <algorithm>

#include "app_state.h"
#include "design_edits.h"
#include "message_texts.h"

namespace {

bool ask(HWND main_window, const wchar_t* question) {
    return MessageBoxW(main_window, question, kQuestionCaption,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

// The marks and records of what is on show, started afresh when no edits are held.
void hold_edits() {
    if (app.shell.edits_held) {
        return;
    }
    const size_t count = static_cast<size_t>(editable_design_count(app.shell));
    app.edited_records.assign(count, RecordBytes{});
    app.edit_marks.assign(count, DesignEditMark{});
}

int mark_count() {
    return app.shell.edits_held ? static_cast<int>(app.edit_marks.size()) : 0;
}

}  // namespace

const RecordBytes* edited_record_of(int index) {
    if (index < 0 || index >= mark_count() || !app.edit_marks[static_cast<size_t>(index)].edited) {
        return nullptr;
    }
    return &app.edited_records[static_cast<size_t>(index)];
}

void keep_edited_record(HWND main_window, int index, const RecordBytes& record) {
    hold_edits();
    app.edited_records[static_cast<size_t>(index)] = record;
    mark_design_edited(app.shell, app.edit_marks.data(), index);
    if (index == shown_design_index(app.shell)) {
        std::copy(record.begin(), record.end(), app.design_record);
        InvalidateRect(main_window, nullptr, TRUE);
    }
}

bool unsaved_edits() {
    return any_unsaved(app.edit_marks.data(), mark_count());
}

void mark_shown_design_saved() {
    const int index = shown_design_index(app.shell);
    if (index < mark_count()) {
        mark_design_saved(app.edit_marks.data(), index);
    }
}

void mark_all_designs_saved() {
    mark_all_saved(app.edit_marks.data(), mark_count());
}

bool may_drop_edits(HWND main_window, int command) {
    return !command_asks_before_dropping_edits(app.shell, command, unsaved_edits()) ||
           ask(main_window, kDropEditsMessage);
}

bool may_close_with_edits(HWND main_window) {
    return !(app.shell.edits_held && unsaved_edits()) || ask(main_window, kCloseWithEditsMessage);
}
