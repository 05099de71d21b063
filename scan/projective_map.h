// A plane projective map (a homography) from module coordinates to picture pixels.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "design_scanner.h"

struct ModulePoint {
    double u;  // columns, 0 at the symbol's left edge
    double v;  // rows, 0 at its top edge
};

class ProjectiveMap {
  public:
    // The map taking each of four module points to its picture point; nothing
    // when three of either set lie on a line.
    static std::optional<ProjectiveMap> through(const std::array<ModulePoint, 4>& from,
                                                const std::array<PicturePoint, 4>& to);
    // The affine map taking three module points to three picture points.
    static std::optional<ProjectiveMap> affine_through(const std::array<ModulePoint, 3>& from,
                                                       const std::array<PicturePoint, 3>& to);

    // The least-squares map through four or more pairs of points.
    static std::optional<ProjectiveMap> fitted(const std::vector<ModulePoint>& from,
                                               const std::vector<PicturePoint>& to);

    PicturePoint operator()(ModulePoint m) const;
    // The points (u0 + k, v) for k = 0 .. count - 1, each exactly as operator() gives it.
    void along_row(double u0, double v, int count, PicturePoint* out) const;

  private:
    // x = (a u + b v + c) / (g u + h v + 1), y = (d u + e v + f) / (g u + h v + 1)
    std::array<double, 8> coefficients_{};
};
