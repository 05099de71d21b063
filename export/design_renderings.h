// Pictures and text made from a design record: its QR code, a screenshot as the
// decoder reads it, the design itself, and the module matrix as digits.
#pragma once

#include <string>

#include "picture.h"
#include "design_record.h"
#include "qr_profile.h"

static_assert(kDesignRecordSize == kQrPayloadLength, "a design record is one QR payload");

inline constexpr int kDefaultQrScale = 4;
inline constexpr int kDefaultQrBorder = 4;
inline constexpr int kDefaultPreviewScale = 8;

// The record's symbol, scale pixels per module, inside a white border of
// `border` modules.
Picture render_qr(const RecordBytes& record, int scale, int border);

// A 400 x 240 white picture with the symbol at 2 x 2 pixels per module, its
// top-left module at (194, 42).
Picture render_screenshot(const RecordBytes& record);

// The design in its palette colours, each design pixel scale x scale; marked
// pixels as the checkerboard of design_picture.h.
Picture render_preview(const RecordBytes& record, int scale);

// 93 lines of 93 '0'/'1' characters (1 = dark), each ended by LF.
std::string render_matrix_text(const RecordBytes& record);
