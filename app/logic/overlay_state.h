// The capture overlay as a state machine: armed while a capture is under way,
// hovering with a crosshair once the frozen screen is painted, dragging a
// selection band while the left button is down. Each event returns the XOR
// strokes to draw; drawing a stroke a second time erases it.
#pragma once

#include "capture_geometry.h"
#include "design_count.h"

// What the marked region is for: designs cut from it (command 104, a band
// split into the grid, Shift keeping its ratio) or a scan for QR codes
// (command 131, a plain rectangle that Escape cancels).
enum class OverlayPurpose { capture, scan };

struct OverlayState {
    OverlayPurpose purpose = OverlayPurpose::capture;
    bool armed = false;            // the next left press starts a selection
    bool dragging = false;         // the button is down and the band is shown
    bool crosshair_shown = false;  // the crosshair is drawn at `previous`
    bool painted = false;          // the frozen screen has been painted
    bool shift_held = false;
    CapturePoint anchor = {0, 0};    // the fixed corner of the selection
    CapturePoint pointer = {0, 0};   // the latest pointer, aspect-locked where it applies
    CapturePoint previous = {0, 0};  // where the crosshair or band was last drawn
};

enum class StrokeKind { crosshair, band };

// A crosshair through `at`, or a band from `anchor` to `at`.
struct XorStroke {
    StrokeKind kind;
    CapturePoint anchor;
    CapturePoint at;
};

struct OverlayStrokes {
    int count = 0;
    XorStroke stroke[2] = {};
};

// A new capture: armed, nothing shown, Shift forgotten.
void start_overlay_capture(OverlayState* state);

// The same for a scan of the screen.
void start_overlay_scan(OverlayState* state);

// The lines of the band: the capture's grid, or one cell for a scan.
DesignGrid overlay_band_grid(const OverlayState& state, DesignGrid grid);

// Escape during a scan: disarmed, and true for the overlay to be put away
// with nothing read. During a capture Escape does nothing.
bool overlay_escape_pressed(OverlayState* state);

void note_overlay_painted(OverlayState* state);

void note_shift_key(OverlayState* state, bool down);

// Moves the crosshair or the band; nothing before the first paint.
OverlayStrokes overlay_pointer_moved(OverlayState* state, CapturePoint at, int columns, int rows);

// Starts the band at `at` when armed (erasing the crosshair); otherwise nothing.
OverlayStrokes overlay_left_pressed(OverlayState* state, CapturePoint at);

// Ends the capture. After a drag the band is erased and the region from the
// anchor to the release point (never aspect-locked) is to be copied; without a
// drag there is no region and the full-screen grab stays the capture.
struct OverlayRelease {
    OverlayStrokes strokes;
    bool has_region = false;
    CaptureRegion region = {};
};
OverlayRelease overlay_left_released(OverlayState* state, CapturePoint at);

// What the overlay shows on top of the frozen screen right now: the band while
// dragging, else the crosshair if it is drawn. A repaint of the frozen screen
// draws these again, so that the next XOR stroke still erases what it should.
OverlayStrokes overlay_shown_strokes(const OverlayState& state);
