#include "overlay_state.h"

namespace {

void add(OverlayStrokes* strokes, StrokeKind kind, CapturePoint anchor, CapturePoint at) {
    strokes->stroke[strokes->count++] = XorStroke{kind, anchor, at};
}

}  // namespace

void start_overlay_capture(OverlayState* state) {
    state->purpose = OverlayPurpose::capture;
    state->armed = true;
    state->dragging = false;
    state->crosshair_shown = false;
    state->shift_held = false;
    state->painted = false;
}

void start_overlay_scan(OverlayState* state) {
    start_overlay_capture(state);
    state->purpose = OverlayPurpose::scan;
}

DesignGrid overlay_band_grid(const OverlayState& state, DesignGrid grid) {
    return state.purpose == OverlayPurpose::scan ? DesignGrid{1, 1} : grid;
}

bool overlay_escape_pressed(OverlayState* state) {
    if (state->purpose != OverlayPurpose::scan || !state->armed) {
        return false;
    }
    state->armed = false;
    state->dragging = false;
    return true;
}

void note_overlay_painted(OverlayState* state) {
    state->painted = true;
}

void note_shift_key(OverlayState* state, bool down) {
    state->shift_held = down;
}

OverlayStrokes overlay_pointer_moved(OverlayState* state, CapturePoint at, int columns, int rows) {
    OverlayStrokes strokes;
    if (!state->armed)
        return strokes;
    if (state->dragging) {
        const bool locked = state->shift_held && state->purpose == OverlayPurpose::capture;
        state->pointer = locked ? lock_aspect(state->anchor, at, columns, rows) : at;
        add(&strokes, StrokeKind::band, state->anchor, state->previous);
        add(&strokes, StrokeKind::band, state->anchor, state->pointer);
        state->previous = state->pointer;
        return strokes;
    }
    if (!state->painted)
        return strokes;
    state->pointer = at;
    if (state->crosshair_shown)
        add(&strokes, StrokeKind::crosshair, state->previous, state->previous);
    add(&strokes, StrokeKind::crosshair, at, at);
    state->previous = at;
    state->crosshair_shown = true;
    return strokes;
}

OverlayStrokes overlay_left_pressed(OverlayState* state, CapturePoint at) {
    OverlayStrokes strokes;
    if (!state->armed)
        return strokes;
    if (state->crosshair_shown) {
        add(&strokes, StrokeKind::crosshair, state->previous, state->previous);
        state->crosshair_shown = false;
    }
    state->dragging = true;
    state->anchor = at;
    state->previous = at;
    return strokes;
}

OverlayRelease overlay_left_released(OverlayState* state, CapturePoint at) {
    OverlayRelease release;
    if (state->dragging) {
        state->pointer = at;
        add(&release.strokes, StrokeKind::band, state->anchor, state->previous);
        release.has_region = true;
        release.region = release_region(state->anchor, at);
    }
    state->armed = false;
    state->dragging = false;
    return release;
}

OverlayStrokes overlay_shown_strokes(const OverlayState& state) {
    OverlayStrokes strokes;
    if (state.dragging) {
        add(&strokes, StrokeKind::band, state.anchor, state.previous);
    } else if (state.crosshair_shown) {
        add(&strokes, StrokeKind::crosshair, state.previous, state.previous);
    }
    return strokes;
}
