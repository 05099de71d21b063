#include "channel_partition_sort.h"

#include <utility>

namespace {

int key(Rgb pixel, Channel channel) {
    switch (channel) {
        case Channel::red:
            return pixel.r;
        case Channel::green:
            return pixel.g;
        case Channel::blue:
            break;
    }
    return pixel.b;
}

}  // namespace

// Hoare-style partition around the key in the middle of the range. The scans
// cannot leave lo..hi: in the first round the pivot pixel itself stops both, and
// afterwards each scan stops at the pixel the other just swapped behind it. Both
// sub-ranges are strictly smaller than lo..hi and do not overlap (i <= j + 1).
void partition_sort(Rgb* pixels, int lo, int hi, Channel channel) {
    while (true) {
        const int pivot = key(pixels[(lo + hi) / 2], channel);
        int i = lo;
        int j = hi;
        while (true) {
            while (key(pixels[i], channel) < pivot) {
                ++i;
            }
            while (pivot < key(pixels[j], channel)) {
                --j;
            }
            if (i >= j) {
                break;
            }
            std::swap(pixels[i], pixels[j]);
            ++i;
            --j;
        }
        if (lo < i - 1) {
            partition_sort(pixels, lo, i - 1, channel);
        }
        if (!(j + 1 < hi)) {
            return;
        }
        lo = j + 1;  // the second range, without another level of recursion
    }
}
