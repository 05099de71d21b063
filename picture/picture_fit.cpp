#include "picture_fit.h"

#include <stb_image_resize.h>

#include <cstdint>
#include <utility>

#include "design_count.h"
#include "picture_limits.h"
#include "tile.h"

namespace {

constexpr int kChannels = 3;

// How far the grid's ratio is from the picture's, as the fraction
// larger / smaller of columns * height and rows * width: at least 1, exact.
struct RatioDistance {
    int64_t larger;
    int64_t smaller;
};

RatioDistance ratio_distance(DesignGrid grid, int width, int height) {
    const int64_t grid_side = int64_t{grid.columns} * height;
    const int64_t picture_side = int64_t{grid.rows} * width;
    return grid_side >= picture_side ? RatioDistance{grid_side, picture_side}
                                     : RatioDistance{picture_side, grid_side};
}

// a / b < c / d for positive fractions; for pictures within the reader's bound
// the products stay far below 2^63.
static_assert(int64_t{kMaxGridSide} * kMaxPictureSide * kMaxGridSide * kMaxPictureSide <
              (int64_t{1} << 62));
bool nearer(RatioDistance a, RatioDistance b) {
    return a.larger * b.smaller < b.larger * a.smaller;
}

bool same_distance(RatioDistance a, RatioDistance b) {
    return a.larger * b.smaller == b.larger * a.smaller;
}

}  // namespace

DesignGrid offered_fit_grid(int width, int height) {
    DesignGrid best{1, 1};
    RatioDistance best_distance = ratio_distance(best, width, height);
    for (int rows = 1; rows <= kMaxGridSide; ++rows) {
        for (int columns = 1; columns <= kMaxGridSide; ++columns) {
            const DesignGrid grid{columns, rows};
            if (!design_count_allowed(columns, rows)) {
                continue;
            }
            const RatioDistance distance = ratio_distance(grid, width, height);
            const int designs = columns * rows;
            const int best_designs = best.columns * best.rows;
            const bool better =
                nearer(distance, best_distance) ||
                (same_distance(distance, best_distance) &&
                 (designs > best_designs || (designs == best_designs && columns > best.columns)));
            if (better) {
                best = grid;
                best_distance = distance;
            }
        }
    }
    return best;
}

PictureRect centred_crop(int width, int height, DesignGrid grid) {
    int crop_width = width;
    int crop_height = height;
    // Wider than the grid when width / height > columns / rows.
    if (int64_t{width} * grid.rows > int64_t{height} * grid.columns) {
        crop_width = static_cast<int>(int64_t{height} * grid.columns / grid.rows);
    } else {
        crop_height = static_cast<int>(int64_t{width} * grid.rows / grid.columns);
    }
    crop_width = crop_width < 1 ? 1 : crop_width;
    crop_height = crop_height < 1 ? 1 : crop_height;
    return PictureRect{(width - crop_width) / 2, (height - crop_height) / 2, crop_width,
                       crop_height};
}

int fit_picture(const Picture& picture, DesignGrid grid, Picture* fitted, std::string* error) {
    if (!design_count_allowed(grid.columns, grid.rows)) {
        *error = "the grid must have 1 to 40 columns and rows and at most 40 designs";
        return -1;
    }
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.rgb.size() != static_cast<size_t>(picture.width) * picture.height * kChannels) {
        *error = "the picture is empty";
        return -1;
    }
    const PictureRect crop = centred_crop(picture.width, picture.height, grid);
    const size_t stride = static_cast<size_t>(picture.width) * kChannels;
    const uint8_t* origin =
        picture.rgb.data() + crop.y * stride + static_cast<size_t>(crop.x) * kChannels;
    Picture result;
    result.width = grid.columns * kTileSide;
    result.height = grid.rows * kTileSide;
    result.rgb.resize(static_cast<size_t>(result.width) * result.height * kChannels);
    if (stbir_resize_uint8_generic(origin, crop.width, crop.height, static_cast<int>(stride),
                                   result.rgb.data(), result.width, result.height,
                                   result.width * kChannels, kChannels, STBIR_ALPHA_CHANNEL_NONE, 0,
                                   STBIR_EDGE_CLAMP, STBIR_FILTER_BOX, STBIR_COLORSPACE_SRGB,
                                   nullptr) == 0) {
        *error = "the picture could not be resampled";
        return -1;
    }
    *fitted = std::move(result);
    return 0;
}
