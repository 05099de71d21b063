// Where the dialog "デザインを編集" draws and puts its controls, in client
// pixels at a display's DPI, and which part of it a point falls on. The
// constants are the layout at 96 DPI; editor_layout_at scales it as the main
// window's layout is scaled (window_layout.h).
#pragma once

#include "window_layout.h"

inline constexpr int kEditorMargin = 8;
// The design: 12 screen pixels a pixel, a grid line in the last row and column
// of each, and one line more to close the grid on the right and at the bottom.
inline constexpr int kEditorCellPixels = 12;
inline constexpr int kEditorColumnGap = 11;  // canvas to the right-hand column
inline constexpr int kEditorPreviewCellPixels = kPreviewPixelScale;
inline constexpr int kEditorPointerTextGap = 12;  // right of the 4x design
inline constexpr int kEditorBlockGap = 8;         // between the column's blocks
inline constexpr int kEditorSwatchSide = 18;
inline constexpr int kEditorSwatchPitch = 19;
inline constexpr int kEditorPaletteCell = 16;  // one pixel of it is the gap
inline constexpr int kEditorGreyRowGap = 4;
inline constexpr int kEditorLabelWidth = 68;
inline constexpr int kEditorLabelGap = 4;
inline constexpr int kEditorNameBoxWidth = 220;
inline constexpr int kEditorAuthorBoxWidth = 120;
inline constexpr int kEditorBoxHeight = 22;
inline constexpr int kEditorBoxPitch = 28;
inline constexpr int kEditorButtonWidth = 80;
inline constexpr int kEditorButtonHeight = 24;
inline constexpr int kEditorButtonGap = 8;
inline constexpr int kEditorButtonsGap = 6;  // above the buttons

// At 96 DPI the dialog's outer size stays within this.
inline constexpr int kEditorMaxWindowWidth = 720;
inline constexpr int kEditorMaxWindowHeight = 500;

struct EditorLayout {
    int dpi;
    int client_width;
    int client_height;
    LayoutRect canvas;  // the design and its grid lines
    int cell;           // screen pixels of one design pixel there
    LayoutRect preview;  // the design at 4x
    int preview_cell;
    LayoutRect pointer_text;  // the position and slot under the pointer
    LayoutRect swatches;      // the 15 slots in a row
    int swatch_side;
    int swatch_pitch;
    LayoutRect palette;  // 16 hue groups by 9 shades, then the greys' row
    int palette_cell;
    int grey_row_top;
    LayoutRect name_label, name_box, author_label, author_box;
    LayoutRect undo_button, redo_button, ok_button, cancel_button;
};

EditorLayout editor_layout_at(int dpi);

// The design pixel under client point (x, y); outside the design when the
// point is off the canvas (the coordinates may then be negative or past 31).
struct DesignPoint {
    int x;
    int y;
};
DesignPoint design_point_at(const EditorLayout& layout, int x, int y);
bool inside_design(DesignPoint point);

// The slot of the swatch under the point, or -1.
int swatch_at(const EditorLayout& layout, int x, int y);

// The palette code of the colour under the point, or -1.
int palette_code_at(const EditorLayout& layout, int x, int y);

// Where design pixel `point` is drawn on the canvas and in the 4x design.
LayoutRect canvas_cell_rect(const EditorLayout& layout, DesignPoint point);
LayoutRect preview_cell_rect(const EditorLayout& layout, DesignPoint point);
