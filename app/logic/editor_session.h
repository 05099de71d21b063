// One opening of the dialog "デザインを編集": the record being edited, the one
// it opened with, the selected slot, the stroke under way and the history.
// The dialog hands its mouse and button input here and repaints what changed.
#pragma once

#include "edit_history.h"
#include "editor_layout.h"
#include "record_edits.h"

enum class StrokeState {
    none,
    painting,  // left button down without Shift: each move paints a line
    filled,    // left button down with Shift: the fill is done, moves paint nothing
};

struct EditorSession {
    RecordBytes opened;  // as the editor opened with it
    RecordBytes record;  // as it is now
    EditHistory history;
    int selected_slot = 0;
    StrokeState stroke = StrokeState::none;
    DesignPoint last{0, 0};  // where the stroke was last
};

void begin_editing(EditorSession& session, const RecordBytes& record);

// A left press at design point `at` (which may be off the design): Shift fills,
// otherwise a stroke begins and paints its first pixel. False when nothing
// began (off the design, or a stroke already under way).
bool press_left(EditorSession& session, DesignPoint at, bool shift);

// The pointer moved to `at` during a stroke: every pixel on the line from the
// last position is painted with the selected slot; points off the design paint nothing.
void drag_to(EditorSession& session, DesignPoint at);

// The stroke ends: it is one step of the history, if it changed a byte.
void release_left(EditorSession& session);

// A right click selects the pixel's slot; false on a nibble of 15 or off the design.
bool pick_slot(EditorSession& session, DesignPoint at);

// A click on a palette colour gives it to the selected slot, as one step;
// false when the slot already had it.
bool give_code(EditorSession& session, uint8_t code);

// Undo and redo, not during a stroke; false when there is no step.
bool undo_edit(EditorSession& session);
bool redo_edit(EditorSession& session);

// The record with the two texts of the boxes (`name_length` and
// `author_length` units). A text the same as the field's, cut at its zero
// unit, leaves the field byte for byte; any other replaces it, cut to fit.
RecordBytes record_with_texts(const EditorSession& session, const char16_t* name, int name_length,
                              const char16_t* author, int author_length);
