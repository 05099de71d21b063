// Exporting every design of a grid to a folder: per design its record, its QR
// code and its preview, then an index page. Both programs export through here.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "conversion_workspace.h"
#include "design_conversion.h"
#include "design_record.h"

// The pixels of a whole grid: rows of a 24-bit bottom-up DIB, exactly 3 * width bytes
// each (the layout of the window's file image and of the CLI's DesignGrid).
struct ExportPicture {
    int width;  // multiples of kTileSide
    int height;
    const uint8_t* bottom_up_bgr;
};

enum class ExportOutcome { finished, cancelled, failed };

struct ExportResult {
    ExportOutcome outcome = ExportOutcome::finished;
    int designs_written = 0;
    // Set when failed: the file (or folder) that could not be written, and why in
    // one line, as the CLI prints it.
    std::filesystem::path failed_file;
    std::string reason;
};

// Called after each finished design with (designs done, total). Returning false cancels:
// no further design is started.
using ExportProgress = std::function<bool(int done, int total)>;

// The record of design (column, row), counted from 0 at the top left: the one
// conversion every design of a picture goes through.
RecordBytes convert_picture_design(const ExportPicture& picture, int column, int row,
                                   const Reduction& reduction, ConversionWorkspace* workspace);

// Writes design-NNN.dat, design-NNN.png (QR, kDefaultQrScale/kDefaultQrBorder) and
// design-NNN-preview.png for every design in row-major order, then index.html titled `title`
// (UTF-8). Creates the folder if missing. After a cancel or a failure index.html is not
// written, the designs finished before stay whole, and the files of the design being written
// when it failed are removed again, so each design of this run has all three files or none.
// No temporary file is ever left behind.
ExportResult export_designs(const ExportPicture& picture, const Reduction& reduction,
                            const std::string& title, const std::filesystem::path& folder,
                            const ExportProgress& progress);
