#include "mural_canvas.h"

#include <algorithm>

namespace {

int edge_class(int at, int length) {
    return std::min(at, kGaussianRadius) * kEdgeReach + std::min(length - 1 - at, kGaussianRadius);
}

// Summed as the blur's window is walked: row by row, left to right.
void fill_window_totals(MuralCanvas* c) {
    for (int blur = 0; blur < kBlurCount; ++blur) {
        const int r = kBlurRadius[blur];
        for (int rows = 0; rows < kEdgeClasses; ++rows) {
            for (int columns = 0; columns < kEdgeClasses; ++columns) {
                double total = 0;
                for (int dy = -std::min(rows / kEdgeReach, r); dy <= std::min(rows % kEdgeReach, r);
                     ++dy) {
                    for (int dx = -std::min(columns / kEdgeReach, r);
                         dx <= std::min(columns % kEdgeReach, r); ++dx) {
                        total += blur_kernel_weight(blur, dy, dx);
                    }
                }
                c->window_total[blur][rows][columns] = total;
                c->normaliser[blur][rows][columns] = 1.0 / total;
            }
        }
    }
}

}  // namespace

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
    for (int blur = 0; blur < kBlurCount; ++blur) {
        for (int dy = -kGaussianRadius; dy <= kGaussianRadius; ++dy) {
            for (int dx = -kGaussianRadius; dx <= kGaussianRadius; ++dx) {
                c->kernel[blur][dy + kGaussianRadius][dx + kGaussianRadius] =
                    blur_kernel_weight(blur, dy, dx);
            }
        }
    }
    fill_window_totals(c);
    c->row_class.resize(c->height);
    for (int y = 0; y < c->height; ++y) {
        c->row_class[y] = static_cast<uint8_t>(edge_class(y, c->height));
    }
    c->column_class.resize(c->width);
    for (int x = 0; x < c->width; ++x) {
        c->column_class[x] = static_cast<uint8_t>(edge_class(x, c->width));
    }
}

CanvasWindow canvas_window(const MuralCanvas& c, int x, int y, int radius) {
    return CanvasWindow{std::max(y - radius, 0), std::min(y + radius, c.height - 1),
                        std::max(x - radius, 0), std::min(x + radius, c.width - 1)};
}

void set_design_colour(MuralCanvas* c, int design, int slot, int entry) {
    set_slot_colour(&c->colours[design], slot, entry);
    const Lab& lab = kPaletteLab[entry];
    float* slot_lab = &c->colour_lab[(static_cast<size_t>(design) * kSlotCount + slot) * 3];
    slot_lab[0] = static_cast<float>(lab.l);
    slot_lab[1] = static_cast<float>(lab.a);
    slot_lab[2] = static_cast<float>(lab.b);
}
