#include "design_metrics.h"

#include <cmath>

#include "cielab.h"
#include "colour_tables.h"
#include "design_record.h"
#include "palette.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

double degrees(double radians) {
    return radians * 180.0 / kPi;
}
double radians(double degrees) {
    return degrees * kPi / 180.0;
}

// CIEDE2000 with kL = kC = kH = 1 (Sharma, Wu and Dalal's formulation).
double ciede2000(const Lab& x, const Lab& y) {
    const double c1 = std::hypot(x.a, x.b);
    const double c2 = std::hypot(y.a, y.b);
    const double c_mean = (c1 + c2) / 2;
    const double c7 = std::pow(c_mean, 7);
    const double g = 0.5 * (1 - std::sqrt(c7 / (c7 + std::pow(25.0, 7))));
    const double a1 = (1 + g) * x.a;
    const double a2 = (1 + g) * y.a;
    const double cp1 = std::hypot(a1, x.b);
    const double cp2 = std::hypot(a2, y.b);
    auto hue = [](double b, double a) {
        if (a == 0 && b == 0)
            return 0.0;
        const double h = degrees(std::atan2(b, a));
        return h < 0 ? h + 360 : h;
    };
    const double h1 = hue(x.b, a1);
    const double h2 = hue(y.b, a2);
    const double dl = y.l - x.l;
    const double dc = cp2 - cp1;
    double dh = 0;
    if (cp1 * cp2 != 0) {
        dh = h2 - h1;
        if (dh > 180)
            dh -= 360;
        else if (dh < -180)
            dh += 360;
    }
    const double dhh = 2 * std::sqrt(cp1 * cp2) * std::sin(radians(dh / 2));
    const double l_mean = (x.l + y.l) / 2;
    const double cp_mean = (cp1 + cp2) / 2;
    double h_mean = h1 + h2;
    if (cp1 * cp2 != 0) {
        if (std::fabs(h1 - h2) <= 180)
            h_mean = (h1 + h2) / 2;
        else
            h_mean = h1 + h2 < 360 ? (h1 + h2 + 360) / 2 : (h1 + h2 - 360) / 2;
    }
    const double t =
        1 - 0.17 * std::cos(radians(h_mean - 30)) + 0.24 * std::cos(radians(2 * h_mean)) +
        0.32 * std::cos(radians(3 * h_mean + 6)) - 0.20 * std::cos(radians(4 * h_mean - 63));
    const double d_theta = 30 * std::exp(-std::pow((h_mean - 275) / 25, 2));
    const double cp7 = std::pow(cp_mean, 7);
    const double rc = 2 * std::sqrt(cp7 / (cp7 + std::pow(25.0, 7)));
    const double l50 = (l_mean - 50) * (l_mean - 50);
    const double sl = 1 + 0.015 * l50 / std::sqrt(20 + l50);
    const double sc = 1 + 0.045 * cp_mean;
    const double sh = 1 + 0.015 * cp_mean * t;
    const double rt = -std::sin(radians(2 * d_theta)) * rc;
    const double tl = dl / sl;
    const double tc = dc / sc;
    const double th = dhh / sh;
    return std::sqrt(tl * tl + tc * tc + th * th + rt * tc * th);
}

using LinearTile = double[kTilePixels][3];

void to_linear(const Rgb* tile, LinearTile out) {
    for (int p = 0; p < kTilePixels; ++p) {
        out[p][0] = kSrgbToLinear[tile[p].r];
        out[p][1] = kSrgbToLinear[tile[p].g];
        out[p][2] = kSrgbToLinear[tile[p].b];
    }
}

// Blurs within the tile, the weights renormalised where the window leaves it.
template <typename Weight>
void blur(const LinearTile in, int radius, Weight weight, LinearTile out) {
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            double sum[3] = {};
            double total = 0;
            for (int dy = -radius; dy <= radius; ++dy) {
                for (int dx = -radius; dx <= radius; ++dx) {
                    const int yy = y + dy;
                    const int xx = x + dx;
                    if (yy < 0 || yy >= kTileSide || xx < 0 || xx >= kTileSide)
                        continue;
                    const double w = weight(dy, dx);
                    total += w;
                    for (int ch = 0; ch < 3; ++ch)
                        sum[ch] += w * in[yy * kTileSide + xx][ch];
                }
            }
            for (int ch = 0; ch < 3; ++ch)
                out[y * kTileSide + x][ch] = sum[ch] / total;
        }
    }
}

template <typename Weight>
double blurred_error(const LinearTile source, const LinearTile design, int radius, Weight weight) {
    static LinearTile blurred_source;
    static LinearTile blurred_design;
    blur(source, radius, weight, blurred_source);
    blur(design, radius, weight, blurred_design);
    double sum = 0;
    for (int p = 0; p < kTilePixels; ++p) {
        sum += cie76(
            lab_from_linear(blurred_source[p][0], blurred_source[p][1], blurred_source[p][2]),
            lab_from_linear(blurred_design[p][0], blurred_design[p][1], blurred_design[p][2]));
    }
    return sum / kTilePixels;
}

}  // namespace

DesignErrors measure_design(const Rgb* tile, const Rgb* design) {
    DesignErrors e{};
    for (int p = 0; p < kTilePixels; ++p) {
        const Lab s = lab_of(tile[p]);
        const Lab d = lab_of(design[p]);
        e.cie76 += cie76(s, d);
        e.ciede2000 += ciede2000(s, d);
    }
    e.cie76 /= kTilePixels;
    e.ciede2000 /= kTilePixels;
    static LinearTile source;
    static LinearTile shown;
    to_linear(tile, source);
    to_linear(design, shown);
    e.box_blurred = blurred_error(source, shown, 1, [](int, int) { return 1.0; });
    e.gaussian_blurred = blurred_error(source, shown, 4, [](int dy, int dx) {
        return std::exp(-(dy * dy + dx * dx) / (2 * 1.5 * 1.5));
    });
    return e;
}

void design_colours(const uint8_t* record, Rgb* design) {
    for (int p = 0; p < kTilePixels; ++p) {
        const uint8_t byte = record[kPixelDataOffset + p / 2];
        const int slot = p % 2 == 0 ? byte & 0xF : byte >> 4;
        palette_colour(record[kPaletteCodesOffset + slot], &design[p]);
    }
}
