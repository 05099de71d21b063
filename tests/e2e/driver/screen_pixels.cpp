#include "screen_pixels.h"

namespace {

// A 32-bit top-down DIB section of width x height and a memory DC holding it.
struct Canvas {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ original = nullptr;
    uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;

    Canvas(int w, int h) : width(w), height(h) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* pixels = nullptr;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        bits = static_cast<uint32_t*>(pixels);
        original = SelectObject(dc, bitmap);
    }
    ~Canvas() {
        SelectObject(dc, original);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    ClientPixels pixels() const {
        GdiFlush();
        ClientPixels copy;
        copy.width = width;
        copy.height = height;
        copy.rgb.assign(bits, bits + static_cast<size_t>(width) * height);
        for (uint32_t& p : copy.rgb) {
            p &= 0xFFFFFF;
        }
        return copy;
    }
};

}  // namespace

ClientPixels capture_client(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    Canvas canvas(client.right, client.bottom);
    HDC window_dc = GetDC(window);
    BitBlt(canvas.dc, 0, 0, client.right, client.bottom, window_dc, 0, 0, SRCCOPY);
    ReleaseDC(window, window_dc);
    return canvas.pixels();
}

bool area_is_white(const ClientPixels& pixels, int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            if (pixels.at(x, y) != kWhite) {
                return false;
            }
        }
    }
    return true;
}

bool area_is_white_outside(const ClientPixels& pixels, int left, int top, int right, int bottom,
                           PixelRect hole) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            const bool in_hole =
                x >= hole.left && x < hole.right && y >= hole.top && y < hole.bottom;
            if (!in_hole && pixels.at(x, y) != kWhite) {
                return false;
            }
        }
    }
    return true;
}

std::string read_symbol(const ClientPixels& pixels, Modules* modules, SymbolPlacement at) {
    const int side = at.module_pixels;
    if (pixels.width < at.x + kQrSide * side || pixels.height < at.y + kQrSide * side) {
        return "client area too small for the symbol";
    }
    for (int row = 0; row < kQrSide; ++row) {
        for (int column = 0; column < kQrSide; ++column) {
            const int left = at.x + side * column;
            const int top = at.y + side * row;
            const uint32_t colour = pixels.at(left, top);
            if (colour != kBlack && colour != kWhite) {
                return "module (" + std::to_string(row) + ", " + std::to_string(column) +
                       ") is neither black nor white";
            }
            for (int dy = 0; dy < side; ++dy) {
                for (int dx = 0; dx < side; ++dx) {
                    if (pixels.at(left + dx, top + dy) != colour) {
                        return "module (" + std::to_string(row) + ", " + std::to_string(column) +
                               ") is not a uniform " + std::to_string(side) + " x " +
                               std::to_string(side) + " square";
                    }
                }
            }
            (*modules)[row * kQrSide + column] = colour == kBlack ? 1 : 0;
        }
    }
    return "";
}

bool symbol_area_blank(const ClientPixels& pixels) {
    return area_is_white(pixels, kSymbolX, kSymbolY, kSymbolX + kSymbolPixels,
                         kSymbolY + kSymbolPixels);
}

int system_font_line_height(HFONT font) {
    Canvas canvas(1, 1);
    if (font != nullptr) {
        SelectObject(canvas.dc, font);
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(canvas.dc, &metrics);
    return metrics.tmHeight;
}

std::string compare_text_line(const ClientPixels& pixels, int x, int y, const std::wstring& text,
                              HFONT font, int right) {
    const int height = system_font_line_height(font);
    if (y + height > pixels.height) {
        return "line below the client area";
    }
    Canvas canvas(pixels.width, height);
    if (font != nullptr) {
        SelectObject(canvas.dc, font);
    }
    PatBlt(canvas.dc, 0, 0, pixels.width, height, WHITENESS);
    TextOutW(canvas.dc, x, 0, text.c_str(), static_cast<int>(text.size()));
    const ClientPixels expected = canvas.pixels();
    int differing = 0;
    for (int row = 0; row < height; ++row) {
        for (int column = right > 0 ? x : 0; column < (right > 0 ? right : pixels.width); ++column) {
            if (expected.at(column, row) != pixels.at(column, y + row)) {
                ++differing;
            }
        }
    }
    if (differing != 0) {
        return std::to_string(differing) + " pixels differ from the text as rendered here";
    }
    return "";
}

bool system_font_has_japanese_glyphs() {
    const int height = system_font_line_height();
    Canvas first(height * 2, height);
    Canvas second(height * 2, height);
    PatBlt(first.dc, 0, 0, first.width, height, WHITENESS);
    PatBlt(second.dc, 0, 0, second.width, height, WHITENESS);
    TextOutW(first.dc, 0, 0, L"表", 1);
    TextOutW(second.dc, 0, 0, L"示", 1);
    const ClientPixels a = first.pixels();
    const ClientPixels b = second.pixels();
    const bool inked = !area_is_white(a, 0, 0, a.width, a.height);
    return inked && a != b;
}
