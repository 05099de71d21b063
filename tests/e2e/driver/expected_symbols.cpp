#include "expected_symbols.h"

#include <algorithm>
#include <cstdio>

#include "decoder.h"
#include "conversion_plan.h"
#include "encoder.h"
#include "screenshot_layout.h"
#include "symbol_buffers.h"

Record record_of_design(const DibPicture& picture, int column, int row, ReductionKind quantizer) {
    Rgb tile[kTilePixels];
    read_tile_from_dib_rows(picture.rows.data(), picture.width, picture.height, column, row, tile);
    Record record{};
    if (quantizer == ReductionKind::merge || quantizer == ReductionKind::median_cut) {
        // The window converts through the reduction entry; these two keep their own.
        convert_tile_to_record(tile, quantizer, record.data());
        return record;
    }
    static ConversionWorkspace workspace;
    convert_tile_to_record(tile, Reduction{quantizer, kMaxDitherStrength}, &workspace,
                           record.data());
    return record;
}

Modules symbol_of(const Record& record) {
    encode_qr(record.data());
    Modules modules{};
    for (int i = 0; i < kQrCells; ++i) {
        modules[i] = module_matrix[i] & 1;
    }
    return modules;
}

DibPicture screenshot_of(const Modules& modules) {
    DibPicture shot;
    shot.width = kScreenshotWidth;
    shot.height = kScreenshotHeight;
    shot.rows.assign(static_cast<size_t>(shot.stride()) * kScreenshotHeight, 0xFF);
    for (int row = 0; row < kQrSide; ++row) {
        for (int column = 0; column < kQrSide; ++column) {
            if (modules[row * kQrSide + column] == 0) {
                continue;
            }
            for (int dy = 0; dy < kPixelsPerModule; ++dy) {
                const int y = kSymbolTop + kPixelsPerModule * row + dy;
                uint8_t* stored_row =
                    &shot.rows[static_cast<size_t>(shot.stride()) * (kScreenshotHeight - 1 - y)];
                for (int dx = 0; dx < kPixelsPerModule; ++dx) {
                    const int x = kSymbolLeft + kPixelsPerModule * column + dx;
                    std::fill_n(stored_row + 3 * x, 3, uint8_t{0});
                }
            }
        }
    }
    return shot;
}

bool decode_screenshot(const DibPicture& screenshot, Record* record) {
    sample_screenshot(screenshot.rows.data());
    return decode_qr(record->data()) == 0;
}

std::string hex_difference(const Record& expected, const Record& actual) {
    for (size_t i = 0; i < expected.size(); ++i) {
        if (expected[i] != actual[i]) {
            char text[96];
            std::snprintf(text, sizeof text,
                          "first difference at offset %zu: expected %02X, got %02X", i, expected[i],
                          actual[i]);
            return text;
        }
    }
    return "records equal";
}
