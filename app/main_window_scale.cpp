#include "main_window_scale.h"

namespace {

WindowLayout layout = window_layout_at(kBaseDpi);
HFONT text_font = nullptr;

// The default font's face at a height scaled from its 96-DPI line, the width
// left to GDI: scaling the default font itself would stretch only its height
// under Wine.
HFONT create_text_font(int line_height) {
    LOGFONTW font{};
    GetObjectW(GetStockObject(SYSTEM_FONT), sizeof font, &font);
    font.lfHeight = line_height;
    font.lfWidth = 0;
    return CreateFontIndirectW(&font);
}

}  // namespace

const WindowLayout& main_window_layout() {
    return layout;
}

HFONT main_window_text_font() {
    return text_font;
}

void lay_out_main_window(int dpi) {
    release_main_window_font();
    layout = window_layout_at(dpi);
    if (layout.dpi != kBaseDpi) {
        text_font = create_text_font(layout.text_line_height);
    }
}

void release_main_window_font() {
    if (text_font != nullptr) {
        DeleteObject(text_font);
        text_font = nullptr;
    }
}
