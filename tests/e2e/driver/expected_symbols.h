// What the window should show, computed with the core directly, and the
// 400 x 240 screenshots that carry a symbol where the decoder looks for it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "bmp_files.h"
#include "design_conversion.h"
#include "screen_pixels.h"
#include "test_records.h"

using Record = std::array<uint8_t, kQrPayloadLength>;

// The design record of design (column, row) of a 24-bit picture.
Record record_of_design(const DibPicture& picture, int column, int row, ReductionKind quantizer);

// The modules encode_qr makes of the record.
Modules symbol_of(const Record& record);

// A 400 x 240 white picture with the modules at 2 pixels each, top-left module at (194, 42).
DibPicture screenshot_of(const Modules& modules);

// Runs the screenshot through sample_screenshot and decode_qr; false if it does not decode.
bool decode_screenshot(const DibPicture& screenshot, Record* record);

std::string hex_difference(const Record& expected, const Record& actual);
