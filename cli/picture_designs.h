// A picture as a grid of 32 x 32 designs, converted as the window program
// converts an opened image file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "picture.h"
#include "design_conversion.h"
#include "design_export.h"
#include "design_record.h"

struct DesignGrid {
    int columns;
    int rows;
    int width;
    int height;
    std::vector<uint8_t> bottom_up_bgr;  // the rows as a 24-bit bottom-up DIB holds them
};

// Throws CliError (bad input) naming the file unless both sides are multiples of 32.
DesignGrid make_design_grid(const Picture& picture, const std::string& name);

// The grid's pixels as the export takes them (they stay owned by the grid).
ExportPicture export_picture(const DesignGrid& grid);

// The record of design (column, row), counted from 0 at the top left. merge and
// median cut convert exactly as the window program does.
RecordBytes convert_design(const DesignGrid& grid, int column, int row, const Reduction& reduction,
                           ConversionWorkspace* workspace);

// The same with a quantiser alone (quality and dither in a shared workspace).
RecordBytes convert_design(const DesignGrid& grid, int column, int row, Quantizer quantizer);
