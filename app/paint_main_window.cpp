#include <algorithm>
#include <cwchar>

#include "app_state.h"
#include "design_preview.h"
#include "dib_image.h"
#include "encoder.h"
#include "main_window.h"
#include "main_window_scale.h"
#include "record_edits.h"
#include "symbol_buffers.h"
#include "window_view.h"

namespace {

constexpr uint8_t kDarkModuleBit = 0x01;

// Dark modules as filled black squares of the layout's module size; light
// modules leave the white background.
void draw_module_matrix(HDC dc, const WindowLayout& layout) {
    const int side = layout.module_pixels;
    HGDIOBJ original_brush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    for (int row = 0; row < kQrSide; ++row) {
        for (int column = 0; column < kQrSide; ++column) {
            if ((module_matrix[row * kQrSide + column] & kDarkModuleBit) == 0) {
                continue;
            }
            const int left = layout.symbol.x + side * column;
            const int top = layout.symbol.y + side * row;
            Rectangle(dc, left, top, left + side, top + side);
        }
    }
    SelectObject(dc, original_brush);
}

// Built again on every paint from the record on show.
PreviewPixels preview;

// The preview in one copy of a DIB made at 96 DPI and stretched to the
// layout's rectangle: no GDI object to create, and far cheaper than a
// rectangle per design pixel.
void draw_design_preview(HDC dc, const WindowLayout& layout) {
    render_design_preview(app.design_record, &preview);
    const BITMAPINFO info = bottom_up_dib24_header(kPreviewWidth, kPreviewHeight);
    const LayoutRect& area = layout.preview;
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchDIBits(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, 0, 0,
                  kPreviewWidth, kPreviewHeight, preview.bgr, &info, DIB_RGB_COLORS, SRCCOPY);
}

// One of the record's two texts, cut with an ellipsis to its line.
void draw_name_line(HDC dc, const LayoutRect& line, const RecordBytes& record,
                    RecordTextField field) {
    char16_t text[kDesignNameLength / 2];
    const int length = decode_record_text(record, field, text, kDesignNameLength / 2);
    RECT rect{line.left, line.top, line.right, line.bottom};
    DrawTextW(dc, reinterpret_cast<const wchar_t*>(text), length, &rect,
              DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// The design's name and its author under the swatches, drawn over the preview.
void draw_names(HDC dc, const WindowLayout& layout) {
    RecordBytes record;
    std::copy(std::begin(app.design_record), std::end(app.design_record), record.begin());
    draw_name_line(dc, layout.design_name, record, kDesignNameField);
    draw_name_line(dc, layout.author_name, record, kAuthorNameField);
}

void write_text(HDC dc, LayoutPoint at, const wchar_t* text) {
    TextOutW(dc, at.x, at.y, text, static_cast<int>(std::wcslen(text)));
}

}  // namespace

void on_paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const WindowLayout& layout = main_window_layout();
    HFONT font = main_window_text_font();
    const HGDIOBJ original_font = font != nullptr ? SelectObject(dc, font) : nullptr;
    WindowView view;
    describe_window(app.shell, &view);
    if (view.shows_symbol) {
        // An export, a save, a copy or a scan may have run other records through
        // the codec since the last paint: the symbol is made again from the record
        // on show, so the symbol and the preview always carry the same record.
        encode_qr(app.design_record);
        draw_module_matrix(dc, layout);
        draw_design_preview(dc, layout);
        draw_names(dc, layout);
    }
    if (view.shows_counter) {
        write_text(dc, layout.counter, view.counter);
    }
    write_text(dc, layout.heading, view.heading);
    if (original_font != nullptr) {
        SelectObject(dc, original_font);
    }
    EndPaint(window, &paint);
}
