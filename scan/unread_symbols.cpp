#include "unread_symbols.h"

#include <algorithm>
#include <cmath>

#include "qr_profile.h"

namespace {

// Finders of two sightings this many modules apart are one finder.
constexpr double kSameFinderModules = 2.0;

double distance(PicturePoint a, PicturePoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

bool same_symbol(const UnreadSymbol& a, const UnreadSymbol& b) {
    const double module = std::max(a.module_size, b.module_size);
    if (distance(a.centre, b.centre) <= kQrSide * module / 2)
        return true;
    for (const PicturePoint& f : a.finders)
        for (const PicturePoint& g : b.finders)
            if (distance(f, g) <= kSameFinderModules * module)
                return true;
    return false;
}

}  // namespace

bool quad_holds(const SymbolQuad& quad, PicturePoint p) {
    int sign = 0;
    for (int k = 0; k < 4; ++k) {
        const PicturePoint a = quad[k], b = quad[(k + 1) % 4];
        const double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
        const int s = cross > 0 ? 1 : cross < 0 ? -1 : 0;
        if (s != 0 && sign != 0 && s != sign)
            return false;
        if (s != 0)
            sign = s;
    }
    return true;
}

int count_unread(const std::vector<UnreadSymbol>& seen, const std::vector<SymbolQuad>& read) {
    std::vector<const UnreadSymbol*> counted;
    for (const UnreadSymbol& s : seen) {
        const bool in_read = std::any_of(read.begin(), read.end(), [&](const SymbolQuad& quad) {
            return std::any_of(s.finders.begin(), s.finders.end(),
                               [&](PicturePoint f) { return quad_holds(quad, f); });
        });
        const bool known = std::any_of(counted.begin(), counted.end(),
                                       [&](const UnreadSymbol* c) { return same_symbol(*c, s); });
        if (!in_read && !known)
            counted.push_back(&s);
    }
    return static_cast<int>(counted.size());
}
