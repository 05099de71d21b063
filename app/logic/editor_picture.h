// What the dialog "デザインを編集" draws itself, as one picture of its client
// area: the design with its grid lines, the design at 4x, the 15 slots with the
// selected one framed, and the palette. Marked pixels and slots (design_picture.h)
// show the preview's checkerboard. The controls and the pointer's text go over it.
#pragma once

#include <cstdint>

#include "design_record.h"
#include "editor_layout.h"

// Pixels as 0x00RRGGBB, rows from the top, layout.client_width to a row; the
// layout of a 32-bit top-down DIB.
struct EditorPicture {
    uint32_t* pixels;
    uint32_t background;  // the dialog's own colour
};

inline constexpr uint32_t kEditorGridLine = 0xC0C0C0;
inline constexpr uint32_t kSelectedSwatchFrame = 0x000000;

void render_editor_picture(const EditorLayout& layout, const RecordBytes& record,
                           int selected_slot, const EditorPicture& picture);
