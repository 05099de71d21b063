#include "grid_metrics.h"

#include <cmath>

#include "cielab.h"
#include "colour_tables.h"

namespace {

constexpr int kBorderReach = 2;  // pixels on each side of a border between designs
constexpr double kSigma = 1.5;

using Linear = std::vector<double>;  // 3 a pixel

Linear to_linear(const std::vector<Rgb>& picture) {
    Linear out(picture.size() * 3);
    for (size_t p = 0; p < picture.size(); ++p) {
        out[3 * p] = kSrgbToLinear[picture[p].r];
        out[3 * p + 1] = kSrgbToLinear[picture[p].g];
        out[3 * p + 2] = kSrgbToLinear[picture[p].b];
    }
    return out;
}

template <typename Weight>
Linear blur(const Linear& in, int width, int height, int radius, Weight weight) {
    Linear out(in.size());
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double sum[3] = {};
            double total = 0;
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    const int yy = y + dy;
                    const int xx = x + dx;
                    if (yy < 0 || yy >= height || xx < 0 || xx >= width)
                        continue;
                    const double w = weight(dy, dx);
                    total += w;
                    for (int ch = 0; ch < 3; ++ch)
                        sum[ch] += w * in[3 * (static_cast<size_t>(yy) * width + xx) + ch];
                }
            }
            for (int ch = 0; ch < 3; ++ch)
                out[3 * (static_cast<size_t>(y) * width + x) + ch] = sum[ch] / total;
        }
    }
    return out;
}

double distance_at(const Linear& x, const Linear& y, size_t p) {
    return cie76(lab_from_linear(x[3 * p], x[3 * p + 1], x[3 * p + 2]),
                 lab_from_linear(y[3 * p], y[3 * p + 1], y[3 * p + 2]));
}

// Within kBorderReach of a border between two designs (not the picture's edge).
bool near_border(int at, int length) {
    const int offset = at % kTileSide;
    return (offset < kBorderReach && at >= kTileSide) ||
           (offset >= kTileSide - kBorderReach && at + kTileSide < length);
}

}  // namespace

void measure_grid(const std::vector<Rgb>& source, const std::vector<Rgb>& design, int width,
                  int height, GridErrors* e) {
    const Linear s = to_linear(source);
    const Linear d = to_linear(design);
    auto box = [](int, int) { return 1.0; };
    auto gaussian = [](int dy, int dx) {
        return std::exp(-(dy * dy + dx * dx) / (2 * kSigma * kSigma));
    };
    const Linear s_box = blur(s, width, height, 1, box);
    const Linear d_box = blur(d, width, height, 1, box);
    const Linear s_gauss = blur(s, width, height, 4, gaussian);
    const Linear d_gauss = blur(d, width, height, 4, gaussian);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t p = static_cast<size_t>(y) * width + x;
            e->cie76 += cie76(lab_of(source[p]), lab_of(design[p]));
            e->box_blurred += distance_at(s_box, d_box, p);
            const double g = distance_at(s_gauss, d_gauss, p);
            e->gaussian_blurred += g;
            if (near_border(x, width) || near_border(y, height)) {
                e->gaussian_border += g;
                e->border_pixels += 1;
            } else {
                e->gaussian_inside += g;
                e->inside_pixels += 1;
            }
            e->pixels += 1;
        }
    }
}
