#include "editor_layout.h"

#include "palette.h"

namespace {

constexpr int kGreyDigit = 0x0F;

LayoutRect rect_at(int left, int top, int width, int height) {
    return LayoutRect{left, top, left + width, top + height};
}

bool inside(const LayoutRect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

// Rounds towards minus infinity, so that points left of or above the canvas
// give negative pixels.
int floor_divide(int value, int divisor) {
    return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

}  // namespace

EditorLayout editor_layout_at(int requested_dpi) {
    const int dpi = std::max(requested_dpi, kBaseDpi);
    auto scaled = [dpi](int pixels) { return scale_to_dpi(pixels, dpi); };
    EditorLayout layout{};
    layout.dpi = dpi;
    const int margin = scaled(kEditorMargin);
    layout.cell = scaled(kEditorCellPixels);
    const int canvas_side = kTileSide * layout.cell + 1;
    layout.canvas = rect_at(margin, margin, canvas_side, canvas_side);

    // The right-hand column, each block under the one before.
    const int column = layout.canvas.right + scaled(kEditorColumnGap);
    layout.preview_cell = scaled(kEditorPreviewCellPixels);
    layout.preview = rect_at(column, margin, kTileSide * layout.preview_cell,
                             kTileSide * layout.preview_cell);
    const int line = scaled(kTextLineHeight);
    const int pointer_x = layout.preview.right + scaled(kEditorPointerTextGap);
    layout.swatch_side = scaled(kEditorSwatchSide);
    layout.swatch_pitch = scaled(kEditorSwatchPitch);
    const int swatches_width = (kSlotCount - 1) * layout.swatch_pitch + layout.swatch_side;
    layout.swatches = rect_at(column, layout.preview.bottom + scaled(kEditorBlockGap),
                              swatches_width, layout.swatch_side);
    layout.palette_cell = scaled(kEditorPaletteCell);
    const int palette_top = layout.swatches.bottom + scaled(kEditorBlockGap) + scaled(2);
    layout.grey_row_top = palette_top + kShadeCount * layout.palette_cell + scaled(kEditorGreyRowGap);
    layout.palette = LayoutRect{column, palette_top, column + kHueGroupCount * layout.palette_cell,
                                layout.grey_row_top + layout.palette_cell};

    const int label_width = scaled(kEditorLabelWidth);
    const int box_x = column + label_width + scaled(kEditorLabelGap);
    const int box_height = scaled(kEditorBoxHeight);
    const int name_y = layout.palette.bottom + scaled(kEditorBlockGap) + scaled(2);
    const int author_y = name_y + scaled(kEditorBoxPitch);
    const int label_offset = (box_height - line) / 2;
    layout.name_label = rect_at(column, name_y + label_offset, label_width, line);
    layout.name_box = rect_at(box_x, name_y, scaled(kEditorNameBoxWidth), box_height);
    layout.author_label = rect_at(column, author_y + label_offset, label_width, line);
    layout.author_box = rect_at(box_x, author_y, scaled(kEditorAuthorBoxWidth), box_height);
    const int right = std::max(layout.name_box.right, layout.swatches.right);
    layout.pointer_text = LayoutRect{pointer_x, margin, right, margin + 2 * line};

    const int buttons_y =
        std::max(layout.canvas.bottom, layout.author_box.bottom) + scaled(kEditorButtonsGap);
    const int button_width = scaled(kEditorButtonWidth);
    const int button_height = scaled(kEditorButtonHeight);
    const int button_gap = scaled(kEditorButtonGap);
    layout.undo_button = rect_at(margin, buttons_y, button_width, button_height);
    layout.redo_button =
        rect_at(layout.undo_button.right + button_gap, buttons_y, button_width, button_height);
    layout.cancel_button = rect_at(right - button_width, buttons_y, button_width, button_height);
    layout.ok_button = rect_at(layout.cancel_button.left - button_gap - button_width, buttons_y,
                               button_width, button_height);
    layout.client_width = right + margin;
    layout.client_height = buttons_y + button_height + margin;
    return layout;
}

DesignPoint design_point_at(const EditorLayout& layout, int x, int y) {
    return DesignPoint{floor_divide(x - layout.canvas.left, layout.cell),
                       floor_divide(y - layout.canvas.top, layout.cell)};
}

bool inside_design(DesignPoint point) {
    return point.x >= 0 && point.x < kTileSide && point.y >= 0 && point.y < kTileSide;
}

int swatch_at(const EditorLayout& layout, int x, int y) {
    if (!inside(layout.swatches, x, y)) {
        return -1;
    }
    const int offset = x - layout.swatches.left;
    return offset % layout.swatch_pitch < layout.swatch_side ? offset / layout.swatch_pitch : -1;
}

int palette_code_at(const EditorLayout& layout, int x, int y) {
    if (!inside(layout.palette, x, y)) {
        return -1;
    }
    const int group = (x - layout.palette.left) / layout.palette_cell;
    if (y >= layout.grey_row_top) {
        return group < kGreyCount ? group << 4 | kGreyDigit : -1;
    }
    const int shade = (y - layout.palette.top) / layout.palette_cell;
    return shade < kShadeCount ? group << 4 | shade : -1;
}

LayoutRect canvas_cell_rect(const EditorLayout& layout, DesignPoint point) {
    return rect_at(layout.canvas.left + point.x * layout.cell,
                   layout.canvas.top + point.y * layout.cell, layout.cell, layout.cell);
}

LayoutRect preview_cell_rect(const EditorLayout& layout, DesignPoint point) {
    return rect_at(layout.preview.left + point.x * layout.preview_cell,
                   layout.preview.top + point.y * layout.preview_cell, layout.preview_cell,
                   layout.preview_cell);
}
