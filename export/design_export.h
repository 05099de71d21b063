// Exporting designs to a folder: per design its record, its QR
// code and its preview, then an index page. Both programs export through here.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "conversion_workspace.h"
#include "design_conversion.h"
#include "design_count.h"
#include "design_record.h"
#include "tile_sources.h"

// The designs an export writes, laid out as `grid` on the index page:
// `record(index)` is asked once for each design, in row-major order from 0.
// Either a grid's tiles converted one by one (converted_designs) or records
// that are ready (ready_designs).
struct ExportDesigns {
    DesignGrid grid{0, 0};
    int count = 0;  // columns x rows, or fewer when the last row is short
    std::function<RecordBytes(int index)> record;
};

// Each tile read through `read_tile` and converted with `reduction`, in a workspace of the run's own.
ExportDesigns converted_designs(DesignGrid grid, TileReader read_tile, const Reduction& reduction);

// Records as they are (read from pictures, or reduced beforehand), in rows of `columns`;
// the last row may be short.
ExportDesigns ready_designs(std::vector<RecordBytes> records, int columns);

enum class ExportOutcome { finished, cancelled, failed };

struct ExportResult {
    ExportOutcome outcome = ExportOutcome::finished;
    int designs_written = 0;
    // Set when failed: the file (or folder) that could not be written, and why in
    // one line, as the CLI prints it.
    std::filesystem::path failed_file;
    std::string reason;
};

// Writes design-NNN.dat, design-NNN.png (QR, kDefaultQrScale/kDefaultQrBorder) and
// design-NNN-preview.png for every design in turn, then index.html titled `title`
// (UTF-8). Creates the folder if missing. After a cancel or a failure index.html is not
// written, the designs finished before stay whole, and the files of the design being written
// when it failed are removed again, so each design of this run has all three files or none.
// No temporary file is ever left behind. `progress` counts designs written, after each one;
// once it returns false no further design is started.
ExportResult export_designs(const ExportDesigns& designs, const std::string& title,
                            const std::filesystem::path& folder, const GridProgress& progress);
