#include "screen_grab.h"

#include <new>

#include "dib_image.h"

bool grab_screen(ScreenGrab* grab) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = memory != nullptr ? CreateCompatibleBitmap(screen, width, height) : nullptr;
    if (bitmap != nullptr) {
        HGDIOBJ original = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        *grab = ScreenGrab{memory, original, bitmap, width, height};
    } else if (memory != nullptr) {
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    return bitmap != nullptr;
}

void release_screen_grab(ScreenGrab* grab) {
    if (grab->dc != nullptr) {
        // The bitmap can only be deleted once the DC no longer holds it.
        SelectObject(grab->dc, grab->original_bitmap);
        DeleteDC(grab->dc);
    }
    if (grab->bitmap != nullptr) {
        DeleteObject(grab->bitmap);
    }
    *grab = ScreenGrab{};
}

bool read_grab_region(const ScreenGrab& grab, CaptureRegion region, Picture* picture) {
    // Rows bottom-up in a DIB section of the region's size, then turned into the picture's order.
    const BITMAPINFO info = bottom_up_dib24_header(region.width, region.height);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(grab.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = section != nullptr ? CreateCompatibleDC(grab.dc) : nullptr;
    bool read = false;
    if (memory != nullptr) {
        HGDIOBJ original = SelectObject(memory, section);
        BitBlt(memory, 0, 0, region.width, region.height, grab.dc, region.x, region.y, SRCCOPY);
        GdiFlush();
        try {
            picture->width = region.width;
            picture->height = region.height;
            picture->rgb.resize(3 * static_cast<size_t>(region.width) * region.height);
            const size_t stride = dib24_stride(region.width);
            for (int y = 0; y < region.height; ++y) {
                const uint8_t* in = static_cast<const uint8_t*>(bits) +
                                    stride * static_cast<size_t>(region.height - 1 - y);
                uint8_t* out = picture->rgb.data() + 3 * static_cast<size_t>(region.width) * y;
                for (int x = 0; x < region.width; ++x) {
                    out[3 * x] = in[3 * x + 2];
                    out[3 * x + 1] = in[3 * x + 1];
                    out[3 * x + 2] = in[3 * x];
                }
            }
            read = true;
        } catch (const std::bad_alloc&) {
            *picture = Picture{};
        }
        SelectObject(memory, original);
        DeleteDC(memory);
    }
    if (section != nullptr) {
        DeleteObject(section);
    }
    return read;
}
