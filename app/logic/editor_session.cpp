#include "editor_session.h"

#include <string_view>

#include "design_edits.h"

void begin_editing(EditorSession& session, const RecordBytes& record) {
    session.opened = record;
    session.record = record;
    begin_history(session.history, record);
    session.selected_slot = 0;
    session.stroke = StrokeState::none;
}

bool press_left(EditorSession& session, DesignPoint at, bool shift) {
    if (session.stroke != StrokeState::none || !inside_design(at)) {
        return false;
    }
    session.last = at;
    if (shift) {
        session.stroke = StrokeState::filled;
        fill_record_area(session.record, at.x, at.y, session.selected_slot);
    } else {
        session.stroke = StrokeState::painting;
        set_record_pixel_slot(session.record, at.x, at.y, session.selected_slot);
    }
    return true;
}

void drag_to(EditorSession& session, DesignPoint at) {
    if (session.stroke != StrokeState::painting) {
        return;
    }
    paint_record_line(session.record, session.last.x, session.last.y, at.x, at.y,
                      session.selected_slot);
    session.last = at;
}

void release_left(EditorSession& session) {
    if (session.stroke == StrokeState::none) {
        return;
    }
    session.stroke = StrokeState::none;
    record_step(session.history, session.record);
}

bool pick_slot(EditorSession& session, DesignPoint at) {
    if (!inside_design(at)) {
        return false;
    }
    const int slot = record_pixel_slot(session.record, at.x, at.y);
    if (slot == kNoSlot) {
        return false;
    }
    session.selected_slot = slot;
    return true;
}

bool give_code(EditorSession& session, uint8_t code) {
    if (session.stroke != StrokeState::none ||
        !set_record_slot_code(session.record, session.selected_slot, code)) {
        return false;
    }
    record_step(session.history, session.record);
    return true;
}

bool undo_edit(EditorSession& session) {
    return session.stroke == StrokeState::none && undo_step(session.history, &session.record);
}

bool redo_edit(EditorSession& session) {
    return session.stroke == StrokeState::none && redo_step(session.history, &session.record);
}

namespace {

// A box's text into its field, unless the box still shows what the field holds.
void apply_box_text(RecordBytes& record, RecordTextField field, const char16_t* text,
                    int length) {
    char16_t held[kDesignNameLength / 2];
    const int held_length = record_text_units(record, field, held, field.length / 2);
    if (std::u16string_view(held, held_length) == std::u16string_view(text, length)) {
        return;
    }
    const int kept = fitted_text_length(field, text, length);
    set_record_text(record, field, std::u16string_view(text, kept));
}

}  // namespace

RecordBytes record_with_texts(const EditorSession& session, const char16_t* name, int name_length,
                              const char16_t* author, int author_length) {
    RecordBytes record = session.record;
    apply_box_text(record, kDesignNameField, name, name_length);
    apply_box_text(record, kAuthorNameField, author, author_length);
    return record;
}
