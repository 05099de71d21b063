#include "capture_geometry.h"

#include <cstdlib>

int band_line(int from, int to, int parts, int i) {
    return static_cast<int>(from + static_cast<double>(to - from) / parts * i);
}

CapturePoint lock_aspect(CapturePoint a, CapturePoint m, int columns, int rows) {
    const int dx = m.x - a.x;
    const int dy = m.y - a.y;
    const int adx = std::abs(dx);
    const int ady = std::abs(dy);
    CapturePoint locked = m;
    if (static_cast<int64_t>(adx) * rows < static_cast<int64_t>(ady) * columns) {
        const double height = static_cast<double>(adx) / columns * rows;
        locked.y = static_cast<int16_t>(static_cast<int>(dy > 0 ? a.y + height : a.y - height));
    } else {
        const double width = static_cast<double>(ady) / rows * columns;
        locked.x = static_cast<int16_t>(static_cast<int>(dx > 0 ? a.x + width : a.x - width));
    }
    return locked;
}

CaptureRegion release_region(CapturePoint anchor, CapturePoint release) {
    int width = release.x - anchor.x;
    int height = release.y - anchor.y;
    if (width == 0)
        width = 1;
    if (height == 0)
        height = 1;
    return CaptureRegion{anchor.x, anchor.y, width, height};
}
