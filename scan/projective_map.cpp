#include "projective_map.h"

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

PicturePoint ProjectiveMap::operator()(ModulePoint m) const {
    const auto& c = coefficients_;
    const double w = c[6] * m.u + c[7] * m.v + 1;
    const double safe_w = std::abs(w) < kSingular ? kSingular : w;
    return {(c[0] * m.u + c[1] * m.v + c[2]) / safe_w, (c[3] * m.u + c[4] * m.v + c[5]) / safe_w};
}
