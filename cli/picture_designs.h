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

// The record of design (column, row), counted from 0 at the top left. merge and
// median cut convert exactly as the window program does.
RecordBytes convert_design(const PictureDesigns& designs, int column, int row,
                           const Reduction& reduction, ConversionWorkspace* workspace);

// The same with a reduction kind alone (quality and dither in a shared workspace).
RecordBytes convert_design(const PictureDesigns& designs, int column, int row, ReductionKind kind);

// Every design converted with `reduction`, as the export takes them (the
// designs must outlive the export).
ExportDesigns designs_to_export(const PictureDesigns& designs, const Reduction& reduction);

// Every design's record of `dither` across designs, on every core, in row-major
// order; the records do not depend on the number of cores.
std::vector<RecordBytes> dither_designs_across(const PictureDesigns& designs, int strength,
                                               const MuralProgress& progress);
