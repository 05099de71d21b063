#include "editor_picture.h"

#include "design_picture.h"
#include "design_preview.h"
#include "palette.h"

namespace {

constexpr int kGreyDigit = 0x0F;

uint32_t packed(Rgb colour) {
    return uint32_t{colour.r} << 16 | uint32_t{colour.g} << 8 | colour.b;
}

class Painter {
  public:
    Painter(const EditorLayout& layout, const EditorPicture& picture)
        : width_(layout.client_width), height_(layout.client_height), picture_(picture) {}

    void fill(LayoutRect rect, uint32_t colour) const {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                picture_.pixels[y * width_ + x] = colour;
            }
        }
    }

    // A design pixel, a slot or a palette colour: its colour, or the checkerboard
    // counted from `origin` when marked.
    void fill_design_pixel(LayoutRect rect, const DesignPixel& pixel, LayoutPoint origin) const {
        for (int y = rect.top; y < rect.bottom; ++y) {
            for (int x = rect.left; x < rect.right; ++x) {
                picture_.pixels[y * width_ + x] =
                    packed(drawn_colour(pixel, x - origin.x, y - origin.y));
            }
        }
    }

    void frame(LayoutRect rect, int thickness, uint32_t colour) const {
        fill({rect.left, rect.top, rect.right, rect.top + thickness}, colour);
        fill({rect.left, rect.bottom - thickness, rect.right, rect.bottom}, colour);
        fill({rect.left, rect.top, rect.left + thickness, rect.bottom}, colour);
        fill({rect.right - thickness, rect.top, rect.right, rect.bottom}, colour);
    }

    void clear() const { fill({0, 0, width_, height_}, picture_.background); }

  private:
    int width_;
    int height_;
    const EditorPicture& picture_;
};

LayoutRect inset(LayoutRect rect, int by) {
    return LayoutRect{rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

void render_design(const Painter& painter, const EditorLayout& layout, const uint8_t* record,
                   const DesignPixel (&slots)[kSlotCount + 1]) {
    painter.fill(layout.canvas, kEditorGridLine);
    const LayoutPoint canvas{layout.canvas.left, layout.canvas.top};
    const LayoutPoint preview{layout.preview.left, layout.preview.top};
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const DesignPixel& pixel = slots[design_pixel_slot(record, x, y)];
            const LayoutRect cell = canvas_cell_rect(layout, DesignPoint{x, y});
            // The grid line is each cell's first row and column.
            painter.fill_design_pixel({cell.left + 1, cell.top + 1, cell.right, cell.bottom},
                                      pixel, canvas);
            painter.fill_design_pixel(preview_cell_rect(layout, DesignPoint{x, y}), pixel,
                                      preview);
        }
    }
}

void render_swatches(const Painter& painter, const EditorLayout& layout,
                     const DesignPixel (&slots)[kSlotCount + 1], int selected_slot) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const int left = layout.swatches.left + slot * layout.swatch_pitch;
        const LayoutRect swatch{left, layout.swatches.top, left + layout.swatch_side,
                                layout.swatches.bottom};
        const bool selected = slot == selected_slot;
        const int thickness = selected ? 2 : 1;
        painter.frame(swatch, thickness, selected ? kSelectedSwatchFrame : packed(kSwatchFrame));
        painter.fill_design_pixel(inset(swatch, thickness), slots[slot],
                                  LayoutPoint{swatch.left, swatch.top});
    }
}

void render_palette(const Painter& painter, const EditorLayout& layout) {
    const int cell = layout.palette_cell;
    for (const PaletteEntry& entry : kFixedPalette) {
        const int group = entry.code >> 4;
        const int digit = entry.code & 0x0F;
        const int top = digit == kGreyDigit ? layout.grey_row_top : layout.palette.top + digit * cell;
        const int left = layout.palette.left + group * cell;
        // The last row and column of each cell are the gap between colours.
        painter.fill({left, top, left + cell - 1, top + cell - 1}, packed(entry.colour));
    }
}

}  // namespace

void render_editor_picture(const EditorLayout& layout, const RecordBytes& record,
                           int selected_slot, const EditorPicture& picture) {
    const Painter painter(layout, picture);
    painter.clear();
    DesignPixel slots[kSlotCount + 1];
    read_slot_colours(record.data(), slots);
    render_design(painter, layout, record.data(), slots);
    render_swatches(painter, layout, slots, selected_slot);
    render_palette(painter, layout);
}
