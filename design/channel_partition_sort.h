// The partition sort of the median-cut quantiser: pixels sorted in place by one
// channel. It is not stable and swaps equal keys; which pixels share a run after
// sorting, and so the colours of a design, depend on exactly this procedure.
#pragma once

#include "rgb.h"

enum class Channel { red, green, blue };

// Sorts pixels[lo..hi] (inclusive) by the chosen channel, moving whole pixels.
void partition_sort(Rgb* pixels, int lo, int hi, Channel channel);
