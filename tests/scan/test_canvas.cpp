#include "test_canvas.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t clamp_byte(double v) {
    return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

uint8_t* pixel(Picture& p, int x, int y) {
    return p.rgb.data() + (static_cast<size_t>(y) * p.width + x) * 3;
}

// Bilinear sample of a picture at a point in pixel units (centres at i + 0.5).
std::array<double, 3> sample(const Picture& p, double x, double y) {
    const double fx = std::clamp(x - 0.5, 0.0, p.width - 1.0);
    const double fy = std::clamp(y - 0.5, 0.0, p.height - 1.0);
    const int x0 = static_cast<int>(fx), y0 = static_cast<int>(fy);
    const int x1 = std::min(x0 + 1, p.width - 1), y1 = std::min(y0 + 1, p.height - 1);
    const double ax = fx - x0, ay = fy - y0;
    std::array<double, 3> out{};
    for (int c = 0; c < 3; ++c) {
        auto at = [&](int px, int py) {
            return double(p.rgb[(static_cast<size_t>(py) * p.width + px) * 3 + c]);
        };
        out[c] = (at(x0, y0) * (1 - ax) + at(x1, y0) * ax) * (1 - ay) +
                 (at(x0, y1) * (1 - ax) + at(x1, y1) * ax) * ay;
    }
    return out;
}

constexpr int kSupersample = 4;

}  // namespace

double uniform(Random& rng, double low, double high) {
    return low + (high - low) * (rng() / 4294967296.0);
}

int uniform_int(Random& rng, int low, int high) {
    return low + static_cast<int>(rng() % static_cast<uint32_t>(high - low + 1));
}

Picture blank_picture(int width, int height, Rgb colour) {
    Picture p{width, height, std::vector<uint8_t>(static_cast<size_t>(width) * height * 3)};
    fill_rect(p, 0, 0, width, height, colour);
    return p;
}

void fill_rect(Picture& p, int x0, int y0, int x1, int y1, Rgb colour) {
    x0 = std::max(x0, 0), y0 = std::max(y0, 0);
    x1 = std::min(x1, p.width), y1 = std::min(y1, p.height);
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            uint8_t* q = pixel(p, x, y);
            q[0] = colour.r, q[1] = colour.g, q[2] = colour.b;
        }
    }
}

double drawn_side(const SymbolModules& s, const SymbolStyle& style) {
    return (s.side + 2 * style.quiet) * style.module;
}

void draw_symbol(Picture& p, const SymbolModules& s, double x, double y, const SymbolStyle& style) {
    const double q = style.quiet * style.module;
    const int px0 = std::max(0, static_cast<int>(std::floor(x - q)));
    const int py0 = std::max(0, static_cast<int>(std::floor(y - q)));
    const int px1 = std::min(p.width, static_cast<int>(std::ceil(x + s.side * style.module + q)));
    const int py1 = std::min(p.height, static_cast<int>(std::ceil(y + s.side * style.module + q)));
    auto dark_at = [&](double sx, double sy) {
        const int col = static_cast<int>(std::floor((sx - x) / style.module));
        const int row = static_cast<int>(std::floor((sy - y) / style.module));
        return col >= 0 && row >= 0 && col < s.side && row < s.side && s.at(row, col);
    };
    for (int py = py0; py < py1; ++py) {
        for (int px = px0; px < px1; ++px) {
            double coverage = 0;
            if (style.smooth) {
                for (int j = 0; j < kSupersample; ++j)
                    for (int i = 0; i < kSupersample; ++i)
                        coverage +=
                            dark_at(px + (i + 0.5) / kSupersample, py + (j + 0.5) / kSupersample);
                coverage /= kSupersample * kSupersample;
            } else {
                coverage = dark_at(px + 0.5, py + 0.5) ? 1 : 0;
            }
            uint8_t* o = pixel(p, px, py);
            o[0] = clamp_byte(style.light.r + (style.dark.r - style.light.r) * coverage);
            o[1] = clamp_byte(style.light.g + (style.dark.g - style.light.g) * coverage);
            o[2] = clamp_byte(style.light.b + (style.dark.b - style.light.b) * coverage);
        }
    }
}

void draw_text_lines(Picture& p, int x0, int y0, int x1, int y1, Rgb ink, Random& rng) {
    const int line_height = uniform_int(rng, 10, 22);
    const int glyph = line_height * 6 / 10;
    for (int y = y0; y + line_height <= y1; y += line_height + line_height / 2) {
        int x = x0;
        const int end = x1 - uniform_int(rng, 0, (x1 - x0) / 3);
        while (x < end) {
            const int word = uniform_int(rng, 2, 9);
            for (int k = 0; k < word && x < end; ++k) {
                const int w = uniform_int(rng, glyph / 2, glyph);
                const int h = uniform_int(rng, glyph * 2 / 3, line_height);
                // Glyph strokes: an outline with an occasional bar across.
                fill_rect(p, x, y + line_height - h, x + w, y + line_height - h + 2, ink);
                fill_rect(p, x, y + line_height - h, x + 2, y + line_height, ink);
                if (rng() % 2)
                    fill_rect(p, x + w - 2, y + line_height - h, x + w, y + line_height, ink);
                if (rng() % 2)
                    fill_rect(p, x, y + line_height - 2, x + w, y + line_height, ink);
                x += w + 2;
            }
            x += glyph;
        }
    }
}

void draw_photo_blobs(Picture& p, int x0, int y0, int x1, int y1, Random& rng) {
    const Rgb base{static_cast<uint8_t>(rng() % 256), static_cast<uint8_t>(rng() % 256),
                   static_cast<uint8_t>(rng() % 256)};
    fill_rect(p, x0, y0, x1, y1, base);
    for (int k = 0; k < 12; ++k) {
        const double cx = uniform(rng, x0, x1), cy = uniform(rng, y0, y1);
        const double r = uniform(rng, 5, (x1 - x0) / 3.0 + 6);
        const double colour[3] = {uniform(rng, 0, 255), uniform(rng, 0, 255), uniform(rng, 0, 255)};
        for (int y = std::max(y0, int(cy - r)); y < std::min(y1, int(cy + r)); ++y) {
            for (int x = std::max(x0, int(cx - r)); x < std::min(x1, int(cx + r)); ++x) {
                const double d = std::hypot(x - cx, y - cy) / r;
                if (d >= 1)
                    continue;
                const double a = (1 - d * d);
                uint8_t* o = pixel(p, x, y);
                for (int c = 0; c < 3; ++c)
                    o[c] = clamp_byte(o[c] * (1 - a) + colour[c] * a);
            }
        }
    }
}

Picture scaled(const Picture& p, double factor, Resampling how) {
    const int w = std::max(1, static_cast<int>(std::lround(p.width * factor)));
    const int h = std::max(1, static_cast<int>(std::lround(p.height * factor)));
    Picture out{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h * 3)};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            uint8_t* o = pixel(out, x, y);
            const double sx = (x + 0.5) / factor, sy = (y + 0.5) / factor;
            if (how == Resampling::nearest) {
                const int ix = std::min(p.width - 1, static_cast<int>(sx));
                const int iy = std::min(p.height - 1, static_cast<int>(sy));
                const uint8_t* i = p.rgb.data() + (static_cast<size_t>(iy) * p.width + ix) * 3;
                o[0] = i[0], o[1] = i[1], o[2] = i[2];
            } else {
                const auto s = sample(p, sx, sy);
                o[0] = clamp_byte(s[0]), o[1] = clamp_byte(s[1]), o[2] = clamp_byte(s[2]);
            }
        }
    }
    return out;
}

Picture photographed(const Picture& scene, const CameraPose& pose) {
    Picture out = blank_picture(pose.width, pose.height, pose.outside);
    const double cx = pose.width / 2.0, cy = pose.height / 2.0;
    const double corner = std::hypot(cx, cy);
    const double c = std::cos(pose.rotation), s = std::sin(pose.rotation);
    // Photo point -> undistorted photo point -> scene point.
    auto scene_point = [&](double x, double y, double& sx, double& sy) {
        double dx = x - cx, dy = y - cy;
        const double r = std::hypot(dx, dy) / corner;
        const double bend = 1 + pose.barrel * r * r;
        dx *= bend, dy *= bend;
        double u = (c * dx + s * dy) / pose.scene_scale;
        double v = (-s * dx + c * dy) / pose.scene_scale;
        const double w = 1 + pose.tilt_x * u + pose.tilt_y * v;
        sx = u / w + scene.width / 2.0;
        sy = v / w + scene.height / 2.0;
    };
    for (int y = 0; y < pose.height; ++y) {
        for (int x = 0; x < pose.width; ++x) {
            std::array<double, 3> sum{};
            int inside = 0;
            for (int j = 0; j < 2; ++j) {
                for (int i = 0; i < 2; ++i) {
                    double sx, sy;
                    scene_point(x + 0.25 + 0.5 * i, y + 0.25 + 0.5 * j, sx, sy);
                    if (sx < 0 || sy < 0 || sx >= scene.width || sy >= scene.height)
                        continue;
                    const auto v = sample(scene, sx, sy);
                    for (int k = 0; k < 3; ++k)
                        sum[k] += v[k];
                    ++inside;
                }
            }
            if (inside == 0)
                continue;
            uint8_t* o = pixel(out, x, y);
            const double outside[3] = {double(pose.outside.r), double(pose.outside.g),
                                       double(pose.outside.b)};
            for (int k = 0; k < 3; ++k)
                o[k] = clamp_byte((sum[k] + outside[k] * (4 - inside)) / 4);
        }
    }
    return out;
}

void box_blur(Picture& p, int radius) {
    if (radius <= 0)
        return;
    std::vector<uint8_t> copy = p.rgb;
    auto pass = [&](bool horizontal) {
        copy = p.rgb;
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                int sum[3] = {0, 0, 0}, n = 0;
                for (int d = -radius; d <= radius; ++d) {
                    const int sx = horizontal ? std::clamp(x + d, 0, p.width - 1) : x;
                    const int sy = horizontal ? y : std::clamp(y + d, 0, p.height - 1);
                    const uint8_t* i = copy.data() + (static_cast<size_t>(sy) * p.width + sx) * 3;
                    sum[0] += i[0], sum[1] += i[1], sum[2] += i[2], ++n;
                }
                uint8_t* o = pixel(p, x, y);
                o[0] = static_cast<uint8_t>(sum[0] / n);
                o[1] = static_cast<uint8_t>(sum[1] / n);
                o[2] = static_cast<uint8_t>(sum[2] / n);
            }
        }
    };
    pass(true);
    pass(false);
}

void add_noise(Picture& p, double sigma, Random& rng) {
    std::normal_distribution<double> noise(0, sigma);
    for (uint8_t& v : p.rgb)
        v = clamp_byte(v + noise(rng));
}

void uneven_light(Picture& p, double strength, Random& rng) {
    const double lx = uniform(rng, 0, p.width), ly = uniform(rng, 0, p.height);
    const double reach = std::hypot(p.width, p.height);
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const double f = 1 - strength * std::hypot(x - lx, y - ly) / reach;
            uint8_t* o = pixel(p, x, y);
            for (int k = 0; k < 3; ++k)
                o[k] = clamp_byte(o[k] * f);
        }
    }
}

void add_glare(Picture& p, Random& rng) {
    const double gx = uniform(rng, 0, p.width), gy = uniform(rng, 0, p.height);
    const double r = uniform(rng, 0.05, 0.15) * std::min(p.width, p.height);
    for (int y = std::max(0, int(gy - r)); y < std::min(p.height, int(gy + r)); ++y) {
        for (int x = std::max(0, int(gx - r)); x < std::min(p.width, int(gx + r)); ++x) {
            const double d = std::hypot(x - gx, y - gy) / r;
            if (d >= 1)
                continue;
            const double a = 0.6 * (1 - d);
            uint8_t* o = pixel(p, x, y);
            for (int k = 0; k < 3; ++k)
                o[k] = clamp_byte(o[k] + (255 - o[k]) * a);
        }
    }
}

void shadow_edge(Picture& p, double x, double y, double angle, double remaining, double softness) {
    const double c = std::cos(angle), s = std::sin(angle);
    for (int py = 0; py < p.height; ++py) {
        for (int px = 0; px < p.width; ++px) {
            const double t = std::clamp(((px - x) * c + (py - y) * s) / softness + 0.5, 0.0, 1.0);
            const double f = 1 - (1 - remaining) * t * t * (3 - 2 * t);
            uint8_t* o = pixel(p, px, py);
            for (int k = 0; k < 3; ++k)
                o[k] = clamp_byte(o[k] * f);
        }
    }
}

void monitor_grid(Picture& p, int pitch) {
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            if (x % pitch != 0 && y % pitch != 0)
                continue;
            uint8_t* o = pixel(p, x, y);
            for (int k = 0; k < 3; ++k)
                o[k] = static_cast<uint8_t>(o[k] * 0.55);
        }
    }
}
