#include "mural_canvas.h"

void prepare_canvas(DesignGrid grid, MuralCanvas* c) {
    c->grid = grid;
    c->width = grid.columns * kTileSide;
    c->height = grid.rows * kTileSide;
    const size_t pixels = static_cast<size_t>(c->width) * c->height;
    c->source.assign(pixels, Rgb{});
    c->slot.assign(pixels, 0);
    for (int blur = 0; blur < kBlurCount; ++blur) {
        c->metric[blur].assign(pixels * kMetricTerms, 0.0F);
        c->weighted_error[blur].assign(pixels * kChannelCount, 0.0F);
    }
    c->curvature.assign(pixels * kMetricTerms, 0.0F);
    const size_t designs = static_cast<size_t>(grid.columns) * grid.rows;
    c->colours.assign(designs, SlotColours{});
    c->colour_lab.assign(designs * kSlotCount * 3, 0.0F);
    c->own_colours.assign(designs, 0);
    fill_blur_geometry(c->height, c->width, &c->geometry);
    c->row_class.resize(c->height);
    for (int y = 0; y < c->height; ++y) {
        c->row_class[y] = static_cast<uint8_t>(edge_class(y, c->height));
    }
    c->column_class.resize(c->width);
    for (int x = 0; x < c->width; ++x) {
        c->column_class[x] = static_cast<uint8_t>(edge_class(x, c->width));
    }
}

void set_design_colour(MuralCanvas* c, int design, int slot, int entry) {
    set_slot_colour(&c->colours[design], slot, entry);
    const Lab& lab = kPaletteLab[entry];
    float* slot_lab = &c->colour_lab[(static_cast<size_t>(design) * kSlotCount + slot) * 3];
    slot_lab[0] = static_cast<float>(lab.l);
    slot_lab[1] = static_cast<float>(lab.a);
    slot_lab[2] = static_cast<float>(lab.b);
}
