// The editor's undo history: a fixed ring of record snapshots, the oldest
// forgotten once it is full. One stroke, one fill or one colour change is one
// step; a step that changes no byte is not recorded.
#pragma once

#include "design_record.h"

inline constexpr int kHistorySnapshots = 257;  // the record as opened and 256 steps

struct EditHistory {
    RecordBytes snapshots[kHistorySnapshots];
    int current = 0;   // the snapshot that is the record now
    int undoable = 0;  // steps back from current that are still kept
    int redoable = 0;  // steps forward, until the next new step
};

// The history of one opening of the editor: the record as it opened, nothing to undo.
void begin_history(EditHistory& history, const RecordBytes& record);

// Records the record as a new step after the current one and forgets the steps
// that were undone. False, recording nothing, when it equals the current snapshot.
bool record_step(EditHistory& history, const RecordBytes& record);

// Moves one step back or forward and writes that snapshot to *record; false,
// touching nothing, when there is no step to go to.
bool undo_step(EditHistory& history, RecordBytes* record);
bool redo_step(EditHistory& history, RecordBytes* record);
