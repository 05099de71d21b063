// A picture as a grid of 32 x 32 designs, converted as the window program
// converts an opened image file.
#pragma once

#include <string>
#include <vector>

#include "design_conversion.h"
#include "across_designs_dither.h"
#include "design_count.h"
#include "design_export.h"
#include "design_record.h"
#include "picture.h"

struct PictureDesigns {
    Picture picture;
    DesignGrid grid;
};

// Throws CliError (bad input) naming the file unless both sides are multiples of 32.
PictureDesigns cut_into_designs(Picture picture, const std::string& name);

// Every design converted with `reduction`, as the export takes them (the
// designs must outlive the result). merge and median cut convert exactly as the
// window program does.
ExportDesigns designs_to_export(const PictureDesigns& designs, const Reduction& reduction);

// Every design's record of `dither` across designs, on every core, in row-major
// order; the records do not depend on the number of cores.
std::vector<RecordBytes> dither_designs_across(const PictureDesigns& designs, int strength,
                                               const GridProgress& progress);
