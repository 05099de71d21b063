// The steps of the dither, written once for both pictures it runs over: one
// design's tile (dither_reduction.cpp, in its ConversionWorkspace) and the whole
// picture of a grid (mural/canvas_dither.cpp, on its canvas). Only those two files
// include this header; each instantiates the steps explicitly for its surface, in
// a library built with -ffp-contract=off. The steps allocate nothing.
//
// A surface supplies what differs between the two:
//   using Stored = double or float;   what the blurs' state is kept in; each value is
//                                     rounded to it as it is stored, and read back as stored
//   width, height; geometry() -> const BlurGeometry&; row_class(y), column_class(x)
//   source(pixel, double* linear)     the picture in linear light
//   colours(x, y) -> const SlotColours&   the colours the pixel's design may place
//   slot(pixel) -> uint8_t&
//   shown(x, y) -> const double*      the colour the pixel shows, in linear light
//   shown_moved(x, y, change)         after the search moved the pixel's colour by change
//   pointwise_distances(x, y, colours, float* distance)   CIE76 of the pixel to each colour
//   metric(blur, pixel), weighted_error(blur, pixel), curvature(pixel) -> Stored*
// The pixel order of the search's passes is the caller's: these steps search one pixel.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "dither_terms.h"

// Copies count terms, rounding each to the type it is stored in.
template <typename From, typename To>
void copy_terms(const From* from, int count, To* to) {
    for (int k = 0; k < count; ++k) {
        to[k] = static_cast<To>(from[k]);
    }
}

// Calls visit(blur, p, weight) for every pixel p whose blur takes in pixel
// (qx, qy), blur by blur and in raster order, with the weight q has there.
template <typename Surface, typename Visit>
void for_each_blur_around(const Surface& surface, int qx, int qy, Visit visit) {
    const BlurGeometry& g = surface.geometry();
    for (int blur = 0; blur < kBlurCount; ++blur) {
        const BlurWindow win =
            blur_window(surface.width, surface.height, qx, qy, kBlurRadius[blur]);
        for (int y = win.y0; y <= win.y1; ++y) {
            const int row_class = surface.row_class(y);
            for (int x = win.x0; x <= win.x1; ++x) {
                const double weight =
                    g.kernel[blur][qy - y + kGaussianRadius][qx - x + kGaussianRadius] *
                    g.normaliser[blur][row_class][surface.column_class(x)];
                visit(blur, static_cast<size_t>(y) * surface.width + x, weight);
            }
        }
    }
}

// Serpentine Floyd-Steinberg in linear light, each diffused value clamped to 0-1;
// each pixel takes the nearest of its design's colours. rows: 2 (width + 2) x 3
// doubles, this row and the next with a cell of margin on each side.
template <typename Surface>
void diffuse_errors(Surface& surface, double* rows) {
    const int width = surface.width;
    const int cells = (width + 2) * kChannelCount;
    std::fill(rows, rows + 2 * cells, 0.0);
    int current = 0;
    for (int y = 0; y < surface.height; ++y) {
        const int next = 1 - current;
        const bool rightwards = y % 2 == 0;
        const int step = rightwards ? 1 : -1;
        double* here = rows + current * cells;
        double* below = rows + next * cells;
        for (int i = 0; i < width; ++i) {
            const int x = rightwards ? i : width - 1 - i;
            const size_t pixel = static_cast<size_t>(y) * width + x;
            const int cell = (x + 1) * kChannelCount;
            const int ahead = cell + step * kChannelCount;
            const int behind = cell - step * kChannelCount;
            double source[kChannelCount];
            surface.source(pixel, source);
            double value[kChannelCount];
            for (int ch = 0; ch < kChannelCount; ++ch) {
                value[ch] = std::clamp(source[ch] + here[cell + ch], 0.0, 1.0);
            }
            const SlotColours& s = surface.colours(x, y);
            const int slot = nearest_linear_slot(value, s);
            surface.slot(pixel) = static_cast<uint8_t>(slot);
            for (int ch = 0; ch < kChannelCount; ++ch) {
                const double error = value[ch] - s.linear[slot][ch];
                here[ahead + ch] += kDiffuseAhead * error;
                below[behind + ch] += kDiffuseBehindBelow * error;
                below[cell + ch] += kDiffuseBelow * error;
                below[ahead + ch] += kDiffuseAheadBelow * error;
            }
        }
        std::fill(here, here + cells, 0.0);
        current = next;
    }
}

// The metric and M e of each blur for the pixel rows [y0, y1). Reads only the
// source and the shown colours: rows may be prepared in any order, or at once.
template <typename Surface>
void prepare_blur_rows(Surface& surface, int y0, int y1) {
    const BlurGeometry& g = surface.geometry();
    for (int blur = 0; blur < kBlurCount; ++blur) {
        for (int py = y0; py < y1; ++py) {
            for (int px = 0; px < surface.width; ++px) {
                const BlurWindow win =
                    blur_window(surface.width, surface.height, px, py, kBlurRadius[blur]);
                double error[kChannelCount] = {};
                double source[kChannelCount] = {};
                for (int y = win.y0; y <= win.y1; ++y) {
                    for (int x = win.x0; x <= win.x1; ++x) {
                        const double k =
                            g.kernel[blur][y - py + kGaussianRadius][x - px + kGaussianRadius];
                        double here[kChannelCount];
                        surface.source(static_cast<size_t>(y) * surface.width + x, here);
                        const double* shown = surface.shown(x, y);
                        for (int ch = 0; ch < kChannelCount; ++ch) {
                            error[ch] += k * (shown[ch] - here[ch]);
                            source[ch] += k * here[ch];
                        }
                    }
                }
                const double total =
                    g.window_total[blur][surface.row_class(py)][surface.column_class(px)];
                for (int ch = 0; ch < kChannelCount; ++ch) {
                    error[ch] /= total;
                    source[ch] /= total;
                }
                const size_t p = static_cast<size_t>(py) * surface.width + px;
                double metric[kMetricTerms];
                lab_metric(source, metric);
                auto* kept = surface.metric(blur, p);
                copy_terms(metric, kMetricTerms, kept);
                copy_terms(kept, kMetricTerms, metric);  // M e with M as kept
                double weighted[kChannelCount];
                metric_times(metric, error, weighted);
                copy_terms(weighted, kChannelCount, surface.weighted_error(blur, p));
            }
        }
    }
}

// The curvature for the pixel rows [y0, y1), once every row's metric is prepared.
template <typename Surface>
void prepare_curvature_rows(Surface& surface, int y0, int y1) {
    using Stored = typename Surface::Stored;
    for (int qy = y0; qy < y1; ++qy) {
        for (int qx = 0; qx < surface.width; ++qx) {
            double sum[kMetricTerms] = {};
            for_each_blur_around(surface, qx, qy, [&](int blur, size_t p, double k) {
                const Stored* m = surface.metric(blur, p);
                for (int t = 0; t < kMetricTerms; ++t) {
                    sum[t] += kBlurWeight[blur] * k * k * m[t];
                }
            });
            copy_terms(sum, kMetricTerms,
                       surface.curvature(static_cast<size_t>(qy) * surface.width + qx));
        }
    }
}

// Tries every colour of its design for pixel (qx, qy) and makes the change that
// lowers the cost most, by more than kLeastChange; returns whether it moved.
template <typename Surface>
bool search_pixel(Surface& surface, double pointwise_weight, int qx, int qy) {
    using Stored = typename Surface::Stored;
    const size_t q = static_cast<size_t>(qy) * surface.width + qx;
    const SlotColours& s = surface.colours(qx, qy);
    // Half the cost's gradient in q's colour: over q's windows, weight * M e.
    double slope[kChannelCount] = {};
    for_each_blur_around(surface, qx, qy, [&](int blur, size_t p, double weight) {
        const double k = kBlurWeight[blur] * weight;
        const Stored* e = surface.weighted_error(blur, p);
        for (int ch = 0; ch < kChannelCount; ++ch) {
            slope[ch] += k * e[ch];
        }
    });
    double curvature[kMetricTerms];
    copy_terms(surface.curvature(q), kMetricTerms, curvature);
    // At full strength the pointwise term weighs nothing and is left out: adding
    // 0 times a distance changes no comparison, so the moves are the same.
    const bool pointwise_counts = pointwise_weight != 0;
    const int current = surface.slot(q);
    float distance[kSlotCount];
    double current_pointwise = 0;
    if (pointwise_counts) {
        surface.pointwise_distances(qx, qy, s, distance);
        current_pointwise = distance[current];
    }
    const double* shown = surface.shown(qx, qy);
    int best = current;
    double best_change = -kLeastChange;
    double best_delta[kChannelCount] = {};
    for (int slot = 0; slot < s.count; ++slot) {
        if (slot == current)
            continue;
        double delta[kChannelCount];
        double linear_term = 0;
        for (int ch = 0; ch < kChannelCount; ++ch) {
            delta[ch] = s.linear[slot][ch] - shown[ch];
            linear_term += delta[ch] * slope[ch];
        }
        double change = 2.0 * linear_term + quadratic_form(curvature, delta);
        if (pointwise_counts) {
            const double pointwise = distance[slot];
            change +=
                pointwise_weight * (pointwise * pointwise - current_pointwise * current_pointwise);
        }
        if (change < best_change) {
            best_change = change;
            best = slot;
            std::copy(delta, delta + kChannelCount, best_delta);
        }
    }
    if (best == current)
        return false;
    for_each_blur_around(surface, qx, qy, [&](int blur, size_t p, double k) {
        double metric[kMetricTerms];
        copy_terms(surface.metric(blur, p), kMetricTerms, metric);
        double moved[kChannelCount];
        metric_times(metric, best_delta, moved);
        Stored* e = surface.weighted_error(blur, p);
        for (int ch = 0; ch < kChannelCount; ++ch) {
            e[ch] = static_cast<Stored>(e[ch] + k * moved[ch]);
        }
    });
    surface.shown_moved(qx, qy, best_delta);
    surface.slot(q) = static_cast<uint8_t>(best);
    return true;
}
