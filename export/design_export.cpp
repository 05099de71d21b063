#include "design_export.h"

#include <memory>
#include <span>
#include <system_error>
#include <vector>

#include "whole_files.h"
#include "design_renderings.h"
#include "export_page.h"
#include "png_writer.h"

namespace fs = std::filesystem;

namespace {

ExportResult failure(const fs::path& file, std::string reason, int designs_written) {
    ExportResult result;
    result.outcome = ExportOutcome::failed;
    result.designs_written = designs_written;
    result.failed_file = file;
    result.reason = std::move(reason);
    return result;
}

// Writes the design's three files, or on failure removes those it wrote and
// returns the file that failed with *reason set.
fs::path write_design_files(const fs::path& folder, int number, const RecordBytes& record,
                            std::string* reason) {
    const std::string stem = design_file_stem(number);
    const fs::path files[] = {folder / (stem + ".dat"), folder / (stem + ".png"),
                              folder / (stem + "-preview.png")};
    std::vector<uint8_t> contents[] = {
        std::vector<uint8_t>(record.begin(), record.end()),
        encode_png(render_qr(record, kDefaultQrScale, kDefaultQrBorder)),
        encode_png(render_preview(record, kDefaultPreviewScale)),
    };
    for (size_t i = 0; i < std::size(files); ++i) {
        bool written = false;
        if (contents[i].empty())
            *reason = "cannot encode PNG";
        else
            written = write_file_atomically(files[i], contents[i], reason);
        if (!written) {
            for (size_t done = 0; done < i; ++done) {
                std::error_code ignored;
                fs::remove(files[done], ignored);
            }
            return files[i];
        }
    }
    return {};
}

}  // namespace

ExportDesigns converted_designs(DesignGrid grid, TileReader read_tile, const Reduction& reduction) {
    // Shared by the copies std::function may make; one workspace for the whole run.
    std::shared_ptr<ConversionWorkspace> workspace = std::make_shared<ConversionWorkspace>();
    return ExportDesigns{grid, grid.columns * grid.rows, [grid, read_tile = std::move(read_tile), reduction,
                                workspace](int index) {
                             Rgb tile[kTilePixels];
                             read_tile(index % grid.columns, index / grid.columns, tile);
                             RecordBytes record;
                             convert_tile_to_record(tile, reduction, workspace.get(),
                                                    record.data());
                             return record;
                         }};
}

ExportDesigns ready_designs(std::vector<RecordBytes> records, int columns) {
    const int count = static_cast<int>(records.size());
    const int rows = columns > 0 ? (count + columns - 1) / columns : 0;
    auto held = std::make_shared<const std::vector<RecordBytes>>(std::move(records));
    return ExportDesigns{DesignGrid{columns, rows}, count,
                         [held](int index) { return (*held)[static_cast<size_t>(index)]; }};
}

ExportResult export_designs(const ExportDesigns& designs, const std::string& title,
                            const fs::path& folder, const GridProgress& progress) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error || !fs::is_directory(folder))
        return failure(folder, "cannot create folder: " + error.message(), 0);

    const int total = designs.count;
    ExportResult result;
    for (int index = 0; index < total; ++index) {
        const int number = index + 1;
        std::string reason;
        const fs::path failed = write_design_files(folder, number, designs.record(index), &reason);
        if (!failed.empty())
            return failure(failed, reason, result.designs_written);
        result.designs_written = number;
        if (progress && !progress(number, total)) {
            result.outcome = ExportOutcome::cancelled;
            return result;
        }
    }
    const std::string page = make_export_page(title, designs.grid.columns, designs.grid.rows, total);
    std::string reason;
    const fs::path index = folder / kExportPageName;
    if (!write_file_atomically(
            index, std::span(reinterpret_cast<const uint8_t*>(page.data()), page.size()),
            &reason)) {
        return failure(index, reason, result.designs_written);
    }
    return result;
}
