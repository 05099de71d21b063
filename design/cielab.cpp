#include "cielab.h"

#include <cmath>

#include "colour_tables.h"

namespace {

// Rows of the sRGB matrix from linear RGB to XYZ. Must match tools/make_colour_tables.py.
constexpr double kToX[3] = {0.4124, 0.3576, 0.1805};
constexpr double kToY[3] = {0.2126, 0.7152, 0.0722};
constexpr double kToZ[3] = {0.0193, 0.1192, 0.9505};
constexpr double kWhiteX = kToX[0] + kToX[1] + kToX[2];
constexpr double kWhiteY = kToY[0] + kToY[1] + kToY[2];
constexpr double kWhiteZ = kToZ[0] + kToZ[1] + kToZ[2];
constexpr double kDelta = 6.0 / 29.0;
constexpr double kDeltaCubed = kDelta * kDelta * kDelta;
constexpr int kNewtonSteps = 8;

// Newton's iteration for t^(1/3) on the range the Lab function feeds it
// (delta^3 to a little over 1), from a start within a factor of two of the root.
double cube_root(double t) {
    double x = 0.4 + 0.6 * t;
    for (int step = 0; step < kNewtonSteps; ++step) {
        x = (2.0 * x + t / (x * x)) / 3.0;
    }
    return x;
}

double lab_f(double t) {
    return t > kDeltaCubed ? cube_root(t) : t / (3.0 * kDelta * kDelta) + 4.0 / 29.0;
}

// The slope of lab_f at t.
double lab_f_slope(double t) {
    if (t > kDeltaCubed) {
        const double root = cube_root(t);
        return 1.0 / (3.0 * root * root);
    }
    return 1.0 / (3.0 * kDelta * kDelta);
}

}  // namespace

void lab_jacobian(double red, double green, double blue, double jacobian[3][3]) {
    const double x = kToX[0] * red + kToX[1] * green + kToX[2] * blue;
    const double y = kToY[0] * red + kToY[1] * green + kToY[2] * blue;
    const double z = kToZ[0] * red + kToZ[1] * green + kToZ[2] * blue;
    const double sx = lab_f_slope(x / kWhiteX) / kWhiteX;
    const double sy = lab_f_slope(y / kWhiteY) / kWhiteY;
    const double sz = lab_f_slope(z / kWhiteZ) / kWhiteZ;
    for (int ch = 0; ch < 3; ++ch) {
        jacobian[0][ch] = 116.0 * sy * kToY[ch];
        jacobian[1][ch] = 500.0 * (sx * kToX[ch] - sy * kToY[ch]);
        jacobian[2][ch] = 200.0 * (sy * kToY[ch] - sz * kToZ[ch]);
    }
}

Lab lab_from_linear(double red, double green, double blue) {
    const double x = kToX[0] * red + kToX[1] * green + kToX[2] * blue;
    const double y = kToY[0] * red + kToY[1] * green + kToY[2] * blue;
    const double z = kToZ[0] * red + kToZ[1] * green + kToZ[2] * blue;
    const double fx = lab_f(x / kWhiteX);
    const double fy = lab_f(y / kWhiteY);
    const double fz = lab_f(z / kWhiteZ);
    return Lab{116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

Lab lab_of(Rgb colour) {
    return lab_from_linear(kSrgbToLinear[colour.r], kSrgbToLinear[colour.g],
                           kSrgbToLinear[colour.b]);
}

double cie76(const Lab& x, const Lab& y) {
    const double dl = x.l - y.l;
    const double da = x.a - y.a;
    const double db = x.b - y.b;
    return std::sqrt(dl * dl + da * da + db * db);  // correctly rounded by IEEE 754
}
