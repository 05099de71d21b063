#include "projective_map.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kSingular = 1e-12;

// Solves the n x n system a x = b in place by Gaussian elimination with
// partial pivoting; false when it is singular.
template <int n>
bool solve(std::array<std::array<double, n + 1>, n>& a) {
    for (int col = 0; col < n; ++col) {
        int pivot = col;
        for (int r = col + 1; r < n; ++r)
            if (std::abs(a[r][col]) > std::abs(a[pivot][col]))
                pivot = r;
        if (std::abs(a[pivot][col]) < kSingular)
            return false;
        std::swap(a[col], a[pivot]);
        for (int r = 0; r < n; ++r) {
            if (r == col)
                continue;
            const double f = a[r][col] / a[col][col];
            for (int c = col; c <= n; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    for (int r = 0; r < n; ++r)
        a[r][n] /= a[r][r];
    return true;
}

}  // namespace

std::optional<ProjectiveMap> ProjectiveMap::through(const std::array<ModulePoint, 4>& from,
                                                    const std::array<PicturePoint, 4>& to) {
    std::array<std::array<double, 9>, 8> a{};
    for (int k = 0; k < 4; ++k) {
        const double u = from[k].u, v = from[k].v, x = to[k].x, y = to[k].y;
        a[2 * k] = {u, v, 1, 0, 0, 0, -u * x, -v * x, x};
        a[2 * k + 1] = {0, 0, 0, u, v, 1, -u * y, -v * y, y};
    }
    if (!solve<8>(a))
        return std::nullopt;
    ProjectiveMap map;
    for (int k = 0; k < 8; ++k)
        map.coefficients_[k] = a[k][8];
    return map;
}

std::optional<ProjectiveMap> ProjectiveMap::affine_through(const std::array<ModulePoint, 3>& from,
                                                           const std::array<PicturePoint, 3>& to) {
    // The fourth point completes the parallelogram on both sides.
    const ModulePoint m{from[1].u + from[2].u - from[0].u, from[1].v + from[2].v - from[0].v};
    const PicturePoint p{to[1].x + to[2].x - to[0].x, to[1].y + to[2].y - to[0].y};
    return through({from[0], from[1], from[2], m}, {to[0], to[1], to[2], p});
}

std::optional<ProjectiveMap> ProjectiveMap::fitted(const std::vector<ModulePoint>& from,
                                                   const std::vector<PicturePoint>& to) {
    if (from.size() < 4 || from.size() != to.size())
        return std::nullopt;
    // Normal equations of the linearised residuals, in coordinates scaled to
    // about 1 so that they stay well conditioned.
    constexpr double kModuleScale = 1.0 / 93;
    double picture_scale = 0;
    for (const PicturePoint& p : to)
        picture_scale = std::max({picture_scale, std::abs(p.x), std::abs(p.y)});
    picture_scale = picture_scale > 0 ? 1 / picture_scale : 1;
    std::array<std::array<double, 9>, 8> normal{};
    auto add_row = [&](const std::array<double, 9>& row) {
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 9; ++j)
                normal[i][j] += row[i] * row[j];
    };
    for (size_t k = 0; k < from.size(); ++k) {
        const double u = from[k].u * kModuleScale, v = from[k].v * kModuleScale;
        const double x = to[k].x * picture_scale, y = to[k].y * picture_scale;
        add_row({u, v, 1, 0, 0, 0, -u * x, -v * x, x});
        add_row({0, 0, 0, u, v, 1, -u * y, -v * y, y});
    }
    if (!solve<8>(normal))
        return std::nullopt;
    // Undo the scaling: x = (a u' + b v' + c) / (g u' + h v' + 1) with u' = s u, x' = t x.
    ProjectiveMap map;
    auto& c = map.coefficients_;
    const double s = kModuleScale, t = picture_scale;
    c = {normal[0][8] * s / t, normal[1][8] * s / t, normal[2][8] / t, normal[3][8] * s / t,
         normal[4][8] * s / t, normal[5][8] / t,     normal[6][8] * s, normal[7][8] * s};
    return map;
}

PicturePoint ProjectiveMap::operator()(ModulePoint m) const {
    const auto& c = coefficients_;
    const double w = c[6] * m.u + c[7] * m.v + 1;
    const double safe_w = std::abs(w) < kSingular ? kSingular : w;
    return {(c[0] * m.u + c[1] * m.v + c[2]) / safe_w, (c[3] * m.u + c[4] * m.v + c[5]) / safe_w};
}

void ProjectiveMap::along_row(double u0, double v, int count, PicturePoint* out) const {
    for (int k = 0; k < count; ++k)
        out[k] = (*this)({u0 + k, v});
}
