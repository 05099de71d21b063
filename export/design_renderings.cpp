#include "design_renderings.h"

#include "encoder.h"
#include "design_picture.h"
#include "screenshot_layout.h"
#include "symbol_buffers.h"

namespace {

constexpr Rgb kWhite = {255, 255, 255};
constexpr Rgb kBlack = {0, 0, 0};

Picture blank_picture(int width, int height, Rgb colour) {
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < picture.rgb.size(); i += 3) {
        picture.rgb[i] = colour.r;
        picture.rgb[i + 1] = colour.g;
        picture.rgb[i + 2] = colour.b;
    }
    return picture;
}

void fill_square(Picture& picture, int left, int top, int size, Rgb colour) {
    for (int y = top; y < top + size; ++y) {
        uint8_t* p = picture.rgb.data() + (static_cast<size_t>(y) * picture.width + left) * 3;
        for (int x = 0; x < size; ++x, p += 3) {
            p[0] = colour.r;
            p[1] = colour.g;
            p[2] = colour.b;
        }
    }
}

// Draws the module matrix of the record's symbol with its top-left module at (left, top).
void draw_symbol(const RecordBytes& record, Picture& picture, int left, int top, int scale) {
    encode_qr(record.data());
    for (int row = 0; row < kQrSide; ++row) {
        for (int column = 0; column < kQrSide; ++column) {
            if (module_matrix[row * kQrSide + column] & 1) {
                fill_square(picture, left + column * scale, top + row * scale, scale, kBlack);
            }
        }
    }
}

}  // namespace

Picture render_qr(const RecordBytes& record, int scale, int border) {
    const int side = (kQrSide + 2 * border) * scale;
    Picture picture = blank_picture(side, side, kWhite);
    draw_symbol(record, picture, border * scale, border * scale, scale);
    return picture;
}

Picture render_screenshot(const RecordBytes& record) {
    Picture picture = blank_picture(kScreenshotWidth, kScreenshotHeight, kWhite);
    draw_symbol(record, picture, kSymbolLeft, kSymbolTop, kPixelsPerModule);
    return picture;
}

Picture render_preview(const RecordBytes& record, int scale) {
    Picture picture = blank_picture(kTileSide * scale, kTileSide * scale, kWhite);
    DesignPixel slots[kSlotCount + 1];
    read_slot_colours(record.data(), slots);
    for (int y = 0; y < kTileSide; ++y) {
        for (int x = 0; x < kTileSide; ++x) {
            const DesignPixel& pixel = slots[design_pixel_slot(record.data(), x, y)];
            for (int dy = 0; dy < scale; ++dy) {
                uint8_t* p = picture.rgb.data() +
                             (static_cast<size_t>(y * scale + dy) * picture.width + x * scale) * 3;
                for (int dx = 0; dx < scale; ++dx, p += 3) {
                    const Rgb colour = drawn_colour(pixel, x * scale + dx, y * scale + dy);
                    p[0] = colour.r;
                    p[1] = colour.g;
                    p[2] = colour.b;
                }
            }
        }
    }
    return picture;
}

std::string render_matrix_text(const RecordBytes& record) {
    encode_qr(record.data());
    std::string text;
    text.reserve(kQrSide * (kQrSide + 1));
    for (int row = 0; row < kQrSide; ++row) {
        for (int column = 0; column < kQrSide; ++column) {
            text += (module_matrix[row * kQrSide + column] & 1) ? '1' : '0';
        }
        text += '\n';
    }
    return text;
}
