#include "dither_reduction.h"

#include <algorithm>

#include "colour_tables.h"
#include "design_record_writer.h"
#include "dither_steps.h"
#include "quality_reduction.h"

namespace {

// The dither's steps over one design's tile, kept in double in the workspace.
// The design's colours are kept per pixel as the search moves them.
struct TileSurface {
    using Stored = double;
    static constexpr int width = kTileSide;
    static constexpr int height = kTileSide;
    const SlotColours& s;
    const QualityWorkspace& quality;
    DitherWorkspace* w;

    const BlurGeometry& geometry() const { return w->geometry; }
    int row_class(int y) const { return w->edge_class[y]; }
    int column_class(int x) const { return w->edge_class[x]; }
    void source(size_t pixel, double* linear) const {
        std::copy(w->source[pixel], w->source[pixel] + kChannelCount, linear);
    }
    const SlotColours& colours(int, int) const { return s; }
    uint8_t& slot(size_t pixel) { return w->slot_of_pixel[pixel]; }
    const double* shown(int x, int y) const { return w->design[y * width + x]; }
    void shown_moved(int x, int y, const double* change) {
        for (int ch = 0; ch < kChannelCount; ++ch) {
            w->design[y * width + x][ch] += change[ch];
        }
    }
    void pointwise_distances(int x, int y, const SlotColours& colours, float* distance) const {
        const int point = quality.column_of_point[quality.point_of_pixel[y * width + x]];
        for (int slot = 0; slot < colours.count; ++slot) {
            distance[slot] = quality.distance[colours.entry[slot]][point];
        }
    }
    double* metric(int blur, size_t pixel) { return w->metric[blur][pixel]; }
    double* weighted_error(int blur, size_t pixel) { return w->weighted_error[blur][pixel]; }
    double* curvature(size_t pixel) { return w->curvature[pixel]; }
};

}  // namespace

template void diffuse_errors(TileSurface&, double*);
template void prepare_blur_rows(TileSurface&, int, int);
template void prepare_curvature_rows(TileSurface&, int, int);
template bool search_pixel(TileSurface&, double, int, int);

namespace {

void write_slots(const SlotColours& s, const DitherWorkspace& w, uint8_t* record) {
    uint8_t codes[kSlotCount];
    std::copy(record + kPaletteCodesOffset, record + kPaletteCodesOffset + s.count, codes);
    write_design_record(codes, s.count, w.slot_of_pixel, record);
}

SlotColours diffuse_quality_colours(const Rgb* tile, ConversionWorkspace* workspace,
                                    uint8_t* record) {
    reduce_for_quality(tile, &workspace->quality, record);
    DitherWorkspace* w = &workspace->dither;
    const SlotColours s = slot_colours(record);
    for (int pixel = 0; pixel < kTilePixels; ++pixel) {
        w->source[pixel][0] = kSrgbToLinear[tile[pixel].r];
        w->source[pixel][1] = kSrgbToLinear[tile[pixel].g];
        w->source[pixel][2] = kSrgbToLinear[tile[pixel].b];
    }
    TileSurface surface{s, workspace->quality, w};
    diffuse_errors(surface, &w->diffused[0][0][0]);
    return s;
}

}  // namespace

void reduce_with_error_diffusion(const Rgb* tile, ConversionWorkspace* workspace, uint8_t* record) {
    const SlotColours s = diffuse_quality_colours(tile, workspace, record);
    write_slots(s, workspace->dither, record);
}

void reduce_with_dither(const Rgb* tile, int strength, ConversionWorkspace* workspace,
                        uint8_t* record) {
    strength = std::clamp(strength, 0, kMaxDitherStrength);
    if (strength == 0) {
        reduce_for_quality(tile, &workspace->quality, record);
        return;
    }
    const SlotColours s = diffuse_quality_colours(tile, workspace, record);
    DitherWorkspace* w = &workspace->dither;
    fill_blur_geometry(kTileSide, kTileSide, &w->geometry);
    for (int at = 0; at < kTileSide; ++at) {
        w->edge_class[at] = static_cast<uint8_t>(edge_class(at, kTileSide));
    }
    for (int pixel = 0; pixel < kTilePixels; ++pixel) {
        const double* colour = s.linear[w->slot_of_pixel[pixel]];
        std::copy(colour, colour + kChannelCount, w->design[pixel]);
    }
    TileSurface surface{s, workspace->quality, w};
    prepare_blur_rows(surface, 0, kTileSide);
    prepare_curvature_rows(surface, 0, kTileSide);
    const double pointwise_weight = kPointwiseScale * (kMaxDitherStrength - strength);
    // Passes in tile order until one changes nothing.
    for (int pass = 0; pass < kMaxSearchPasses; ++pass) {
        bool changed = false;
        for (int y = 0; y < kTileSide; ++y) {
            for (int x = 0; x < kTileSide; ++x) {
                changed = search_pixel(surface, pointwise_weight, x, y) || changed;
            }
        }
        if (!changed)
            break;
    }
    write_slots(s, *w, record);
}
