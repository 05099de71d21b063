#include "commands.h"

#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <new>
#include <string>

#include "cli_error.h"
#include "decoder.h"
#include "design_scanner.h"
#include "design_export.h"
#include "design_renderings.h"
#include "edit_commands.h"
#include "file_io.h"
#include "physical_memory.h"
#include "picture_designs.h"
#include "picture_files.h"
#include "picture_fit.h"
#include "record_names.h"
#include "scan_command.h"
#include "screenshot_layout.h"
#include "terminal.h"
#include "utf8_path.h"

namespace fs = std::filesystem;

namespace {

Reduction reduction_for(const Arguments& a) {
    Reduction reduction;
    if (a.median || a.reduce == "median")
        reduction.kind = ReductionKind::median_cut;
    else if (a.reduce == "quality")
        reduction.kind = ReductionKind::quality;
    else if (a.reduce == "dither")
        reduction.kind = ReductionKind::dither;
    if (a.strength >= 0)
        reduction.dither_strength = a.strength;
    return reduction;
}

int grid_index(const std::string& text, const char* what) {
    int value = 0;
    size_t used = 0;
    try {
        value = std::stoi(text, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != text.size()) {
        fail_usage(std::string(what) + " must be a whole number, not '" + text + "'");
    }
    return value;
}

// The picture's designs: the picture itself, or with --fit the picture fitted
// to that grid as the window's "画像を合わせて開く..." fits it.
PictureDesigns designs_of_picture(const Arguments& a, const fs::path& image) {
    const std::string name = path_to_utf8(image);
    Picture picture = load_picture(image);
    if (!a.has_fit)
        return cut_into_designs(std::move(picture), name);
    Picture fitted;
    std::string error;
    if (fit_picture(picture, DesignGrid{a.fit_columns, a.fit_rows}, &fitted, &error) != 0)
        fail_with_file(name, error);
    return cut_into_designs(std::move(fitted), name);
}

// A line on stderr that rewrites itself, once the work has run for a second.
struct ProgressLine {
    const char* format = "\rexporting design %d of %d";
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    bool shown = false;
    bool allowed = stderr_is_terminal();

    void update(int done, int total) {
        if (!allowed)
            return;
        if (!shown && std::chrono::steady_clock::now() - start < std::chrono::seconds(1))
            return;
        shown = true;
        std::fprintf(stderr, format, done, total);
        std::fflush(stderr);
    }
    void finish() {
        if (shown)
            std::fputc('\n', stderr);
    }
};

// The records of every design reduced by `dither` across designs, with its own
// progress line.
std::vector<RecordBytes> records_across_designs(const Arguments& a, const PictureDesigns& designs) {
    const std::string too_large = "its " +
                                  std::to_string(designs.grid.columns * designs.grid.rows) +
                                  " designs do not fit in memory to be dithered across";
    const uint64_t memory = physical_memory_bytes();
    if (memory != 0 && mural_bytes(designs.grid) > memory)
        fail_with_file(a.operands[0], too_large);
    ProgressLine line{"\rreducing across designs: step %d of %d"};
    try {
        std::vector<RecordBytes> records = dither_designs_across(
            designs, reduction_for(a).dither_strength, [&line](int done, int total) {
                line.update(done, total);
                return true;
            });
        line.finish();
        return records;
    } catch (const std::bad_alloc&) {
        fail_with_file(a.operands[0], too_large);
    }
}

int run_record(const Arguments& a) {
    const fs::path image = path_from_utf8(a.operands[0]);
    const int column = grid_index(a.operands[1], "COLUMN");
    const int row = grid_index(a.operands[2], "ROW");
    const std::string name = path_to_utf8(image);
    const PictureDesigns designs = designs_of_picture(a, image);
    const DesignGrid grid = designs.grid;
    if (column < 0 || column >= grid.columns || row < 0 || row >= grid.rows) {
        fail_with_file(name, "design (" + std::to_string(column) + ", " + std::to_string(row) +
                                 ") lies outside its grid of " + std::to_string(grid.columns) +
                                 " x " + std::to_string(grid.rows));
    }
    const int index = row * grid.columns + column;
    check_texts_fit(a, index + 1);
    RecordBytes record = a.across_designs
                             ? records_across_designs(a, designs)[index]
                             : designs_to_export(designs, reduction_for(a)).record(index);
    put_texts(a, index + 1, record);
    write_file_atomically(a.output, std::vector<uint8_t>(record.begin(), record.end()));
    return kExitSuccess;
}

int run_export(const Arguments& a) {
    const fs::path image = path_from_utf8(a.operands[0]);
    const PictureDesigns designs = designs_of_picture(a, image);
    check_texts_fit(a, designs.grid.columns * designs.grid.rows);
    ExportDesigns to_export =
        a.across_designs ? ready_designs(records_across_designs(a, designs), designs.grid.columns)
                         : designs_to_export(designs, reduction_for(a));
    if (a.has_name || a.has_author) {
        to_export.record = [&a, reduced = std::move(to_export.record)](int index) {
            RecordBytes record = reduced(index);
            put_texts(a, index + 1, record);
            return record;
        };
    }
    ProgressLine line;
    const ExportResult result =
        export_designs(to_export, path_to_utf8(image.filename()),
                       a.output, [&line](int done, int total) {
                           line.update(done, total);
                           return true;
                       });
    line.finish();
    if (result.outcome != ExportOutcome::finished)
        fail_with_file(path_to_utf8(result.failed_file), result.reason);
    return kExitSuccess;
}

int run_qr(const Arguments& a) {
    picture_format_for(a.output);
    const RecordBytes record = read_record_file(path_from_utf8(a.operands[0]));
    const int scale = a.scale >= 0 ? a.scale : kDefaultQrScale;
    const int border = a.border >= 0 ? a.border : kDefaultQrBorder;
    save_picture(a.output, render_qr(record, scale, border));
    return kExitSuccess;
}

int run_matrix(const Arguments& a) {
    const RecordBytes record = read_record_file(path_from_utf8(a.operands[0]));
    const std::string text = render_matrix_text(record);
    // Binary output: LF line ends on every platform.
    write_stdout_binary(text);
    return kExitSuccess;
}

int run_shot(const Arguments& a) {
    picture_format_for(a.output);
    const RecordBytes record = read_record_file(path_from_utf8(a.operands[0]));
    save_picture(a.output, render_screenshot(record));
    return kExitSuccess;
}

int run_decode(const Arguments& a) {
    const fs::path shot = path_from_utf8(a.operands[0]);
    const std::string name = path_to_utf8(shot);
    const Picture picture = load_picture(shot);
    if (picture.width != kScreenshotWidth || picture.height != kScreenshotHeight) {
        fail_with_file(name, "a screenshot is " + std::to_string(kScreenshotWidth) + " x " +
                                 std::to_string(kScreenshotHeight) + " pixels, this picture is " +
                                 std::to_string(picture.width) + " x " +
                                 std::to_string(picture.height));
    }
    std::vector<uint8_t> rows(picture.rgb.size());
    write_bottom_up_bgr_rows(picture, 3 * static_cast<size_t>(picture.width), rows.data());
    sample_screenshot(rows.data());
    RecordBytes record{};
    const DecodeError error = decode_qr_with_reason(record.data());
    if (error != DecodeError::kNone)
        fail_with_file(name, std::string("no readable QR code: ") + decode_error_message(error));
    write_file_atomically(a.output, std::vector<uint8_t>(record.begin(), record.end()));
    return kExitSuccess;
}

int run_preview(const Arguments& a) {
    picture_format_for(a.output);
    const RecordBytes record = read_record_file(path_from_utf8(a.operands[0]));
    save_picture(a.output, render_preview(record, a.scale >= 0 ? a.scale : kDefaultPreviewScale));
    return kExitSuccess;
}

}  // namespace

int run_command(const Arguments& a) {
    if (a.command == "record")
        return run_record(a);
    if (a.command == "export")
        return run_export(a);
    if (a.command == "qr")
        return run_qr(a);
    if (a.command == "matrix")
        return run_matrix(a);
    if (a.command == "shot")
        return run_shot(a);
    if (a.command == "decode")
        return run_decode(a);
    if (a.command == "preview")
        return run_preview(a);
    if (a.command == "scan")
        return run_scan(a);
    if (a.command == "edit")
        return run_edit(a);
    fail_usage("unknown sub-command '" + a.command + "'");
}
