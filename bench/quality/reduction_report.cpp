// The perceptual reductions measured on photographs: prints a Markdown table of
// each reduction's pointwise and blurred errors, averaged over every design of
// every photograph, with ratios to the merge quantiser.
//
//   reduction_report PHOTO...                 the table on stdout
//   reduction_report --picture OUT.png PHOTO  a crop, its merge, quality and dither designs
//   reduction_report --tiles OUT.inc PHOTO... the middle design of each photograph, as
//                                             C++ initialisers for the tests
//   reduction_report --grids PHOTO...         whole assembled pictures, each photograph
//                                             fitted to kGrids: the table of the dither
//                                             across designs
//   reduction_report --grid-picture OUT.png PHOTO  the photograph fitted to 4 x 4: itself,
//                                             its dither, its dither across designs with
//                                             each design's own colours, and with the
//                                             full designs taking their neighbours'
// Photographs are scaled (in linear light) to kLongSide pixels on the longer side
// and cropped about their centre to whole designs.
#include <stb_image.h>
#include <stb_image_resize.h>
#include <stb_image_write.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "across_designs_dither.h"
#include "cielab.h"
#include "design_conversion.h"
#include "design_metrics.h"
#include "grid_metrics.h"
#include "design_record.h"
#include "dither_reduction.h"
#include "palette.h"
#include "quality_reduction.h"

namespace {

constexpr int kLongSide = 512;

struct Photo {
    std::string name;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
};

// The photograph's RGB pixels, to be freed with stbi_image_free; the report ends
// when it cannot be read.
uint8_t* load_rgb(const std::string& path, int* w, int* h) {
    int channels = 0;
    uint8_t* pixels = stbi_load(path.c_str(), w, h, &channels, 3);
    if (pixels == nullptr) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        std::exit(1);
    }
    return pixels;
}

Photo load_photo(const std::string& path) {
    int w = 0;
    int h = 0;
    uint8_t* pixels = load_rgb(path, &w, &h);
    const double scale = static_cast<double>(kLongSide) / (w > h ? w : h);
    const int sw = static_cast<int>(w * scale);
    const int sh = static_cast<int>(h * scale);
    std::vector<uint8_t> scaled(static_cast<size_t>(sw) * sh * 3);
    stbir_resize_uint8_srgb(pixels, w, h, 0, scaled.data(), sw, sh, 0, 3, STBIR_ALPHA_CHANNEL_NONE,
                            0);
    stbi_image_free(pixels);
    Photo photo;
    photo.name = path.substr(path.find_last_of('/') + 1);
    photo.width = sw / kTileSide * kTileSide;
    photo.height = sh / kTileSide * kTileSide;
    const int x0 = (sw - photo.width) / 2;
    const int y0 = (sh - photo.height) / 2;
    photo.rgb.resize(static_cast<size_t>(photo.width) * photo.height * 3);
    for (int y = 0; y < photo.height; ++y) {
        std::memcpy(&photo.rgb[static_cast<size_t>(y) * photo.width * 3],
                    &scaled[(static_cast<size_t>(y + y0) * sw + x0) * 3],
                    static_cast<size_t>(photo.width) * 3);
    }
    return photo;
}

void read_tile(const Photo& photo, int column, int row, Rgb* tile) {
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const size_t at =
                (static_cast<size_t>(row * kTileSide + y) * photo.width + column * kTileSide + x) *
                3;
            tile[y * kTileSide + x] = Rgb{photo.rgb[at], photo.rgb[at + 1], photo.rgb[at + 2]};
        }
    }
}

void nearest_palette_design(const Rgb* tile, Rgb* design) {
    for (int p = 0; p < kTilePixels; ++p) {
        const Lab lab = lab_of(tile[p]);
        double best = 1e300;
        for (const PaletteEntry& entry : kFixedPalette) {
            const double d = cie76(lab, lab_of(entry.colour));
            if (d < best) {
                best = d;
                design[p] = entry.colour;
            }
        }
    }
}

enum Row { kFloor, kMerge, kMedian, kQuality, kDiffusion, kDither, kDitherHalf, kRowCount };
constexpr const char* kRowNames[kRowCount] = {
    "palette floor (every pixel on its nearest of the 159)",
    "merge (default)",
    "median cut (`--median`)",
    "quality (`--reduce quality`)",
    "plain Floyd–Steinberg onto the quality colours",
    "dither, strength 100 (`--reduce dither`)",
    "dither, strength 50",
};

struct Totals {
    DesignErrors sum[kRowCount] = {};
    double seconds[kRowCount] = {};
    int tiles = 0;
    int quality_worse = 0;
    int quality_kept_merge = 0;
};

void add(DesignErrors* sum, const DesignErrors& e) {
    sum->cie76 += e.cie76;
    sum->ciede2000 += e.ciede2000;
    sum->box_blurred += e.box_blurred;
    sum->gaussian_blurred += e.gaussian_blurred;
}

void reduce(Row row, const Rgb* tile, ConversionWorkspace* workspace, uint8_t* record) {
    switch (row) {
        case kMerge:
            convert_tile_to_record(tile, ReductionKind::merge, record);
            break;
        case kMedian:
            convert_tile_to_record(tile, ReductionKind::median_cut, record);
            break;
        case kQuality:
            convert_tile_to_record(tile, Reduction{ReductionKind::quality}, workspace, record);
            break;
        case kDiffusion:
            reduce_with_error_diffusion(tile, workspace, record);
            break;
        case kDither:
            convert_tile_to_record(tile, Reduction{ReductionKind::dither, 100}, workspace, record);
            break;
        case kDitherHalf:
            convert_tile_to_record(tile, Reduction{ReductionKind::dither, 50}, workspace, record);
            break;
        default:
            break;
    }
}

void measure_photo(const Photo& photo, ConversionWorkspace* workspace, Totals* t) {
    Rgb tile[kTilePixels];
    Rgb design[kTilePixels];
    uint8_t records[kRowCount][kDesignRecordSize];
    for (int row = 0; row < photo.height / kTileSide; ++row) {
        for (int column = 0; column < photo.width / kTileSide; ++column) {
            read_tile(photo, column, row, tile);
            for (int r = 0; r < kRowCount; ++r) {
                const auto start = std::chrono::steady_clock::now();
                if (r == kFloor)
                    nearest_palette_design(tile, design);
                else
                    reduce(static_cast<Row>(r), tile, workspace, records[r]);
                t->seconds[r] +=
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                if (r != kFloor)
                    design_colours(records[r], design);
                add(&t->sum[r], measure_design(tile, design));
            }
            if (pointwise_cie76_sum(tile, records[kQuality]) >
                pointwise_cie76_sum(tile, records[kMerge]))
                ++t->quality_worse;
            if (std::memcmp(records[kQuality], records[kMerge], kDesignRecordSize) == 0)
                ++t->quality_kept_merge;
            ++t->tiles;
        }
    }
}

void print_table(const Totals& t, int photos) {
    const DesignErrors& merge = t.sum[kMerge];
    std::printf("%d photographs, %d designs of 32 x 32.\n\n", photos, t.tiles);
    std::printf(
        "| reduction | CIE76 | CIEDE2000 | 3×3 box, blurred | Gaussian σ 1.5, blurred | "
        "CIE76 ÷ merge | CIEDE2000 ÷ merge | box ÷ merge | Gaussian ÷ merge | ms per "
        "design |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|\n");
    for (int r = 0; r < kRowCount; ++r) {
        const DesignErrors& s = t.sum[r];
        std::printf("| %s | %.3f | %.3f | %.3f | %.3f | %.3f | %.3f | %.3f | %.3f | %.2f |\n",
                    kRowNames[r], s.cie76 / t.tiles, s.ciede2000 / t.tiles, s.box_blurred / t.tiles,
                    s.gaussian_blurred / t.tiles, s.cie76 / merge.cie76,
                    s.ciede2000 / merge.ciede2000, s.box_blurred / merge.box_blurred,
                    s.gaussian_blurred / merge.gaussian_blurred, 1000 * t.seconds[r] / t.tiles);
    }
    std::printf(
        "\nDesigns on which quality is worse than merge (pointwise CIE76): %d of %d; "
        "designs on which quality keeps the merge record: %d.\n",
        t.quality_worse, t.tiles, t.quality_kept_merge);
}

// A crop of 4 x 4 designs from the photograph's centre, then its merge, quality
// and dither designs, each enlarged kEnlarge times, side by side.
int write_picture(const char* out, const Photo& photo, ConversionWorkspace* workspace) {
    constexpr int kDesigns = 4;
    constexpr int kEnlarge = 4;
    constexpr int kGap = 8;
    constexpr Row kPanels[] = {kFloor, kMerge, kQuality, kDither};  // kFloor: the photograph
    constexpr int kPanelSide = kDesigns * kTileSide * kEnlarge;
    constexpr int kPanelCount = 4;
    const int width = kPanelCount * kPanelSide + (kPanelCount - 1) * kGap;
    std::vector<uint8_t> image(static_cast<size_t>(width) * kPanelSide * 3, 255);
    const int c0 = (photo.width / kTileSide - kDesigns) / 2;
    const int r0 = (photo.height / kTileSide - kDesigns) / 2;
    Rgb tile[kTilePixels];
    Rgb design[kTilePixels];
    uint8_t record[kDesignRecordSize];
    for (int panel = 0; panel < kPanelCount; ++panel) {
        for (int dr = 0; dr < kDesigns; ++dr) {
            for (int dc = 0; dc < kDesigns; ++dc) {
                read_tile(photo, c0 + dc, r0 + dr, tile);
                if (kPanels[panel] == kFloor) {
                    std::memcpy(design, tile, sizeof tile);
                } else {
                    reduce(kPanels[panel], tile, workspace, record);
                    design_colours(record, design);
                }
                for (int p = 0; p < kTilePixels; ++p) {
                    const int x0 =
                        panel * (kPanelSide + kGap) + (dc * kTileSide + p % kTileSide) * kEnlarge;
                    const int y0 = (dr * kTileSide + p / kTileSide) * kEnlarge;
                    for (int y = y0; y < y0 + kEnlarge; ++y) {
                        for (int x = x0; x < x0 + kEnlarge; ++x) {
                            uint8_t* px = &image[(static_cast<size_t>(y) * width + x) * 3];
                            px[0] = design[p].r;
                            px[1] = design[p].g;
                            px[2] = design[p].b;
                        }
                    }
                }
            }
        }
    }
    return stbi_write_png(out, width, kPanelSide, 3, image.data(), width * 3) ? 0 : 1;
}

int write_tiles(const char* out, const std::vector<Photo>& photos) {
    FILE* file = std::fopen(out, "w");
    if (file == nullptr)
        return 1;
    std::fprintf(file,
                 "// Generated by reduction_report --tiles: the middle design of each of "
                 "%zu photographs.\n// clang-format off\n",
                 photos.size());
    Rgb tile[kTilePixels];
    for (const Photo& photo : photos) {
        read_tile(photo, photo.width / kTileSide / 2, photo.height / kTileSide / 2, tile);
        std::fprintf(file, "{  // %s\n", photo.name.c_str());
        for (int p = 0; p < kTilePixels; ++p) {
            std::fprintf(file, "%d,%d,%d,%s", tile[p].r, tile[p].g, tile[p].b,
                         p % 16 == 15 ? "\n" : "");
        }
        std::fprintf(file, "},\n");
    }
    return std::fclose(file) == 0 ? 0 : 1;
}


// ---- Whole assembled pictures ----

constexpr DesignGrid kGrids[] = {{4, 4}, {8, 5}};

// The photograph cropped about its centre to the grid's shape and scaled (in
// linear light) to 32 pixels a design.
Photo load_fitted(const std::string& path, DesignGrid grid) {
    int w = 0;
    int h = 0;
    uint8_t* pixels = load_rgb(path, &w, &h);
    int cw = w;
    int ch = static_cast<int>(static_cast<long long>(w) * grid.rows / grid.columns);
    if (ch > h) {
        ch = h;
        cw = static_cast<int>(static_cast<long long>(h) * grid.columns / grid.rows);
    }
    const int x0 = (w - cw) / 2;
    const int y0 = (h - ch) / 2;
    Photo photo;
    photo.name = path.substr(path.find_last_of('/') + 1);
    photo.width = grid.columns * kTileSide;
    photo.height = grid.rows * kTileSide;
    photo.rgb.resize(static_cast<size_t>(photo.width) * photo.height * 3);
    stbir_resize_uint8_srgb(pixels + (static_cast<size_t>(y0) * w + x0) * 3, cw, ch, w * 3,
                            photo.rgb.data(), photo.width, photo.height, 0, 3,
                            STBIR_ALPHA_CHANNEL_NONE, 0);
    stbi_image_free(pixels);
    return photo;
}

enum GridRow { kGridMerge, kGridQuality, kGridDither, kGridAcrossOwn, kGridAcross, kGridRowCount };
constexpr const char* kGridRowNames[kGridRowCount] = {
    "merge (default)",
    "quality (`--reduce quality`)",
    "dither, design by design (`--reduce dither`)",
    "dither across designs, full designs keeping their own colours",
    "dither across designs (`--reduce dither --across-designs`)",
};
constexpr Row kDesignByDesign[] = {kMerge, kQuality, kDither};

std::vector<Rgb> photo_pixels(const Photo& photo) {
    std::vector<Rgb> out(static_cast<size_t>(photo.width) * photo.height);
    for (size_t p = 0; p < out.size(); ++p) {
        out[p] = Rgb{photo.rgb[3 * p], photo.rgb[3 * p + 1], photo.rgb[3 * p + 2]};
    }
    return out;
}

// The grid's records with `row`'s reduction, in row-major order.
std::vector<RecordBytes> grid_records(const Photo& photo, GridRow row,
                                      ConversionWorkspace* workspace) {
    const DesignGrid grid{photo.width / kTileSide, photo.height / kTileSide};
    auto read = [&photo](int column, int r, Rgb* tile) { read_tile(photo, column, r, tile); };
    if (row == kGridAcross || row == kGridAcrossOwn)
        return dither_across_designs(grid, read,
                                     MuralOptions{kMaxDitherStrength, 1, row == kGridAcross});
    std::vector<RecordBytes> records(grid.columns * grid.rows);
    Rgb tile[kTilePixels];
    for (int r = 0; r < grid.rows; ++r) {
        for (int column = 0; column < grid.columns; ++column) {
            read(column, r, tile);
            reduce(kDesignByDesign[row], tile, workspace, records[r * grid.columns + column].data());
        }
    }
    return records;
}

std::vector<Rgb> assembled(const Photo& photo, const std::vector<RecordBytes>& records) {
    const int columns = photo.width / kTileSide;
    std::vector<Rgb> out(static_cast<size_t>(photo.width) * photo.height);
    Rgb design[kTilePixels];
    for (size_t d = 0; d < records.size(); ++d) {
        design_colours(records[d].data(), design);
        for (int p = 0; p < kTilePixels; ++p) {
            const int x = static_cast<int>(d) % columns * kTileSide + p % kTileSide;
            const int y = static_cast<int>(d) / columns * kTileSide + p / kTileSide;
            out[static_cast<size_t>(y) * photo.width + x] = design[p];
        }
    }
    return out;
}

int report_grids(const std::vector<std::string>& paths, ConversionWorkspace* workspace) {
    GridErrors sums[kGridRowCount];
    double seconds[kGridRowCount] = {};
    double designs = 0;
    for (const std::string& path : paths) {
        for (const DesignGrid& grid : kGrids) {
            const Photo photo = load_fitted(path, grid);
            const std::vector<Rgb> source = photo_pixels(photo);
            for (int r = 0; r < kGridRowCount; ++r) {
                const auto start = std::chrono::steady_clock::now();
                const std::vector<RecordBytes> records =
                    grid_records(photo, static_cast<GridRow>(r), workspace);
                seconds[r] +=
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                measure_grid(source, assembled(photo, records), photo.width, photo.height,
                             &sums[r]);
            }
            designs += grid.columns * grid.rows;
        }
    }
    std::printf("%zu photographs, each fitted to 4 x 4 and 8 x 5 designs: %d designs.\n\n",
                paths.size(), static_cast<int>(designs));
    std::printf(
        "| reduction | CIE76 | 3×3 box, blurred | Gaussian σ 1.5, blurred | σ 1.5 near borders | "
        "σ 1.5 inside | border ÷ inside | CIE76 ÷ dither | box ÷ dither | Gaussian ÷ dither | "
        "ms per design |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|\n");
    const GridErrors& dither = sums[kGridDither];
    for (int r = 0; r < kGridRowCount; ++r) {
        const GridErrors& e = sums[r];
        const double border = e.gaussian_border / e.border_pixels;
        const double inside = e.gaussian_inside / e.inside_pixels;
        std::printf(
            "| %s | %.3f | %.3f | %.3f | %.3f | %.3f | %.3f | %.3f | %.3f | %.3f | %.2f |\n",
            kGridRowNames[r], e.cie76 / e.pixels, e.box_blurred / e.pixels,
            e.gaussian_blurred / e.pixels, border, inside, border / inside,
            e.cie76 / dither.cie76, e.box_blurred / dither.box_blurred,
            e.gaussian_blurred / dither.gaussian_blurred, 1000 * seconds[r] / designs);
    }
    return 0;
}

// The photograph fitted to 4 x 4 designs, its dither design by design, its dither
// across designs with each design's own colours and with the full designs taking
// their neighbours', side by side, each enlarged kEnlarge times.
int write_grid_picture(const char* out, const std::string& path, ConversionWorkspace* workspace) {
    constexpr DesignGrid kGrid{4, 4};
    constexpr int kEnlarge = 4;
    constexpr int kGap = 8;
    constexpr int kPanelWidth = kGrid.columns * kTileSide * kEnlarge;
    constexpr int kPanelHeight = kGrid.rows * kTileSide * kEnlarge;
    constexpr int kPanelCount = 4;
    const Photo photo = load_fitted(path, kGrid);
    const std::vector<Rgb> panels[kPanelCount] = {
        photo_pixels(photo),
        assembled(photo, grid_records(photo, kGridDither, workspace)),
        assembled(photo, grid_records(photo, kGridAcrossOwn, workspace)),
        assembled(photo, grid_records(photo, kGridAcross, workspace)),
    };
    const int width = kPanelCount * kPanelWidth + (kPanelCount - 1) * kGap;
    std::vector<uint8_t> image(static_cast<size_t>(width) * kPanelHeight * 3, 255);
    for (int panel = 0; panel < kPanelCount; ++panel) {
        for (int y = 0; y < kPanelHeight; ++y) {
            for (int x = 0; x < kPanelWidth; ++x) {
                const Rgb c =
                    panels[panel][static_cast<size_t>(y / kEnlarge) * photo.width + x / kEnlarge];
                uint8_t* px =
                    &image[(static_cast<size_t>(y) * width + panel * (kPanelWidth + kGap) + x) * 3];
                px[0] = c.r;
                px[1] = c.g;
                px[2] = c.b;
            }
        }
    }
    return stbi_write_png(out, width, kPanelHeight, 3, image.data(), width * 3) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const char* picture = nullptr;
    const char* tiles = nullptr;
    const char* grid_picture = nullptr;
    bool grids = false;
    std::vector<Photo> photos;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--grids") == 0) {
            grids = true;
        } else if (std::strcmp(argv[i], "--grid-picture") == 0 && i + 1 < argc) {
            grid_picture = argv[++i];
        } else if (grids || grid_picture != nullptr) {
            paths.push_back(argv[i]);
        } else if (std::strcmp(argv[i], "--picture") == 0 && i + 1 < argc) {
            picture = argv[++i];
        } else if (std::strcmp(argv[i], "--tiles") == 0 && i + 1 < argc) {
            tiles = argv[++i];
        } else {
            photos.push_back(load_photo(argv[i]));
        }
    }
    if (grids || grid_picture != nullptr) {
        if (paths.empty())
            return 2;
        auto workspace = std::make_unique<ConversionWorkspace>();
        return grids ? report_grids(paths, workspace.get())
                     : write_grid_picture(grid_picture, paths[0], workspace.get());
    }
    if (photos.empty()) {
        std::fprintf(stderr,
                     "usage: reduction_report [--picture OUT.png | --tiles OUT.inc] PHOTO...\n");
        return 2;
    }
    auto workspace = std::make_unique<ConversionWorkspace>();
    if (picture != nullptr)
        return write_picture(picture, photos[0], workspace.get());
    if (tiles != nullptr)
        return write_tiles(tiles, photos);
    Totals totals;
    for (const Photo& photo : photos) {
        measure_photo(photo, workspace.get(), &totals);
    }
    print_table(totals, static_cast<int>(photos.size()));
    return 0;
}
