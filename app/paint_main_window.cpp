#include <cwchar>

#include "app_state.h"
#include "design_preview.h"
#include "dib_image.h"
#include "encoder.h"
#include "main_window.h"
#include "symbol_buffers.h"
#include "window_layout.h"
#include "window_view.h"

namespace {

constexpr uint8_t kDarkModuleBit = 0x01;

// Dark modules as filled 2 x 2 black squares; light modules leave the white background.
void draw_module_matrix(HDC dc) {
    HGDIOBJ original_brush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    for (int row = 0; row < kQrSide; ++row) {
        for (int column = 0; column < kQrSide; ++column) {
            if ((module_matrix[row * kQrSide + column] & kDarkModuleBit) == 0) {
                continue;
            }
            const int left = kSymbolX + kModulePixels * column;
            const int top = kSymbolY + kModulePixels * row;
            Rectangle(dc, left, top, left + kModulePixels, top + kModulePixels);
        }
    }
    SelectObject(dc, original_brush);
}

// Built again on every paint from the record on show.
PreviewPixels preview;

// The preview in one copy of a DIB at screen scale: no GDI object to create,
// and far cheaper than a rectangle per design pixel.
void draw_design_preview(HDC dc) {
    render_design_preview(app.design_record, &preview);
    const BITMAPINFO info = bottom_up_dib24_header(kPreviewWidth, kPreviewHeight);
    SetDIBitsToDevice(dc, kPreviewX, kPreviewY, kPreviewWidth, kPreviewHeight, 0, 0, 0,
                      kPreviewHeight, preview.bgr, &info, DIB_RGB_COLORS);
}

void write_text(HDC dc, int x, int y, const wchar_t* text) {
    TextOutW(dc, x, y, text, static_cast<int>(std::wcslen(text)));
}

}  // namespace

void on_paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    WindowView view;
    describe_window(app.shell, &view);
    if (view.shows_symbol) {
        // An export, a save, a copy or a scan may have run other records through
        // the codec since the last paint: the symbol is made again from the record
        // on show, so the symbol and the preview always carry the same record.
        encode_qr(app.design_record);
        draw_module_matrix(dc);
        draw_design_preview(dc);
    }
    if (view.shows_counter) {
        write_text(dc, kCounterX, kCounterY, view.counter);
    }
    write_text(dc, kHeadingX, kHeadingY, view.heading);
    EndPaint(window, &paint);
}
