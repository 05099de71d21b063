#include "edit_history.h"

namespace {

int ring_index(int index) {
    return (index % kHistorySnapshots + kHistorySnapshots) % kHistorySnapshots;
}

}  // namespace

void begin_history(EditHistory& history, const RecordBytes& record) {
    history.current = 0;
    history.undoable = 0;
    history.redoable = 0;
    history.snapshots[0] = record;
}

bool record_step(EditHistory& history, const RecordBytes& record) {
    if (history.snapshots[history.current] == record) {
        return false;
    }
    history.current = ring_index(history.current + 1);
    history.snapshots[history.current] = record;
    history.redoable = 0;
    if (history.undoable < kHistorySnapshots - 1) {
        ++history.undoable;
    }
    return true;
}

bool undo_step(EditHistory& history, RecordBytes* record) {
    if (history.undoable == 0) {
        return false;
    }
    history.current = ring_index(history.current - 1);
    --history.undoable;
    ++history.redoable;
    *record = history.snapshots[history.current];
    return true;
}

bool redo_step(EditHistory& history, RecordBytes* record) {
    if (history.redoable == 0) {
        return false;
    }
    history.current = ring_index(history.current + 1);
    --history.redoable;
    ++history.undoable;
    *record = history.snapshots[history.current];
    return true;
}
