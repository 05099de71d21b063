// Pixels of the main window's client area as the user sees them, and what
// the window should show there.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "qr_profile.h"
#include "window_layout.h"

struct ClientPixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> rgb;  // 0x00RRGGBB, row 0 at the top

    uint32_t at(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
    bool operator==(const ClientPixels&) const = default;
};

inline constexpr uint32_t kWhite = 0xFFFFFF;
inline constexpr uint32_t kBlack = 0x000000;

// Copies the client area from the screen (GetDC + BitBlt; the window must be
// visible and uncovered).
ClientPixels capture_client(HWND window);

// True when every pixel of the rectangle is white.
bool area_is_white(const ClientPixels& pixels, int left, int top, int right, int bottom);

// A rectangle of client pixels, right and bottom exclusive.
struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
};

// True when every pixel of the rectangle that lies outside `hole` is white.
bool area_is_white_outside(const ClientPixels& pixels, int left, int top, int right, int bottom,
                           PixelRect hole);

using Modules = std::array<uint8_t, kQrCells>;  // 1 dark, 0 light

// Where the window draws the symbol: at 96 DPI, (40, 80) with 2 x 2 modules.
struct SymbolPlacement {
    int x = kSymbolX;
    int y = kSymbolY;
    int module_pixels = kModulePixels;
};

// Reads the 93 x 93 modules drawn at the placement: each must be a uniform
// square of pure black or pure white. Empty string on success, else what is wrong.
std::string read_symbol(const ClientPixels& pixels, Modules* modules, SymbolPlacement at = {});

// True when nothing is drawn where the symbol goes.
bool symbol_area_blank(const ClientPixels& pixels);

// Renders `text` in the system font (or `font`) at (x, y) on white, as the
// window does, and compares it with the captured pixels across the whole
// client width (or only from x to `right`). Empty string on success, else what differs.
std::string compare_text_line(const ClientPixels& pixels, int x, int y, const std::wstring& text,
                              HFONT font = nullptr, int right = 0);

// Height of a line of the system font (or `font`).
int system_font_line_height(HFONT font = nullptr);

// Whether the system font draws distinct glyphs for two Japanese characters,
// rather than the same box for both.
bool system_font_has_japanese_glyphs();
